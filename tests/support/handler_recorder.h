// Records what reaches the application's exception handler while it lives (instead of the
// error box, which would wait for a click), with the thread each report arrived on.
#pragma once

#include "framework/Application.h"

#include <windows.h>

#include <string>
#include <vector>

struct HandlerRecorder {
    HandlerRecorder()
    {
        Application->OnException = [this](TObject*, std::exception_ptr e) {
            messages.push_back(ExceptionText(e));
            onMainThread = onMainThread && GetCurrentThreadId() == mainThread;
        };
    }
    ~HandlerRecorder() { Application->OnException = nullptr; }
    HandlerRecorder(const HandlerRecorder&) = delete;
    HandlerRecorder& operator=(const HandlerRecorder&) = delete;

    std::vector<std::u16string> messages;
    bool onMainThread = true;
    const DWORD mainThread = GetCurrentThreadId();
};
