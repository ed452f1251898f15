// TElSBController: gives a windowed control replacement scroll bars in place of the standard
// ones. The control keeps its WS_HSCROLL / WS_VSCROLL styles and its own scrolling: it sets
// its scroll state with the system's scroll functions and handles WM_HSCROLL / WM_VSCROLL as
// usual. The controller hooks the control's window procedure and
//   - takes the non-client room the standard bars would get and paints its two bars there
//     (with the corner square between them), on every non-client paint;
//   - answers non-client hit tests over the bars (HTHSCROLL, HTVSCROLL; the size grip of a
//     sizeable form) and routes the mouse to them;
//   - hands the bars' scroll requests to the control as WM_HSCROLL / WM_VSCROLL, with drawing
//     switched off around each one and always switched on again, however such messages nest
//     (a control may scroll itself while it handles one); a thumb position beyond the message's
//     16 bits reaches the control whole as the bar's tracked position (ElScrollThumbPosition);
//   - learns of scroll changes through the scroll-function hook (ElScrollHook), and, for system
//     controls (LISTBOX, EDIT) that change their bars without those functions, by reading the
//     scroll state again after every message that can change it.
//
// The scroll-function hook must be installed at start-up (InstallScrollHook); without it the
// controller stays inactive and the control shows the standard bars. So it does without a
// control, and while locked.
//
// Using it: own one per control, call SetControl(control) (before or after the window exists),
// check IsHooked() (false: the standard bars stay), and SetControl(nullptr) to go back to the
// standard bars.
#pragma once

#include "widgets/el/foundation/ElComponent.h"
#include "widgets/el/foundation/ElCtrlScrollBarStyles.h"
#include "widgets/el/foundation/ElHook.h"
#include "widgets/el/foundation/ElSBWinHost.h"
#include "widgets/el/foundation/ElUxTheme.h"

#include "framework/Canvas.h"
#include "framework/Controls.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

// Sent to controls (with WParam SPI_SETNONCLIENTMETRICS) when the system's non-client metrics
// change; a controller measures its control's frame again.
constexpr UINT EL_SB_UPDATEFRAME = 0x0913;

// The whole thumb position of a WM_HSCROLL / WM_VSCROLL with SB_THUMBPOSITION or SB_THUMBTRACK
// for the window's own Bar: the message holds its low 16 bits, the bar's tracked position (where
// the controller puts a position beyond them) the whole of it.
int32_t ElScrollThumbPosition(HWND Window, int Bar, WPARAM WParam);

using TElPaintCrossScrollBarsAreaEvent =
    std::function<void(TObject* Sender, TCanvas* Canvas, const TRect& R, bool& DefaultDraw)>;

class TElSBController : public TElComponent, public TElSBWinHost {
public:
    explicit TElSBController(TComponent* AOwner);
    ~TElSBController() override;
    const char* ClassName() const override { return "TElSBController"; }

    TWinControl* Control() const { return control_; }
    void SetControl(TWinControl* Value);
    // A control is set and the scroll-function hook is installed.
    bool IsHooked() const;

    // The two bars (owned): index 0 horizontal, 1 vertical. Setting copies the styles (Assign).
    TElCtrlScrollBarStyles* ScrollBarStyles(int Index) const { return Index == 0 ? horz_.get() : vert_.get(); }
    void SetScrollBarStyles(int Index, const TElCtrlScrollBarStyles* Value);
    TElCtrlScrollBarStyles* HorzScrollBarStyles() const { return horz_.get(); }
    void SetHorzScrollBarStyles(const TElCtrlScrollBarStyles* Value) { SetScrollBarStyles(0, Value); }
    TElCtrlScrollBarStyles* VertScrollBarStyles() const { return vert_.get(); }
    void SetVertScrollBarStyles(const TElCtrlScrollBarStyles* Value) { SetScrollBarStyles(1, Value); }

    bool UseXPThemes() const { return useXPThemes_; }
    void SetUseXPThemes(bool Value);
    // The open "SCROLLBAR" theme (opened on first use; null when none).
    HTHEME ThemeHandle();

    // True: the controller takes WM_MOUSEWHEEL and scrolls the vertical bar itself.
    bool HandleWheel = false;
    // Paints the square between two visible bars; DefaultDraw (preset true) asks for the
    // default look as well.
    TElPaintCrossScrollBarsAreaEvent OnPaintCrossScrollBarsArea;

    // While locked the hook handlers and repaint requests do nothing.
    int32_t LockCount() const { return lockCount_; }
    void Lock() { ++lockCount_; }
    void Unlock();

    // Left, Top, Right and Bottom: the widths of the control's border on each side, as measured
    // at the last WM_NCCALCSIZE.
    const TRect& NonClientInsets() const { return insets_; }
    // 1: drawing switched off by someone; 2: drawing on; 3: switched off by the controller
    // around a scroll message.
    uint8_t RedrawState() const { return redrawState_; }

    // ---- IElScrollBarHost: what depends on the controller's own state
    bool IsLoading() override;
    void UpdateFrame() override;
    bool ScrollControl(TElSBHandlerCustom& Bar, uint8_t ScrollCode, int32_t& Pos) override;
    void InvalidateBar(TElSBHandlerCustom& Bar, bool EvenWhileLocked) override;
    // ElBarHorz, ElBarVert or ElBarsBoth; a bar is painted when its style bit is set.
    void PaintBars(int32_t Which) override;
    bool OtherBarTracking(const TElSBHandlerCustom& Bar) override;
    bool Themed(const TElSBHandlerCustom& Bar) override;
    bool ThemeTrackColor(TColor& Color) override;

    // The hook's handlers, before and after the control's own processing.
    void HandleCtrlMsgBefore(TMessage& Msg, bool& Handled);
    void HandleCtrlMsgAfter(TMessage& Msg, bool& Handled);

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;

private:
    // A message that the control processes with the scroll style bits cleared (so that the
    // default procedure neither reserves room for nor draws standard bars).
    struct TStyleSuspension {
        uint32_t Msg;
        LONG Style;
        RECT Window;  // WM_NCCALCSIZE: the proposed window rectangle
    };

    bool Active() const { return IsHooked() && lockCount_ == 0; }
    TElCtrlScrollBarStyles& Other(const TElSBHandlerCustom& Bar) const;
    void ReleaseBars();

    void BeginStyleSuspension(TMessage& Msg);
    bool EndStyleSuspension(const TMessage& Msg, TStyleSuspension& Ended);
    void CalcNonClient(TMessage& Msg, const TStyleSuspension& Pass);
    bool NonClientHitTest(TMessage& Msg);
    void PaintFrame();
    void PaintCorner(HDC Dc, const TRect& Corner);
    bool DispatchMouse(TMessage& Msg);
    void HandleScrollNotify(TMessage& Msg);
    void CancelMode();
    // One WM_HSCROLL / WM_VSCROLL in progress; they nest when a control scrolls itself while
    // handling one.
    struct TScrollLevel {
        uint32_t Msg = 0;
        int32_t PositionBefore = 0;
        bool SwitchedOff = false;  // this one switched drawing off, and switches it on again
    };
    void BeginScrollLevel(const TMessage& Msg);
    void EndScrollLevel();
    // Switches drawing on again when the controller switched it off around a scroll message;
    // invalidates the control when the scroll Ended moved its bar.
    void RestoreRedraw(const TScrollLevel* Ended);
    // Sends a scroll message; a thumb position beyond 16 bits is put where the control reads
    // the whole of it first.
    void SendScroll(TElSBHandlerCustom& Bar, int Code, int32_t Position);
    // Reads the bar again when the window's scroll state differs from the bar's.
    void ReReadIfChanged(TElCtrlScrollBarStyles& Bar);
    void AfterMessage(TMessage& Msg);
    // The corner square between the bars in window coordinates (empty unless both show).
    TRect CornerRect();
    bool SizeableForm() const;
    void PaintBar(TElCtrlScrollBarStyles& Bar);

    std::unique_ptr<TElHook> hook_;
    std::unique_ptr<TElCtrlScrollBarStyles> horz_;
    std::unique_ptr<TElCtrlScrollBarStyles> vert_;
    TElThemeHandle theme_;
    bool useXPThemes_ = true;
    TRect insets_;
    uint8_t redrawState_ = 2;
    std::vector<TScrollLevel> scrollLevels_;
    // Set while SendScroll has moved the bar ahead of its message: the position before.
    uint32_t heldMsg_ = 0;
    int32_t heldPosition_ = 0;
    int32_t lockCount_ = 0;
    std::vector<TStyleSuspension> suspended_;
};
