// Where the edit's lines are on the screen: the rows of the visible lines, the horizontal
// offset in characters, the point under a caret position and the caret position under a point,
// the scroll ranges, and the layout of the visible lines for painting. Drawing and hit testing
// use the same rows and the same x of every line, so a click lands where the text is drawn.
#pragma once

#include "widgets/el/editing/ElEditChars.h"
#include "widgets/el/editing/ElEditStrings.h"
#include "widgets/el/editing/ElTextPainter.h"

#include "widgets/el/foundation/ElSBTypes.h"

#include "framework/Types.h"

#include <cstdint>
#include <string>
#include <vector>

// The settings of an edit that its parts read.
struct TElEditOptions {
    bool Multiline = false;
    bool WordWrap = false;
    bool RightAlignedText = false;
    bool ReadOnly = false;
    bool WantReturns = false;
    bool WantTabs = false;
    bool HideSelection = true;
    bool AlignBottom = true;
    // Programmatic text changes fire no Change while set.
    bool NotifyUserChangeOnly = true;
    TAlignment Alignment = TAlignment::taLeftJustify;
    int32_t MaxLength = 0;  // 0: no limit
    TElEditCharCase CharCase = eecNormal;
    int32_t LeftMargin = 1;
    int32_t RightMargin = 1;
    int32_t TopMargin = 0;
};

// A scroll bar's state as the window side sets it.
struct TElScrollBarInfo {
    bool Enabled = false;
    int32_t Min = 0, Max = 0, Page = 0, Pos = 0;
    friend bool operator==(const TElScrollBarInfo&, const TElScrollBarInfo&) = default;
};

// A run of one visible line as drawn: display text (masked, tabs expanded) at X.
struct TElLinePiece {
    int32_t X = 0;
    std::u16string Text;
    bool Selected = false;
};

struct TElLineLayout {
    int32_t Line = 0;  // visual line index
    int32_t Top = 0;   // top of its row
    std::vector<TElLinePiece> Pieces;
};

// The scroll codes of scroll-bar messages (the horizontal ones are numbered alike).
namespace ElScrollCode {
constexpr int32_t LineUp = 0, LineDown = 1, PageUp = 2, PageDown = 3, ThumbPosition = 4, ThumbTrack = 5,
                  Top = 6, Bottom = 7, EndScroll = 8;
}

class TElEditView {
public:
    TElEditView(const TElEditOptions& Options, TElEditStrings& Lines, TElTextPainter& Painter)
        : options_(Options), lines_(Lines), painter_(Painter) {}

    TRect EditRect() const { return editRect_; }
    void SetEditRect(const TRect& R);
    int32_t LineHeight() const { return lineHeight_; }
    void SetLineHeight(int32_t Value);
    // Whole rows that fit the edit rectangle below the top margin; at least 1.
    int32_t VisibleLines() const { return visibleLines_; }
    // Pixels a line may take: the edit rectangle's width minus both margins.
    int32_t WrapWidth() const;

    int32_t TopLine() const { return topLine_; }
    // Clamped so that no row stays empty below the last line while lines are hidden above;
    // true when it changed.
    bool SetTopLine(int32_t N);
    int32_t LeftChar() const { return leftChar_; }
    // Ignored while word wrap keeps every line inside the width; clamped to the longest line.
    bool SetLeftChar(int32_t N);

    // Top of the row that shows line Line (rows may lie outside the edit rectangle).
    int32_t RowTop(int32_t Line) const;
    // The caret position under client point P (the nearest line, the nearest character edge).
    TPoint PointToCaret(TPoint P) const;
    // The client point of a caret position: x of the caret, top of its row.
    TPoint CaretToPoint(TPoint Caret) const;
    // Scrolls so that the caret is visible; true when TopLine or LeftChar changed.
    bool ScrollToCaret(TPoint Caret);
    // Brings TopLine and LeftChar back inside the text after it changed.
    bool ClampScroll();
    // Back to the first line and column (a new text).
    void ResetScroll() { topLine_ = leftChar_ = wheelAccumulator_ = 0; }

    TElScrollBarInfo VertScrollBar() const;
    TElScrollBarInfo HorzScrollBar() const;
    // Scroll-bar actions (ElScrollCode); results are clamped, never ignored.
    bool ScrollVert(int32_t Code, int32_t ThumbPos);
    bool ScrollHorz(int32_t Code, int32_t ThumbPos);
    // Delta in wheel units (120 a notch); partial notches add up. LinesPerNotch is the system's
    // answer: ElWheelPageScroll (as a signed value) scrolls a page per notch.
    bool MouseWheel(int32_t Delta, int32_t LinesPerNotch);

    // The visible lines as drawn; the selection (text order, caret coordinates) in pieces of
    // its own when ShowSelection.
    std::vector<TElLineLayout> Layout(TPoint SelStart, TPoint SelEnd, bool ShowSelection) const;

private:
    // First unit of a line that is drawn: LeftChar, moved past half a surrogate pair.
    int32_t DrawStart(std::u16string_view Line) const;
    // x of a line whose drawn part is Width pixels wide.
    int32_t LineX(int32_t Width) const;
    int32_t MaxTopLine() const;
    int32_t HorzPage() const;

    const TElEditOptions& options_;
    TElEditStrings& lines_;
    TElTextPainter& painter_;
    TRect editRect_;
    int32_t lineHeight_ = 15;
    int32_t visibleLines_ = 1;
    int32_t topLine_ = 0;
    int32_t leftChar_ = 0;
    int32_t wheelAccumulator_ = 0;
};
