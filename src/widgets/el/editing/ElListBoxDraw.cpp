// The list box's painting: its rows (background, selection, image, check box, text), the
// background under them, and its flat or themed border.
#include "widgets/el/editing/ElListBox.h"

#include "framework/ScopedGdi.h"
#include "framework/WinText.h"

#include <vssym32.h>

#include <algorithm>

namespace {

RECT ToRect(const TRect& R)
{
    return RECT{R.Left, R.Top, R.Right, R.Bottom};
}

TRect FromRect(const RECT& R)
{
    return TRect{R.left, R.top, R.right, R.bottom};
}

// The window's rectangle in its own non-client coordinates, and its client area there.
void WindowAndClient(HWND Wnd, TRect& Window, TRect& Client)
{
    RECT w{}, c{};
    GetWindowRect(Wnd, &w);
    GetClientRect(Wnd, &c);
    MapWindowPoints(Wnd, nullptr, reinterpret_cast<POINT*>(&c), 2);
    Window = {0, 0, w.right - w.left, w.bottom - w.top};
    Client = {c.left - w.left, c.top - w.top, c.right - w.left, c.bottom - w.top};
}

// The edge band a border of Sides takes inside Window.
TRect InsideEdges(const TRect& Window, TElBorderSides Sides)
{
    const int cx = GetSystemMetrics(SM_CXEDGE), cy = GetSystemMetrics(SM_CYEDGE);
    TRect r = Window;
    if (Sides & (1 << ebsLeft)) r.Left += cx;
    if (Sides & (1 << ebsRight)) r.Right -= cx;
    if (Sides & (1 << ebsTop)) r.Top += cy;
    if (Sides & (1 << ebsBottom)) r.Bottom -= cy;
    return r;
}

}  // namespace

// ---- geometry

TSize TCustomElListBox::CheckBoxSize() const
{
    return buttonTheme_ && IsThemeApplied() ? themedCheckBoxSize_ : TSize{13, 13};
}

TElListItemParts TCustomElListBox::ItemParts(const TRect& R) const
{
    TElListItemGeometry g;
    if (Images())
        g.Image = {Images()->Width(), Images()->Height()};
    if (showCheckBox_)
        g.CheckBox = CheckBoxSize();
    g.RightToLeft = RightToLeftRows();
    return LayoutListItem(R, g);
}

// ---- rows

bool TCustomElListBox::UsesImageForm() const
{
    const TCustomElImageForm* form = ImageForm();
    return form && form->BackgroundType() != bgtColorFill;
}

bool TCustomElListBox::PaintsBackground() const
{
    return UsesImageForm() || transparent_ || (useBackground_ && !background_->Empty());
}

void TCustomElListBox::PaintItemBackground(HDC Dc, const TRect& R, bool FillColor)
{
    if (UsesImageForm()) {
        ImageForm()->PaintBkgnd(Dc, this, R, {R.Left, R.Top});
        return;
    }
    if (transparent_) {
        const TSavedDC saved(Dc);
        IntersectClipRect(Dc, R.Left, R.Top, R.Right, R.Bottom);
        PaintParentBackground(Dc);
        return;
    }
    if (useBackground_ && !background_->Empty()) {
        // Tiles lie on a grid from the client's origin; each row shows its part of it.
        const TSavedDC saved(Dc);
        IntersectClipRect(Dc, R.Left, R.Top, R.Right, R.Bottom);
        const int bw = background_->Width(), bh = background_->Height();
        const TRect grid{R.Left - ((R.Left % bw) + bw) % bw, R.Top - ((R.Top % bh) + bh) % bh, R.Right, R.Bottom};
        const TCanvasLoan loan(*itemCanvas_, Dc);
        TileBitmap(itemCanvas_.get(), grid, background_.get());
        return;
    }
    if (FillColor)
        FillSolidRect(Dc, R, Color());
}

void TCustomElListBox::EraseBackground(HDC Dc)
{
    RECT client{};
    GetClientRect(Handle(), &client);
    PaintItemBackground(Dc, FromRect(client), true);
}

void TCustomElListBox::CheckTopIndex()
{
    if (!HandleAllocated())
        return;
    const int top = TopIndex();
    if (top == lastTopIndex_)
        return;
    lastTopIndex_ = top;
    // Scrolling moved the rows with their part of the background: the picture is made anew.
    if (PaintsBackground())
        RepaintBox();
}

void TCustomElListBox::DrawCheckBox(HDC Dc, const TRect& R, TCheckBoxState State)
{
    if (buttonTheme_ && IsThemeApplied()) {
        static constexpr int kEnabled[] = {CBS_UNCHECKEDNORMAL, CBS_CHECKEDNORMAL, CBS_MIXEDNORMAL};
        static constexpr int kDisabled[] = {CBS_UNCHECKEDDISABLED, CBS_CHECKEDDISABLED, CBS_MIXEDDISABLED};
        const int which = State == cbGrayed ? 2 : State == cbChecked ? 1 : 0;
        const int state = (Enabled() ? kEnabled : kDisabled)[which];
        if (ElUxTheme().DrawThemeBackground(buttonTheme_.Get(), Dc, BP_CHECKBOX, state, ToRect(R)))
            return;
    }
    UINT flags = DFCS_BUTTONCHECK;
    if (State == cbChecked)
        flags |= DFCS_CHECKED;
    else if (State == cbGrayed)
        flags |= DFCS_CHECKED | DFCS_BUTTON3STATE;
    if (!Enabled())
        flags |= DFCS_INACTIVE;
    if (flat_)
        flags |= DFCS_FLAT;
    RECT r = ToRect(R);
    DrawFrameControl(Dc, &r, DFC_BUTTON, flags);
}

void TCustomElListBox::DrawImage(HDC Dc, const TRect& R, int Index)
{
    TImageList* images = Images();
    TImageList* alpha = AlphaForImages();
    if (alpha && Index < alpha->Count()) {
        TBitmap glyph, mask;
        if (images->GetBitmap(Index, &glyph) && alpha->GetBitmap(Index, &mask)) {
            AlphaCopyMasked(Dc, R, glyph.Canvas()->Handle(), TRect{0, 0, glyph.Width(), glyph.Height()}, &mask, 255);
            return;
        }
    }
    images->Draw(itemCanvas_.get(), R.Left, R.Top, Index, Enabled());
}

void TCustomElListBox::DrawItemText(unsigned Flags, TRect Rect, const std::u16string& Text)
{
    const HDC dc = itemCanvas_->Handle();
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawWideText(dc, Text.c_str(), static_cast<int>(Text.size()), Rect, Flags);
    SetBkMode(dc, oldMode);
}

void TCustomElListBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State)
{
    if (style_ != TListBoxStyle::lbStandard && OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    const HDC dc = itemCanvas_->Handle();
    TElListColors colors = colors_;
    colors.Color = Color();
    colors.FontColor = Font()->Color();
    const TElListItemLook look = ListItemLook(colors, (State & odSelected) != 0, DrawsFocused());
    const bool blend = look.SelectionFill != clNone && highlightAlphaLevel_ < 255;
    if (look.Background || blend)
        PaintItemBackground(dc, Rect, look.FillColor || blend);
    if (look.SelectionFill != clNone && !blend)
        FillSolidRect(dc, Rect, look.SelectionFill);
    if (look.Invert) {
        const RECT r = ToRect(Rect);
        InvertRect(dc, &r);
    }
    const TElListItemParts parts = ItemParts(Rect);
    const int image = items_->ImageIndex(Index);
    if (Images() && image != -1)
        DrawImage(dc, parts.Image, image);
    if (showCheckBox_)
        DrawCheckBox(dc, parts.CheckBox, items_->State(Index));

    TFont* font = look.SelectedFont ? selectedFont_.get() : Font();
    const TSelectedObject selected(dc, font->Handle());
    SetTextColor(dc, ColorToRGB(look.SelectedFont ? font->Color() : look.Text));
    unsigned flags = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;
    if (RightToLeftRows())
        flags |= DT_RTLREADING | DT_RIGHT;
    const std::u16string text = items_->Get(Index);
    if (OnDrawItemText) {
        itemCanvas_->Font()->Assign(font);
        itemCanvas_->Font()->SetColor(look.SelectedFont ? font->Color() : look.Text);
        OnDrawItemText(this, itemCanvas_.get(), Index, parts.Text, flags);
        itemCanvas_->Font()->Assign(Font());
    } else {
        DrawItemText(flags, parts.Text, text);
    }
    if (blend)
        AlphaFillRect(dc, Rect, look.SelectionFill, static_cast<uint8_t>(highlightAlphaLevel_));
}

void TCustomElListBox::DrawItemMessage(TMessage& Message)
{
    const auto* dis = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    const HDC dc = dis->hDC;
    const TRect r = FromRect(dis->rcItem);
    const TSavedDC saved(dc);
    const TCanvasLoan loan(*itemCanvas_, dc);
    TOwnerDrawState state = 0;
    if (dis->itemState & ODS_SELECTED) state |= odSelected;
    if (dis->itemState & ODS_FOCUS) state |= odFocused;
    if (dis->itemState & ODS_DISABLED) state |= odDisabled;
    if (dis->itemState & ODS_GRAYED) state |= odGrayed;
    const int index = static_cast<int>(dis->itemID);
    if (index < 0 || index >= items_->Count())
        PaintItemBackground(dc, r, true);
    else
        DrawItem(index, r, state);
    if ((state & (odFocused | odSelected)) && !hideFocusRect_ && index >= 0) {
        const RECT rc = ToRect(r);
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkColor(dc, RGB(255, 255, 255));
        DrawFocusRect(dc, &rc);
    }
    Message.Result = 1;
}

// ---- border

void TCustomElListBox::NonClientSize(TMessage& Message)
{
    if (borderStyle_ != TBorderStyle::bsSingle)
        return;
    RECT& r = Message.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                             : *reinterpret_cast<RECT*>(Message.LParam);
    const int cx = GetSystemMetrics(SM_CXEDGE), cy = GetSystemMetrics(SM_CYEDGE);
    const LONG ex = GetWindowLongW(Handle(), GWL_EXSTYLE);
    const bool ownBorder = !(ex & WS_EX_CLIENTEDGE) && !(GetWindowLongW(Handle(), GWL_STYLE) & WS_BORDER);
    // Our own flat border takes the edge width on its sides; the system's edge gives back the
    // sides left out.
    const int sign = ownBorder ? 1 : (ex & WS_EX_CLIENTEDGE) ? -1 : 0;
    const bool present[] = {(borderSides_ & (1 << ebsLeft)) != 0, (borderSides_ & (1 << ebsTop)) != 0,
                            (borderSides_ & (1 << ebsRight)) != 0, (borderSides_ & (1 << ebsBottom)) != 0};
    auto side = [&](bool Present) { return ownBorder ? (Present ? 1 : 0) : (Present ? 0 : 1); };
    if (sign == 0)
        return;
    r.left += sign * cx * side(present[0]);
    r.top += sign * cy * side(present[1]);
    r.right -= sign * cx * side(present[2]);
    r.bottom -= sign * cy * side(present[3]);
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
}

void TCustomElListBox::PaintBorder()
{
    if (!HandleAllocated() || borderStyle_ != TBorderStyle::bsSingle)
        return;
    const HWND wnd = Handle();
    const LONG ex = GetWindowLongW(wnd, GWL_EXSTYLE);
    const bool ownBorder = !(ex & WS_EX_CLIENTEDGE) && !(GetWindowLongW(wnd, GWL_STYLE) & WS_BORDER);
    const bool themedEdge = (ex & WS_EX_CLIENTEDGE) && IsThemeApplied();
    if (!ownBorder && !themedEdge)
        return;
    TRect window, client;
    WindowAndClient(wnd, window, client);
    const TWindowDC windowDc(wnd, true);
    const HDC dc = windowDc.Handle();
    if (!dc)
        return;
    if (themedEdge) {
        // The theme's edge over the system's sunken one.
        const TSavedDC saved(dc);
        const TRect inner = InsideEdges(window, AllBorderSides);
        ExcludeClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
        ElUxTheme().DrawThemeBackground(Theme(), dc, 0, 0, ToRect(window));
        return;
    }
    const bool active = Focused() || mouseOver_;
    {
        const TSavedDC saved(dc);
        const TRect inner = InsideEdges(window, borderSides_);
        ExcludeClipRect(dc, inner.Left, inner.Top, inner.Right, inner.Bottom);
        TElFrameColors colors;
        colors.Frame = borderColorFace_;
        colors.Window = borderColorWindow_;
        colors.Line = active ? lineBorderActiveColor_ : lineBorderInactiveColor_;
        DrawFlatFrame(dc, window, colors, active ? activeBorderType_ : inactiveBorderType_, borderSides_, Focused());
    }
    // The standard bars match the flat border while the box is idle (or always, when asked).
    if (!controller_->IsHooked() && (flatFocusedScrollBars_ || !active)) {
        const TSavedDC saved(dc);
        ExcludeClipRect(dc, client.Left, client.Top, client.Right, client.Bottom);
        DrawFlatScrollBars(wnd, dc, window, true);
    }
}
