#include "widgets/el/foundation/ElImageForm.h"

#include "widgets/el/foundation/ElDrawing.h"
#include "widgets/el/foundation/ElRegionRuns.h"

#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/ScopedGdi.h"

#include <windowsx.h>

#include <algorithm>

// ---- TImgFormChangeLink

TImgFormChangeLink::~TImgFormChangeLink()
{
    if (TCustomElImageForm* form = sender_.Get())
        form->UnregisterChanges(this);
}

void TImgFormChangeLink::SetSender(TCustomElImageForm* Form)
{
    if (Form)
        Form->RegisterChanges(this);
    else if (TCustomElImageForm* form = sender_.Get())
        form->UnregisterChanges(this);
}

void TImgFormChangeLink::Change()
{
    if (OnChange)
        OnChange(sender_.Get());
}

// ---- TCustomElImageForm

TCustomElImageForm::TCustomElImageForm(TComponent* AOwner)
    : TElComponent(AOwner), background_(std::make_unique<TBitmap>()), hook_(new TElHook(nullptr))
{
    hook_->OnBeforeProcess = [this](TObject*, TMessage& Msg, bool& Handled) { HookBefore(Msg, Handled); };
    hook_->OnAfterProcess = [this](TObject*, TMessage& Msg, bool&) { HookAfter(Msg); };
    AttachHook();
}

TCustomElImageForm::~TCustomElImageForm()
{
    hook_.reset();
    for (TImgFormChangeLink* link : links_)
        link->sender_ = nullptr;
}

void TCustomElImageForm::RegisterChanges(TImgFormChangeLink* Link)
{
    if (!Link)
        return;
    if (TCustomElImageForm* previous = Link->sender_.Get(); previous && previous != this)
        previous->UnregisterChanges(Link);
    if (std::find(links_.begin(), links_.end(), Link) == links_.end())
        links_.push_back(Link);
    Link->sender_ = this;
}

void TCustomElImageForm::UnregisterChanges(TImgFormChangeLink* Link)
{
    auto it = std::find(links_.begin(), links_.end(), Link);
    if (it == links_.end())
        return;
    links_.erase(it);
    Link->sender_ = nullptr;
}

void TCustomElImageForm::Changed()
{
    const std::vector<TImgFormChangeLink*> snapshot = links_;
    for (TImgFormChangeLink* link : snapshot)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->Change();
    if (TWinControl* form = GetRealControl(); form && form->HandleAllocated())
        InvalidateRect(form->Handle(), nullptr, TRUE);
}

TWinControl* TCustomElImageForm::GetRealControl() const
{
    if (TWinControl* c = control_.Get())
        return c;
    return dynamic_cast<TWinControl*>(Owner());
}

void TCustomElImageForm::AttachHook()
{
    TWinControl* target = GetRealControl();
    hook_->SetActive(false);
    hook_->SetControl(target);
    if (target)
        hook_->SetActive(true);
}

void TCustomElImageForm::SetControl(TWinControl* Value)
{
    if (Value == control_.Get())
        return;
    control_ = Value;
    AttachHook();
    stretchedValid_ = false;
    UpdateRegion();
    Changed();
}

// ---- the look

void TCustomElImageForm::SetBackground(const TBitmap* Value)
{
    background_->Assign(Value);
    BackgroundChanged();
}

void TCustomElImageForm::BackgroundChanged()
{
    stretchedValid_ = false;
    Changed();
}

void TCustomElImageForm::SetBackgroundType(TElBkGndType Value)
{
    if (Value == backgroundType_)
        return;
    backgroundType_ = Value;
    Changed();
}

void TCustomElImageForm::SetGradientSteps(int32_t Value)
{
    // No band at all would leave whatever was there before.
    Value = std::max(1, Value);
    if (Value == gradientSteps_)
        return;
    gradientSteps_ = Value;
    Changed();
}

void TCustomElImageForm::SetGradientStartColor(TColor Value)
{
    if (Value == gradientStart_)
        return;
    gradientStart_ = Value;
    Changed();
}

void TCustomElImageForm::SetGradientEndColor(TColor Value)
{
    if (Value == gradientEnd_)
        return;
    gradientEnd_ = Value;
    Changed();
}

TPoint TCustomElImageForm::ScrollOffset(TWinControl* Form) const
{
    TPoint offset;
    if (!Form || !Form->HandleAllocated())
        return offset;
    const HWND wnd = Form->Handle();
    const LONG style = GetWindowLongW(wnd, GWL_STYLE);
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_POS;
    if ((style & WS_HSCROLL) && GetScrollInfo(wnd, SB_HORZ, &si))
        offset.X = si.nPos;
    if ((style & WS_VSCROLL) && GetScrollInfo(wnd, SB_VERT, &si))
        offset.Y = si.nPos;
    return offset;
}

TBitmap* TCustomElImageForm::Stretched(int Width, int Height)
{
    if (stretchedValid_ && stretched_ && stretched_->Width() == Width && stretched_->Height() == Height)
        return stretched_.get();
    if (!stretched_)
        stretched_ = std::make_unique<TBitmap>();
    stretched_->SetSize(Width, Height);
    const HDC dest = stretched_->Canvas()->Handle();
    const HDC src = background_->Canvas()->Handle();
    GdiFlush();
    SetStretchBltMode(dest, HALFTONE);
    SetBrushOrgEx(dest, 0, 0, nullptr);
    StretchBlt(dest, 0, 0, Width, Height, src, 0, 0, background_->Width(), background_->Height(), SRCCOPY);
    GdiFlush();
    stretchedValid_ = true;
    return stretched_.get();
}

void TCustomElImageForm::PaintBitmap(HDC DC, int X, int Y, bool LeaveTransparent)
{
    TBitmap& b = *background_;
    if (LeaveTransparent) {
        const TColor transparent = b.TransparentColor != clNone ? b.TransparentColor : b.Pixel(0, b.Height() - 1);
        DrawTransparentBitmap(DC, &b, X, Y, {0, 0, b.Width(), b.Height()}, transparent);
        return;
    }
    const HDC src = b.Canvas()->Handle();
    GdiFlush();
    BitBlt(DC, X, Y, b.Width(), b.Height(), src, 0, 0, SRCCOPY);
}

void TCustomElImageForm::PaintAt(HDC DC, TPoint Origin, bool LeaveTransparent)
{
    TWinControl* form = GetRealControl();
    const int w = form ? form->ClientWidth() : 0, h = form ? form->ClientHeight() : 0;
    const TColor color = form ? form->Color() : clBtnFace;
    const TSavedDC saved(DC);
    OffsetViewportOrgEx(DC, -Origin.X, -Origin.Y, nullptr);
    RECT clip{};
    GetClipBox(DC, &clip);  // logical coordinates: the form's
    const TRect visible{clip.left, clip.top, clip.right, clip.bottom};
    const TRect all{0, 0, w, h};
    const bool hasBitmap = !background_->Empty();
    switch (hasBitmap ? backgroundType_ : (backgroundType_ == bgtHorzGradient || backgroundType_ == bgtVertGradient
                                               ? backgroundType_
                                               : bgtColorFill)) {
    case bgtColorFill:
        FillSolidRect(DC, visible, color);
        break;
    case bgtHorzGradient:
    case bgtVertGradient:
        FillSolidRect(DC, visible, color);  // beyond the client size
        GradientFillRect(DC, all, gradientStart_, gradientEnd_, gradientSteps_, backgroundType_ == bgtVertGradient);
        break;
    case bgtTileBitmap: {
        const int bw = background_->Width(), bh = background_->Height();
        // Tiles from the form's origin, only those that meet the clip.
        const int x0 = std::max(0, visible.Left / bw * bw), y0 = std::max(0, visible.Top / bh * bh);
        for (int y = y0; y < visible.Bottom; y += bh)
            for (int x = x0; x < visible.Right; x += bw)
                PaintBitmap(DC, x, y, LeaveTransparent);
        break;
    }
    case bgtStretchBitmap:
        if (w > 0 && h > 0) {
            TBitmap* s = Stretched(w, h);
            const HDC src = s->Canvas()->Handle();
            GdiFlush();
            BitBlt(DC, 0, 0, w, h, src, 0, 0, SRCCOPY);
        }
        break;
    case bgtCenterBitmap:
        FillSolidRect(DC, visible, color);
        PaintBitmap(DC, (w - background_->Width()) / 2, (h - background_->Height()) / 2, LeaveTransparent);
        break;
    case bgtTopLeftBitmap:
        FillSolidRect(DC, visible, color);
        PaintBitmap(DC, 0, 0, LeaveTransparent);
        break;
    }
}

void TCustomElImageForm::PaintBkgnd(HDC DC, TControl* ChildControl, const TRect& R, TPoint Origin, bool LeaveTransparent)
{
    TWinControl* form = GetRealControl();
    if (!DC || R.IsEmpty() || !form)
        return;
    // Where the child's point lies on the form, in the form's unscrolled background.
    TPoint at = Origin;
    if (ChildControl && ChildControl != form)
        at = form->ScreenToClient(ChildControl->ClientToScreen(Origin));
    const TPoint scroll = ScrollOffset(form);
    at = {at.X + scroll.X, at.Y + scroll.Y};
    const TSavedDC saved(DC);
    IntersectClipRect(DC, R.Left, R.Top, R.Right, R.Bottom);
    PaintAt(DC, {at.X - R.Left, at.Y - R.Top}, LeaveTransparent);
}

// ---- the window region

void TCustomElImageForm::SetChangeFormRegion(bool Value)
{
    if (Value == changeFormRegion_)
        return;
    changeFormRegion_ = Value;
    UpdateRegion();
}

void TCustomElImageForm::SetFormImage(TImage* Value)
{
    if (Value == formImage_.Get())
        return;
    formImage_ = Value;
    UpdateRegion();
}

void TCustomElImageForm::SetTransparentColor(TColor Value)
{
    if (Value == transparentColor_)
        return;
    transparentColor_ = Value;
    UpdateRegion();
}

void TCustomElImageForm::UpdateRegion()
{
    TWinControl* form = GetRealControl();
    if (!form)
        return;
    TImage* image = formImage_.Get();
    TBitmap* picture = image ? image->Picture() : nullptr;
    if (!changeFormRegion_ || !picture || picture->Empty()) {
        form->SetRegion(nullptr);
        return;
    }
    // The picture's pixels are 0x00RRGGBB; the colour is a TColor (0x00BBGGRR).
    const COLORREF t = ColorToRGB(transparentColor_);
    const uint32_t transparent = (GetRValue(t) << 16) | (GetGValue(t) << 8) | GetBValue(t);
    const int w = picture->Width(), h = picture->Height();
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * static_cast<size_t>(h));
    for (int y = 0; y < h; ++y)
        std::copy_n(picture->ScanLine(y), w, pixels.begin() + static_cast<ptrdiff_t>(y) * w);
    const std::vector<TRect> runs = OpaqueRuns(pixels.data(), w, h, transparent);
    if (runs.empty()) {
        // Nothing opaque: no shape at all rather than an invisible window.
        form->SetRegion(nullptr);
        return;
    }
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (!region)
        return;
    std::vector<uint8_t> data;
    for (size_t first = 0; first < runs.size(); first += ElRegionBlockSize) {
        const size_t count = std::min(ElRegionBlockSize, runs.size() - first);
        data.assign(sizeof(RGNDATAHEADER) + count * sizeof(RECT), 0);
        auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
        header->dwSize = sizeof(RGNDATAHEADER);
        header->iType = RDH_RECTANGLES;
        header->nCount = static_cast<DWORD>(count);
        header->nRgnSize = static_cast<DWORD>(count * sizeof(RECT));
        header->rcBound = {0, 0, w, h};
        auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
        for (size_t i = 0; i < count; ++i) {
            const TRect& r = runs[first + i];
            rects[i] = {r.Left, r.Top, r.Right, r.Bottom};
        }
        const TGdiObject<HRGN> block(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                                     reinterpret_cast<const RGNDATA*>(data.data())));
        if (block)
            CombineRgn(region, region, block.get(), RGN_OR);
    }
    // The control keeps the region and gives its window a copy of its own.
    form->SetRegion(region);
}

// ---- the hook on the form

bool TCustomElImageForm::IsDragPoint(TWinControl* Form, TPoint P) const
{
    if (TGraphicControl* caption = captionControl_.Get()) {
        const TPoint local = caption->ScreenToClient(Form->ClientToScreen(P));
        return caption->Visible() && TRect{0, 0, caption->Width(), caption->Height()}.Contains(local);
    }
    return Form->ClientRect().Contains(P) && !Form->ControlAtPos(P, true, true);
}

void TCustomElImageForm::HookBefore(TMessage& Msg, bool& Handled)
{
    TWinControl* form = GetRealControl();
    if (!form || !form->HandleAllocated())
        return;
    switch (Msg.Msg) {
    case WM_ERASEBKGND: {
        const HDC dc = reinterpret_cast<HDC>(Msg.WParam);
        if (!dc)
            return;
        PaintAt(dc, ScrollOffset(form), false);
        Msg.Result = 1;
        Handled = true;
        return;
    }
    // A right or middle click on a dragging background is a click on the form's client area,
    // not on a caption (which would open the system menu).
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONUP: case WM_NCRBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN: case WM_NCMBUTTONUP: case WM_NCMBUTTONDBLCLK: {
        if (!MoveForm || captionControl_ || Msg.WParam != HTCAPTION)
            break;
        const TPoint p = form->ScreenToClient({GET_X_LPARAM(Msg.LParam), GET_Y_LPARAM(Msg.LParam)});
        if (!IsDragPoint(form, p))
            break;  // the form's own caption bar
        UINT client = 0;
        switch (Msg.Msg) {
        case WM_NCRBUTTONDOWN: client = WM_RBUTTONDOWN; break;
        case WM_NCRBUTTONUP: client = WM_RBUTTONUP; break;
        case WM_NCRBUTTONDBLCLK: client = WM_RBUTTONDBLCLK; break;
        case WM_NCMBUTTONDOWN: client = WM_MBUTTONDOWN; break;
        case WM_NCMBUTTONUP: client = WM_MBUTTONUP; break;
        default: client = WM_MBUTTONDBLCLK; break;
        }
        WPARAM keys = 0;
        if (GetKeyState(VK_SHIFT) < 0) keys |= MK_SHIFT;
        if (GetKeyState(VK_CONTROL) < 0) keys |= MK_CONTROL;
        form->Perform(client, keys, MAKELPARAM(p.X, p.Y));
        Msg.Result = 0;
        Handled = true;
        return;
    }
    default:
        return;
    }
}

void TCustomElImageForm::HookAfter(TMessage& Msg)
{
    TWinControl* form = GetRealControl();
    if (!form || !form->HandleAllocated())
        return;
    switch (Msg.Msg) {
    case WM_NCHITTEST:
        if (MoveForm && !IsDesigning() && Msg.Result == HTCLIENT &&
            IsDragPoint(form, form->ScreenToClient({GET_X_LPARAM(Msg.LParam), GET_Y_LPARAM(Msg.LParam)})))
            Msg.Result = HTCAPTION;
        break;
    case WM_SIZE:
        stretchedValid_ = false;
        InvalidateRect(form->Handle(), nullptr, TRUE);
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PALETTECHANGED:
        InvalidateRect(form->Handle(), nullptr, TRUE);
        break;
    default:
        break;
    }
}
