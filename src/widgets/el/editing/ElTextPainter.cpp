#include "widgets/el/editing/ElTextPainter.h"

#include "widgets/el/editing/ElEditChars.h"

#include <algorithm>

using namespace ElEditChars;

std::u16string TElTextPainter::MaskText(std::u16string_view S) const
{
    std::u16string r(S);
    if (PasswordChar == 0) return r;
    for (char16_t& c : r)
        if (!IsBreak(c)) c = PasswordChar;
    return r;
}

std::u16string TElTextPainter::ExpandTabs(std::u16string_view S) const
{
    const size_t spaces = static_cast<size_t>(std::max(TabSpaces, 1));
    std::u16string r;
    r.reserve(S.size());
    for (char16_t c : S) {
        if (c == Tab)
            r.append(spaces, u' ');
        else
            r.push_back(c);
    }
    return r;
}

std::u16string TElTextPainter::DisplayText(std::u16string_view S) const
{
    return PasswordChar ? MaskText(S) : ExpandTabs(S);
}

bool TElTextPainter::DisplayEnds(std::u16string_view S, std::vector<int32_t>& Ends)
{
    Ends.clear();
    if (!measurer_) return false;
    measurer_->SetFont(Font);
    if (PasswordChar) {
        scratch_ = MaskText(S);
        measurer_->TextEnds(scratch_, Ends);
        return true;
    }
    if (S.find(Tab) == std::u16string_view::npos) {
        measurer_->TextEnds(S, Ends);
        return true;
    }
    // Measure the expanded text and give each source unit the end of its last drawn unit.
    scratch_ = ExpandTabs(S);
    measurer_->TextEnds(scratch_, scratchEnds_);
    const size_t spaces = static_cast<size_t>(std::max(TabSpaces, 1));
    Ends.resize(S.size());
    size_t drawn = 0;
    for (size_t i = 0; i < S.size(); ++i) {
        drawn += S[i] == Tab ? spaces : 1;
        Ends[i] = scratchEnds_[drawn - 1];
    }
    return true;
}

int32_t TElTextPainter::TextWidth(std::u16string_view S)
{
    return TextExtent(S).cx;
}

TSize TElTextPainter::TextExtent(std::u16string_view S)
{
    if (!measurer_) return {};
    measurer_->SetFont(Font);
    return measurer_->TextExtent(DisplayText(S));
}

TFontMetrics TElTextPainter::FontMetrics()
{
    if (!measurer_) return {};
    measurer_->SetFont(Font);
    return measurer_->FontMetrics();
}

int32_t TElTextPainter::CharsInWidth(int32_t Width, std::u16string_view Text, int32_t Start)
{
    if (!measurer_) return -1;
    Start = std::clamp(Start, 0, static_cast<int32_t>(Text.size()));
    std::u16string_view rest = Text.substr(static_cast<size_t>(Start));
    if (rest.empty() || Width < 1) return 0;
    std::vector<int32_t> ends;
    DisplayEnds(rest, ends);
    return FitUnits(ends, rest, 0, Width);
}

int32_t TElTextPainter::CharsInWidthFromRight(int32_t Width, std::u16string_view Text, int32_t Count)
{
    if (!measurer_) return -1;
    Count = std::clamp(Count, 0, static_cast<int32_t>(Text.size()));
    if (Count == 0 || Width < 1) return 0;
    std::u16string_view head = Text.substr(0, static_cast<size_t>(Count));
    std::vector<int32_t> ends;
    DisplayEnds(head, ends);
    return Count - FitUnitsBefore(ends, head, Count, Width);
}

int32_t FitUnits(const std::vector<int32_t>& Ends, std::u16string_view Text, int32_t Start, int32_t Width)
{
    const int32_t size = static_cast<int32_t>(Ends.size());
    if (Start >= size || Width < 0) return 0;
    const int64_t base = Start > 0 ? Ends[static_cast<size_t>(Start - 1)] : 0;
    const int64_t limit = base + Width;
    // Ends never decrease: the first end beyond the limit bounds the fit.
    auto first = Ends.begin() + Start;
    auto beyond = std::upper_bound(first, Ends.end(), limit, [](int64_t v, int32_t e) { return v < e; });
    int32_t fit = static_cast<int32_t>(beyond - first);
    if (InsidePair(Text, static_cast<size_t>(Start + fit))) --fit;
    return fit;
}

int32_t FitUnitsBefore(const std::vector<int32_t>& Ends, std::u16string_view Text, int32_t End, int32_t Width)
{
    End = std::clamp(End, 0, static_cast<int32_t>(Ends.size()));
    if (End == 0) return 0;
    const int64_t endWidth = Ends[static_cast<size_t>(End - 1)];
    // The smallest Start with endWidth - Ends[Start - 1] <= Width, i.e. Ends[Start - 1] >= endWidth - Width.
    auto first = Ends.begin();
    auto it = std::lower_bound(first, first + End, endWidth - Width, [](int32_t e, int64_t v) { return e < v; });
    int32_t start = static_cast<int32_t>(it - first) + 1;
    if (endWidth <= Width) start = 0;
    start = std::min(start, End);
    if (InsidePair(Text, static_cast<size_t>(start))) ++start;
    return std::min(start, End);
}
