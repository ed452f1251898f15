// The text store of the Unicode edit and memo: a list of paragraphs (the text between hard line
// breaks), each wrapped into visual lines. Seen as a TElWideStrings list its items are the
// paragraphs; the edit itself works on visual lines and caret positions (column, line) and on
// paragraph positions (paragraph, offset), and converts between them here.
//
// Invariants (checked by the tests after every operation):
// - a paragraph's lines, concatenated in order, are exactly its text: wrapping only chooses where
//   lines start, so it can neither drop nor reorder characters, whatever the alignment;
// - every line but the only line of an empty paragraph is non-empty, and no line starts between
//   the halves of a surrogate pair;
// - FirstLine(0) = 0 and FirstLine(i) = FirstLine(i - 1) + line count of paragraph i - 1;
// - with a multiline owner no paragraph holds CR or LF (a single-line owner keeps them in its
//   only line).
#pragma once

#include "widgets/el/foundation/ElWideStrings.h"

#include "framework/Exceptions.h"

#include <compare>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class EElEditorError : public Exception {
public:
    using Exception::Exception;
};

// A place in the text that stays valid when lines are wrapped anew.
struct TElTextPos {
    int32_t Paragraph = 0;
    int32_t Offset = 0;  // in UTF-16 units within the paragraph
    friend auto operator<=>(const TElTextPos&, const TElTextPos&) = default;
};

// What the model asks of the edit that owns it.
class IElEditStringsOwner {
public:
    virtual ~IElEditStringsOwner() = default;
    virtual bool Multiline() const = 0;
    virtual bool WordWrap() const = 0;
    // Pixels available to a line: the edit rectangle's width minus both margins.
    virtual int32_t WrapWidth() const = 0;
    // Set while a text equal to the current one must be loaded again.
    virtual bool ForceReload() const { return false; }
    // Ends[i] = drawn width of Text's first i + 1 units; false when nothing can be measured.
    virtual bool MeasureEnds(std::u16string_view Text, std::vector<int32_t>& Ends) = 0;
    // Line numbering changed (scroll ranges follow).
    virtual void LinesChanged() {}
    // The text changed (the edit repaints).
    virtual void TextChanged() {}
    // SetTextStr ran: caret, top line, horizontal offset and selection go back to the start.
    virtual void TextReset() {}
};

class TElParagraph {
public:
    // Index of the paragraph's first visual line among all lines of the model.
    int32_t FirstLine = 0;

    const std::u16string& Text() const { return text_; }
    int32_t Length() const { return static_cast<int32_t>(text_.size()); }
    // Visual lines: at least one.
    int32_t Count() const { return static_cast<int32_t>(starts_.size()) + 1; }
    std::u16string_view Get(int32_t Line) const;
    int32_t LineStart(int32_t Line) const { return Line <= 0 ? 0 : starts_[static_cast<size_t>(Line - 1)]; }
    int32_t LineEnd(int32_t Line) const { return Line + 1 >= Count() ? Length() : starts_[static_cast<size_t>(Line)]; }
    int32_t LineLength(int32_t Line) const { return LineEnd(Line) - LineStart(Line); }
    // The line that shows Offset; an offset at a wrap point belongs to the earlier line.
    int32_t LineOfOffset(int32_t Offset) const;

private:
    friend class TElEditStrings;
    std::u16string text_;
    std::vector<int32_t> starts_;  // starts of lines 1 .. Count - 1, increasing, inside (0, Length)
};

class TElEditStrings : public TElWideStrings {
public:
    explicit TElEditStrings(IElEditStringsOwner* Owner = nullptr) : Owner(Owner) {}
    ~TElEditStrings() override;
    const char* ClassName() const override { return "TElEditStrings"; }

    // Set by the edit right after construction; without one the model is multiline and unwrapped.
    IElEditStringsOwner* Owner;
    TNotifyEvent OnChange;

    // ---- The paragraph view (TElWideStrings)
    std::u16string Get(int32_t Index) const override;
    int32_t GetCount() const override { return static_cast<int32_t>(paragraphs_.size()); }
    // The paragraphs joined by CR LF, with no break after the last.
    std::u16string GetTextStr() const override;
    // Paragraph Index takes the first line of S; further lines of S become paragraphs after it,
    // so that no text is lost.
    void Put(int32_t Index, const std::u16string& S) override;
    // Multiline: one paragraph per piece between breaks (CR LF, CR or LF), and an empty one after
    // a final break; single-line: one paragraph holding all of S. The owner's caret goes home.
    void SetTextStr(const std::u16string& S) override;
    void Clear() override;
    void Delete(int32_t Index) override;
    void Exchange(int32_t Index1, int32_t Index2) override;
    // Multiline only: the pieces of S become paragraphs at Index, Index + 1, ... (an empty one
    // after a final break); an empty S inserts none.
    void Insert(int32_t Index, const std::u16string& S) override;
    // Binary search over the paragraph texts; Index is where S is or would be.
    bool Find(const std::u16string& S, int32_t& Index) const;

    const TElParagraph& Paragraph(int32_t Index) const { return *paragraphs_.at(static_cast<size_t>(Index)); }
    // Units of GetTextStr, kept as the text changes.
    int64_t TextLength() const { return paragraphs_.empty() ? 0 : sumLengths_ + 2 * (GetCount() - 1); }

    // ---- Longest paragraph (unwrapped layout only; 0 while wrapping)
    int32_t LongestLength() const { return longestLength_; }
    int32_t LongestIndex() const { return longestIndex_; }
    std::u16string_view LongestLine() const;

    // ---- Visual lines and caret positions (X column in units, Y visual line)
    int32_t LineCount() const;
    std::u16string_view GetLine(int32_t Y) const;
    // Replaces the text of line Y and wraps its paragraph again.
    void PutLine(int32_t Y, const std::u16string& S);
    // The paragraph that shows line Y (Y clamped to the lines there are; 0, 0 without lines).
    void ParagraphOfLine(int32_t Y, int32_t& P, int32_t& L) const;
    void CaretToParagraph(int32_t X, int32_t Y, int32_t& Offset, int32_t& P) const;
    void ParagraphToCaret(int32_t P, int32_t Offset, int32_t& Y, int32_t& X) const;
    TElTextPos CaretToPos(int32_t X, int32_t Y) const;
    // Caret coordinates as a point (X column, Y line).
    void PosToCaret(TElTextPos Pos, int32_t& X, int32_t& Y) const;
    // Inserts Text at the caret position and returns the caret after it.
    void InsertTextAt(int32_t& X, int32_t& Y, const std::u16string& Text);

    // ---- Editing by paragraph positions (positions are clamped to the text)
    TElTextPos ClampPos(TElTextPos Pos) const;
    // Inserts Text at At: each break starts a new paragraph (a single-line owner keeps breaks
    // as characters). Returns the position after the inserted text.
    TElTextPos InsertText(TElTextPos At, std::u16string_view Text);
    // Removes the text between the two positions and returns it, breaks as CR LF.
    std::u16string DeleteText(TElTextPos From, TElTextPos To);
    std::u16string TextRange(TElTextPos From, TElTextPos To) const;
    TElTextPos EndPos() const;
    // Character index: the units of GetTextStr before Pos (a break counts as CR LF).
    int64_t PosToIndex(TElTextPos Pos) const;
    // The position of a character index, clamped to the text; an index between the CR and LF of
    // a break, or inside a surrogate pair, snaps back.
    TElTextPos IndexToPos(int64_t Index) const;

    // ---- Layout
    void ReformatParagraph(int32_t P);
    // Wraps every paragraph again; the owner's scroll ranges follow.
    void ReformatAll();
    // Renumbers FirstLine from paragraph P on.
    void RecalcFirstLines(int32_t P);

protected:
    void SetUpdateState(bool Updating) override;
    virtual void Changed();

private:
    bool IsMultiline() const { return !Owner || Owner->Multiline(); }
    TElParagraph& Para(int32_t P) { return *paragraphs_[static_cast<size_t>(P)]; }
    // Paragraph 0, created when the model is empty.
    void EnsureParagraph();
    // The part of an edited paragraph that changed: [Start, OldEnd) of the old text became
    // [Start, NewEnd) of the new one.
    struct TEdit {
        int32_t Start, OldEnd, NewEnd;
    };
    // Wraps the whole paragraph, or after an edit only from the line before the edit until the
    // new lines meet the old ones again (line breaks depend only on the text that follows them).
    void Wrap(TElParagraph& Paragraph, const TEdit* Edit = nullptr);
    // Wraps paragraph P after an edit and renumbers the lines after it when its line count changed.
    void RewrapEdited(int32_t P, TEdit Edit);
    void InsertParagraphs(int32_t Index, std::vector<std::unique_ptr<TElParagraph>> New);
    // Removes paragraphs [From, To) and keeps the longest-paragraph bookkeeping.
    void EraseParagraphs(int32_t From, int32_t To);
    void SetParagraphText(int32_t P, std::u16string Text);
    void TrackLongest(int32_t P);
    void RescanLongest();
    void CheckIndex(int32_t Index) const;

    std::vector<std::unique_ptr<TElParagraph>> paragraphs_;
    int64_t sumLengths_ = 0;  // of all paragraph texts
    int32_t longestLength_ = 0;
    int32_t longestIndex_ = 0;
    std::vector<int32_t> ends_;  // scratch for measuring
};
