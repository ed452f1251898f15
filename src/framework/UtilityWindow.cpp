#include "framework/UtilityWindow.h"

#include "framework/Exceptions.h"
#include "framework/ExceptionBarrier.h"

#include <set>
#include <string>

namespace {

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

// Each class is registered once per process and lives as long as the program.
void RegisterOnce(const wchar_t* ClassName)
{
    static std::set<std::wstring> registered;
    if (registered.count(ClassName))
        return;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = UtilityProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = ClassName;
    if (RegisterClassExW(&wc) != 0)
        registered.insert(ClassName);
}

}  // namespace

HWND AllocateHWnd(TUtilityWndMethod Method, const wchar_t* ClassName)
{
    RegisterOnce(ClassName);
    HWND wnd = CreateWindowExW(WS_EX_TOOLWINDOW, ClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    if (!wnd)
        throw EOutOfResources(u"Error creating window");
    SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new TUtilityWndMethod(std::move(Method))));
    return wnd;
}

void DeallocateHWnd(HWND Wnd)
{
    if (!Wnd || !IsWindow(Wnd))
        return;
    // A method that is running now (one freeing its own window) runs from a copy: this one can go.
    auto* method = reinterpret_cast<TUtilityWndMethod*>(SetWindowLongPtrW(Wnd, GWLP_USERDATA, 0));
    DestroyWindow(Wnd);
    delete method;
}
