#include "widgets/el/editing/ElEditView.h"

#include "widgets/el/editing/ElEditChars.h"

#include <algorithm>

using namespace ElEditChars;

namespace {

constexpr int32_t WheelDelta = 120;
constexpr int32_t HorzLineStep = 5;

int32_t FloorDiv(int32_t A, int32_t B)
{
    int32_t q = A / B;
    return (A % B != 0 && ((A < 0) != (B < 0))) ? q - 1 : q;
}

int32_t EndBefore(const std::vector<int32_t>& Ends, int32_t Count)
{
    if (Count <= 0 || Ends.empty()) return 0;
    return Ends[static_cast<size_t>(std::min(Count, static_cast<int32_t>(Ends.size())) - 1)];
}

}  // namespace

void TElEditView::SetEditRect(const TRect& R)
{
    editRect_ = R;
    SetLineHeight(lineHeight_);
}

void TElEditView::SetLineHeight(int32_t Value)
{
    lineHeight_ = std::max(Value, 1);
    visibleLines_ = std::max(1, (editRect_.Height() - options_.TopMargin) / lineHeight_);
}

int32_t TElEditView::WrapWidth() const
{
    return (editRect_.Right - options_.RightMargin) - (editRect_.Left + options_.LeftMargin);
}

int32_t TElEditView::MaxTopLine() const
{
    return std::max(0, lines_.LineCount() - visibleLines_);
}

bool TElEditView::SetTopLine(int32_t N)
{
    N = std::clamp(N, 0, MaxTopLine());
    if (N == topLine_) return false;
    topLine_ = N;
    return true;
}

bool TElEditView::SetLeftChar(int32_t N)
{
    if (options_.Multiline && options_.WordWrap) return false;
    N = std::clamp(N, 0, lines_.LongestLength());
    if (N == leftChar_) return false;
    leftChar_ = N;
    return true;
}

int32_t TElEditView::RowTop(int32_t Line) const
{
    if (!options_.Multiline && options_.AlignBottom) return editRect_.Bottom - lineHeight_;
    return editRect_.Top + options_.TopMargin + (Line - topLine_) * lineHeight_;
}

int32_t TElEditView::DrawStart(std::u16string_view Line) const
{
    int32_t start = std::min(leftChar_, static_cast<int32_t>(Line.size()));
    return InsidePair(Line, static_cast<size_t>(start)) ? start + 1 : start;
}

int32_t TElEditView::LineX(int32_t Width) const
{
    switch (options_.Alignment) {
    case TAlignment::taRightJustify: return editRect_.Right - options_.RightMargin - Width - 2;
    case TAlignment::taCenter: return (editRect_.Right - options_.RightMargin) / 2 - Width / 2;
    default: return editRect_.Left + options_.LeftMargin;
    }
}

TPoint TElEditView::PointToCaret(TPoint P) const
{
    const int32_t lines = lines_.LineCount();
    if (lines == 0) return {};
    int32_t line = 0;
    if (options_.Multiline || !options_.AlignBottom)
        line = std::clamp(topLine_ + FloorDiv(P.Y - RowTop(topLine_), lineHeight_), 0, lines - 1);
    const std::u16string_view S = lines_.GetLine(line);
    const int32_t start = DrawStart(S);
    const std::u16string_view shown = S.substr(static_cast<size_t>(start));
    std::vector<int32_t> ends;
    if (!painter_.DisplayEnds(shown, ends)) return {start, line};
    const int32_t x0 = LineX(ends.empty() ? 0 : ends.back());
    for (size_t i = 0; i < shown.size();) {
        const int32_t size = CharSizeAt(shown, i);
        const int32_t left = x0 + EndBefore(ends, static_cast<int32_t>(i));
        const int32_t right = x0 + ends[i + static_cast<size_t>(size) - 1];
        if (left + right > 2 * P.X) return {start + static_cast<int32_t>(i), line};
        i += static_cast<size_t>(size);
    }
    return {static_cast<int32_t>(S.size()), line};
}

TPoint TElEditView::CaretToPoint(TPoint Caret) const
{
    const int32_t lines = lines_.LineCount();
    const int32_t line = lines == 0 ? 0 : std::clamp(Caret.Y, 0, lines - 1);
    const std::u16string_view S = lines_.GetLine(line);
    const int32_t start = DrawStart(S);
    const int32_t X = std::clamp(Caret.X, 0, static_cast<int32_t>(S.size()));
    std::vector<int32_t> ends;
    painter_.DisplayEnds(S.substr(static_cast<size_t>(start)), ends);
    const int32_t x0 = LineX(ends.empty() ? 0 : ends.back());
    const int32_t x = X >= start ? x0 + EndBefore(ends, X - start)
                                 : x0 - painter_.TextWidth(S.substr(static_cast<size_t>(X), static_cast<size_t>(start - X)));
    return {x, RowTop(line)};
}

bool TElEditView::ScrollToCaret(TPoint Caret)
{
    bool changed = false;
    if (Caret.Y < topLine_) {
        topLine_ = std::max(Caret.Y, 0);
        changed = true;
    } else if (Caret.Y >= topLine_ + visibleLines_) {
        topLine_ = Caret.Y - visibleLines_ + 1;
        changed = true;
    }
    if (options_.Multiline && options_.WordWrap) return changed;
    const std::u16string_view S = lines_.GetLine(Caret.Y);
    const int32_t avail = WrapWidth();
    int32_t left = leftChar_;
    const int32_t fit = painter_.CharsInWidth(avail, S, left);
    if (fit >= 0 && Caret.X > left + fit) left = Caret.X - painter_.CharsInWidthFromRight(avail, S, Caret.X);
    if (Caret.X < left) left = Caret.X;
    left = std::max(left, 0);
    if (options_.Alignment != TAlignment::taLeftJustify && painter_.TextWidth(S) <= avail) left = 0;
    if (left != leftChar_) {
        leftChar_ = left;
        changed = true;
    }
    return changed;
}

bool TElEditView::ClampScroll()
{
    const int32_t top = std::clamp(topLine_, 0, MaxTopLine());
    int32_t left = leftChar_;
    if ((options_.Multiline && options_.WordWrap) || !HorzScrollBar().Enabled)
        left = 0;
    else
        left = std::clamp(left, 0, lines_.LongestLength());
    const bool changed = top != topLine_ || left != leftChar_;
    topLine_ = top;
    leftChar_ = left;
    return changed;
}

TElScrollBarInfo TElEditView::VertScrollBar() const
{
    const int32_t lines = lines_.LineCount();
    if (lines <= visibleLines_) return {};
    return {true, 0, lines - 1, visibleLines_, topLine_};
}

int32_t TElEditView::HorzPage() const
{
    return std::max(1, painter_.CharsInWidth(WrapWidth(), lines_.LongestLine(), 0) - 4);
}

TElScrollBarInfo TElEditView::HorzScrollBar() const
{
    const std::u16string_view longest = lines_.LongestLine();
    if (longest.empty() || painter_.TextWidth(longest) <= WrapWidth()) return {};
    return {true, 0, lines_.LongestLength(), HorzPage(), leftChar_};
}

bool TElEditView::ScrollVert(int32_t Code, int32_t ThumbPos)
{
    int32_t target = topLine_;
    switch (Code) {
    case ElScrollCode::LineUp: target -= 1; break;
    case ElScrollCode::LineDown: target += 1; break;
    case ElScrollCode::PageUp: target -= visibleLines_; break;
    case ElScrollCode::PageDown: target += visibleLines_; break;
    case ElScrollCode::ThumbPosition:
    case ElScrollCode::ThumbTrack: target = ThumbPos; break;
    case ElScrollCode::Top: target = 0; break;
    case ElScrollCode::Bottom: target = MaxTopLine(); break;
    default: return false;
    }
    return SetTopLine(target);
}

bool TElEditView::ScrollHorz(int32_t Code, int32_t ThumbPos)
{
    if (options_.Multiline && options_.WordWrap) return false;
    const int32_t page = HorzPage();
    int32_t target = leftChar_;
    switch (Code) {
    case ElScrollCode::LineUp: target -= HorzLineStep; break;
    case ElScrollCode::LineDown: target += HorzLineStep; break;
    case ElScrollCode::PageUp: target -= page; break;
    case ElScrollCode::PageDown: target += page; break;
    case ElScrollCode::ThumbPosition:
    case ElScrollCode::ThumbTrack: target = ThumbPos; break;
    case ElScrollCode::Top: target = 0; break;
    case ElScrollCode::Bottom: target = lines_.LongestLength() - page - 1; break;
    default: return false;
    }
    // The page shows LeftChar .. LeftChar + page - 1, and the caret may stand after the longest line.
    return SetLeftChar(std::clamp(target, 0, std::max(0, lines_.LongestLength() + 1 - page)));
}

bool TElEditView::MouseWheel(int32_t Delta, int32_t LinesPerNotch)
{
    const bool byPage = static_cast<uint32_t>(LinesPerNotch) == ElWheelPageScroll;
    const int64_t lines = byPage ? 1 : std::max(LinesPerNotch, 1);
    const int64_t total = static_cast<int64_t>(wheelAccumulator_) + static_cast<int64_t>(Delta) * lines;
    const int64_t steps = total / WheelDelta;
    wheelAccumulator_ = static_cast<int32_t>(total - steps * WheelDelta);
    if (steps == 0) return false;
    const int64_t move = byPage ? steps * visibleLines_ : steps;
    const int64_t target = std::clamp<int64_t>(topLine_ - move, 0, MaxTopLine());
    return SetTopLine(static_cast<int32_t>(target));
}

std::vector<TElLineLayout> TElEditView::Layout(TPoint SelStart, TPoint SelEnd, bool ShowSelection) const
{
    std::vector<TElLineLayout> rows;
    const int32_t last = std::min(topLine_ + visibleLines_, lines_.LineCount()) - 1;
    const bool selected = ShowSelection && lines_.CaretToPos(SelStart.X, SelStart.Y) != lines_.CaretToPos(SelEnd.X, SelEnd.Y);
    std::vector<int32_t> ends;
    for (int32_t line = topLine_; line <= last; ++line) {
        TElLineLayout row;
        row.Line = line;
        row.Top = RowTop(line);
        const std::u16string_view S = lines_.GetLine(line);
        const int32_t length = static_cast<int32_t>(S.size());
        const int32_t start = DrawStart(S);
        painter_.DisplayEnds(S.substr(static_cast<size_t>(start)), ends);
        const int32_t x0 = LineX(ends.empty() ? 0 : ends.back());
        int32_t a = length, b = length;
        if (selected && line >= SelStart.Y && line <= SelEnd.Y) {
            a = line == SelStart.Y ? SelStart.X : 0;
            b = line == SelEnd.Y ? SelEnd.X : length;
        }
        a = std::clamp(a, start, length);
        b = std::clamp(b, a, length);
        const int32_t bounds[] = {start, a, b, length};
        for (int i = 0; i < 3; ++i) {
            if (bounds[i] == bounds[i + 1]) continue;
            row.Pieces.push_back({x0 + EndBefore(ends, bounds[i] - start),
                                  painter_.DisplayText(S.substr(static_cast<size_t>(bounds[i]),
                                                                static_cast<size_t>(bounds[i + 1] - bounds[i]))),
                                  i == 1});
        }
        rows.push_back(std::move(row));
    }
    return rows;
}
