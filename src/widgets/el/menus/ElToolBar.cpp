#include "widgets/el/menus/ElToolBar.h"

#include "widgets/el/foundation/ElDrawing.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int BarMargin = 2;

}  // namespace

// ---- TElToolBar

TElToolBar::TElToolBar(TComponent* AOwner) : TElXPThemedControl(AOwner)
{
    BeginCreate();
    ControlStyle |= csAcceptsControls | csOpaque;
    SetBounds(0, 0, 150, buttonHeight_ + 2 * BarMargin);
    EndCreate();
}

TElToolBar::~TElToolBar() = default;

void TElToolBar::SetImages(TImageList* Value)
{
    if (Value == images_.Get())
        return;
    images_ = Value;
    ButtonsChanged();
}

void TElToolBar::SetButtonWidth(int Value)
{
    if (Value == buttonWidth_ || Value < 0)
        return;
    buttonWidth_ = Value;
    Realign();
}

void TElToolBar::SetButtonHeight(int Value)
{
    if (Value == buttonHeight_ || Value < 0)
        return;
    buttonHeight_ = Value;
    Realign();
}

void TElToolBar::SetAutoSize(bool Value)
{
    if (Value == autoSize_)
        return;
    autoSize_ = Value;
    Realign();
}

void TElToolBar::SetFlat(bool Value)
{
    if (Value == flat_)
        return;
    flat_ = Value;
    ButtonsChanged();
}

void TElToolBar::ButtonsChanged()
{
    for (int i = 0; i < ControlCount(); ++i)
        if (auto* b = dynamic_cast<TElToolButton*>(Controls(i))) {
            b->SetFlat(flat_);
            b->Invalidate();
        }
}

void TElToolBar::AlignControls(TRect& Rect)
{
    std::vector<TControl*> row;
    int rowHeight = buttonHeight_;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible())
            continue;
        row.push_back(c);
        if (!dynamic_cast<TElToolButton*>(c))
            rowHeight = std::max(rowHeight, c->Height());
    }
    const int top = autoSize_ ? Rect.Top + BarMargin : Rect.Top + (Rect.Height() - rowHeight) / 2;
    int x = Rect.Left + BarMargin;
    for (TControl* c : row) {
        const auto* button = dynamic_cast<TElToolButton*>(c);
        const int w = !button                  ? c->Width()
                      : button->PullDownMenu() ? buttonWidth_ + ElPullDownArrowWidth
                                               : buttonWidth_;
        const int h = button ? buttonHeight_ : c->Height();
        c->SetBounds(x, top + (rowHeight - h) / 2, w, h);
        x += w;
    }
    if (autoSize_) {
        const int width = x + BarMargin - Rect.Left + (Width() - ClientWidth());
        const int height = rowHeight + 2 * BarMargin + (Height() - ClientHeight());
        if (width != Width() || height != Height())
            SetBounds(Left(), Top(), width, height);
    }
}

void TElToolBar::EnabledChanged()
{
    TElXPThemedControl::EnabledChanged();
    for (int i = 0; i < ControlCount(); ++i) {
        auto* b = dynamic_cast<TCustomElGraphicButton*>(Controls(i));
        if (!b)
            continue;
        // A press held on a button ends with the bar's disabling, as on the button's own.
        if (!Enabled() && b->MouseCapture())
            b->Perform(WM_CANCELMODE);
        b->Invalidate();
    }
}

void TElToolBar::Paint()
{
    FillSolidRect(Canvas()->Handle(), ClientRect(), Color());
}

// ---- TElToolButton

TElToolButton::TElToolButton(TComponent* AOwner) : TCustomElGraphicButton(AOwner)
{
    BeginCreate();
    SetFlat(true);
    EndCreate();
}

TElToolBar* TElToolButton::ToolBar() const
{
    return dynamic_cast<TElToolBar*>(Parent());
}

void TElToolButton::SetParent(TWinControl* AParent)
{
    TCustomElGraphicButton::SetParent(AParent);
    if (TElToolBar* bar = ToolBar()) {
        SetFlat(bar->Flat());
        bar->Realign();
    }
}

void TElToolButton::PullDownMenuChanged()
{
    TCustomElGraphicButton::PullDownMenuChanged();
    if (TElToolBar* bar = ToolBar())
        bar->Realign();
}

void TElToolButton::SetImageIndex(int32_t Value)
{
    SetLook(imageIndex_, Value);
}

bool TElToolButton::HasListImage() const
{
    const TElToolBar* bar = ToolBar();
    const TImageList* images = bar ? bar->Images() : nullptr;
    return images && imageIndex_ >= 0 && imageIndex_ < images->Count();
}

TSize TElToolButton::PictureSize() const
{
    if (!HasListImage())
        return TCustomElGraphicButton::PictureSize();
    const TImageList* images = ToolBar()->Images();
    return {images->Width(), images->Height()};
}

void TElToolButton::DrawPicture(const TRect& Where, TElGlyphState State)
{
    if (!HasListImage()) {
        TCustomElGraphicButton::DrawPicture(Where, State);
        return;
    }
    ToolBar()->Images()->Draw(Canvas(), Where.Left, Where.Top, imageIndex_, State != TElGlyphState::Disabled);
}
