// The application's hint manager: when the mouse rests on a control with a hint, it asks the
// control (CM_HINTSHOW) and shows the short hint in a hint window for a while.
//
//   hover on a control that shows hints --HintPause--> CM_HINTSHOW --> hint shown
//   hint shown --HideTimeout--> hidden until the mouse goes to another control
//   hint shown, mouse to another control --HintShortPause--> its hint
//   click, key, mouse leaving the control (or the hint's cursor rectangle) --> hidden
#pragma once

#include "framework/HintWindow.h"
#include "framework/Timer.h"

class TApplication;

class THintManager {
public:
    explicit THintManager(TApplication& App);
    ~THintManager();
    THintManager(const THintManager&) = delete;
    THintManager& operator=(const THintManager&) = delete;

    // Every mouse move the loop sees: Hover is the control under the mouse (nil when none),
    // ScreenPos the mouse, HoverChanged whether Hover is another control than before.
    void MouseMoved(TControl* Hover, TPoint ScreenPos, bool HoverChanged);
    // Hides the hint and shows none for the control under the mouse until it changes.
    void Cancel();
    void SetWindowClass(THintWindowClass Value);
    THintWindow* Window() const { return window_.get(); }

private:
    enum class TState { Idle, Waiting, Showing };
    void Start(int Ms, TState State);
    void Stop();
    void Tick();
    void ShowNow();
    void HideWindow();
    bool Wants(TControl* Control) const;

    TApplication& app_;
    TOwned<TTimer> timer_;
    TOwned<THintWindow> window_;
    THintWindowClass windowClass_;
    TWeakRef<TControl> control_;
    TState state_ = TState::Idle;
    TPoint mouse_;
    TRect cursorRect_;  // screen coordinates, while a hint shows
    bool cancelled_ = false;
};
