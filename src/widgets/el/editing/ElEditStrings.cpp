#include "widgets/el/editing/ElEditStrings.h"

#include "widgets/el/editing/ElEditChars.h"
#include "widgets/el/editing/ElTextPainter.h"
#include "widgets/el/foundation/ElList.h"
#include "widgets/el/foundation/ElStrUtils.h"
#include "widgets/el/foundation/ElTools.h"

#include <algorithm>

using namespace ElEditChars;

namespace {

constexpr char16_t SEditorIndexError[] = u"List index outbound (%d)";

std::unique_ptr<TElParagraph> NewParagraph() { return std::make_unique<TElParagraph>(); }

}  // namespace

// ---- TElParagraph

std::u16string_view TElParagraph::Get(int32_t Line) const
{
    if (Line < 0 || Line >= Count()) return {};
    return std::u16string_view(text_).substr(static_cast<size_t>(LineStart(Line)),
                                             static_cast<size_t>(LineLength(Line)));
}

int32_t TElParagraph::LineOfOffset(int32_t Offset) const
{
    // The first line whose end is at or after Offset.
    auto it = std::lower_bound(starts_.begin(), starts_.end(), Offset);
    return static_cast<int32_t>(it - starts_.begin());
}

// ---- TElEditStrings: paragraph view

TElEditStrings::~TElEditStrings() = default;

void TElEditStrings::CheckIndex(int32_t Index) const
{
    if (Index < 0 || Index >= GetCount()) throw EElListError(FormatMessageD(SElListIndexError, Index));
}

std::u16string TElEditStrings::Get(int32_t Index) const
{
    CheckIndex(Index);
    return paragraphs_[static_cast<size_t>(Index)]->text_;
}

std::u16string TElEditStrings::GetTextStr() const
{
    std::u16string r;
    r.reserve(static_cast<size_t>(TextLength()));
    for (size_t i = 0; i < paragraphs_.size(); ++i) {
        if (i > 0) r += u"\r\n";
        r += paragraphs_[i]->text_;
    }
    return r;
}

void TElEditStrings::SetUpdateState(bool Updating)
{
    if (!Updating) Changed();
}

void TElEditStrings::Changed()
{
    if (UpdateCount > 0) return;
    if (OnChange) OnChange(this);
    if (Owner) Owner->TextChanged();
}

void TElEditStrings::SetParagraphText(int32_t P, std::u16string Text)
{
    TElParagraph& para = Para(P);
    sumLengths_ += static_cast<int64_t>(Text.size()) - para.Length();
    para.text_ = std::move(Text);
}

void TElEditStrings::EnsureParagraph()
{
    if (paragraphs_.empty()) {
        paragraphs_.push_back(NewParagraph());
        RecalcFirstLines(0);
    }
}

void TElEditStrings::InsertParagraphs(int32_t Index, std::vector<std::unique_ptr<TElParagraph>> New)
{
    const int32_t added = static_cast<int32_t>(New.size());
    for (const auto& p : New) sumLengths_ += p->Length();
    if (longestIndex_ >= Index && Index < GetCount()) longestIndex_ += added;
    paragraphs_.insert(paragraphs_.begin() + Index, std::make_move_iterator(New.begin()),
                       std::make_move_iterator(New.end()));
    for (int32_t i = Index; i < Index + added; ++i) ReformatParagraph(i);
}

void TElEditStrings::EraseParagraphs(int32_t From, int32_t To)
{
    if (From >= To) return;
    for (int32_t i = From; i < To; ++i) sumLengths_ -= Para(i).Length();
    paragraphs_.erase(paragraphs_.begin() + From, paragraphs_.begin() + To);
    if (longestIndex_ >= To)
        longestIndex_ -= To - From;
    else if (longestIndex_ >= From)
        RescanLongest();
}

void TElEditStrings::Put(int32_t Index, const std::u16string& S)
{
    CheckIndex(Index);
    if (!IsMultiline()) {
        SetParagraphText(Index, S);
        ReformatParagraph(Index);
    } else {
        std::vector<std::u16string> pieces = SplitAtBreaks(S);
        SetParagraphText(Index, std::move(pieces[0]));
        ReformatParagraph(Index);
        std::vector<std::unique_ptr<TElParagraph>> more;
        for (size_t i = 1; i < pieces.size(); ++i) {
            more.push_back(NewParagraph());
            more.back()->text_ = std::move(pieces[i]);
        }
        InsertParagraphs(Index + 1, std::move(more));
    }
    RecalcFirstLines(Index);
    Changed();
}

void TElEditStrings::SetTextStr(const std::u16string& S)
{
    const bool force = Owner && Owner->ForceReload();
    if (force || S != GetTextStr()) {
        BeginUpdate();
        paragraphs_.clear();
        sumLengths_ = 0;
        longestLength_ = longestIndex_ = 0;
        std::vector<std::unique_ptr<TElParagraph>> New;
        if (!IsMultiline()) {
            New.push_back(NewParagraph());
            New.back()->text_ = S;
        } else if (!S.empty()) {
            // The piece after a final break is the empty paragraph that break opens.
            for (std::u16string& piece : SplitAtBreaks(S)) {
                New.push_back(NewParagraph());
                New.back()->text_ = std::move(piece);
            }
        }
        for (const auto& p : New) sumLengths_ += p->Length();
        paragraphs_ = std::move(New);
        EndUpdate();
        ReformatAll();
    }
    if (Owner) Owner->TextReset();
}

void TElEditStrings::Clear()
{
    paragraphs_.clear();
    sumLengths_ = 0;
    longestLength_ = longestIndex_ = 0;
    Changed();
    if (Owner) Owner->LinesChanged();
}

void TElEditStrings::Delete(int32_t Index)
{
    CheckIndex(Index);
    EraseParagraphs(Index, Index + 1);
    RecalcFirstLines(Index);
    Changed();
}

void TElEditStrings::Exchange(int32_t Index1, int32_t Index2)
{
    CheckIndex(Index1);
    CheckIndex(Index2);
    std::swap(paragraphs_[static_cast<size_t>(Index1)], paragraphs_[static_cast<size_t>(Index2)]);
    if (longestIndex_ == Index1)
        longestIndex_ = Index2;
    else if (longestIndex_ == Index2)
        longestIndex_ = Index1;
    RecalcFirstLines(std::min(Index1, Index2));
    Changed();
}

void TElEditStrings::Insert(int32_t Index, const std::u16string& S)
{
    if (!IsMultiline() || S.empty()) return;
    if (Index < 0 || Index > GetCount()) throw EElListError(FormatMessageD(SElListIndexError, Index));
    std::vector<std::unique_ptr<TElParagraph>> New;
    for (std::u16string& piece : SplitAtBreaks(S)) {
        New.push_back(NewParagraph());
        New.back()->text_ = std::move(piece);
    }
    InsertParagraphs(Index, std::move(New));
    RecalcFirstLines(Index);
    Changed();
}

bool TElEditStrings::Find(const std::u16string& S, int32_t& Index) const
{
    bool found = false;
    int32_t low = 0, high = GetCount() - 1;
    while (low <= high) {
        const int32_t mid = (low + high) / 2;
        const int32_t c = WideCompareStr(paragraphs_[static_cast<size_t>(mid)]->text_, S);
        if (c < 0) {
            low = mid + 1;
        } else {
            high = mid - 1;
            if (c == 0) found = true;  // keep going left to the first equal paragraph
        }
    }
    Index = low;
    return found;
}

std::u16string_view TElEditStrings::LongestLine() const
{
    if (longestLength_ == 0 || longestIndex_ >= GetCount()) return {};
    return paragraphs_[static_cast<size_t>(longestIndex_)]->text_;
}

// ---- Visual lines

int32_t TElEditStrings::LineCount() const
{
    if (paragraphs_.empty()) return 0;
    const TElParagraph& last = *paragraphs_.back();
    return last.FirstLine + last.Count();
}

void TElEditStrings::ParagraphOfLine(int32_t Y, int32_t& P, int32_t& L) const
{
    P = L = 0;
    const int32_t lines = LineCount();
    if (lines == 0) return;
    Y = std::clamp(Y, 0, lines - 1);
    auto it = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), Y,
                               [](int32_t y, const std::unique_ptr<TElParagraph>& p) { return y < p->FirstLine; });
    P = static_cast<int32_t>(it - paragraphs_.begin()) - 1;
    L = Y - paragraphs_[static_cast<size_t>(P)]->FirstLine;
}

std::u16string_view TElEditStrings::GetLine(int32_t Y) const
{
    if (Y < 0 || Y >= LineCount()) return {};
    int32_t P, L;
    ParagraphOfLine(Y, P, L);
    return paragraphs_[static_cast<size_t>(P)]->Get(L);
}

void TElEditStrings::PutLine(int32_t Y, const std::u16string& S)
{
    if (paragraphs_.empty()) {
        if (Y >= 1) throw EElEditorError(FormatMessageD(SEditorIndexError, Y));
        EnsureParagraph();
        InsertText({0, 0}, S);
        return;
    }
    int32_t P, L;
    ParagraphOfLine(Y, P, L);
    const TElParagraph& para = Para(P);
    const TElTextPos from{P, para.LineStart(L)}, to{P, para.LineEnd(L)};
    BeginUpdate();
    DeleteText(from, to);
    InsertText(from, S);
    EndUpdate();
}

void TElEditStrings::CaretToParagraph(int32_t X, int32_t Y, int32_t& Offset, int32_t& P) const
{
    int32_t L;
    ParagraphOfLine(Y, P, L);
    Offset = 0;
    if (paragraphs_.empty()) return;
    const TElParagraph& para = *paragraphs_[static_cast<size_t>(P)];
    Offset = std::clamp(para.LineStart(L) + std::max(X, 0), 0, para.Length());
}

void TElEditStrings::ParagraphToCaret(int32_t P, int32_t Offset, int32_t& Y, int32_t& X) const
{
    Y = X = 0;
    if (paragraphs_.empty()) return;
    P = std::clamp(P, 0, GetCount() - 1);
    const TElParagraph& para = *paragraphs_[static_cast<size_t>(P)];
    Offset = std::clamp(Offset, 0, para.Length());
    const int32_t line = para.LineOfOffset(Offset);
    Y = para.FirstLine + line;
    X = Offset - para.LineStart(line);
}

TElTextPos TElEditStrings::CaretToPos(int32_t X, int32_t Y) const
{
    TElTextPos pos;
    CaretToParagraph(X, Y, pos.Offset, pos.Paragraph);
    return pos;
}

void TElEditStrings::PosToCaret(TElTextPos Pos, int32_t& X, int32_t& Y) const
{
    ParagraphToCaret(Pos.Paragraph, Pos.Offset, Y, X);
}

void TElEditStrings::InsertTextAt(int32_t& X, int32_t& Y, const std::u16string& Text)
{
    TElTextPos end = InsertText(CaretToPos(X, Y), Text);
    PosToCaret(end, X, Y);
}

// ---- Editing by paragraph positions

TElTextPos TElEditStrings::ClampPos(TElTextPos Pos) const
{
    if (paragraphs_.empty()) return {};
    Pos.Paragraph = std::clamp(Pos.Paragraph, 0, GetCount() - 1);
    const std::u16string& text = paragraphs_[static_cast<size_t>(Pos.Paragraph)]->text_;
    Pos.Offset = SnapToChar(text, std::clamp(Pos.Offset, 0, static_cast<int32_t>(text.size())));
    return Pos;
}

TElTextPos TElEditStrings::EndPos() const
{
    if (paragraphs_.empty()) return {};
    return {GetCount() - 1, paragraphs_.back()->Length()};
}

int64_t TElEditStrings::PosToIndex(TElTextPos Pos) const
{
    Pos = ClampPos(Pos);
    int64_t index = Pos.Offset;
    for (int32_t p = 0; p < Pos.Paragraph; ++p) index += paragraphs_[static_cast<size_t>(p)]->Length() + 2;
    return index;
}

TElTextPos TElEditStrings::IndexToPos(int64_t Index) const
{
    if (paragraphs_.empty() || Index <= 0) return {};
    for (int32_t p = 0; p < GetCount(); ++p) {
        const int32_t length = paragraphs_[static_cast<size_t>(p)]->Length();
        if (Index <= length + 1 || p == GetCount() - 1)
            return ClampPos({p, static_cast<int32_t>(std::min<int64_t>(Index, length))});
        Index -= length + 2;
    }
    return EndPos();
}

TElTextPos TElEditStrings::InsertText(TElTextPos At, std::u16string_view Text)
{
    EnsureParagraph();
    At = ClampPos(At);
    const int32_t P = At.Paragraph;
    const std::u16string& old = Para(P).text_;
    if (!IsMultiline() || CountBreaks(Text) == 0) {
        Para(P).text_.insert(static_cast<size_t>(At.Offset), Text);
        sumLengths_ += static_cast<int64_t>(Text.size());
        const int32_t end = At.Offset + static_cast<int32_t>(Text.size());
        RewrapEdited(P, {At.Offset, At.Offset, end});
        Changed();
        return {P, end};
    }
    // Every break opens a paragraph: the head keeps the first piece, the last piece is followed
    // by the old tail, and the pieces between become paragraphs of their own.
    std::vector<std::u16string> pieces = SplitAtBreaks(Text);
    const size_t k = pieces.size() - 1;
    const int32_t lastLength = static_cast<int32_t>(pieces[k].size());
    std::u16string tail = old.substr(static_cast<size_t>(At.Offset));
    std::u16string head = old.substr(0, static_cast<size_t>(At.Offset)) + pieces[0];
    pieces[k] += tail;
    std::vector<std::unique_ptr<TElParagraph>> New;
    New.reserve(k);
    for (size_t i = 1; i <= k; ++i) {
        New.push_back(NewParagraph());
        New.back()->text_ = std::move(pieces[i]);
    }
    const int32_t oldLength = Para(P).Length();
    SetParagraphText(P, std::move(head));
    RewrapEdited(P, {At.Offset, oldLength, Para(P).Length()});
    InsertParagraphs(P + 1, std::move(New));
    RecalcFirstLines(P);
    Changed();
    return {P + static_cast<int32_t>(k), lastLength};
}

std::u16string TElEditStrings::TextRange(TElTextPos From, TElTextPos To) const
{
    if (paragraphs_.empty()) return {};
    From = ClampPos(From);
    To = ClampPos(To);
    if (To < From) std::swap(From, To);
    const std::u16string& first = paragraphs_[static_cast<size_t>(From.Paragraph)]->text_;
    if (From.Paragraph == To.Paragraph)
        return first.substr(static_cast<size_t>(From.Offset), static_cast<size_t>(To.Offset - From.Offset));
    std::u16string r = first.substr(static_cast<size_t>(From.Offset));
    for (int32_t p = From.Paragraph + 1; p < To.Paragraph; ++p) {
        r += u"\r\n";
        r += paragraphs_[static_cast<size_t>(p)]->text_;
    }
    r += u"\r\n";
    r.append(paragraphs_[static_cast<size_t>(To.Paragraph)]->text_, 0, static_cast<size_t>(To.Offset));
    return r;
}

std::u16string TElEditStrings::DeleteText(TElTextPos From, TElTextPos To)
{
    if (paragraphs_.empty()) return {};
    From = ClampPos(From);
    To = ClampPos(To);
    if (To < From) std::swap(From, To);
    if (From == To) return {};
    std::u16string removed = TextRange(From, To);
    const int32_t P = From.Paragraph;
    if (P == To.Paragraph) {
        Para(P).text_.erase(static_cast<size_t>(From.Offset), static_cast<size_t>(To.Offset - From.Offset));
        sumLengths_ -= To.Offset - From.Offset;
        RewrapEdited(P, {From.Offset, To.Offset, From.Offset});
        Changed();
        return removed;
    }
    const int32_t oldLength = Para(P).Length();
    std::u16string joined = Para(P).text_.substr(0, static_cast<size_t>(From.Offset));
    joined.append(Para(To.Paragraph).text_, static_cast<size_t>(To.Offset));
    SetParagraphText(P, std::move(joined));
    EraseParagraphs(P + 1, To.Paragraph + 1);
    const TEdit edit{From.Offset, oldLength, Para(P).Length()};
    Wrap(Para(P), &edit);
    TrackLongest(P);
    RecalcFirstLines(P);
    Changed();
    return removed;
}

// ---- Layout

void TElEditStrings::Wrap(TElParagraph& Paragraph, const TEdit* Edit)
{
    std::vector<int32_t> old;
    old.swap(Paragraph.starts_);
    if (!Owner || !Owner->Multiline() || !Owner->WordWrap()) return;
    const int32_t width = Owner->WrapWidth();
    const std::u16string& T = Paragraph.text_;
    const int32_t length = Paragraph.Length();
    // Nothing wraps into less than a pixel, or when nothing can be measured.
    if (width < 1 || length == 0) return;

    // A line's breaks read its text up to one character past what fits, and the next line
    // starts no earlier than that: lines ending two lines before the edit keep their breaks.
    int32_t start = 0;
    if (Edit) {
        size_t keep = static_cast<size_t>(std::lower_bound(old.begin(), old.end(), Edit->Start) - old.begin());
        keep = keep > 0 ? keep - 1 : 0;
        Paragraph.starts_.assign(old.begin(), old.begin() + static_cast<std::ptrdiff_t>(keep));
        start = keep > 0 ? old[keep - 1] : 0;
    }
    const int32_t delta = Edit ? Edit->NewEnd - Edit->OldEnd : 0;

    // ends_ holds the drawn ends of T[from, to); it grows when a decision needs more of the text.
    int32_t from = start, to = start;
    auto measure = [&](int32_t newTo) {
        from = start;
        to = std::min(length, newTo);
        return Owner->MeasureEnds(std::u16string_view(T).substr(static_cast<size_t>(from), static_cast<size_t>(to - from)), ends_) &&
               ends_.size() == static_cast<size_t>(to - from);
    };
    auto endAt = [&](int32_t i) -> int64_t { return i > from ? ends_[static_cast<size_t>(i - from - 1)] : 0; };
    if (!measure(Edit ? std::max(Edit->NewEnd, start) + 1024 : length)) {
        Paragraph.starts_.clear();
        return;
    }
    for (;;) {
        // Enough of the text for this line: all of it, or more than the width from here.
        while (to < length && endAt(to) - endAt(start) <= width + 2)
            if (!measure(to + std::max(to - from, 1024))) {
                Paragraph.starts_.clear();
                return;
            }
        const int64_t restWidth = endAt(to) - endAt(start);
        if (to == length && restWidth + 2 < width) break;
        // N characters fit; a rest that fits whole loses its last character, as the width test
        // keeps two pixels free. Every line takes at least one character, so the loop ends.
        int32_t N = FitUnits(ends_, std::u16string_view(T).substr(static_cast<size_t>(from), static_cast<size_t>(to - from)),
                             start - from, width);
        if (start + N == length) N -= CharSizeBefore(T, static_cast<size_t>(length));
        if (N < 1) N = CharSizeAt(T, static_cast<size_t>(start));
        // Break after the last blank within the N characters, or hard at N inside a word.
        int32_t K = N;
        while (K > 1 && !IsBlank(T[static_cast<size_t>(start + K - 1)])) --K;
        if (K == 1) K = N;
        if (start + K >= length) break;
        start += K;
        Paragraph.starts_.push_back(start);
        // Past the edit, a line that starts where an old one started (shifted) is followed by
        // the old lines: they were wrapped from the same text.
        if (Edit && start >= Edit->NewEnd) {
            auto it = std::lower_bound(old.begin(), old.end(), start - delta);
            if (it != old.end() && *it == start - delta && *it >= Edit->OldEnd) {
                for (++it; it != old.end(); ++it) Paragraph.starts_.push_back(*it + delta);
                return;
            }
        }
    }
}

void TElEditStrings::TrackLongest(int32_t P)
{
    if (Owner && Owner->Multiline() && Owner->WordWrap()) return;
    const int32_t length = Para(P).Length();
    if (P == longestIndex_ && length < longestLength_)
        RescanLongest();
    else if (length > longestLength_ || P == longestIndex_) {
        longestLength_ = length;
        longestIndex_ = P;
    }
}

void TElEditStrings::RescanLongest()
{
    longestLength_ = longestIndex_ = 0;
    if (Owner && Owner->Multiline() && Owner->WordWrap()) return;
    for (int32_t i = 0; i < GetCount(); ++i) {
        if (Para(i).Length() > longestLength_) {
            longestLength_ = Para(i).Length();
            longestIndex_ = i;
        }
    }
}

void TElEditStrings::ReformatParagraph(int32_t P)
{
    CheckIndex(P);
    Wrap(Para(P));
    TrackLongest(P);
}

void TElEditStrings::RewrapEdited(int32_t P, TEdit Edit)
{
    const int32_t before = Para(P).Count();
    Wrap(Para(P), &Edit);
    TrackLongest(P);
    if (Para(P).Count() != before) RecalcFirstLines(P + 1);
}

void TElEditStrings::ReformatAll()
{
    longestLength_ = longestIndex_ = 0;
    for (auto& p : paragraphs_) Wrap(*p);
    RescanLongest();
    RecalcFirstLines(0);
}

void TElEditStrings::RecalcFirstLines(int32_t P)
{
    P = std::max(P, 0);
    for (size_t i = static_cast<size_t>(P); i < paragraphs_.size(); ++i)
        paragraphs_[i]->FirstLine = i == 0 ? 0 : paragraphs_[i - 1]->FirstLine + paragraphs_[i - 1]->Count();
    if (Owner) Owner->LinesChanged();
}
