// Painting and scrolling of the edit: the client area drawn into a buffer from the core's line
// layout, the border (the system's edge, the themed "EDIT" frame or the flat border), and the
// window's scroll bars set from the core's scroll state.
#include "widgets/el/editing/ElEdit.h"

#include "widgets/el/foundation/ElUxTheme.h"

#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/ScopedGdi.h"

#include <vssym32.h>

#include <algorithm>

// ---- colours

TColor TCustomElEdit::BackgroundColor() const
{
    if (useDisabledColors_ && !Enabled())
        return disabledColor_;
    if (ReadOnly() && readOnlyOptions_.Enabled())
        return readOnlyOptions_.BkColor();
    return Color();
}

TColor TCustomElEdit::TextColor() const
{
    if (useDisabledColors_ && !Enabled())
        return disabledFontColor_;
    if (ReadOnly() && readOnlyOptions_.Enabled())
        return readOnlyOptions_.TextColor();
    return const_cast<TCustomElEdit*>(this)->Font()->Color();
}

int TCustomElEdit::ThemeState() const
{
    if (!Enabled())
        return ETS_DISABLED;
    if (ReadOnly())
        return readOnlyOptions_.Enabled() ? ETS_NORMAL : ETS_READONLY;
    return Focused() ? ETS_FOCUSED : ETS_NORMAL;
}

// ---- client area

void TCustomElEdit::PaintWindow(HDC Dc)
{
    const TRect client = ClientRect();
    if (client.IsEmpty())
        return;
    TMemoryDC buffer(Dc, client.Width(), client.Height());
    if (!buffer.Valid()) {
        PaintClient(Dc, client);
        return;
    }
    PaintClient(buffer.Handle(), client);
    BitBlt(Dc, 0, 0, client.Width(), client.Height(), buffer.Handle(), 0, 0, SRCCOPY);
}

void TCustomElEdit::PaintClient(HDC Dc, const TRect& Client)
{
    PaintBackground(Dc, Client);
    PaintLines(Dc);
}

void TCustomElEdit::PaintBackground(HDC Dc, const TRect& Client)
{
    TCustomElImageForm* imageForm = ImageForm();
    if (imageForm && imageForm->BackgroundType() != bgtColorFill && !IsDesigning() &&
        imageForm->GetRealControl() != this) {
        imageForm->PaintBkgnd(Dc, this, Client, {Client.Left, Client.Top});
        return;
    }
    if (transparent_) {
        PaintParentBackground(Dc);
        return;
    }
    if (useBackground_ && !background_.Empty()) {
        TCanvas canvas;
        canvas.SetHandle(Dc);
        TileBitmap(&canvas, Client, &background_);
        canvas.SetHandle(nullptr);
        return;
    }
    FillSolidRect(Dc, Client, BackgroundColor());
}

void TCustomElEdit::PaintLines(HDC Dc)
{
    const bool focused = Focused();
    const std::vector<TElLineLayout> rows = core_->Layout(focused);
    if (rows.empty())
        return;
    const TColor selectBack = focused ? focusedSelectColor_ : hideSelectColor_;
    const TColor selectText = focused ? focusedSelectTextColor_ : hideSelectTextColor_;
    const bool blend = highlightAlphaLevel_ < 255;
    const int32_t lineHeight = core_->LineHeight();
    TFontSpec font = Font()->Spec();
    const TColor text = TextColor();

    GdiSurface surface(Dc);
    surface.PushClip(core_->EditRect());
    std::vector<TRect> blended;
    for (const TElLineLayout& row : rows) {
        for (const TElLinePiece& piece : row.Pieces) {
            const bool opaque = piece.Selected && !blend;
            font.Color = opaque ? selectText : text;
            surface.SetFont(font);
            if (piece.Selected) {
                const TRect area{piece.X, row.Top, piece.X + surface.TextExtent(piece.Text).cx, row.Top + lineHeight};
                if (opaque)
                    surface.FillRect(area, selectBack);
                else
                    blended.push_back(area);
            }
            surface.DrawText(piece.X, row.Top, piece.Text);
        }
    }
    surface.PopClip();
    const TRect clip = core_->EditRect();
    for (const TRect& area : blended) {
        const TRect inside{std::max(area.Left, clip.Left), std::max(area.Top, clip.Top),
                           std::min(area.Right, clip.Right), std::min(area.Bottom, clip.Bottom)};
        AlphaFillRect(Dc, inside, selectBack, static_cast<uint8_t>(highlightAlphaLevel_));
    }
}

// ---- border

void TCustomElEdit::PaintFrame()
{
    if (borderStyle_ != TBorderStyle::bsSingle || !HandleAllocated())
        return;
    const bool themed = IsThemeApplied();
    if (!themed && !flat_)
        return;  // the system's sunken edge stands
    RECT window{};
    GetWindowRect(Handle(), &window);
    const TRect outer{0, 0, window.right - window.left, window.bottom - window.top};
    const int cx = GetSystemMetrics(Ctl3D() ? SM_CXEDGE : SM_CXBORDER);
    const int cy = GetSystemMetrics(Ctl3D() ? SM_CYEDGE : SM_CYBORDER);
    const TWindowDC dc(Handle(), true);
    if (!dc.Handle())
        return;
    const TSavedDC saved(dc.Handle());
    // Only the border band: the client area and the scroll bars lie inside it.
    ExcludeClipRect(dc.Handle(), outer.Left + cx, outer.Top + cy, outer.Right - cx, outer.Bottom - cy);
    if (themed) {
        const RECT r{outer.Left, outer.Top, outer.Right, outer.Bottom};
        ElUxTheme().DrawThemeBackground(Theme(), dc.Handle(), EP_EDITTEXT, ThemeState(), r);
        return;
    }
    const bool active = Focused() || mouseOver_;
    const TElFlatBorderType type = active ? activeBorderType_ : inactiveBorderType_;
    TElFrameColors colors = frameColors_;
    if (type == fbtLine || type == fbtLineBorder || type == fbtColorLineBorder)
        colors.Line = active ? lineBorderActiveColor_ : lineBorderInactiveColor_;
    FillSolidRect(dc.Handle(), outer, BackgroundColor());
    DrawFlatFrame(dc.Handle(), outer, colors, type, borderSides_);
    // The system's bars match the flat border while the control is idle (or always, when asked).
    if (!useCustomScrollBars_ && (flatFocusedScrollBars_ || !active) && (ShowsBar(true) || ShowsBar(false))) {
        SelectClipRgn(dc.Handle(), nullptr);
        POINT client{0, 0};
        ::ClientToScreen(Handle(), &client);
        const int dx = client.x - window.left, dy = client.y - window.top;
        ExcludeClipRect(dc.Handle(), dx, dy, dx + ClientWidth(), dy + ClientHeight());
        DrawFlatScrollBars(Handle(), dc.Handle(), outer, true);
    }
}

// ---- scroll bars

bool TCustomElEdit::ShowsBar(bool Vertical) const
{
    if (!Multiline())
        return false;
    return scrollBars_ == TScrollStyle::ssBoth ||
           scrollBars_ == (Vertical ? TScrollStyle::ssVertical : TScrollStyle::ssHorizontal);
}

void TCustomElEdit::UpdateScrollBars()
{
    if (!HandleAllocated() || IsDestroying())
        return;
    auto apply = [this](int Bar, const TElScrollBarInfo& Info) {
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        // A bar with nothing to scroll stays, disabled.
        si.fMask = SIF_ALL | SIF_DISABLENOSCROLL;
        if (Info.Enabled) {
            si.nMin = Info.Min;
            si.nMax = Info.Max;
            si.nPage = static_cast<UINT>(std::max(Info.Page, 0));
            si.nPos = Info.Pos;
        }
        SetScrollInfo(Handle(), Bar, &si, TRUE);
    };
    if (ShowsBar(true))
        apply(SB_VERT, core_->VertScrollBar());
    if (ShowsBar(false))
        apply(SB_HORZ, core_->HorzScrollBar());
}

void TCustomElEdit::ApplyScrollStyle()
{
    if (!HandleAllocated())
        return;
    const LONG style = GetWindowLongW(Handle(), GWL_STYLE);
    LONG wanted = style & ~(WS_HSCROLL | WS_VSCROLL);
    if (ShowsBar(true))
        wanted |= WS_VSCROLL;
    if (ShowsBar(false))
        wanted |= WS_HSCROLL;
    if (wanted != style) {
        SetWindowLongW(Handle(), GWL_STYLE, wanted);
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    UpdateEditRect();
    UpdateScrollBars();
    Repaint(true);
}
