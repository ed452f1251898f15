#include "scan/render/GLChildWindow.h"

#include "scan/render/WGLContext.h"

#include "framework/ScopedGdi.h"

namespace {

constexpr wchar_t kClassName[] = L"L3DGLDrawingArea";

LRESULT CALLBACK DrawingAreaProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_NCHITTEST:
        // The parent owns all mouse handling; the drawing area is only a surface.
        return HTTRANSPARENT;
    case WM_ERASEBKGND:
        return 1;  // OpenGL covers every pixel; erasing would only flicker
    case WM_PAINT: {
        // The picture is redrawn by the parent's paint cycle: validate here and let the
        // parent know that the area needs a new frame.
        RECT update;
        const bool hasUpdate = GetUpdateRect(Wnd, &update, FALSE) != FALSE;
        { const TPaintDC validated(Wnd); }
        if (hasUpdate) {
            HWND parent = GetParent(Wnd);
            MapWindowPoints(Wnd, parent, reinterpret_cast<POINT*>(&update), 2);
            InvalidateRect(parent, &update, FALSE);
        }
        return 0;
    }
    default:
        return DefWindowProcW(Wnd, Msg, WParam, LParam);
    }
}

void RegisterDrawingAreaClass()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kClassName, &wc))
        return;
    wc.cbSize = sizeof(wc);
    wc.style = CS_OWNDC;  // one device context for the life of the window, as WGL expects
    wc.lpfnWndProc = DrawingAreaProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kClassName;
    RegisterClassExW(&wc);
}

}  // namespace

TGLChildWindow::TGLChildWindow(HWND Parent) : parent_(Parent)
{
    RegisterDrawingAreaClass();
    RECT client{};
    GetClientRect(Parent, &client);
    handle_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                              0, 0, client.right, client.bottom, Parent, nullptr, GetModuleHandleW(nullptr),
                              nullptr);
    if (handle_)  // below the parent's other children, so bars and panels stay on top
        SetWindowPos(handle_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TGLChildWindow::~TGLChildWindow()
{
    if (handle_)
        DestroyWindow(handle_);
}

void TGLChildWindow::SetBounds(int Left, int Top, int Width, int Height)
{
    if (!handle_)
        return;
    SetWindowPos(handle_, nullptr, Left, Top, Width < 0 ? 0 : Width, Height < 0 ? 0 : Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    FitGLDrawable(handle_);
}

namespace {

POINT OffsetInParent(HWND Child, HWND Parent)
{
    RECT client{};
    GetClientRect(Parent, &client);
    RECT child{};
    GetWindowRect(Child, &child);
    MapWindowPoints(HWND_DESKTOP, Parent, reinterpret_cast<POINT*>(&child), 2);
    return POINT{child.left, client.bottom - child.bottom};
}

}  // namespace

POINT TGLChildWindow::BottomLeftOffset() const { return OffsetInParent(handle_, parent_); }

bool TGLChildWindow::OffsetOf(HWND Wnd, POINT& Offset)
{
    Wnd = VisibleWindowOf(Wnd);  // a hidden drawable stands for the drawing window it belongs to
    wchar_t name[64] = {};
    if (!Wnd || !GetClassNameW(Wnd, name, 64) || lstrcmpW(name, kClassName) != 0 || !GetParent(Wnd))
        return false;
    Offset = OffsetInParent(Wnd, GetParent(Wnd));
    return true;
}
