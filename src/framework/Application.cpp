#include "framework/Application.h"

#include "framework/Dialogs.h"
#include "framework/Exceptions.h"
#include "framework/ExceptionBarrier.h"
#include "framework/HintManager.h"
#include "framework/Screen.h"
#include "framework/StrConv.h"
#include "framework/SyncQueue.h"
#include "framework/SystemSettings.h"
#include "framework/UtilityWindow.h"
#include "framework/WinText.h"

#include <windowsx.h>

#include <algorithm>

TApplication* Application = nullptr;

namespace {

// The program's application and screen objects. Made before main runs; freed after it
// returns: the application first (the forms it still owns go with it, and they leave the
// screen's list as they go), then the screen.
struct TProgramObjects {
    TProgramObjects()
    {
        screen.reset(new TScreen());
        ::Screen = screen.get();
        application.reset(new TApplication());
        ::Application = application.get();
    }
    ~TProgramObjects()
    {
        application.reset();
        ::Application = nullptr;
        screen.reset();
        ::Screen = nullptr;
    }
    TOwned<TScreen> screen;
    TOwned<TApplication> application;
};

TProgramObjects programObjects;

}  // namespace

std::u16string ExceptionText(std::exception_ptr E)
{
    try {
        if (E)
            std::rethrow_exception(E);
    } catch (const Exception& e) {
        return e.Message();
    } catch (const std::exception& e) {
        return Utf8ToWide(e.what());
    } catch (...) {
    }
    return u"Unknown exception";
}

TApplication::TApplication() : TComponent(nullptr)
{
    // Exceptions caught at system callbacks end up here.
    SetExceptionHandler([](std::exception_ptr e) {
        if (::Application)
            ::Application->HandleException(nullptr, e);
    });
}

TApplication::~TApplication()
{
    // The owned forms go while the application is whole: their handlers may still use it.
    DestroyComponents();
    hints_.reset();
    if (handle_)
        DeallocateHWnd(handle_);
    SetExceptionHandler(nullptr);
}

void TApplication::Initialize()
{
    LoadLocaleFormatSettings();
    InstallSystemFolderSeam();
}

HWND TApplication::Handle()
{
    if (!handle_) {
        handle_ = AllocateHWnd([this](TMessage& m) {
            for (auto& [id, hook] : std::vector<std::pair<int, TWindowHook>>(hooks_))
                if (hook(m))
                    return true;
            if (m.Msg == WM_QUERYENDSESSION) {
                m.Result = 1;
                return true;
            }
            return false;
        });
        SetWindowTextW(handle_, WideChars(Title));
    }
    return handle_;
}

int TApplication::HookMainWindow(TWindowHook Hook)
{
    hooks_.emplace_back(nextHookId_, std::move(Hook));
    return nextHookId_++;
}

void TApplication::UnhookMainWindow(int Id)
{
    hooks_.erase(std::remove_if(hooks_.begin(), hooks_.end(), [Id](auto& h) { return h.first == Id; }), hooks_.end());
}

void TApplication::SetHint(const std::u16string& Value)
{
    if (Value == hint_)
        return;
    hint_ = Value;
    if (OnHint)
        OnHint(this);
}

THintManager& TApplication::Hints()
{
    if (!hints_)
        hints_ = std::make_unique<THintManager>(*this);
    return *hints_;
}

void TApplication::SetShowHint(bool Value)
{
    showHint_ = Value;
    if (!Value && hints_)
        hints_->Cancel();
}

void TApplication::SetHintWindowClass(THintWindowClass Value)
{
    Hints().SetWindowClass(std::move(Value));
}

THintWindow* TApplication::HintWindow() const
{
    return hints_ ? hints_->Window() : nullptr;
}

void TApplication::CancelHint()
{
    if (hints_)
        hints_->Cancel();
}

void TApplication::HandleException(TObject* Sender, std::exception_ptr E)
{
    if (OnException) {
        OnException(Sender, E);
        return;
    }
    ShowException(E);
}

void TApplication::ShowException(std::exception_ptr E)
{
    std::u16string text = ExceptionText(E);
    if (!text.empty() && text.back() > u'.')
        text += u'.';
    ShowMessageBox(text, Title, MB_OK | MB_ICONERROR);
}

void TApplication::Terminate()
{
    PostQuitMessage(0);
}

void TApplication::TrackHover(const MSG& Msg)
{
    TWinControl* window = TWinControl::FindControl(Msg.hwnd);
    TControl* control = window;
    if (window && window->HandleAllocated() && window->Handle() == Msg.hwnd) {
        if (TControl* inner = window->ControlAtPos({GET_X_LPARAM(Msg.lParam), GET_Y_LPARAM(Msg.lParam)}, true, false))
            control = inner;
    }
    POINT screen{GET_X_LPARAM(Msg.lParam), GET_Y_LPARAM(Msg.lParam)};
    ClientToScreen(Msg.hwnd, &screen);
    const bool changed = control != hoverControl_.Get();
    if (changed) {
        if (TControl* old = hoverControl_.Get()) {
            hoverControl_ = nullptr;
            old->Perform(CM_MOUSELEAVE);
        }
        hoverControl_ = control;
        if (control) {
            control->Perform(CM_MOUSEENTER);
            // The innermost control with a hint speaks for the place.
            TControl* withHint = control;
            while (withHint && withHint->Hint.empty())
                withHint = withHint->Parent();
            SetHint(withHint ? GetLongHint(withHint->Hint) : std::u16string());
        }
    }
    // The system tells the window under the mouse when the mouse leaves it (WM_MOUSELEAVE),
    // also when it leaves the program's windows altogether.
    if (control && (changed || Msg.hwnd != trackedWindow_)) {
        TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Msg.hwnd, 0};
        if (TrackMouseEvent(&track))
            trackedWindow_ = Msg.hwnd;
    }
    Hints().MouseMoved(hoverControl_.Get(), {screen.x, screen.y}, changed);
}

void TApplication::MouseLeft(HWND Wnd)
{
    // A window left for one of its children reports too late to matter: only the window
    // tracked last ends the hover.
    if (Wnd != trackedWindow_)
        return;
    trackedWindow_ = nullptr;
    TControl* old = hoverControl_.Get();
    hoverControl_ = nullptr;
    if (old)
        old->Perform(CM_MOUSELEAVE);
    if (hints_)
        hints_->MouseMoved(nullptr, {}, old != nullptr);
}

bool TApplication::IsKeyMsg(MSG& Msg)
{
    if (Msg.message != WM_KEYDOWN && Msg.message != WM_SYSKEYDOWN)
        return false;
    TWinControl* control = TWinControl::FindControl(Msg.hwnd);
    if (!control)
        return false;
    const uint32_t cn = Msg.message == WM_KEYDOWN ? CN_KEYDOWN : CN_SYSKEYDOWN;
    return control->Perform(cn, Msg.wParam, Msg.lParam) != 0;
}

bool TApplication::IsShortCut(TMessage& Message, TCustomForm* AskedForm)
{
    bool handled = false;
    if (OnShortCut)
        OnShortCut(Message, handled);
    if (handled)
        return true;
    TCustomForm* main = MainForm.Get();
    // A disabled main form stands behind a modal dialog: its commands wait until that ends.
    if (!main || main == AskedForm || !main->HandleAllocated() || !main->Visible() || !IsWindowEnabled(main->Handle()))
        return false;
    return main->IsShortCut(Message);
}

bool TApplication::ProcessMessage(MSG& Msg)
{
    if (!PeekMessageW(&Msg, nullptr, 0, 0, PM_REMOVE))
        return false;
    if (Msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    switch (Msg.message) {
    case WM_MOUSEMOVE:
        TrackHover(Msg);
        break;
    case WM_MOUSELEAVE:
        MouseLeft(Msg.hwnd);
        break;
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN: case WM_NCLBUTTONDOWN:
    case WM_NCRBUTTONDOWN: case WM_MOUSEWHEEL: case WM_KEYDOWN: case WM_SYSKEYDOWN:
        CancelHint();
        break;
    default:
        break;
    }
    if (IsKeyMsg(Msg))
        return true;
    if (Msg.message == WM_KEYDOWN || Msg.message == WM_SYSKEYDOWN) {
        // Only the control's own window: a foreign child (a system control inside it) is left
        // to the system's translation.
        TWinControl* control = TWinControl::FindControl(Msg.hwnd);
        if (control && control->HandleAllocated() && control->Handle() == Msg.hwnd &&
            control->TakesKeysBeforeTranslation()) {
            DispatchUntranslatedKey(Msg);
            return true;
        }
    }
    TranslateMessage(&Msg);
    DispatchMessageW(&Msg);
    return true;
}

void TApplication::DispatchUntranslatedKey(MSG& Msg)
{
    // A key handler may run a loop of its own (a modal dialog): each loop keeps its own key.
    TPendingKey key{Msg.hwnd, false};
    struct TRestore {
        TPendingKey*& Slot;
        TPendingKey* Outer;
        ~TRestore() { Slot = Outer; }
    } restore{pendingKey_, pendingKey_};
    pendingKey_ = &key;
    DispatchMessageW(&Msg);
    pendingKey_ = restore.Outer;
    if (!key.Claimed)
        TranslateMessage(&Msg);
}

bool TApplication::KeyTranslationPending(HWND Wnd) const
{
    return pendingKey_ && pendingKey_->Wnd == Wnd && !pendingKey_->Claimed;
}

void TApplication::ClaimKey(HWND Wnd)
{
    if (pendingKey_ && pendingKey_->Wnd == Wnd)
        pendingKey_->Claimed = true;
}

void TApplication::ProcessMessages()
{
    MSG msg;
    for (;;) {
        try {
            if (!ProcessMessage(msg) && !CheckSynchronize())
                return;
        } catch (...) {
            HandleException(this);
        }
    }
}

void TApplication::ProcessPaintMessages()
{
    // Bounded: a window that does not validate what it was asked to paint would otherwise
    // keep this loop busy for good.
    MSG msg;
    for (int i = 0; i < 256 && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); ++i) {
        if (msg.message == WM_QUIT) {  // stays for the loop that is waiting for it
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        try {
            DispatchMessageW(&msg);
        } catch (...) {
            HandleException(this);
        }
    }
}

bool TApplication::ProcessOneMessage()
{
    MSG msg{};
    try {
        return ProcessMessage(msg) && msg.message != WM_QUIT;
    } catch (...) {
        HandleException(this);
        return true;
    }
}

void TApplication::HandleMessage()
{
    MSG msg;
    try {
        if (!ProcessMessage(msg) && !CheckSynchronize())
            WaitMessage();
    } catch (...) {
        HandleException(this);
    }
}

void TApplication::Run()
{
    terminated_ = false;
    if (MainForm)
        MainForm->Show();
    while (!terminated_)
        HandleMessage();
    FreeCreatedForms();
}

void TApplication::FreeCreatedForms()
{
    std::vector<TWeakRef<TCustomForm>> forms;
    forms.swap(createdForms_);
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        try {
            Free(it->Get());  // nil for a form the program freed itself
        } catch (...) {
            // One form's failing OnDestroy does not keep the others alive.
            HandleException(this);
        }
    }
}
