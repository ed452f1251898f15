#include "framework/UtilityWindow.h"

#include "framework/Exceptions.h"
#include "framework/ExceptionBarrier.h"

namespace {

constexpr wchar_t kClassName[] = L"L3D.UtilityWindow";

LRESULT CALLBACK UtilityProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* method = reinterpret_cast<TUtilityWndMethod*>(GetWindowLongPtrW(Wnd, GWLP_USERDATA));
    if (Msg == WM_NCDESTROY && method) {
        SetWindowLongPtrW(Wnd, GWLP_USERDATA, 0);
        delete method;
        method = nullptr;
    }
    if (!method || !*method)
        return DefWindowProcW(Wnd, Msg, WParam, LParam);
    TMessage m{Msg, WParam, LParam, 0};
    bool handled = false;
    try {
        // A copy: the handler may free the window (and with it the stored method).
        TUtilityWndMethod call = *method;
        handled = call(m);
    } catch (...) {
        HandleCurrentException();
        handled = true;
    }
    return handled ? m.Result : DefWindowProcW(Wnd, Msg, WParam, LParam);
}

void RegisterOnce()
{
    static const bool registered = [] {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.lpfnWndProc = UtilityProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    (void)registered;
}

}  // namespace

HWND AllocateHWnd(TUtilityWndMethod Method)
{
    RegisterOnce();
    HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!wnd)
        throw EOutOfResources(u"Error creating window");
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TUtilityWndMethod(std::move(Method))));
    return wnd;
}

void DeallocateHWnd(HWND Wnd)
{
    if (Wnd && IsWindow(Wnd))
        DestroyWindow(Wnd);
}
