// PrepareText over arbitrary markup, with a width and AutoWrap taken from the input, measured
// with the fixed-pitch recording surface. Checks the item-list invariants, that wrapping loses
// no text, that a line is wider than the limit only when it cannot be broken, and that the
// link hit test finds every painted text run where it was painted.
//
// Input: byte 0 flags (bit 0 AutoWrap, bit 1 text in UTF-16LE), bytes 1-2 the width
// (little-endian, minus 64), then the text (one character per byte unless UTF-16).
#include "framework/RecordingSurface.h"
#include "widgets/el/foundation/ElHTMLRender.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool Ok)
{
    if (!Ok)
        std::abort();
}

class FuzzImage : public IElHTMLImage {
public:
    int32_t Width() const override { return 13; }
    int32_t Height() const override { return 9; }
    bool Transparent() const override { return false; }
    void Draw(IDrawSurface& Surface, const TRect& Box, bool Stretch) override { Surface.FrameRect(Box, clRed); }
};

struct TPrepared {
    TElHTMLRender Render{std::make_unique<RecordingSurface>(7)};
    FuzzImage Image;

    TPrepared(const std::u16string& Text, int32_t MaxWidth, bool AutoWrap)
    {
        Render.OnImageNeeded = [this](TObject*, const std::u16string& Src, IElHTMLImage*& Image) {
            if (!Src.empty() && Src[0] == u'i')
                Image = &this->Image;
        };
        Check(Render.PrepareText(Text, MaxWidth, AutoWrap));
    }
    TElHTMLData& Data() { return *Render.Data(); }
};

std::u16string Letters(TElHTMLData& Data, bool WithSpaces)
{
    std::u16string s;
    for (const auto& item : Data.Items)
        if (item->ItemType == hitText)
            for (char16_t c : item->Text())
                if (WithSpaces || c != u' ')
                    s += c;
    return s;
}

void CheckItems(TElHTMLData& Data, int32_t MaxWidth, bool AutoWrap)
{
    const auto& items = Data.Items;
    Check(!items.empty() && items.front()->ItemType == hitParagraph);
    Check(Data.TextSize.cx >= 0 && Data.TextSize.cy >= 0);
    for (size_t i = 0; i < items.size();) {
        auto& brk = static_cast<TElHTMLBreakItem&>(*items[i]);
        Check(brk.IsBreak() && brk.ListLevel >= 0 && brk.Indent >= 0 && brk.Height >= 0);
        size_t texts = 0;
        bool spaced = false, fixed = false;
        size_t j = i + 1;
        for (; j < items.size() && !items[j]->IsBreak(); ++j) {
            const TElHTMLItem& item = *items[j];
            Check(item.Indent >= 0);
            if (item.ItemType == hitText) {
                Check(!item.Text().empty());
                ++texts;
                spaced = spaced || item.Text().find(u' ') != std::u16string::npos;
            } else {
                fixed = true;
            }
        }
        // Only a single unbreakable run, or items that never wrap, may pass the limit.
        if (AutoWrap && brk.Width > MaxWidth)
            Check(fixed || (texts <= 1 && !spaced));
        i = j;
    }
}

void CheckHitsWherePainted(TPrepared& P, int32_t AreaWidth)
{
    TElHTMLData& data = P.Data();
    for (const auto& item : data.Items)
        if (item->ItemType == hitIndent && (item->Flags & hifAbsolute))
            return;  // an absolute indent may place runs over each other
    const TRect r{5, 7, 5 + AreaWidth, 7 + data.TextSize.cy + 1};
    RecordingSurface surface(7);
    P.Render.DrawText(surface, {0, 0}, r, clNone);
    std::vector<const TElHTMLItem*> runs;
    bool numbered = false;
    for (const auto& item : data.Items) {
        if (item->ItemType == hitText)
            runs.push_back(item.get());
        numbered = numbered || (item->ItemType == hitListItem && static_cast<TElHTMLBreakItem&>(*item).ListNumber >= 1);
    }
    auto isNumber = [](const std::u16string& S) {
        return S.size() >= 2 && S.back() == u'.' && S.find_first_not_of(u"0123456789") == S.size() - 1;
    };
    size_t next = 0;
    for (const auto& call : surface.Calls()) {
        if (call.Kind != RecordingSurface::Op::Text || call.Rect.IsEmpty() || (numbered && isNumber(call.Text)))
            continue;
        // Texts are drawn in item order; list numbers are drawn too and match no run.
        while (next < runs.size() && runs[next]->Text() != call.Text)
            ++next;
        if (next == runs.size())
            return;
        const TElHTMLItem& run = *runs[next++];
        std::u16string href;
        const TPoint centre{(call.Rect.Left + call.Rect.Right) / 2 - r.Left, (call.Rect.Top + call.Rect.Bottom) / 2 - r.Top};
        const bool link = P.Render.IsCursorOverLink(centre, {0, 0}, r, href);
        Check(link == ((run.Flags & hifLink) != 0));
        Check(!link || href == run.HRef);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 3)
        return 0;
    const bool autoWrap = data[0] & 1;
    const bool utf16 = data[0] & 2;
    const int32_t maxWidth = static_cast<int32_t>(data[1] | (data[2] << 8)) - 64;
    std::u16string text;
    if (utf16) {
        for (size_t i = 3; i + 1 < size; i += 2)
            text += static_cast<char16_t>(data[i] | (data[i + 1] << 8));
    } else {
        for (size_t i = 3; i < size; ++i)
            text += static_cast<char16_t>(data[i]);
    }

    TPrepared wrapped(text, maxWidth, autoWrap);
    CheckItems(wrapped.Data(), maxWidth, autoWrap);

    // Wrapping moves text between lines and may drop a blank where it breaks; nothing else.
    TPrepared plain(text, maxWidth, false);
    Check(Letters(wrapped.Data(), false) == Letters(plain.Data(), false));

    // Text without markup comes through whole, with runs of blanks made one.
    if (text.find_first_of(u"<&\r") == std::u16string::npos) {
        std::u16string expected;
        for (char16_t c : text)
            if (c != u' ' || expected.empty() || expected.back() != u' ')
                expected += c;
        Check(Letters(plain.Data(), true) == expected);
    }

    CheckHitsWherePainted(wrapped, std::max(maxWidth, 1));
    return 0;
}
