#include "widgets/el/foundation/ElSBController.h"

#include "widgets/el/foundation/ElDrawing.h"
#include "widgets/el/foundation/ElSBThemedPainter.h"
#include "widgets/el/foundation/ElScrollHook.h"

#include "framework/Forms.h"
#include "framework/GdiSurface.h"
#include "framework/Graphics.h"
#include "framework/ScopedGdi.h"

#include <vssym32.h>
#include <windowsx.h>

#include <algorithm>

namespace {

constexpr LONG kBarStyles = WS_HSCROLL | WS_VSCROLL;
constexpr UINT kFrameChanged = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED;

// Messages after which a system control (LISTBOX, EDIT) may have changed its scroll bars
// without the scroll functions the hook redirects: the bars read the scroll state again.
bool MayChangeScrollState(const TMessage& Msg)
{
    const uint32_t m = Msg.Msg;
    if ((m >= LB_ADDSTRING && m <= LB_MSGMAX) || (m >= EM_GETSEL && m <= EM_GETIMESTATUS))
        return true;
    switch (m) {
    case WM_CREATE:
    case WM_SETTEXT:
    case WM_CHAR:
    case WM_IME_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case WM_SIZE:
    case WM_SETFONT:
    case WM_KEYDOWN:
    case WM_MOUSEWHEEL:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_SETREDRAW:
    case WM_WINDOWPOSCHANGED:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_TIMER:  // a list box scrolls on a timer while the mouse is held outside it
        return true;
    case WM_MOUSEMOVE:
        return (Msg.WParam & MK_LBUTTON) != 0;
    default:
        return false;
    }
}

bool IsMouseLeave(uint32_t Msg)
{
    return Msg == WM_NCMOUSELEAVE || Msg == WM_MOUSELEAVE || Msg == CM_MOUSELEAVE || Msg == CM_EXIT;
}

RECT& CalcSizeClient(TMessage& Msg)
{
    return Msg.WParam ? reinterpret_cast<NCCALCSIZE_PARAMS*>(Msg.LParam)->rgrc[0] : *reinterpret_cast<RECT*>(Msg.LParam);
}

}  // namespace

int32_t ElScrollThumbPosition(HWND Window, int Bar, WPARAM WParam)
{
    const int32_t low = HIWORD(WParam);
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_TRACKPOS;
    if (GetScrollInfo(Window, Bar, &si) && (si.nTrackPos & 0xFFFF) == low)
        return si.nTrackPos;
    return low;
}

TElSBController::TElSBController(TComponent* AOwner)
    : TElComponent(AOwner), hook_(std::make_unique<TElHook>(nullptr))
{
    hook_->OnBeforeProcess = [this](TObject*, TMessage& Msg, bool& Handled) { HandleCtrlMsgBefore(Msg, Handled); };
    hook_->OnAfterProcess = [this](TObject*, TMessage& Msg, bool& Handled) { HandleCtrlMsgAfter(Msg, Handled); };
    // The bars ask their host for the system's metrics at once: this object is complete enough
    // for that here (the host's virtual functions are this class's from now on).
    horz_ = std::make_unique<TElCtrlScrollBarStyles>(this, ebkHorizontal, ElBarHorz);
    vert_ = std::make_unique<TElCtrlScrollBarStyles>(this, ebkVertical, ElBarVert);
    for (TElCtrlScrollBarStyles* bar : {horz_.get(), vert_.get()}) {
        bar->SetRepeatTimer(std::make_unique<TElSBRepeatTimer>(*bar));
        bar->SetPainter(std::make_unique<TElSBThemedPainter>([this] { return ThemeHandle(); }));
    }
}

TElSBController::~TElSBController()
{
    // Unhooks and gives the control its standard bars back; the bars let go of the mouse and
    // their hints first, since their own destructors touch only their timers.
    SetControl(nullptr);
    hook_.reset();
    horz_.reset();
    vert_.reset();
}

// ---- control and state

bool TElSBController::IsHooked() const
{
    return control_ && ScrollHookInstalled() && hook_ && hook_->Active();
}

void TElSBController::ReleaseBars()
{
    for (TElCtrlScrollBarStyles* bar : {horz_.get(), vert_.get()}) {
        if (bar->Tracking() || bar->ThumbMoved())
            bar->MouseDown(false, true, 0, 0);
        if (bar->MouseInside())
            bar->MouseLeave();
    }
    ReleaseHeldCapture();
    FreeTrackHints();
}

void TElSBController::SetControl(TWinControl* Value)
{
    if (Value == control_)
        return;
    if (control_) {
        TWinControl* old = control_;
        ReleaseBars();
        // Drawing switched off and style bits cleared by the controller come back before the
        // control is let go.
        RestoreRedraw(nullptr);
        scrollLevels_.clear();
        while (!suspended_.empty()) {
            ChangeStyleBits(suspended_.back().Style & kBarStyles, true);
            suspended_.pop_back();
        }
        hook_->SetActive(false);
        hook_->SetControl(nullptr);
        theme_.Reset();
        if (!old->IsDestroying())
            RemoveFreeNotification(old);
        control_ = nullptr;
        // Without the hook the default procedure measures and draws the standard bars again.
        if (lockCount_ == 0 && !Value && !old->IsDestroying() && old->HandleAllocated())
            SetWindowPos(old->Handle(), nullptr, 0, 0, 0, 0, kFrameChanged);
    }
    redrawState_ = 2;
    if (!Value) {
        lockCount_ = 0;
        return;
    }
    control_ = Value;
    FreeNotification(Value);
    hook_->SetControl(Value);
    if (!ScrollHookInstalled())
        return;
    if (Value->HandleAllocated()) {
        horz_->UpdateFromScrollInfo();
        vert_->UpdateFromScrollInfo();
    }
    horz_->SetCachedVisible(BarVisible(*horz_));
    vert_->SetCachedVisible(BarVisible(*vert_));
    hook_->SetActive(true);
    if (lockCount_ <= 0) {
        UpdateFrame();
        if (Value->Visible() && Value->HandleAllocated())
            RedrawWindow(Value->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
}

void TElSBController::Notification(TComponent* AComponent, TOperation Operation)
{
    TElComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == control_)
        SetControl(nullptr);
}

void TElSBController::SetScrollBarStyles(int Index, const TElCtrlScrollBarStyles* Value)
{
    if (Value)
        ScrollBarStyles(Index)->Assign(Value);
}

void TElSBController::SetUseXPThemes(bool Value)
{
    if (Value == useXPThemes_)
        return;
    useXPThemes_ = Value;
    if (!Value)
        theme_.Reset();
    PaintBars(ElBarsBoth);
}

HTHEME TElSBController::ThemeHandle()
{
    const HWND wnd = ControlHandle();
    if (!theme_ && useXPThemes_ && wnd && ThemesAvailable())
        theme_.Open(wnd, u"SCROLLBAR");
    return theme_.Get();
}

void TElSBController::Unlock()
{
    if (lockCount_ > 0)
        --lockCount_;
}

TElCtrlScrollBarStyles& TElSBController::Other(const TElSBHandlerCustom& Bar) const
{
    return &Bar == horz_.get() ? *vert_ : *horz_;
}

// ---- IElScrollBarHost

bool TElSBController::IsLoading()
{
    const TComponent* owner = Owner() ? Owner() : static_cast<const TComponent*>(this);
    return owner->TComponent::IsLoading();
}

void TElSBController::UpdateFrame()
{
    if (const HWND wnd = ControlHandle(); wnd && IsHooked())
        SetWindowPos(wnd, nullptr, 0, 0, 0, 0, kFrameChanged);
}

bool TElSBController::ScrollControl(TElSBHandlerCustom& Bar, uint8_t ScrollCode, int32_t& Pos)
{
    const HWND wnd = ControlHandle();
    if (!wnd || ScrollCode > escEndScroll)
        return false;
    auto send = [&](int Code, int32_t Position) { SendScroll(Bar, Code, Position); };
    const int32_t before = Bar.Position();
    switch (ScrollCode) {
    case escLineUp:
    case escLineDown:
        // With the system step the control applies its own line step.
        if (Bar.Styles().UseSystemStep)
            send(ScrollCode, 0);
        else if (Pos != before)
            send(SB_THUMBPOSITION, Pos);
        break;
    case escPageUp:
    case escPageDown:
    case escPosition:
        // Page and position moves reach the control as explicit positions.
        if (Pos != before)
            send(SB_THUMBPOSITION, Pos);
        break;
    case escTrack:
        if (Pos == before)
            break;
        send(SB_THUMBTRACK, Pos);
        Bar.UpdateFromScrollInfo();
        // A control that takes its track position from its own (system) scroll bar rather than
        // from the message - the system list box does - did not follow: the position is sent
        // again as one it takes from the message, so that it follows the thumb while dragged.
        if (Bar.Position() == before && Bar.Position() != Pos)
            send(SB_THUMBPOSITION, Pos);
        break;
    case escTop:
        if (before != Bar.Min())
            send(SB_TOP, 0);
        break;
    case escBottom:
        if (before != Bar.Max())
            send(SB_BOTTOM, 0);
        break;
    case escEndScroll:
        send(SB_ENDSCROLL, 0);
        break;
    default:
        break;
    }
    Bar.UpdateFromScrollInfo();
    if (Bar.Position() == before)
        return false;
    Pos = Bar.Position();
    return true;
}

void TElSBController::SendScroll(TElSBHandlerCustom& Bar, int Code, int32_t Position)
{
    const HWND wnd = ControlHandle();
    const UINT msg = Bar.BarIndex() == SB_VERT ? WM_VSCROLL : WM_HSCROLL;
    // The message has 16 bits for the position, as the system's own bars send it. A control
    // reads the whole of it as the tracked position (GetScrollInfo with SIF_TRACKPOS), which
    // outside a drag of the system's own thumb is the bar's position: a position beyond 16 bits
    // is written there before the message goes.
    const bool thumb = Code == SB_THUMBPOSITION || Code == SB_THUMBTRACK;
    if (thumb && (Position < 0 || Position > 0xFFFF)) {
        heldMsg_ = msg;
        heldPosition_ = GetScrollPos(wnd, Bar.BarIndex());
        SCROLLINFO si{};
        si.cbSize = sizeof si;
        si.fMask = SIF_POS;
        si.nPos = Position;
        SetScrollInfo(wnd, Bar.BarIndex(), &si, FALSE);
    }
    SendMessageW(wnd, msg, MAKEWPARAM(Code, static_cast<WORD>(Position)), 0);
    heldMsg_ = 0;
}

void TElSBController::InvalidateBar(TElSBHandlerCustom& Bar, bool EvenWhileLocked)
{
    if (!control_ || !control_->HandleAllocated())
        return;
    if (lockCount_ != 0) {
        // The hook does nothing while locked; a repaint that must pass the lock paints here.
        if (EvenWhileLocked)
            PaintBars(Bar.BarIndex());
        return;
    }
    control_->Perform(ScrollNotifyMessage(), snRepaintBars, Bar.BarIndex());
}

void TElSBController::PaintBars(int32_t Which)
{
    if (Which == ElBarsBoth) {
        PaintBar(*horz_);
        PaintBar(*vert_);
        return;
    }
    PaintBar(Which == ElBarVert ? *vert_ : *horz_);
}

void TElSBController::PaintBar(TElCtrlScrollBarStyles& Bar)
{
    const HWND wnd = ControlHandle();
    if (!wnd || !IsHooked() || !BarVisible(Bar) || Bar.Width() <= 0 || Bar.Height() <= 0)
        return;
    RECT window{};
    GetWindowRect(wnd, &window);
    // A bar never paints beyond the window (a window narrower than its borders and bars).
    TRect r = Bar.BarRect();
    r.Right = std::min<int32_t>(r.Right, window.right - window.left);
    r.Bottom = std::min<int32_t>(r.Bottom, window.bottom - window.top);
    if (r.IsEmpty())
        return;
    const TWindowDC dc(wnd, true);
    if (!dc.Handle())
        return;
    const TMemoryDC image(dc.Handle(), Bar.Width(), Bar.Height());
    if (!image.Valid())
        return;
    {
        GdiSurface surface(image);
        Bar.Paint(surface);
    }
    BitBlt(dc.Handle(), r.Left, r.Top, r.Width(), r.Height(), image.Handle(), 0, 0, SRCCOPY);
}

bool TElSBController::OtherBarTracking(const TElSBHandlerCustom& Bar)
{
    TElCtrlScrollBarStyles& other = Other(Bar);
    return other.Tracking() && BarVisible(other);
}

bool TElSBController::Themed(const TElSBHandlerCustom& Bar)
{
    return Bar.Styles().UseXPThemes && useXPThemes_ && ThemesAvailable() && ElUxTheme().IsThemeActive() &&
           ThemeHandle() != nullptr;
}

bool TElSBController::ThemeTrackColor(TColor& Color)
{
    if (!ThemesAvailable() || !ElUxTheme().IsThemeActive())
        return false;
    const HTHEME theme = ThemeHandle();
    COLORREF color = 0;
    // Only a colour the theme really gave is used (an unset COLORREF would read as black).
    if (!theme || !ElUxTheme().GetThemeColor(theme, SBP_LOWERTRACKVERT, SCRBS_NORMAL, TMT_FILLCOLOR, color))
        return false;
    Color = static_cast<TColor>(color);
    return true;
}

// ---- the hook

void TElSBController::HandleCtrlMsgBefore(TMessage& Msg, bool& Handled)
{
    if (!Active())
        return;
    const uint32_t m = Msg.Msg;
    if (m == ScrollNotifyMessage()) {
        HandleScrollNotify(Msg);
        Handled = true;
        return;
    }
    const HWND wnd = ControlHandle();
    switch (m) {
    case EL_SB_UPDATEFRAME:
        UpdateFrame();
        return;
    case WM_SETREDRAW:
        if (Msg.WParam == 0) {
            redrawState_ = 1;
        } else if (redrawState_ == 3) {
            // Drawing stays off until the scroll message that switched it off is done.
            Msg.Result = 0;
            Handled = true;
        } else {
            redrawState_ = 2;
        }
        return;
    case WM_CANCELMODE:
        CancelMode();
        return;
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
        if (styleChanging_) {
            Msg.Result = 0;
            Handled = true;
        }
        return;
    case WM_NCCALCSIZE:
        BeginStyleSuspension(Msg);
        return;
    case WM_NCHITTEST:
        Handled = NonClientHitTest(Msg);
        return;
    case WM_NCPAINT:
    case WM_NCACTIVATE:
        if (!styleChanging_)
            BeginStyleSuspension(Msg);
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        BeginScrollLevel(Msg);
        return;
    case WM_MOUSEWHEEL:
        if (HandleWheel) {
            Msg.Result = 0;
            Handled = true;
            if (BarVisible(*vert_))
                vert_->HandleMouseWheel(GET_WHEEL_DELTA_WPARAM(Msg.WParam));
        }
        return;
    case WM_THEMECHANGED:
        if (useXPThemes_) {
            theme_.Reset();
            ThemeHandle();
        }
        return;
    case CM_WININICHANGE:
        if (Msg.WParam == SPI_SETNONCLIENTMETRICS) {
            horz_->RefreshSystemMetrics();
            vert_->RefreshSystemMetrics();
            UpdateFrame();
            if (wnd)
                RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        }
        return;
    default:
        break;
    }
    if ((m >= WM_NCMOUSEMOVE && m <= WM_NCLBUTTONDBLCLK) || m == WM_MOUSEMOVE || m == WM_LBUTTONUP || IsMouseLeave(m))
        Handled = DispatchMouse(Msg);
}

void TElSBController::HandleCtrlMsgAfter(TMessage& Msg, bool&)
{
    // A failure here is dropped: the control has processed the message already, and its result
    // stands.
    try {
        if (Msg.Msg == WM_HSCROLL || Msg.Msg == WM_VSCROLL)
            EndScrollLevel();
        TStyleSuspension pass{};
        const bool suspended = EndStyleSuspension(Msg, pass);
        if (!Active())
            return;
        if (suspended) {
            if (pass.Msg == WM_NCCALCSIZE)
                CalcNonClient(Msg, pass);
            else
                PaintFrame();
        } else if (Msg.Msg == WM_NCCALCSIZE) {
            // No bar styles: neither bar has room; they keep their thickness for when one shows.
            horz_->SetCachedVisible(false);
            vert_->SetCachedVisible(false);
            horz_->SetBarRect(TRect{0, 0, 0, horz_->Thickness()});
            vert_->SetBarRect(TRect{0, 0, vert_->Thickness(), 0});
        }
        AfterMessage(Msg);
    } catch (...) {
    }
}

void TElSBController::AfterMessage(TMessage& Msg)
{
    const bool visible = control_ && control_->Visible();
    switch (Msg.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_ENABLE:
        if (visible)
            control_->Perform(ScrollNotifyMessage(), snRepaintBars, ElBarsBoth);
        break;
    case WM_SIZE:
        if (Msg.WParam == SIZE_RESTORED && visible)
            UpdateFrame();
        break;
    case WM_SETREDRAW:
        if (Msg.WParam && visible) {
            horz_->UpdateFromScrollInfo();
            vert_->UpdateFromScrollInfo();
        }
        return;
    default:
        break;
    }
    if (MayChangeScrollState(Msg)) {
        ReReadIfChanged(*horz_);
        ReReadIfChanged(*vert_);
    }
}

void TElSBController::ReReadIfChanged(TElCtrlScrollBarStyles& Bar)
{
    TElScrollInfo info;
    info.fMask = ESIF_ALL;
    bool disabled = false;
    if (!ReadScrollInfo(Bar, info, disabled))
        return;
    const TElSBRange& r = Bar.Range();
    const bool enabled = info.nMin < info.nMax && !disabled;
    if (info.nMin != r.Min || info.nMax != r.Max || static_cast<int64_t>(info.nPage) != r.Page ||
        info.nPos != r.Position || enabled != Bar.Enabled())
        Bar.UpdateFromScrollInfo();
}

void TElSBController::BeginScrollLevel(const TMessage& Msg)
{
    TScrollLevel level{Msg.Msg, 0, false};
    const HWND wnd = ControlHandle();
    // Only the window's own bars (a scroll-bar child sends its handle in LParam).
    if (wnd && Msg.LParam == 0 && LOWORD(Msg.WParam) < SB_ENDSCROLL && control_->Visible()) {
        if (heldMsg_ == Msg.Msg) {
            level.PositionBefore = heldPosition_;
            heldMsg_ = 0;
        } else {
            level.PositionBefore = GetScrollPos(wnd, Msg.Msg == WM_VSCROLL ? SB_VERT : SB_HORZ);
        }
        // Drawing that is off already stays with whoever switched it off: someone else, or the
        // scroll message this one nests in, which switches it on when it ends.
        if (redrawState_ == 2) {
            SendMessageW(wnd, WM_SETREDRAW, FALSE, 0);
            redrawState_ = 3;
            level.SwitchedOff = true;
        }
    }
    scrollLevels_.push_back(level);
}

void TElSBController::EndScrollLevel()
{
    if (scrollLevels_.empty())
        return;
    const TScrollLevel level = scrollLevels_.back();
    scrollLevels_.pop_back();
    if (level.SwitchedOff)
        RestoreRedraw(&level);
    else if (scrollLevels_.empty())
        RestoreRedraw(nullptr);  // however the levels paired up, drawing is on after the last
}

void TElSBController::RestoreRedraw(const TScrollLevel* Ended)
{
    if (redrawState_ != 3)
        return;
    redrawState_ = 1;
    const HWND wnd = ControlHandle();
    // A control hidden meanwhile stays hidden (switching drawing on would show it).
    if (wnd && control_->Visible())
        SendMessageW(wnd, WM_SETREDRAW, TRUE, 0);
    redrawState_ = 2;
    if (!wnd || !Ended)
        return;
    if (GetScrollPos(wnd, Ended->Msg == WM_VSCROLL ? SB_VERT : SB_HORZ) != Ended->PositionBefore)
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TElSBController::HandleScrollNotify(TMessage& Msg)
{
    switch (Msg.WParam) {
    case snBeforeChange:
        // Telling the hook that this window draws its bars itself: the system call then runs
        // without drawing the standard bar.
        if (Msg.LParam) {
            *reinterpret_cast<intptr_t*>(Msg.LParam) = reinterpret_cast<intptr_t>(this);
            Msg.Result = reinterpret_cast<intptr_t>(this);
        } else {
            Msg.Result = 0;
        }
        return;
    case snRepaintBars:
        PaintBars(Msg.LParam == ElBarHorz || Msg.LParam == ElBarVert ? static_cast<int32_t>(Msg.LParam) : ElBarsBoth);
        Msg.Result = 0;
        return;
    case snAfterChange: {
        Msg.Result = 0;
        const auto* cells = reinterpret_cast<const intptr_t*>(Msg.LParam);
        if (!cells)
            return;
        const auto* change = reinterpret_cast<const SCROLLINFO*>(cells[1]);
        if (!change || (cells[0] != SB_HORZ && cells[0] != SB_VERT))
            return;
        TElCtrlScrollBarStyles& bar = cells[0] == SB_VERT ? *vert_ : *horz_;
        TElScrollInfo info;
        info.cbSize = change->cbSize;
        info.fMask = change->fMask;
        info.nMin = change->nMin;
        info.nMax = change->nMax;
        info.nPage = change->nPage;
        info.nPos = change->nPos;
        info.nTrackPos = change->nTrackPos;
        bar.SetScrollInfo(info, cells[2] != 0);
        // The system has applied the change by now: where it clamped differently, its values hold.
        ReReadIfChanged(bar);
        return;
    }
    default:
        return;
    }
}

void TElSBController::CancelMode()
{
    ReleaseHeldCapture();
    for (TElCtrlScrollBarStyles* bar : {horz_.get(), vert_.get()}) {
        if (!bar->Tracking() && !bar->ThumbMoved())
            continue;
        if (bar->MouseInside())
            bar->MouseLeave();
        bar->MouseDown(false, true, 0, 0);
    }
}

// ---- non-client area

void TElSBController::BeginStyleSuspension(TMessage& Msg)
{
    const HWND wnd = ControlHandle();
    if (!wnd)
        return;
    const LONG style = GetWindowLongW(wnd, GWL_STYLE);
    if (!(style & kBarStyles))
        return;
    TStyleSuspension pass{Msg.Msg, style, RECT{}};
    if (Msg.Msg == WM_NCCALCSIZE)
        pass.Window = CalcSizeClient(Msg);
    suspended_.push_back(pass);
    ChangeStyleBits(kBarStyles, false);
}

bool TElSBController::EndStyleSuspension(const TMessage& Msg, TStyleSuspension& Ended)
{
    if (suspended_.empty() || suspended_.back().Msg != Msg.Msg)
        return false;
    Ended = suspended_.back();
    suspended_.pop_back();
    ChangeStyleBits(Ended.Style & kBarStyles, true);
    return true;
}

void TElSBController::CalcNonClient(TMessage& Msg, const TStyleSuspension& Pass)
{
    RECT& client = CalcSizeClient(Msg);
    const RECT& window = Pass.Window;
    insets_ = TRect{client.left - window.left, client.top - window.top, window.right - client.right,
                    window.bottom - client.bottom};
    const bool horzOn = (Pass.Style & WS_HSCROLL) != 0, vertOn = (Pass.Style & WS_VSCROLL) != 0;
    horz_->SetCachedVisible(horzOn);
    vert_->SetCachedVisible(vertOn);
    const int32_t thickH = horz_->Thickness(), thickV = vert_->Thickness();
    const bool showH = horzOn && client.bottom - client.top >= thickH;
    if (showH)
        client.bottom -= thickH;
    const bool showV = vertOn && client.right - client.left >= thickV;
    const bool leftBar = (GetWindowLongW(ControlHandle(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    if (showV) {
        if (leftBar)
            client.left += thickV;
        else
            client.right -= thickV;
    }
    // A bar without room keeps its thickness (an empty band), for when it shows again.
    if (showV) {
        const int32_t left = (leftBar ? client.left - thickV : client.right) - window.left;
        vert_->SetBarRect(TRect{left, client.top - window.top, left + thickV, client.bottom - window.top});
    } else {
        vert_->SetBarRect(TRect{0, 0, thickV, 0});
    }
    if (showH)
        horz_->SetBarRect(TRect{client.left - window.left, client.bottom - window.top, client.right - window.left,
                                client.bottom - window.top + thickH});
    else
        horz_->SetBarRect(TRect{0, 0, 0, thickH});
}

TRect TElSBController::CornerRect()
{
    if (!BarVisible(*horz_) || !BarVisible(*vert_) || horz_->BarRect().IsEmpty() || vert_->BarRect().IsEmpty())
        return TRect{};
    return TRect{vert_->BarRect().Left, horz_->BarRect().Top, vert_->BarRect().Right, horz_->BarRect().Bottom};
}

bool TElSBController::SizeableForm() const
{
    const auto* form = dynamic_cast<const TCustomForm*>(control_);
    return form && (form->BorderStyle() == TFormBorderStyle::bsSizeable ||
                    form->BorderStyle() == TFormBorderStyle::bsSizeToolWin);
}

bool TElSBController::NonClientHitTest(TMessage& Msg)
{
    const HWND wnd = ControlHandle();
    if (!wnd || !(BarVisible(*horz_) || BarVisible(*vert_)))
        return false;
    const TPoint p = ScreenToWindow(TPoint{GET_X_LPARAM(Msg.LParam), GET_Y_LPARAM(Msg.LParam)});
    LRESULT hit = HTNOWHERE;
    if (BarVisible(*horz_) && horz_->BarRect().Contains(p))
        hit = HTHSCROLL;
    else if (BarVisible(*vert_) && vert_->BarRect().Contains(p))
        hit = HTVSCROLL;
    else if (SizeableForm() && CornerRect().Contains(p))
        // The size grip answers itself, whatever the default procedure makes of the square.
        hit = (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) ? HTBOTTOMLEFT : HTBOTTOMRIGHT;
    // The bar not under the pointer loses its hot part.
    for (TElCtrlScrollBarStyles* bar : {horz_.get(), vert_.get()}) {
        const bool under = (bar == horz_.get() && hit == HTHSCROLL) || (bar == vert_.get() && hit == HTVSCROLL);
        if (under || !bar->MouseInside() || bar->Tracking())
            continue;
        bar->MouseMove(p.X - bar->BarRect().Left, p.Y - bar->BarRect().Top);
        bar->MouseLeave();
    }
    if (hit == HTNOWHERE)
        return false;
    Msg.Result = hit;
    return true;
}

void TElSBController::PaintFrame()
{
    const HWND wnd = ControlHandle();
    if (!wnd)
        return;
    // Every frame paint shows both bars: the default painting may have drawn over them.
    PaintBars(ElBarsBoth);
    const TRect corner = CornerRect();
    if (corner.IsEmpty())
        return;
    const TWindowDC dc(wnd, true);
    if (dc.Handle())
        PaintCorner(dc.Handle(), corner);
}

void TElSBController::PaintCorner(HDC Dc, const TRect& Corner)
{
    bool defaultDraw = true;
    if (OnPaintCrossScrollBarsArea) {
        TCanvas canvas;
        canvas.SetHandle(Dc);
        OnPaintCrossScrollBarsArea(this, &canvas, Corner, defaultDraw);
        canvas.SetHandle(nullptr);
    }
    if (!defaultDraw)
        return;
    RECT r{Corner.Left, Corner.Top, Corner.Right, Corner.Bottom};
    const bool leftBar = (GetWindowLongW(ControlHandle(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    const bool themed = useXPThemes_ && ThemesAvailable() && ElUxTheme().IsThemeActive() && ThemeHandle();
    if (themed)
        FillSolidRect(Dc, Corner, clBtnFace);
    if (SizeableForm()) {
        if (!themed || !ElUxTheme().DrawThemeBackground(ThemeHandle(), Dc, SBP_SIZEBOX,
                                                         leftBar ? SZB_LEFTALIGN : SZB_RIGHTALIGN, r))
            DrawFrameControl(Dc, &r, DFC_SCROLL, leftBar ? DFCS_SCROLLSIZEGRIPRIGHT : DFCS_SCROLLSIZEGRIP);
    } else if (!themed) {
        DrawEdge(Dc, &r, EDGE_SUNKEN, BF_MIDDLE);
    }
}

// ---- mouse

bool TElSBController::DispatchMouse(TMessage& Msg)
{
    const HWND wnd = ControlHandle();
    if (!wnd)
        return false;
    TElCtrlScrollBarStyles* bars[2] = {horz_.get(), vert_.get()};
    const uint32_t m = Msg.Msg;
    if (IsMouseLeave(m)) {
        for (TElCtrlScrollBarStyles* bar : bars)
            if (bar->MouseInside())
                bar->MouseLeave();
        return false;
    }
    TPoint p;
    if (m == WM_MOUSEMOVE || m == WM_LBUTTONUP) {
        POINT client{GET_X_LPARAM(Msg.LParam), GET_Y_LPARAM(Msg.LParam)};
        ClientToScreen(wnd, &client);
        p = ScreenToWindow(TPoint{client.x, client.y});
    } else {
        p = ScreenToWindow(TPoint{GET_X_LPARAM(Msg.LParam), GET_Y_LPARAM(Msg.LParam)});
    }
    // A bar that holds the mouse takes it wherever it is.
    auto holds = [](const TElCtrlScrollBarStyles* bar) { return bar->Tracking() || bar->ThumbMoved(); };
    TElCtrlScrollBarStyles* target = nullptr;
    for (TElCtrlScrollBarStyles* bar : bars)
        if (holds(bar))
            target = bar;
    if (!target)
        for (TElCtrlScrollBarStyles* bar : bars)
            if (BarVisible(*bar) && bar->BarRect().Contains(p))
                target = bar;
    const bool held = target && holds(target);
    for (TElCtrlScrollBarStyles* bar : bars) {
        if (bar == target)
            continue;
        if (bar->MouseInside())
            bar->MouseLeave();
        if (bar->Tracking())
            bar->MouseDown(false, false, p.X - bar->BarRect().Left, p.Y - bar->BarRect().Top);
    }
    if (!target)
        return false;
    const int32_t x = p.X - target->BarRect().Left, y = p.Y - target->BarRect().Top;
    if (!target->MouseInside())
        target->MouseEnter();
    switch (m) {
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        target->MouseDown(true, false, x, y);
        break;
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP:
        target->MouseDown(false, false, x, y);
        break;
    default:
        target->MouseMove(x, y);
        break;
    }
    // Leaving is reported only to windows that ask for it.
    if (m == WM_NCMOUSEMOVE || (m == WM_MOUSEMOVE && holds(target))) {
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof track;
        track.dwFlags = TME_LEAVE | (m == WM_NCMOUSEMOVE ? TME_NONCLIENT : 0);
        track.hwndTrack = wnd;
        TrackMouseEvent(&track);
    }
    if (m >= WM_NCMOUSEMOVE && m <= WM_NCLBUTTONDBLCLK)
        return true;
    return held;
}
