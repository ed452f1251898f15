// The system's windows inside the combo box (its edit and list) and how the control that holds
// them takes part in their messages.
//
// These windows are not framework controls: the system makes some of them itself. A control
// subclasses them and sees their messages first; key messages go through the holder's own key
// handling (the form's key preview, then the holder's OnKeyDown, OnKeyPress and OnKeyUp with the
// holder as sender), so that a handler may change the key or swallow it by setting it to 0.
#pragma once

#include "widgets/el/foundation/ElXPThemedControl.h"

#include "framework/Controls.h"

#include <windows.h>

#include <functional>

class TElWindowSubclass {
public:
    // Sees a message before the window's own procedure. True when it answered the message
    // (Result is then the answer); otherwise the window gets it, with WParam and LParam as the
    // handler left them. Runs behind the exception barrier: an exception counts as answered
    // with 0.
    using THandler = std::function<bool(UINT Msg, WPARAM& WParam, LPARAM& LParam, LRESULT& Result)>;

    TElWindowSubclass() = default;
    ~TElWindowSubclass() { Detach(); }
    TElWindowSubclass(const TElWindowSubclass&) = delete;
    TElWindowSubclass& operator=(const TElWindowSubclass&) = delete;

    void Attach(HWND Window, THandler Handler);
    // Gives the window its own procedure back (also done when the window is destroyed).
    void Detach();
    HWND Handle() const { return window_; }
    // The window's own procedure, for handlers that answer after it.
    LRESULT CallOriginal(UINT Msg, WPARAM WParam, LPARAM LParam) const;

private:
    static LRESULT CALLBACK Procedure(HWND Window, UINT Msg, WPARAM WParam, LPARAM LParam);

    HWND window_ = nullptr;
    WNDPROC original_ = nullptr;
    THandler handler_;
};

// Runs Holder's key handling for a key message (WM_KEYDOWN, WM_SYSKEYDOWN, WM_CHAR, WM_KEYUP,
// WM_SYSKEYUP) that a window inside it received. True when the key was swallowed; otherwise
// WParam holds the key as the handlers left it. Other messages: false, nothing done.
bool ForwardKeyToHolder(TWinControl& Holder, UINT Msg, WPARAM& WParam, LPARAM LParam);
