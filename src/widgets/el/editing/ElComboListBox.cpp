#include "widgets/el/editing/ElComboListBox.h"

#include <windowsx.h>

TElComboListBox::TElComboListBox(TComponent* AOwner) : TCustomElListBox(AOwner)
{
    BeginCreate();
    InitVisible(false);
    TabStop = false;
    SetCtl3D(false);  // a thin line round the list, as drop-down lists have
    EndCreate();
}

void TElComboListBox::CreateParams(TCreateParams& Params)
{
    TCustomElListBox::CreateParams(Params);
    Params.Style = (Params.Style & ~static_cast<DWORD>(WS_CHILD | WS_VISIBLE)) | WS_POPUP;
    Params.ExStyle |= WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.WndParent = ownerWindow_;
}

void TElComboListBox::SetOwnerWindow(HWND Value)
{
    if (Value == ownerWindow_)
        return;
    ownerWindow_ = Value;
    if (HandleAllocated() && !showing_)
        RecreateWnd();
}

void TElComboListBox::Popup(const TRect& Bounds)
{
    SetWindowPos(Handle(), HWND_TOPMOST, Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height(),
                 SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InitVisible(true);
    showing_ = true;
    SetCapture(Handle());
}

void TElComboListBox::CloseUp()
{
    if (!showing_)
        return;
    showing_ = false;  // first: letting go of the mouse below is no request to close
    onFrame_ = false;
    if (HandleAllocated()) {
        if (GetCapture() == Handle())
            ReleaseCapture();
        ShowWindow(Handle(), SW_HIDE);
    }
    InitVisible(false);
}

void TElComboListBox::RequestClose(bool Pick)
{
    if (OnCloseUp)
        OnCloseUp(Pick);
    else
        CloseUp();
}

void TElComboListBox::PressOnFrame(TPoint Client)
{
    const TPoint screen = ClientToScreen(Client);
    const LPARAM at = MAKELPARAM(screen.X, screen.Y);
    const auto hit = static_cast<WPARAM>(SendMessageW(Handle(), WM_NCHITTEST, 0, at));
    if (hit != HTVSCROLL && hit != HTHSCROLL)
        return;
    onFrame_ = true;
    SendMessageW(Handle(), WM_NCLBUTTONDOWN, hit, at);
    // The standard bars track inside that call; the replacement bars track on and let go of
    // the mouse when the button comes up (WM_CAPTURECHANGED takes it back then).
    if (!ScrollBarController()->IsHooked())
        onFrame_ = false;
    if (showing_ && GetCapture() != Handle())
        SetCapture(Handle());
}

void TElComboListBox::Mouse(TMessage& Message)
{
    const TPoint p{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    const bool inside = ClientRect().Contains(p);
    const int item = inside ? ItemAtPos(p) : -1;
    Message.Result = 0;
    switch (Message.Msg) {
    case WM_MOUSEMOVE:
        // The row under the mouse is the one a release would pick.
        if (item >= 0 && item != ItemIndex())
            SetItemIndex(item);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (inside) {
            if (item >= 0)
                SetItemIndex(item);
            return;
        }
        RECT window{};
        GetWindowRect(Handle(), &window);
        const TPoint screen = ClientToScreen(p);
        if (PtInRect(&window, POINT{screen.X, screen.Y}))
            PressOnFrame(p);
        else
            RequestClose(false);
        return;
    }
    case WM_LBUTTONUP:
        if (item >= 0)
            RequestClose(true);
        return;
    default:  // other buttons: outside the list they close it
        if (!inside)
            RequestClose(false);
        return;
    }
}

void TElComboListBox::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_MOUSEACTIVATE:
        Message.Result = MA_NOACTIVATE;
        return;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (showing_ && !IsDestroying()) {
            Mouse(Message);
            return;
        }
        break;
    case WM_CAPTURECHANGED:
        if (showing_ && !IsDestroying() && reinterpret_cast<HWND>(Message.LParam) != Handle()) {
            if (onFrame_) {
                onFrame_ = false;
                SetCapture(Handle());
            } else {
                RequestClose(false);
            }
        }
        break;
    default:
        break;
    }
    TCustomElListBox::WndProc(Message);
}
