#include "widgets/el/editing/ElComboBoxParts.h"

#include "framework/ExceptionBarrier.h"
#include "framework/Exceptions.h"
#include "framework/Forms.h"
#include "framework/Graphics.h"
#include "framework/WinText.h"

#include <algorithm>

namespace {

const wchar_t* const kSubclassProperty = L"L3D.ElWindowSubclass";

}  // namespace

// ---- TElWindowSubclass

void TElWindowSubclass::Attach(HWND Window, THandler Handler)
{
    Detach();
    if (!Window)
        return;
    handler_ = std::move(Handler);
    window_ = Window;
    SetPropW(Window, kSubclassProperty, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TElWindowSubclass::Procedure)));
}

void TElWindowSubclass::Detach()
{
    if (!window_)
        return;
    if (IsWindow(window_)) {
        RemovePropW(window_, kSubclassProperty);
        // Nobody subclassed the window after us: its own procedure goes back. (Otherwise the
        // later procedure keeps calling ours, which forwards to the original without a handler.)
        if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window_, GWLP_WNDPROC)) == &TElWindowSubclass::Procedure)
            SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original_));
    }
    window_ = nullptr;
    handler_ = nullptr;
}

LRESULT TElWindowSubclass::CallOriginal(UINT Msg, WPARAM WParam, LPARAM LParam) const
{
    return CallWindowProcW(original_, window_, Msg, WParam, LParam);
}

LRESULT CALLBACK TElWindowSubclass::Procedure(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    auto* self = static_cast<TElWindowSubclass*>(GetPropW(Window, kSubclassProperty));
    if (!self)
        return DefWindowProcW(Window, Msg, WParam, LParam);
    const WNDPROC original = self->original_;
    if (Msg == WM_NCDESTROY) {
        self->Detach();
        return CallWindowProcW(original, Window, Msg, WParam, LParam);
    }
    LRESULT result = 0;
    bool answered = false;
    if (self->handler_ && !Guarded([&] { answered = self->handler_(Msg, WParam, LParam, result); }))
        return 0;
    if (answered)
        return result;
    return CallWindowProcW(original, Window, Msg, WParam, LParam);
}

// ---- keys

bool ForwardKeyToHolder(TWinControl& Holder, UINT Msg, WPARAM& WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        auto key = static_cast<uint16_t>(WParam);
        if (Holder.DoKeyDown(key, KeyboardShiftState() | ((LParam & 0x20000000) ? ssAlt : 0)))
            return true;
        WParam = key;
        return false;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        auto key = static_cast<uint16_t>(WParam);
        if (Holder.DoKeyUp(key, KeyboardShiftState()))
            return true;
        WParam = key;
        return false;
    }
    case WM_CHAR: {
        auto ch = static_cast<char16_t>(WParam);
        if (Holder.DoKeyPress(ch))
            return true;
        WParam = ch;
        return false;
    }
    default:
        return false;
    }
}
