#include "widgets/el/foundation/ElSBWinHost.h"

#include "widgets/el/foundation/ElDrawing.h"
#include "widgets/el/foundation/ElHintWindow.h"
#include "widgets/el/foundation/ElSBGeometry.h"

#include "framework/ExceptionBarrier.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"

#include <oleacc.h>

// ---- TElSBRepeatTimer

TElSBRepeatTimer::TElSBRepeatTimer(TElSBHandlerCustom& Bar) : timer_(nullptr)
{
    timer_.SetEnabled(false);
    timer_.OnTimer = [&Bar](TObject*) { Guarded([&] { Bar.RepeatTimerTick(); }); };
}

void TElSBRepeatTimer::Start(uint32_t IntervalMs)
{
    // Restarting counts the interval from now, as a fresh press does.
    timer_.SetEnabled(false);
    timer_.SetInterval(IntervalMs == 0 ? 1 : IntervalMs);
    timer_.SetEnabled(true);
}

void TElSBRepeatTimer::Stop()
{
    timer_.SetEnabled(false);
}

// ---- TElSBWinHost

TElSBWinHost::~TElSBWinHost() = default;

HWND TElSBWinHost::ControlHandle() const
{
    return control_ && control_->HandleAllocated() ? control_->Handle() : nullptr;
}

int32_t TElSBWinHost::SystemMetric(TElSBMetric Metric)
{
    switch (Metric) {
    case TElSBMetric::HArrowWidth: return GetSystemMetrics(SM_CXHSCROLL);
    case TElSBMetric::VArrowHeight: return GetSystemMetrics(SM_CYVSCROLL);
    case TElSBMetric::HThumbWidth: return GetSystemMetrics(SM_CXHTHUMB);
    case TElSBMetric::VThumbHeight: return GetSystemMetrics(SM_CYVTHUMB);
    case TElSBMetric::HBarHeight: return GetSystemMetrics(SM_CYHSCROLL);
    case TElSBMetric::VBarWidth: return GetSystemMetrics(SM_CXVSCROLL);
    }
    return 0;
}

uint32_t TElSBWinHost::KeyboardDelay()
{
    UINT value = 1;
    SystemParametersInfoW(SPI_GETKEYBOARDDELAY, 0, &value, 0);
    return value;
}

uint32_t TElSBWinHost::KeyboardSpeed()
{
    DWORD value = 31;
    SystemParametersInfoW(SPI_GETKEYBOARDSPEED, 0, &value, 0);
    return value;
}

bool TElSBWinHost::WheelPresent()
{
    return GetSystemMetrics(SM_MOUSEWHEELPRESENT) != 0;
}

uint32_t TElSBWinHost::WheelScrollLines()
{
    UINT value = 3;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &value, 0))
        return 3;
    return value;
}

bool TElSBWinHost::HandleAllocated()
{
    return ControlHandle() != nullptr;
}

bool TElSBWinHost::ControlEnabled()
{
    const HWND wnd = ControlHandle();
    return wnd ? IsWindowEnabled(wnd) != FALSE : (control_ && control_->Enabled());
}

bool TElSBWinHost::ControlFocused()
{
    return control_ && control_->Focused();
}

bool TElSBWinHost::ParentFormDestroying()
{
    TCustomForm* form = control_ ? control_->ParentForm() : nullptr;
    return form && form->IsDestroying();
}

bool TElSBWinHost::ReadScrollInfo(const TElSBHandlerCustom& Bar, TElScrollInfo& Info, bool& Disabled)
{
    const HWND wnd = ControlHandle();
    if (!wnd)
        return false;
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = Info.fMask;
    if (!GetScrollInfo(wnd, Bar.BarIndex(), &si))
        return false;
    Info.fMask = si.fMask;
    Info.nMin = si.nMin;
    Info.nMax = si.nMax;
    Info.nPage = si.nPage;
    Info.nPos = si.nPos;
    Info.nTrackPos = si.nTrackPos;
    SCROLLBARINFO sbi{};
    sbi.cbSize = sizeof sbi;
    Disabled = GetScrollBarInfo(wnd, Bar.BarIndex() == SB_VERT ? OBJID_VSCROLL : OBJID_HSCROLL, &sbi) &&
               (sbi.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) != 0;
    return true;
}

namespace {

LONG StyleBitOf(const TElSBHandlerCustom& Bar)
{
    return Bar.BarIndex() == SB_VERT ? WS_VSCROLL : WS_HSCROLL;
}

}  // namespace

bool TElSBWinHost::BarVisible(const TElSBHandlerCustom& Bar)
{
    const HWND wnd = ControlHandle();
    if (!wnd)
        return Bar.CachedVisible();
    return (GetWindowLongW(wnd, GWL_STYLE) & StyleBitOf(Bar)) != 0;
}

LONG TElSBWinHost::ChangeStyleBits(LONG Bits, bool Set)
{
    const HWND wnd = ControlHandle();
    if (!wnd)
        return 0;
    const LONG style = GetWindowLongW(wnd, GWL_STYLE);
    const LONG wanted = Set ? (style | Bits) : (style & ~Bits);
    if (wanted != style) {
        const bool was = styleChanging_;
        styleChanging_ = true;
        SetWindowLongW(wnd, GWL_STYLE, wanted);
        styleChanging_ = was;
    }
    return style;
}

bool TElSBWinHost::SetBarVisible(TElSBHandlerCustom& Bar, bool Visible)
{
    if (!ControlHandle())
        return false;
    const LONG before = ChangeStyleBits(StyleBitOf(Bar), Visible);
    return ((before & StyleBitOf(Bar)) != 0) != Visible;
}

void TElSBWinHost::RepaintFrame()
{
    if (const HWND wnd = ControlHandle())
        SendMessageW(wnd, WM_NCPAINT, 1, 0);
}

void TElSBWinHost::CaptureMouse(TElSBHandlerCustom&)
{
    const HWND wnd = ControlHandle();
    if (!wnd)
        return;
    const HWND holder = GetCapture();
    if (holder != wnd) {
        if (holder && !captured_) {
            savedCapture_ = holder;
            ReleaseCapture();
        }
        SetCapture(wnd);
    }
    captured_ = true;
}

void TElSBWinHost::ReleaseMouse(TElSBHandlerCustom&)
{
    ReleaseHeldCapture();
}

void TElSBWinHost::ReleaseHeldCapture()
{
    if (!captured_)
        return;
    captured_ = false;
    const HWND wnd = ControlHandle();
    if (wnd && GetCapture() == wnd)
        ReleaseCapture();
    const HWND saved = savedCapture_;
    savedCapture_ = nullptr;
    // The window that had the mouse may be gone, or may belong to another thread by now.
    if (saved && IsWindow(saved) && GetWindowThreadProcessId(saved, nullptr) == GetCurrentThreadId())
        SetCapture(saved);
}

TPoint TElSBWinHost::ScreenToWindow(TPoint Screen)
{
    RECT window{};
    if (const HWND wnd = ControlHandle())
        GetWindowRect(wnd, &window);
    return TPoint{Screen.X - window.left, Screen.Y - window.top};
}

TPoint TElSBWinHost::CursorPos(const TElSBHandlerCustom& Bar)
{
    POINT p{};
    if (!ControlHandle() || !GetCursorPos(&p))
        return TPoint{-1, -1};
    const TPoint w = ScreenToWindow(TPoint{p.x, p.y});
    return TPoint{w.X - Bar.BarRect().Left, w.Y - Bar.BarRect().Top};
}

THintWindow* TElSBWinHost::TrackHintWindow(int32_t BarIndex) const
{
    return BarIndex == 0 || BarIndex == 1 ? hints_[BarIndex].get() : nullptr;
}

void TElSBWinHost::ShowTrackHint(TElSBHandlerCustom& Bar, TPoint Offset, const std::u16string& Text)
{
    const HWND wnd = ControlHandle();
    const int32_t index = Bar.BarIndex();
    if (!wnd || (index != 0 && index != 1))
        return;
    auto& hint = hints_[index];
    if (!hint) {
        hint.reset(CreateComponent<TElHintWindow>(nullptr));
        hint->SetColor(clInfoBk);
    }
    static_cast<TElHintWindow*>(hint.get())->IsHTML = Bar.Styles().IsHTML;
    TRect desktop;
    GetDesktopRect(desktop);
    const TRect size = hint->CalcHintRect(desktop.Width(), Text);
    RECT window{};
    GetWindowRect(wnd, &window);
    const TPoint barOrigin{window.left + Bar.BarRect().Left, window.top + Bar.BarRect().Top};
    const TPoint at = PlaceTrackHint(Bar.Vertical(), barOrigin, Offset, TSize{size.Width(), size.Height()}, desktop);
    hint->ActivateHint(TRect{at.X, at.Y, at.X + size.Width(), at.Y + size.Height()}, Text);
}

void TElSBWinHost::HideTrackHint(TElSBHandlerCustom& Bar)
{
    const int32_t index = Bar.BarIndex();
    if (index == 0 || index == 1)
        hints_[index].reset();
}

void TElSBWinHost::FreeTrackHints()
{
    hints_[0].reset();
    hints_[1].reset();
}

TColor TElSBWinHost::ResolveColor(TColor Color)
{
    return static_cast<TColor>(ColorToRGB(Color));
}
