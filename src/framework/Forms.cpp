#include "framework/Forms.h"

#include "framework/Application.h"
#include "framework/Exceptions.h"
#include "framework/Screen.h"
#include "framework/ScopedGdi.h"

#include <algorithm>
#include <vector>

std::function<void(TCustomForm*)>& ModalDialogHook()
{
    static std::function<void(TCustomForm*)> hook;
    return hook;
}

TCustomForm::TCustomForm(TComponent* AOwner) : TWinControl(AOwner), canvas_(std::make_unique<TCanvas>())
{
    // Components the derived constructors make are loaded with the form.
    SetLoadingState();
    InitVisible(false);
    SetBounds(0, 0, 320, 240);
    ControlStyle |= csDoubleClicks;
    if (Screen)
        Screen->AddForm(this);
}

TCustomForm::~TCustomForm()
{
    SetMenu(nullptr);
    if (Screen)
        Screen->RemoveForm(this);
    if (Application && Application->MainForm == this)
        Application->MainForm = nullptr;
}

void TCustomForm::AfterConstruction()
{
    for (int i = 0; i < ComponentCount(); ++i)
        if (Components(i)->IsLoading())
            Components(i)->Loaded();
    Loaded();
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::BeforeDestruction()
{
    // Once, also when the form goes with its owner (which marked it as destroying already).
    if (!destroyFired_ && OnDestroy) {
        destroyFired_ = true;
        // The form is still whole here: its handler may use every component it owns.
        try {
            OnDestroy(this);
        } catch (...) {
            Destroying();
            throw;
        }
    }
    if (Screen)
        Screen->RemoveForm(this);
    TWinControl::BeforeDestruction();
}

// ---- window styles

DWORD TCustomForm::WindowStyle() const
{
    DWORD style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    switch (borderStyle_) {
    case TFormBorderStyle::bsNone: style |= WS_POPUP; break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow: style |= WS_CAPTION | WS_SYSMENU | WS_BORDER | WS_MINIMIZEBOX; break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
        style |= WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
        break;
    case TFormBorderStyle::bsDialog: style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME; break;
    }
    if (borderStyle_ == TFormBorderStyle::bsToolWindow || borderStyle_ == TFormBorderStyle::bsSizeToolWin)
        style &= ~(WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    return style;
}

DWORD TCustomForm::WindowExStyle() const
{
    DWORD ex = 0;
    if (borderStyle_ == TFormBorderStyle::bsDialog)
        ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
    if (borderStyle_ == TFormBorderStyle::bsToolWindow || borderStyle_ == TFormBorderStyle::bsSizeToolWin)
        ex |= WS_EX_TOOLWINDOW;
    if (formStyle_ == TFormStyle::fsStayOnTop)
        ex |= WS_EX_TOPMOST;
    if (alphaBlend_)
        ex |= WS_EX_LAYERED;
    if (BiDiMode() == TBiDiMode::bdRightToLeft)
        ex |= WS_EX_RIGHT | WS_EX_RTLREADING | WS_EX_LEFTSCROLLBAR;
    return ex;
}

void TCustomForm::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style = WindowStyle();
    Params.ExStyle = WindowExStyle();
    Params.ClassStyle = CS_DBLCLKS;
    Params.WndParent = OwnerWindow();
}

HWND TCustomForm::OwnerWindow() const
{
    // Dialogs stay above the form that owns them; a popup parent owns the window whether or not
    // its window exists yet.
    if (TCustomForm* parent = popupParent_.Get(); parent && parent != this)
        return parent->Handle();
    auto* ownerForm = dynamic_cast<TCustomForm*>(Owner());
    return ownerForm && ownerForm->HandleAllocated() ? ownerForm->Handle() : nullptr;
}

void TCustomForm::SetPopupParent(TCustomForm* Value)
{
    if (Value == popupParent_.Get())
        return;
    popupParent_ = Value;
    if (HandleAllocated())
        SetWindowLongPtrW(Handle(), GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(OwnerWindow()));
}

void TCustomForm::KeepStayOnTopFormsAbove()
{
    // Windows keeps the stay-on-top windows above the others. Wine's X11 driver, where no window
    // manager stacks the windows, puts a window on top of every other on the screen whenever
    // the focus moves into it (so also when it comes back from minimised), while its own order
    // still has the stay-on-top windows first. Only a change of a window's own place in that
    // order makes the driver stack it anew: out of the topmost band and back in, which on
    // Windows leaves it where it was.
    if (!Screen || formStyle_ == TFormStyle::fsStayOnTop)
        return;
    for (int i = 0; i < Screen->FormCount(); ++i) {
        TCustomForm* form = Screen->Forms(i);
        if (form == this || form->formStyle_ != TFormStyle::fsStayOnTop || !form->HandleAllocated() ||
            !IsWindowVisible(form->Handle()))
            continue;
        constexpr UINT keep = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
        SetWindowPos(form->Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, keep);
        SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0, keep);
    }
}

void TCustomForm::CreateHandleDone()
{
    if (alphaBlend_)
        SetLayeredWindowAttributes(Handle(), 0, alphaValue_, LWA_ALPHA);
    if (TMainMenu* menu = menu_.Get()) {
        ::SetMenu(Handle(), menu->Handle());
        Realign();
    }
}

void TCustomForm::DestroyWnd()
{
    // Destroying a window destroys its menu: the menu bar, which the TMainMenu owns, leaves first.
    if (HandleAllocated() && menu_)
        ::SetMenu(Handle(), nullptr);
    TWinControl::DestroyWnd();
}

void TCustomForm::SetMenu(TMainMenu* Value)
{
    if (Value == menu_.Get())
        return;
    if (TMainMenu* old = menu_.Get()) {
        menu_ = nullptr;
        old->DetachFromWindow();
    }
    if (Value) {
        if (auto* otherForm = dynamic_cast<TCustomForm*>(Value->Window()))
            otherForm->SetMenu(nullptr);
        menu_ = Value;
        Value->window_ = this;
        if (HandleAllocated()) {
            ::SetMenu(Handle(), Value->Handle());
            Realign();
        }
    }
}

void TCustomForm::ApplyFrameStyle()
{
    if (!HandleAllocated())
        return;
    HWND h = Handle();
    const DWORD keep = GetWindowLongW(h, GWL_STYLE) & (WS_VISIBLE | WS_DISABLED | WS_MAXIMIZE | WS_MINIMIZE);
    SetWindowLongW(h, GWL_STYLE, static_cast<LONG>(WindowStyle() | keep));
    SetWindowLongW(h, GWL_EXSTYLE, static_cast<LONG>(WindowExStyle() & ~WS_EX_TOPMOST));
    if (alphaBlend_)
        SetLayeredWindowAttributes(h, 0, alphaValue_, LWA_ALPHA);
    SetWindowPos(h, formStyle_ == TFormStyle::fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle Value)
{
    if (Value == borderStyle_)
        return;
    borderStyle_ = Value;
    ApplyFrameStyle();
    // A maximised window keeps the place its old frame gave it (maximising it again does not
    // move it): restored and maximised afresh, it gets the place of a maximised window with
    // the new frame, whose edges lie outside the screen.
    if (HandleAllocated() && IsZoomed(Handle()) && IsWindowVisible(Handle())) {
        WINDOWPLACEMENT placement{};
        placement.length = sizeof placement;
        GetWindowPlacement(Handle(), &placement);
        placement.showCmd = SW_SHOWNOACTIVATE;
        SetWindowPlacement(Handle(), &placement);
        placement.showCmd = SW_SHOWMAXIMIZED;
        SetWindowPlacement(Handle(), &placement);
    }
}

void TCustomForm::SetFormStyle(TFormStyle Value)
{
    if (Value == formStyle_)
        return;
    formStyle_ = Value;
    ApplyFrameStyle();
}

void TCustomForm::SetAlphaBlend(bool Value)
{
    if (Value == alphaBlend_)
        return;
    alphaBlend_ = Value;
    ApplyFrameStyle();
}

void TCustomForm::SetAlphaBlendValue(uint8_t Value)
{
    alphaValue_ = Value;
    if (alphaBlend_ && HandleAllocated())
        SetLayeredWindowAttributes(Handle(), 0, alphaValue_, LWA_ALPHA);
}

void TCustomForm::SetClientSize(int AWidth, int AHeight)
{
    if (HandleAllocated()) {
        TWinControl::SetClientSize(AWidth, AHeight);
        return;
    }
    RECT r{0, 0, AWidth, AHeight};
    AdjustWindowRectEx(&r, WindowStyle(), menu_ ? TRUE : FALSE, WindowExStyle());
    SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

TWindowState TCustomForm::WindowState() const
{
    if (HandleAllocated() && Visible()) {
        HWND h = const_cast<TCustomForm*>(this)->Handle();
        if (IsZoomed(h))
            return TWindowState::wsMaximized;
        if (IsIconic(h))
            return TWindowState::wsMinimized;
        return TWindowState::wsNormal;
    }
    return windowState_;
}

void TCustomForm::SetWindowState(TWindowState Value)
{
    windowState_ = Value;
    if (HandleAllocated() && Visible()) {
        static const int cmd[] = {SW_RESTORE, SW_MINIMIZE, SW_MAXIMIZE};
        ShowWindow(Handle(), cmd[static_cast<int>(Value)]);
    }
}

// ---- showing

void TCustomForm::PlaceByPosition()
{
    if (placed_)
        return;
    placed_ = true;
    TRect area;
    switch (Position) {
    case TPosition::poDesigned:
        return;
    case TPosition::poScreenCenter:
        area = {0, 0, Screen->Width(), Screen->Height()};
        break;
    case TPosition::poDesktopCenter:
        area = Bounds(Screen->DesktopLeft(), Screen->DesktopTop(), Screen->DesktopWidth(), Screen->DesktopHeight());
        break;
    case TPosition::poMainFormCenter:
    case TPosition::poOwnerFormCenter: {
        TCustomForm* around = Position == TPosition::poMainFormCenter ? Application->MainForm.Get()
                                                                        : dynamic_cast<TCustomForm*>(Owner());
        if (around && around != this && around->Visible())
            area = around->BoundsRect();
        else
            area = {0, 0, Screen->Width(), Screen->Height()};
        break;
    }
    }
    SetBounds(area.Left + (area.Width() - Width()) / 2, area.Top + (area.Height() - Height()) / 2, Width(),
              Height());
}

void TCustomForm::VisibleChanged()
{
    if (IsDestroying())
        return;
    if (Visible()) {
        PlaceByPosition();
        HWND h = Handle();
        if (!ActivateOnShow) {
            ShowWindow(h, SW_SHOWNOACTIVATE);
            if (formStyle_ == TFormStyle::fsStayOnTop)
                SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            DoShow();
            return;
        }
        static const int cmd[] = {SW_SHOWNORMAL, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED};
        ShowWindow(h, cmd[static_cast<int>(windowState_)]);
        if (formStyle_ == TFormStyle::fsStayOnTop)
            SetWindowPos(h, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(h);
        if (!activeControl_) {
            if (TWinControl* first = FindNextControl(nullptr, true, true))
                activeControl_ = first;
        }
        if (activeControl_ && activeControl_->CanFocus())
            ::SetFocus(activeControl_->Handle());
        DoShow();
    } else {
        if (HandleAllocated()) {
            DoHide();
            ShowWindow(Handle(), SW_HIDE);
        }
    }
}

void TCustomForm::DoShow()
{
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide()
{
    if (OnHide)
        OnHide(this);
}

void TCustomForm::BringToFront()
{
    if (HandleAllocated()) {
        SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
        SetForegroundWindow(Handle());
    }
}

void TCustomForm::PaintWindow(HDC Dc)
{
    const TCanvasLoan loan(*canvas_, Dc);
    if (OnPaint)
        OnPaint(this);
}

// ---- modal loop and closing

TDisabledThreadWindows::TDisabledThreadWindows(HWND Except) : except_(Except)
{
    EnumThreadWindows(GetCurrentThreadId(), DisableOne, reinterpret_cast<LPARAM>(this));
}

TDisabledThreadWindows::~TDisabledThreadWindows()
{
    Enable();
}

void TDisabledThreadWindows::Enable()
{
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if (IsWindow(*it))
            EnableWindow(*it, TRUE);
    windows_.clear();
}

BOOL CALLBACK TDisabledThreadWindows::DisableOne(HWND Wnd, LPARAM Self)
{
    auto* self = reinterpret_cast<TDisabledThreadWindows*>(Self);
    if (Wnd != self->except_ && IsWindowVisible(Wnd) && IsWindowEnabled(Wnd)) {
        self->windows_.push_back(Wnd);
        EnableWindow(Wnd, FALSE);
    }
    return TRUE;
}

TModalResult TCustomForm::ShowModal()
{
    if (Visible() || !Enabled() || modal_)
        throw Exception(u"Cannot make a visible window modal");
    HWND before = GetActiveWindow();
    ReleaseCapture();
    TDisabledThreadWindows disabled(Handle());
    modal_ = true;
    modalResult_ = mrNone;
    auto restore = [&] {
        modal_ = false;
        disabled.Enable();
        if (before && IsWindow(before))
            SetActiveWindow(before);
    };
    try {
        Show();
        if (ModalDialogHook())
            ModalDialogHook()(this);
        for (;;) {
            if (modalResult_ == mrNone) {
                Application->HandleMessage();
                if (Application->Terminated())
                    modalResult_ = mrCancel;
            }
            if (modalResult_ != mrNone && CloseModal())
                break;
        }
        // Enable the other windows before hiding, so that the system activates one of them.
        const TModalResult result = modalResult_;
        restore();
        Hide();
        modalResult_ = result;
        return result;
    } catch (...) {
        restore();
        if (HandleAllocated())
            Hide();
        throw;
    }
}

bool TCustomForm::CloseModal()
{
    TCloseAction action = TCloseAction::caNone;
    if (CloseQuery()) {
        action = TCloseAction::caHide;
        DoClose(action);
    }
    if (action == TCloseAction::caNone) {
        modalResult_ = mrNone;
        return false;
    }
    return true;
}

bool TCustomForm::CloseQuery()
{
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& Action)
{
    if (OnClose)
        OnClose(this, Action);
}

void TCustomForm::Close()
{
    if (modal_) {
        modalResult_ = mrCancel;
        return;
    }
    if (!CloseQuery())
        return;
    const bool isMain = Application && Application->MainForm == this;
    TCloseAction action = isMain ? TCloseAction::caFree : TCloseAction::caHide;
    DoClose(action);
    switch (action) {
    case TCloseAction::caNone:
        return;
    case TCloseAction::caHide:
        if (isMain)
            Application->Terminate();
        else
            Hide();
        return;
    case TCloseAction::caMinimize:
        SetWindowState(TWindowState::wsMinimized);
        return;
    case TCloseAction::caFree:
        if (isMain)
            Application->Terminate();
        else
            Release();
        return;
    }
}

void TCustomForm::Release()
{
    PostMessageW(Handle(), CM_RELEASE, 0, 0);
}

// ---- focus and keys

void TCustomForm::FocusChanged(TWinControl* Control)
{
    if (Control && Control != this)
        activeControl_ = Control;
    KeepStayOnTopFormsAbove();
}

void TCustomForm::SetActiveControl(TWinControl* Control)
{
    if (Control == this)
        Control = nullptr;
    activeControl_ = Control;
    if (Control && Visible() && HandleAllocated() && Control->CanFocus() && GetActiveWindow() == Handle())
        ::SetFocus(Control->Handle());
}

TWinControl* TCustomForm::FindNextControl(TWinControl* Current, bool GoForward, bool CheckTabStop) const
{
    std::vector<TWinControl*> list;
    GetTabOrderList(list);
    if (list.empty())
        return nullptr;
    const int n = static_cast<int>(list.size());
    int start = -1;
    if (Current)
        for (int i = 0; i < n; ++i)
            if (list[static_cast<size_t>(i)] == Current)
                start = i;
    if (start < 0)
        start = GoForward ? n - 1 : 0;
    for (int step = 1; step <= n; ++step) {
        const int i = ((start + (GoForward ? step : -step)) % n + n) % n;
        TWinControl* c = list[static_cast<size_t>(i)];
        // A control takes the focus when it wants it (TabStop) and every parent lets it.
        if ((!CheckTabStop || c->TabStop) && c->CanFocus() && c->Parent() && c->Parent()->CanFocus())
            return c;
    }
    return nullptr;
}

void TCustomForm::SelectNext(TWinControl* Current, bool GoForward, bool CheckTabStop)
{
    if (TWinControl* next = FindNextControl(Current, GoForward, CheckTabStop)) {
        activeControl_ = next;
        ::SetFocus(next->Handle());
    }
}

bool TCustomForm::IsShortCut(TMessage& Message)
{
    bool handled = false;
    if (OnShortCut)
        OnShortCut(Message, handled);
    if (TMainMenu* menu = menu_.Get(); !handled && menu)
        handled = menu->IsShortCut(Message);
    return handled;
}

void TCustomForm::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_CLOSE:
        if (!IsDestroying())
            Close();
        return;
    case CM_RELEASE:
        Free(this);
        return;  // nothing of this object may be touched any more
    case WM_COMMAND:
        // A menu's command (an accelerator's has HIWORD 1; controls send their window).
        if (HIWORD(Message.WParam) == 0 && Message.LParam == 0 && menu_ &&
            menu_->DispatchCommand(LOWORD(Message.WParam)))
            return;
        break;
    case WM_MENUSELECT:
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
        if (DispatchMenuMessage(Message))
            return;
        break;
    case CM_DIALOGKEY:
        if (Message.WParam == VK_TAB && GetKeyState(VK_CONTROL) >= 0) {
            SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
            Message.Result = 1;
            return;
        }
        break;
    case WM_ACTIVATE:
        TWinControl::WndProc(Message);
        if (LOWORD(Message.WParam) != WA_INACTIVE) {
            if (activeControl_ && activeControl_->CanFocus())
                ::SetFocus(activeControl_->Handle());
            if (OnActivate)
                OnActivate(this);
        } else if (OnDeactivate) {
            OnDeactivate(this);
        }
        return;
    case WM_SETFOCUS:
        // A form that gets the focus hands it on to its active control.
        if (activeControl_ && activeControl_ != this && activeControl_->CanFocus()) {
            ::SetFocus(activeControl_->Handle());
            return;
        }
        KeepStayOnTopFormsAbove();
        break;
    default:
        break;
    }
    TWinControl::WndProc(Message);
}
