#include "framework/Screen.h"

#include "framework/Forms.h"
#include "framework/Graphics.h"

#include <algorithm>

// Made and freed with the application object (Application.cpp).
TScreen* Screen = nullptr;

TScreen::TScreen() : TComponent(nullptr) {}

int TScreen::Width() const { return GetSystemMetrics(SM_CXSCREEN); }
int TScreen::Height() const { return GetSystemMetrics(SM_CYSCREEN); }
int TScreen::DesktopLeft() const { return GetSystemMetrics(SM_XVIRTUALSCREEN); }
int TScreen::DesktopTop() const { return GetSystemMetrics(SM_YVIRTUALSCREEN); }
int TScreen::DesktopWidth() const { return GetSystemMetrics(SM_CXVIRTUALSCREEN); }
int TScreen::DesktopHeight() const { return GetSystemMetrics(SM_CYVIRTUALSCREEN); }
int TScreen::PixelsPerInch() const { return ScreenPixelsPerInch(); }

TRect TScreen::WorkAreaRect() const
{
    RECT r{};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &r, 0))
        return {0, 0, Width(), Height()};
    return {r.left, r.top, r.right, r.bottom};
}

void TScreen::SetCursor(TCursor Value)
{
    if (Value == cursor_)
        return;
    cursor_ = Value;
    // Show it now: a busy program may not look at WM_SETCURSOR for a while.
    POINT p{};
    GetCursorPos(&p);
    if (Value != crDefault)
        ::SetCursor(CursorHandle(Value));
    else
        SetCursorPos(p.x, p.y);
}

TCustomForm* TScreen::ActiveForm() const
{
    return dynamic_cast<TCustomForm*>(TWinControl::FindControl(GetActiveWindow()));
}

TWinControl* TScreen::ActiveControl() const
{
    return TWinControl::FindControl(GetFocus());
}

TFont* TScreen::MessageFont()
{
    if (!messageFont_) {
        messageFont_ = std::make_unique<TFont>();
        NONCLIENTMETRICSW m{};
        m.cbSize = sizeof m;
        if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof m, &m, 0))
            messageFont_->AssignLogFont(m.lfMessageFont);
    }
    return messageFont_.get();
}

void TScreen::AddForm(TCustomForm* Form)
{
    if (std::find(forms_.begin(), forms_.end(), Form) == forms_.end())
        forms_.push_back(Form);
}

void TScreen::RemoveForm(TCustomForm* Form)
{
    forms_.erase(std::remove(forms_.begin(), forms_.end(), Form), forms_.end());
}
