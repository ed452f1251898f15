// Laying out a 20 KB HTML hint with word wrap (PrepareText), measured with the fixed-pitch
// recording surface, for a narrow hint (400 pixels) and one as wide as a screen (1900). For
// comparison, the same wrap done the way the widget set's original description states it:
// after every character the whole current run and the whole current line are measured again,
// which costs the square of a line's length per line. That form lives only here, to show what
// the linear wrap saves. The counters give the measuring calls and the characters measured:
// on Windows every call is a trip into GDI.
#include "framework/RecordingSurface.h"
#include "widgets/el/foundation/ElHTMLRender.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// Counts what is measured.
class CountingMeasurer : public RecordingSurface {
public:
    CountingMeasurer() : RecordingSurface(7) {}
    TSize TextExtent(std::u16string_view Text) override
    {
        ++Calls;
        Chars += Text.size();
        return RecordingSurface::TextExtent(Text);
    }
    void TextEnds(std::u16string_view Text, std::vector<int32_t>& Ends) override
    {
        ++Calls;
        Chars += Text.size();
        RecordingSurface::TextEnds(Text, Ends);
    }
    TFontMetrics FontMetrics() override
    {
        ++Calls;
        return RecordingSurface::FontMetrics();
    }
    double Calls = 0, Chars = 0;
};

// About 20 KB of hint text: long paragraphs with some styled words, links, colours, breaks
// and a list now and then.
std::u16string MakeHint()
{
    static const char16_t* words[] = {u"scan", u"depth", u"impulse", u"ground", u"line", u"value",
                                      u"colour", u"device", u"survey", u"measurement", u"grid", u"the"};
    std::u16string text = u"<html>";
    uint32_t state = 7;
    size_t paragraph = 0;
    while (text.size() < 20000) {
        state = state * 1664525u + 1013904223u;
        const uint32_t r = state >> 8;
        const std::u16string word = words[r % 12];
        switch (r % 97) {
        case 0: text += u"<b>" + word + u"</b> "; break;
        case 1: text += u"<a href=\"help:" + word + u"\">" + word + u"</a> "; break;
        case 2: text += u"<font color=red>" + word + u"</font> "; break;
        case 3: text += u"<i>" + word + u"</i> "; break;
        case 4:
            if (++paragraph % 4 == 0)
                text += u"<ul><li>" + word + u" one<li>" + word + u" two</ul>";
            else
                text += u"<br>";
            break;
        default: text += word + u" "; break;
        }
    }
    return text;
}

void BM_PrepareText_LinearWrap(benchmark::State& State)
{
    const std::u16string hint = MakeHint();
    auto owned = std::make_unique<CountingMeasurer>();
    CountingMeasurer& measurer = *owned;
    TElHTMLRender render(std::move(owned));
    for (auto _ : State) {
        const bool ok = render.PrepareText(hint, static_cast<int32_t>(State.range(0)), true);
        benchmark::DoNotOptimize(ok);
    }
    State.counters["bytes"] = static_cast<double>(hint.size() * 2);
    State.counters["calls"] = benchmark::Counter(measurer.Calls, benchmark::Counter::kAvgIterations);
    State.counters["chars"] = benchmark::Counter(measurer.Chars, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PrepareText_LinearWrap)->Arg(400)->Arg(1900)->Unit(benchmark::kMillisecond);

// The stated form: runs of text between tags, wrapped by measuring the current run and the
// line's other runs again after every character. Tags only end runs (and br a line) here;
// styles, entities and the rest of the markup do not change the cost.
size_t QuadraticWrap(const std::u16string& Text, int32_t MaxWidth, ITextMeasurer& Measurer)
{
    std::vector<std::u16string> line;  // runs on the current line
    std::u16string current;
    size_t lines = 1;
    auto lineWidth = [&] {
        int32_t w = 0;
        for (const std::u16string& run : line)
            w += Measurer.TextExtent(run).cx + 1;
        return w;
    };
    auto endRun = [&] {
        if (!current.empty())
            line.push_back(current);
        current.clear();
    };
    for (size_t i = 0; i < Text.size(); ++i) {
        const char16_t c = Text[i];
        if (c == u'<') {
            const size_t close = Text.find(u'>', i);
            const std::u16string_view tag = std::u16string_view(Text).substr(i, close - i + 1);
            endRun();
            if (tag == u"<br>" || tag == u"<li>" || tag == u"</ul>") {
                line.clear();
                ++lines;
            }
            i = close;
            continue;
        }
        if (c == u' ' && !current.empty() && current.back() == u' ')
            continue;
        current += c;
        if (Measurer.TextExtent(current).cx + 1 + lineWidth() <= MaxWidth)
            continue;
        const size_t space = current.rfind(u' ');
        std::u16string carried;
        if (space == std::u16string::npos && line.empty()) {
            carried = current.substr(current.size() - 1);
            current.pop_back();
        } else {
            carried = space == std::u16string::npos ? current : current.substr(space + 1);
            current.resize(space == std::u16string::npos ? 0 : space + 1);
        }
        endRun();
        line.clear();
        ++lines;
        current = carried;
    }
    return lines;
}

void BM_PrepareText_QuadraticWrap(benchmark::State& State)
{
    const std::u16string hint = MakeHint();
    CountingMeasurer measurer;
    for (auto _ : State) {
        const size_t lines = QuadraticWrap(hint, static_cast<int32_t>(State.range(0)), measurer);
        benchmark::DoNotOptimize(lines);
    }
    State.counters["calls"] = benchmark::Counter(measurer.Calls, benchmark::Counter::kAvgIterations);
    State.counters["chars"] = benchmark::Counter(measurer.Chars, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PrepareText_QuadraticWrap)->Arg(400)->Arg(1900)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
