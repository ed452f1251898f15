// The editor core on memo-sized texts: one typed character in a 1 MB memo, a 1 MB paste, and
// re-wrapping 10,000 lines after a width change. Text is measured by the recording surface
// (fixed pitch), so the figures are the core's own work without a device context.
#include <benchmark/benchmark.h>

#include <random>
#include <string>

#include "framework/RecordingSurface.h"
#include "widgets/el/editing/ElEditCore.h"

namespace {

// Paragraphs of words, 20 to 400 characters each, joined by CR LF, until Size units.
std::u16string MemoText(size_t Size, unsigned Seed)
{
    std::mt19937 rng(Seed);
    std::uniform_int_distribution<int> wordLength(1, 12), paragraphLength(20, 400), letter('a', 'z');
    std::u16string text;
    text.reserve(Size + 512);
    while (text.size() < Size) {
        if (!text.empty()) text += u"\r\n";
        const size_t end = text.size() + static_cast<size_t>(paragraphLength(rng));
        while (text.size() < end) {
            for (int i = wordLength(rng); i > 0; --i) text.push_back(static_cast<char16_t>(letter(rng)));
            text.push_back(u' ');
        }
    }
    return text;
}

struct Memo {
    explicit Memo(bool WordWrap, int32_t Width = 400)
    {
        core.SetMultiline(true);
        core.SetWantReturns(true);
        core.SetWordWrap(WordWrap);
        core.SetEditRect({0, 0, Width, 300});
    }
    RecordingSurface surface{7};
    TElEditCore core{nullptr, &surface};
};

// Each iteration types one character somewhere else in the text (the caret is placed first), so
// that no paragraph grows beyond its ordinary length. Arg: word wrap on (1) or off (0).
void BM_TypeOneCharacterInto1MBMemo(benchmark::State& state)
{
    Memo memo(state.range(0) != 0);
    memo.core.SetText(MemoText(1 << 20, 1));
    const int32_t lines = memo.core.Lines().LineCount();
    int32_t i = 0;
    for (auto _ : state) {
        memo.core.SetCaret({3, static_cast<int32_t>((static_cast<int64_t>(i++) * 7919) % lines)});
        memo.core.KeyPress(u'x');
    }
    state.counters["lines"] = lines;
}
BENCHMARK(BM_TypeOneCharacterInto1MBMemo)->Arg(1)->Arg(0)->Unit(benchmark::kMicrosecond);

// A memo whose 1 MB are one paragraph (text pasted without line breaks), wrapped.
void BM_TypeOneCharacterIntoOne1MBParagraph(benchmark::State& state)
{
    Memo memo(true);
    std::u16string text = MemoText(1 << 20, 2);
    for (char16_t& c : text)
        if (c == u'\r' || c == u'\n') c = u' ';
    memo.core.SetText(text);
    const int32_t lines = memo.core.Lines().LineCount();
    int32_t i = 0;
    for (auto _ : state) {
        memo.core.SetCaret({3, static_cast<int32_t>((static_cast<int64_t>(i++) * 7919) % lines)});
        memo.core.KeyPress(u'x');
    }
    state.counters["lines"] = lines;
}
BENCHMARK(BM_TypeOneCharacterIntoOne1MBParagraph)->Unit(benchmark::kMicrosecond);

class TClipboardHost : public IElEditHost {
public:
    bool GetClipboardText(std::u16string& Text) override
    {
        Text = clipboard;
        return true;
    }
    std::u16string clipboard;
};

void BM_Paste1MB(benchmark::State& state)
{
    TClipboardHost host;
    host.clipboard = MemoText(1 << 20, 3);
    RecordingSurface surface(7);
    TElEditCore core(&host, &surface);
    core.SetMultiline(true);
    core.SetWordWrap(state.range(0) != 0);
    core.SetEditRect({0, 0, 400, 300});
    const std::u16string existing = state.range(1) ? MemoText(1 << 20, 4) : std::u16string();
    for (auto _ : state) {
        state.PauseTiming();
        core.SetText(existing);
        core.SetSelStartIndex(static_cast<int64_t>(existing.size() / 2));
        state.ResumeTiming();
        core.PasteFromClipboard();
    }
    state.counters["lines"] = core.Lines().LineCount();
}
BENCHMARK(BM_Paste1MB)->Args({1, 0})->Args({1, 1})->Args({0, 1})->Unit(benchmark::kMillisecond);

void BM_Rewrap10000Lines(benchmark::State& state)
{
    Memo memo(true, 400);
    // Paragraphs of about four lines each at either width.
    std::u16string text = MemoText(10000 * 56, 5);
    memo.core.SetText(text);
    int64_t lines = 0;
    bool wide = false;
    for (auto _ : state) {
        wide = !wide;
        memo.core.SetEditRect({0, 0, wide ? 440 : 400, 300});
        lines = memo.core.Lines().LineCount();
    }
    state.counters["lines"] = static_cast<double>(lines);
}
BENCHMARK(BM_Rewrap10000Lines)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
