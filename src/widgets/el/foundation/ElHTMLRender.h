// TElHTMLRender: lays out a short marked-up text (a small fixed tag set, not general HTML) into
// lines of items, measures it, paints it and tells which link lies under a point.
//
// Portable: text is measured through ITextMeasurer and painted through IDrawSurface; images come
// from the caller through IElHTMLImage. PrepareText never raises: on failure it clears the items
// and returns false, and the caller draws the text as plain text.
//
// Item list invariants after a successful PrepareText:
// - the first item is a paragraph break; every line starts with a break item and runs up to the
//   next one; the break item holds the line's width, height and descent;
// - no text item is empty; indents and list levels are never negative;
// - with AutoWrap, a line is wider than MaxWidth only when it cannot be broken: a single word
//   (or character) wider than the line, or items that never wrap (images, rules, indents).
#pragma once

#include "framework/DrawSurface.h"
#include "framework/Objects.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

enum TElHTMLItemType : uint8_t {
    hitText = 0,        // a run of characters in one style
    hitSoftBreak = 1,   // a line break made by word wrap
    hitBreak = 2,       // br, hr, the end of a list
    hitParagraph = 3,   // p, /p and the start of the text
    hitImage = 4,
    hitRule = 5,
    hitListItem = 6,
    hitBulletList = 7,  // start of a bullet list
    hitNumberList = 8,  // start of a numbered list
    hitIndent = 9,
};

// Item flags.
constexpr uint32_t hifLink = 0x1;
constexpr uint32_t hifSubscript = 0x2;
constexpr uint32_t hifSuperscript = 0x4;
constexpr uint32_t hifAbsolute = 0x8;          // an indent measured from the line's start
constexpr uint32_t hifClosed = 0x80000000u;    // a paragraph ended by the closing p tag

enum TElHTMLAlign : uint8_t { haLeft = 0, haCenter = 1, haRight = 2 };

inline constexpr char16_t SElHTMLEngineError[] = u"El HTML engine error - the text is not valid HTML";

// An image named by the markup's src. The supplier owns it; the renderer only borrows it for
// the duration of the call that asked for it.
class IElHTMLImage {
public:
    virtual ~IElHTMLImage() = default;
    virtual int32_t Width() const = 0;
    virtual int32_t Height() const = 0;
    // True when the bitmap itself carries transparency.
    virtual bool Transparent() const = 0;
    // Stretch: scaled into Box. Otherwise unscaled at Box's top-left corner, with the colour of
    // the image's bottom-left pixel left out.
    virtual void Draw(IDrawSurface& Surface, const TRect& Box, bool Stretch) = 0;
};

using TElHTMLImageNeededEvent =
    std::function<void(TObject* Sender, const std::u16string& Src, IElHTMLImage*& Image)>;

class TElHTMLData;
class TElHTMLRender;

class TElHTMLItem {
public:
    TElHTMLItem(TElHTMLData* AData, TElHTMLItemType AType);
    virtual ~TElHTMLItem() = default;
    TElHTMLItem(const TElHTMLItem&) = delete;
    TElHTMLItem& operator=(const TElHTMLItem&) = delete;

    // The item's own width: a text run's extent + 1 (measured once), the markup's width for
    // images, rules and indents, the average character width for a list item's marker, the
    // indent step for a list start.
    virtual int32_t GetWidth();
    // The item's own height and descent (see the layout for sub- and superscript).
    virtual int32_t GetHeight(int32_t& ADescent);
    // Copies the style: font style, height, face, both colours, link target, indent and flags
    // (not the kind, text, sizes or transparency).
    virtual void Assign(const TElHTMLItem& Source);

    bool IsBreak() const { return IsBreakType(ItemType); }
    static bool IsBreakType(TElHTMLItemType T)
    {
        return T == hitSoftBreak || T == hitBreak || T == hitParagraph || T == hitListItem ||
               T == hitBulletList || T == hitNumberList;
    }
    // The font the item is measured and drawn in: sub- and superscript text is smaller.
    TFontSpec Font() const;
    // Cell height and descent of that font (measured once).
    int32_t CellHeight();
    int32_t CellDescent();

    const std::u16string& Text() const { return text_; }
    void SetText(std::u16string Value);
    void AppendText(char16_t C);

    TElHTMLData* Data;
    TElHTMLItemType ItemType;
    TFontStyles FontStyle = 0;
    int32_t FontHeight = -11;
    TColor FontBgColor = clNone;
    TColor FontColor = clWindowText;
    std::u16string HRef;
    std::u16string FontFace;
    int32_t Width = 0;    // set by the layout; given by the markup for images, rules, indents
    int32_t Height = 0;   // set by the layout; given by the markup for images
    int32_t Descent = 0;  // set by the layout
    int32_t Indent = 0;   // pixels from the left edge of the line
    uint32_t Flags = 0;
    bool Transparent = true;  // image: drawn with its transparent colour left out

protected:
    void Measure();

    std::u16string text_;
    bool measured_ = false;
    int32_t textWidth_ = 0;
    int32_t cellHeight_ = 0;
    int32_t cellDescent_ = 0;
    int32_t aveCharWidth_ = 0;
    int32_t maxCharWidth_ = 0;
};

// Starts a line; its Width, Height and LineDescent are the line's once laid out.
class TElHTMLBreakItem : public TElHTMLItem {
public:
    using TElHTMLItem::TElHTMLItem;

    int32_t GetWidth() override;
    int32_t GetHeight(int32_t& ADescent) override;
    // Also copies alignment, list level and list number from another break item.
    void Assign(const TElHTMLItem& Source) override;

    // The text "n." a numbered list item draws before the line's items; empty for others.
    std::u16string NumberText() const;
    // Width of NumberText in the item's font: the line's items start that far right of x.
    int32_t NumberWidth();

    TElHTMLAlign Align = haLeft;
    int32_t LineDescent = 0;
    int32_t ListLevel = 0;
    int32_t ListNumber = -1;  // below 1: a bullet

private:
    bool numberMeasured_ = false;
    int32_t numberWidth_ = 0;
};

class TElHTMLData {
public:
    explicit TElHTMLData(TElHTMLRender* ARender) : Render(ARender) {}
    TElHTMLData(const TElHTMLData&) = delete;
    TElHTMLData& operator=(const TElHTMLData&) = delete;

    void ClearItems();

    TElHTMLRender* Render;
    TColor LinkColor = clBlue;
    TColor DefaultColor = clWindowText;
    TFontStyles LinkStyle = fsUnderline;
    TFontStyles DefaultStyle = 0;
    int32_t DefaultHeight = -11;
    uint8_t Charset = 0;
    std::u16string DefaultFont = u"MS Sans Serif";
    // Raises the height of line breaks and list items; 0 = none.
    int32_t MinLineHeight = 0;
    std::vector<std::unique_ptr<TElHTMLItem>> Items;
    TColor DefaultBgColor = clNone;
    TRect PaintRect;   // the rectangle of the last DrawText
    TSize TextSize;    // width and height of the laid-out text
};

class TElHTMLRender : public TObject {
public:
    // Measuring happens on Measurer, which the render keeps.
    explicit TElHTMLRender(std::unique_ptr<ITextMeasurer> Measurer);
    ~TElHTMLRender() override;
    const char* ClassName() const override { return "TElHTMLRender"; }

    // The data PrepareText, DrawText and IsCursorOverLink work on: the render's own unless a
    // caller substituted another (nil restores the own data).
    TElHTMLData* Data() const { return data_; }
    void SetData(TElHTMLData* AData) { data_ = AData ? AData : &ownData_; }
    ITextMeasurer& Measurer() { return *measurer_; }

    // Parses and lays out Text into the data's items; the size goes to the data's TextSize.
    // False (items cleared, LastError set) when the text could not be prepared.
    bool PrepareText(const std::u16string& Text, int32_t MaxWidth, bool AutoWrap);
    // Paints the prepared items into R; StartPoint is the scroll offset of the text inside R.
    // Nothing is drawn outside R.
    void DrawText(IDrawSurface& Surface, TPoint StartPoint, const TRect& R, TColor ContrastColor);
    // True when the item under Point + Origin (text coordinates, lines from 0, x as painted into
    // a rectangle of R's width) is a link; HRef is then its target, otherwise empty.
    bool IsCursorOverLink(TPoint Point, TPoint Origin, const TRect& R, std::u16string& HRef);

    // Sets Image to nil, then asks OnImageNeeded.
    virtual void DoImageNeeded(const std::u16string& Src, IElHTMLImage*& Image);

    const std::u16string& LastError() const { return lastError_; }

    TElHTMLImageNeededEvent OnImageNeeded;
    // Vertical pixels per inch of the screen; font sizes "+n" and "-n" are in points.
    int32_t PixelsPerInch = 96;
    // Turns a colour into a plain RGB one for the contrast adjustment of DrawText; the default
    // leaves plain colours as they are and cannot resolve system colours (they become black).
    std::function<TColor(TColor)> ResolveColor;

private:
    std::unique_ptr<ITextMeasurer> measurer_;
    TElHTMLData ownData_;
    TElHTMLData* data_;
    std::u16string lastError_;
};
