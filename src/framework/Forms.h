// TCustomForm and TForm: top-level windows with border styles, placement, modal loops,
// closing, key preview and the dialog keys (Tab, Enter, Escape).
#pragma once

#include "framework/Controls.h"
#include "framework/Menus.h"
#include "framework/ModalResult.h"

#include <functional>
#include <memory>
#include <vector>

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TPosition { poDesigned, poScreenCenter, poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TCloseEvent = std::function<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = std::function<void(TObject* Sender, bool& CanClose)>;
using TShortCutEvent = std::function<void(TMessage& Message, bool& Handled)>;

// The visible, enabled windows of the calling thread other than Except, disabled while the
// object lives, as a modal loop disables them; Enable (or the end of the scope) enables them
// again in the reverse order, skipping any that were destroyed meanwhile.
class TDisabledThreadWindows {
public:
    explicit TDisabledThreadWindows(HWND Except = nullptr);
    ~TDisabledThreadWindows();
    TDisabledThreadWindows(const TDisabledThreadWindows&) = delete;
    TDisabledThreadWindows& operator=(const TDisabledThreadWindows&) = delete;

    void Enable();

private:
    static BOOL CALLBACK DisableOne(HWND Wnd, LPARAM Self);
    HWND except_;
    std::vector<HWND> windows_;
};

class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;
    const char* ClassName() const override { return "TCustomForm"; }
    // Runs Loaded on the components built in the constructor, then OnCreate.
    void AfterConstruction() override;
    // OnDestroy first, with everything still in place.
    void BeforeDestruction() override;

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle Value);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle Value);
    TPosition Position = TPosition::poDesigned;
    TWindowState WindowState() const;
    void SetWindowState(TWindowState Value);
    bool AlphaBlend() const { return alphaBlend_; }
    void SetAlphaBlend(bool Value);
    uint8_t AlphaBlendValue() const { return alphaValue_; }
    void SetAlphaBlendValue(uint8_t Value);
    void SetClientSize(int AWidth, int AHeight) override;

    bool KeyPreview = false;
    // Showing the form makes it the active window and gives it the focus. Off: it is shown in
    // its normal state without taking either (a floating tool window beside the main window),
    // and becomes active only when the user clicks it.
    bool ActivateOnShow = true;
    // The form whose window owns this one's: this form stays above it and goes with it, as a
    // tool window goes with its program's main window. None: the owner component, when that
    // is a form.
    TCustomForm* PopupParent() const { return popupParent_.Get(); }
    void SetPopupParent(TCustomForm* Value);
    // The menu bar. Not owned; the form lets go of it when it is freed, and a menu shown by
    // another form moves here.
    TMainMenu* Menu() const { return menu_.Get(); }
    void SetMenu(TMainMenu* Value);

    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult Value) { modalResult_ = Value; }
    bool IsModal() const { return modal_; }
    // Shows the form modally: every other window of the program is disabled, a nested loop
    // runs (timers keep ticking) until ModalResult is set, then the windows are enabled again.
    TModalResult ShowModal();
    void Close();
    virtual bool CloseQuery();
    // Frees the form once the messages now waiting have been handled.
    void Release();
    void BringToFront();

    TWinControl* ActiveControl() const { return activeControl_.Get(); }
    void SetActiveControl(TWinControl* Control);
    // Moves the focus to the next (or previous) control in tab order.
    void SelectNext(TWinControl* Current, bool GoForward, bool CheckTabStop);
    // The first control in tab order that can take the focus.
    TWinControl* FindNextControl(TWinControl* Current, bool GoForward, bool CheckTabStop) const;
    void FocusChanged(TWinControl* Control);

    // Offers a key (the record of a WM_KEYDOWN or WM_SYSKEYDOWN) before it is translated:
    // OnShortCut, then the menu's short-cuts. True when one took it.
    virtual bool IsShortCut(TMessage& Message);

    TCanvas* Canvas() { return canvas_.get(); }

    TNotifyEvent OnCreate, OnDestroy, OnShow, OnHide, OnPaint, OnActivate, OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;
    TShortCutEvent OnShortCut;

    void WndProc(TMessage& Message) override;

    // Public so that the key preview of the controls on the form reaches them.
    void KeyDown(uint16_t& Key, TShiftState Shift) override { TWinControl::KeyDown(Key, Shift); }
    void KeyUp(uint16_t& Key, TShiftState Shift) override { TWinControl::KeyUp(Key, Shift); }
    void KeyPress(char16_t& Key) override { TWinControl::KeyPress(Key); }

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void PaintWindow(HDC Dc) override;
    void VisibleChanged() override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& Action);

private:
    DWORD WindowStyle() const;
    DWORD WindowExStyle() const;
    HWND OwnerWindow() const;
    // Puts the visible stay-on-top forms above this one again, once the focus moved into it.
    void KeepStayOnTopFormsAbove();
    void ApplyFrameStyle();
    void PlaceByPosition();
    bool CloseModal();

    TFormBorderStyle borderStyle_ = TFormBorderStyle::bsSizeable;
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    TWindowState windowState_ = TWindowState::wsNormal;
    bool alphaBlend_ = false;
    uint8_t alphaValue_ = 255;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool placed_ = false;
    bool showing_ = false;
    bool destroyFired_ = false;
    TWeakRef<TWinControl> activeControl_;
    TWeakRef<TMainMenu> menu_;
    TWeakRef<TCustomForm> popupParent_;
    std::unique_ptr<TCanvas> canvas_;
};

class TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
    const char* ClassName() const override { return "TForm"; }
};

// The modal-dialog seam: when set, it is called with every form that starts a modal loop,
// once the form is shown. It may set the form's controls and end it with SetModalResult
// (then the loop ends without waiting for input), or leave the form running.
std::function<void(TCustomForm* Form)>& ModalDialogHook();
