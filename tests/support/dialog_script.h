// Drives a system dialog (a file or folder dialog, a message box) that runs its own modal loop
// on the test's thread: a thread timer, which that loop dispatches, runs a script once on the
// thread's first visible dialog, once the dialog is Ready (a dialog that fills itself after it
// shows, such as the folder browser, is not scripted before it has). A dialog still open
// kPatienceMs later is cancelled, so a script that fails cannot hang the test.
#pragma once

#include "support/pump.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>

class DialogScript {
public:
    explicit DialogScript(std::function<void(HWND)> Script, std::function<bool(HWND)> Ready = {})
        : script_(std::move(Script)), ready_(std::move(Ready))
    {
        current_ = this;
        timer_ = SetTimer(nullptr, 0, 50, Tick);
    }
    ~DialogScript()
    {
        KillTimer(nullptr, timer_);
        current_ = nullptr;
        EXPECT_TRUE(ran_) << (seen_ ? "the dialog came up but was not ready for its script"
                                    : "no dialog came up")
                          << " within " << kPatienceMs / 1000 << " s";
        EXPECT_FALSE(timedOut_ && ran_) << "the dialog stayed open for " << kPatienceMs / 1000
                                        << " s after its script";
    }
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

private:
    static BOOL CALLBACK FindDialog(HWND Window, LPARAM Found)
    {
        wchar_t name[8] = {};
        if (!IsWindowVisible(Window) || !GetClassNameW(Window, name, 8) || std::wstring(name) != L"#32770")
            return TRUE;
        *reinterpret_cast<HWND*>(Found) = Window;
        return FALSE;
    }
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
    {
        HWND dialog = nullptr;
        EnumThreadWindows(GetCurrentThreadId(), FindDialog, reinterpret_cast<LPARAM>(&dialog));
        DialogScript* self = current_;
        if (self && dialog)
            self->seen_ = true;
        if (self && dialog && !self->ran_ && (!self->ready_ || self->ready_(dialog))) {
            self->ran_ = true;
            self->script_(dialog);
        } else if (self && dialog && (self->timedOut_ || GetTickCount() - self->start_ > DWORD(kPatienceMs))) {
            self->timedOut_ = true;
            PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        }
    }

    static inline DialogScript* current_ = nullptr;
    std::function<void(HWND)> script_;
    std::function<bool(HWND)> ready_;
    UINT_PTR timer_ = 0;
    DWORD start_ = GetTickCount();
    bool seen_ = false;
    bool ran_ = false;
    bool timedOut_ = false;
};
