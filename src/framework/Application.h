// TApplication: the program's message loop and its place for unhandled exceptions.
//
// Life: the application and screen objects are made before main runs and freed after it
// returns (the application first, with the forms it still owns). Run ends by freeing the forms
// that CreateForm made, the last made first, so that their OnDestroy handlers run while the
// program is still whole.
//
// The loop hands each key to the focused control's form first (menu short-cuts), then to the
// application's short-cut step (the main form's menus), then to the form's dialog keys (Tab,
// Enter and Escape), then translates and dispatches it, where the form's key
// preview and then the control's own key events see it. Every exception that reaches the
// loop or a window procedure goes to HandleException: the standard error box (through the
// message-box seam), and the loop goes on.
#pragma once

#include "framework/Forms.h"
#include "framework/HintWindow.h"
#include "framework/WideHints.h"

#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class THintManager;

class TApplication : public TComponent {
public:
    TApplication();
    ~TApplication() override;
    const char* ClassName() const override { return "TApplication"; }

    // Takes the user's locale conventions and the system's special folders.
    void Initialize();

    // Creates a form owned by the application; the first one becomes the main form.
    template <class T>
    void CreateForm(T*& Reference)
    {
        Reference = nullptr;
        T* form = CreateComponent<T>(this);
        Reference = form;
        createdForms_.emplace_back(form);
        if (!MainForm)
            MainForm = form;
    }

    // The short-cut step of a key that the active form did not use (the record of a
    // WM_KEYDOWN or WM_SYSKEYDOWN): OnShortCut, then the main form's short-cuts (its menus)
    // while the main form is enabled, so that a menu short-cut works from every window of the
    // program that no modal dialog covers. AskedForm already had the key. True when one took it.
    bool IsShortCut(TMessage& Message, TCustomForm* AskedForm = nullptr);
    TShortCutEvent OnShortCut;

    // Shows the main form and runs the loop until Terminate; then frees the forms CreateForm
    // made (those still there), the last made first.
    void Run();
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Handles every waiting message, then returns.
    void ProcessMessages();
    // Answers the paint messages waiting and whatever is sent to this thread's windows, and
    // leaves input, commands, timers and posted messages waiting in the queue: for work on
    // this thread that must not be entered by anything else while the windows stay drawn.
    void ProcessPaintMessages();
    // Handles one message, waiting for one when none is there.
    void HandleMessage();
    // Handles one waiting message; false when none was waiting or it was WM_QUIT (which ends
    // the loop: Terminated, and is not dispatched).
    bool ProcessOneMessage();

    TWeakRef<TCustomForm> MainForm;
    std::u16string Title;
    TBiDiMode BiDiMode = TBiDiMode::bdLeftToRight;

    // The hint of the control under the mouse (its long part) or of the selected menu item.
    const std::u16string& Hint() const { return hint_; }
    void SetHint(const std::u16string& Value);
    TNotifyEvent OnHint;

    // Hint windows: when the mouse rests HintPause ms on a control with a hint (ShowHint on
    // both the control and the application), the control gets CM_HINTSHOW and its short hint
    // shows for HintHidePause ms; moving on to another control while a hint shows takes
    // HintShortPause. A click, a key or the mouse leaving the control hides the hint.
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool Value);
    int HintPause = 500;
    int HintShortPause = 50;
    int HintHidePause = 2500;
    TColor HintColor = clInfoBk;
    // Replaces the class of the hint window (the next hint uses it).
    void SetHintWindowClass(THintWindowClass Value);
    // The hint window of the last hint; nil before the first.
    THintWindow* HintWindow() const;
    void CancelHint();

    // Call inside a catch block (or pass the exception): OnException when set, else the
    // standard error box.
    void HandleException(TObject* Sender, std::exception_ptr E = std::current_exception());
    void ShowException(std::exception_ptr E);
    std::function<void(TObject* Sender, std::exception_ptr E)> OnException;

    // The key-down the loop is handing to a control that takes its keys before translation
    // (TWinControl::TakesKeysBeforeTranslation): the loop translates it into characters only
    // after the control had it, and not at all once the control claimed it. Keys sent or posted
    // to a window outside the loop are never pending.
    bool KeyTranslationPending(HWND Wnd) const;
    void ClaimKey(HWND Wnd);

    // The hidden application window, and hooks that see its messages first.
    HWND Handle();
    using TWindowHook = std::function<bool(TMessage& Message)>;
    int HookMainWindow(TWindowHook Hook);
    void UnhookMainWindow(int Id);

private:
    bool ProcessMessage(MSG& Msg);
    void FreeCreatedForms();
    bool IsKeyMsg(MSG& Msg);
    // Dispatches a key-down to a control that takes its keys before translation, then
    // translates it unless the control claimed it.
    void DispatchUntranslatedKey(MSG& Msg);
    void TrackHover(const MSG& Msg);
    void MouseLeft(HWND Wnd);
    THintManager& Hints();

    bool terminated_ = false;
    std::u16string hint_;
    std::vector<TWeakRef<TCustomForm>> createdForms_;
    TWeakRef<TControl> hoverControl_;
    HWND trackedWindow_ = nullptr;  // the window whose mouse-leave the system reports to us
    bool showHint_ = true;
    std::unique_ptr<THintManager> hints_;
    HWND handle_ = nullptr;
    std::vector<std::pair<int, TWindowHook>> hooks_;
    int nextHookId_ = 1;
    struct TPendingKey {
        HWND Wnd;
        bool Claimed;
    };
    TPendingKey* pendingKey_ = nullptr;  // the innermost loop's key-down being dispatched
};

extern TApplication* Application;

// The text of an exception for the error box (its message; "Unknown exception" otherwise).
std::u16string ExceptionText(std::exception_ptr E);
