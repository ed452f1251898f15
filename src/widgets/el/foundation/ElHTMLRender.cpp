#include "widgets/el/foundation/ElHTMLRender.h"

#include "framework/NumberText.h"
#include "widgets/el/foundation/ElColorMath.h"
#include "widgets/el/foundation/ElHTMLLayout.h"
#include "widgets/el/foundation/ElHTMLParser.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace elhtml;

// ---- Items

TElHTMLItem::TElHTMLItem(TElHTMLData* AData, TElHTMLItemType AType) : Data(AData), ItemType(AType) {}

void TElHTMLItem::SetText(std::u16string Value)
{
    text_ = std::move(Value);
    measured_ = false;
}

void TElHTMLItem::AppendText(char16_t C)
{
    text_ += C;
    measured_ = false;
}

void TElHTMLItem::Assign(const TElHTMLItem& Source)
{
    FontStyle = Source.FontStyle;
    FontHeight = Source.FontHeight;
    FontBgColor = Source.FontBgColor;
    FontColor = Source.FontColor;
    HRef = Source.HRef;
    FontFace = Source.FontFace;
    Indent = Source.Indent;
    Flags = Source.Flags;
    measured_ = false;
}

TFontSpec TElHTMLItem::Font() const
{
    TFontSpec f;
    f.Name = FontFace;
    f.Height = FontHeight;
    if (Flags & (hifSubscript | hifSuperscript)) {
        // Two pixels smaller, never 0 and never of the other sign.
        const int64_t h = FontHeight;
        const int64_t m = std::clamp<int64_t>((h < 0 ? -h : h) - 2, 1, 1000);
        f.Height = static_cast<int32_t>(h < 0 ? -m : m);
    }
    f.Style = FontStyle;
    f.Charset = Data->Charset;
    f.Color = FontColor;
    return f;
}

void TElHTMLItem::Measure()
{
    if (measured_)
        return;
    ITextMeasurer& m = Data->Render->Measurer();
    m.SetFont(Font());
    const TFontMetrics metrics = m.FontMetrics();
    cellHeight_ = metrics.Height;
    cellDescent_ = metrics.Descent;
    aveCharWidth_ = metrics.AveCharWidth;
    maxCharWidth_ = metrics.MaxCharWidth > 0 ? metrics.MaxCharWidth : metrics.AveCharWidth;
    textWidth_ = ItemType == hitText && !text_.empty() ? m.TextExtent(text_).cx : 0;
    measured_ = true;
}

int32_t TElHTMLItem::CellHeight()
{
    Measure();
    return cellHeight_;
}

int32_t TElHTMLItem::CellDescent()
{
    Measure();
    return cellDescent_;
}

int32_t TElHTMLItem::GetWidth()
{
    if (ItemType != hitText)
        return Width;
    Measure();
    return ClampSize(static_cast<int64_t>(textWidth_) + 1);
}

int32_t TElHTMLItem::GetHeight(int32_t& ADescent)
{
    ADescent = 0;
    if (ItemType == hitImage)
        return Height;
    if (ItemType != hitText)
        return 0;
    Measure();
    ADescent = cellDescent_;
    return cellHeight_;
}

int32_t TElHTMLBreakItem::GetWidth()
{
    switch (ItemType) {
    case hitListItem:
        Measure();
        return aveCharWidth_;
    case hitBulletList:
    case hitNumberList:
        Measure();
        return maxCharWidth_;
    default:
        return 0;
    }
}

// The height of the line when nothing but breaks follows: line and soft breaks and list items
// keep their font's height (raised to MinLineHeight), so that an empty line does not vanish.
int32_t TElHTMLBreakItem::GetHeight(int32_t& ADescent)
{
    ADescent = 0;
    if (ItemType != hitSoftBreak && ItemType != hitBreak && ItemType != hitListItem)
        return 0;
    Measure();
    ADescent = cellDescent_;
    return std::max(cellHeight_, Data->MinLineHeight);
}

void TElHTMLBreakItem::Assign(const TElHTMLItem& Source)
{
    TElHTMLItem::Assign(Source);
    if (const auto* b = dynamic_cast<const TElHTMLBreakItem*>(&Source)) {
        Align = b->Align;
        ListLevel = b->ListLevel;
        ListNumber = b->ListNumber;
    }
}

std::u16string TElHTMLBreakItem::NumberText() const
{
    if (ItemType != hitListItem || ListNumber < 1)
        return {};
    return IntToStr(ListNumber) + u".";
}

int32_t TElHTMLBreakItem::NumberWidth()
{
    if (!numberMeasured_) {
        const std::u16string text = NumberText();
        numberWidth_ = 0;
        if (!text.empty()) {
            ITextMeasurer& m = Data->Render->Measurer();
            m.SetFont(Font());
            numberWidth_ = m.TextExtent(text).cx;
        }
        numberMeasured_ = true;
    }
    return numberWidth_;
}

void TElHTMLData::ClearItems()
{
    Items.clear();
}

// ---- Render

TElHTMLRender::TElHTMLRender(std::unique_ptr<ITextMeasurer> Measurer)
    : measurer_(std::move(Measurer)), ownData_(this), data_(&ownData_)
{
}

TElHTMLRender::~TElHTMLRender() = default;

bool TElHTMLRender::PrepareText(const std::u16string& Text, int32_t MaxWidth, bool AutoWrap)
{
    TElHTMLData& data = *data_;
    lastError_.clear();
    try {
        data.ClearItems();
        data.TextSize = {};
        ParseItems(*this, data, Text, MaxWidth, AutoWrap);
        LayoutItems(data);
        return true;
    } catch (...) {
        data.ClearItems();
        data.TextSize = {};
        lastError_ = SElHTMLEngineError;
        return false;
    }
}

void TElHTMLRender::DoImageNeeded(const std::u16string& Src, IElHTMLImage*& Image)
{
    Image = nullptr;
    if (OnImageNeeded)
        OnImageNeeded(this, Src, Image);
}

namespace {

// A filled ellipse inside Box, made of one-pixel rows.
void FillEllipse(IDrawSurface& Surface, const TRect& Box, TColor Color)
{
    const double a = Box.Width() / 2.0, b = Box.Height() / 2.0;
    if (a <= 0 || b <= 0)
        return;
    const double cx = Box.Left + a, cy = Box.Top + b;
    for (int32_t y = Box.Top; y < Box.Bottom; ++y) {
        const double dy = (y + 0.5 - cy) / b;
        const double half = a * std::sqrt(std::max(0.0, 1.0 - dy * dy));
        const auto left = static_cast<int32_t>(std::lround(cx - half));
        const auto right = static_cast<int32_t>(std::lround(cx + half));
        if (right > left)
            Surface.FillRect({left, y, right, y + 1}, Color);
    }
}

class TPainter {
public:
    TPainter(TElHTMLRender& Render, IDrawSurface& Surface, TPoint Origin, TColor ContrastColor)
        : render_(Render), data_(*Render.Data()), surface_(Surface), origin_(Origin)
    {
        if (ContrastColor != clNone) {
            contrast_ = true;
            darken_ = ((RGBToHLS(Resolve(ContrastColor)) >> 8) & 0xFF) >= 161;
        }
    }

    void PaintMarker(TElHTMLBreakItem& Item, const TLine& Line)
    {
        if (Item.ItemType != hitListItem)
            return;
        TFontSpec font = Item.Font();
        font.Color = TextColor(Item);
        if (Item.ListNumber < 1) {
            TRect box = MarkerBox(Item, Line);
            box = {box.Left - 5, box.Top, box.Right - 5, box.Bottom};
            FillEllipse(surface_, Shift(box), font.Color);
            return;
        }
        surface_.SetFont(font);
        surface_.DrawText(origin_.X + Line.X, origin_.Y + Line.Baseline - (Item.CellHeight() - Item.CellDescent()),
                          Item.NumberText());
    }

    void PaintItem(const TPlacedItem& Placed)
    {
        TElHTMLItem& item = *Placed.Item;
        switch (item.ItemType) {
        case hitText: {
            TFontSpec font = item.Font();
            if (item.Flags & hifLink)
                font.Style = data_.LinkStyle;
            font.Color = TextColor(item);
            surface_.SetFont(font);
            const TRect box = Shift(Placed.Box);
            surface_.DrawText(box.Left, box.Top, item.Text(), item.FontBgColor);
            break;
        }
        case hitImage: {
            IElHTMLImage* image = nullptr;
            render_.DoImageNeeded(item.Text(), image);
            if (image)
                image->Draw(surface_, Shift(Placed.Box), !item.Transparent || image->Transparent());
            break;
        }
        case hitRule: {
            const TRect box = Shift(Placed.Box);
            surface_.Line({box.Left, box.Top}, {box.Right, box.Top}, clBtnShadow);
            surface_.Line({box.Left, box.Bottom - 1}, {box.Right, box.Bottom - 1}, clBtnFace);
            break;
        }
        default:
            break;
        }
    }

private:
    TColor Resolve(TColor C) const
    {
        if (render_.ResolveColor)
            return render_.ResolveColor(C);
        return IsSystemColor(C) || C == clNone || C == clDefault ? clBlack : C;
    }

    TColor TextColor(const TElHTMLItem& Item) const
    {
        const TColor c = (Item.Flags & hifLink) ? data_.LinkColor : Item.FontColor;
        if (!contrast_)
            return c;
        return darken_ ? ScaleRGB(Resolve(c), 50) : LightenRGB(Resolve(c), 50);
    }

    TRect Shift(const TRect& R) const
    {
        return {R.Left + origin_.X, R.Top + origin_.Y, R.Right + origin_.X, R.Bottom + origin_.Y};
    }

    TElHTMLRender& render_;
    TElHTMLData& data_;
    IDrawSurface& surface_;
    TPoint origin_;
    bool contrast_ = false;
    bool darken_ = false;
};

} // namespace

void TElHTMLRender::DrawText(IDrawSurface& Surface, TPoint StartPoint, const TRect& R, TColor ContrastColor)
{
    TElHTMLData& data = *data_;
    data.PaintRect = R;
    if (R.IsEmpty() || data.Items.empty())
        return;
    TPainter painter(*this, Surface, {R.Left - StartPoint.X, R.Top - StartPoint.Y}, ContrastColor);
    Surface.PushClip(R);
    TLineWalker lines(data, R.Width());
    TLine line;
    const int64_t visibleBottom = static_cast<int64_t>(R.Height()) + StartPoint.Y;
    while (lines.Next(line)) {
        if (line.Top > visibleBottom)
            break;
        if (line.Bottom() <= StartPoint.Y)
            continue;
        painter.PaintMarker(*line.Break, line);
        ForEachPlacedItem(data, line, R.Width(), [&](const TPlacedItem& p) { painter.PaintItem(p); });
    }
    Surface.PopClip();
}

bool TElHTMLRender::IsCursorOverLink(TPoint Point, TPoint Origin, const TRect& R, std::u16string& HRef)
{
    HRef.clear();
    TElHTMLData& data = *data_;
    const int64_t x = static_cast<int64_t>(Point.X) + Origin.X;
    const int64_t y = static_cast<int64_t>(Point.Y) + Origin.Y;
    TLineWalker lines(data, R.Width());
    TLine line;
    while (lines.Next(line)) {
        if (line.Bottom() <= y)
            continue;
        TElHTMLItem* hit = nullptr;
        ForEachPlacedItem(data, line, R.Width(), [&](const TPlacedItem& p) {
            if (hit || p.Box.IsEmpty())
                return;
            if (x >= p.Box.Left && x <= p.Box.Right && y >= p.Box.Top && y < p.Box.Bottom)
                hit = p.Item;
        });
        if (!hit || !(hit->Flags & hifLink))
            return false;
        HRef = hit->HRef;
        return true;
    }
    return false;
}
