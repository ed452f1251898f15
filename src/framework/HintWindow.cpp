#include "framework/HintWindow.h"

#include "framework/Screen.h"
#include "framework/ScopedGdi.h"
#include "framework/WinText.h"

#include <algorithm>

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    InitVisible(false);
    SetColor(clInfoBk);
    Font()->Assign(Screen->MessageFont());
    Font()->SetColor(clInfoText);
    ControlStyle &= ~(csCaptureMouse | csClickEvents | csDoubleClicks);
}

void THintWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_BORDER;
    Params.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
    Params.ClassStyle = CS_SAVEBITS;
}

unsigned THintWindow::TextFlags() const
{
    unsigned flags = DT_NOPREFIX | DT_WORDBREAK;
    if (BiDiMode() == TBiDiMode::bdRightToLeft)
        flags |= DT_RTLREADING | DT_RIGHT;
    return flags;
}

TRect THintWindow::CalcHintRect(int MaxWidth, const std::u16string& AHint)
{
    RECT r{0, 0, MaxWidth, 0};
    const TWindowDC screen(nullptr);
    const TSelectedObject font(screen.Handle(), Font()->Handle());
    DrawTextW(screen.Handle(), WideChars(AHint), static_cast<int>(AHint.size()), &r, TextFlags() | DT_CALCRECT);
    // Room for the border and the text's margin.
    return {0, 0, r.right + 6, r.bottom + 2};
}

void THintWindow::ActivateHint(TRect Rect, const std::u16string& AHint)
{
    SetText(AHint);
    const TRect area = Screen->WorkAreaRect();
    int x = Rect.Left, y = Rect.Top;
    const int w = Rect.Width(), h = Rect.Height();
    x = std::max(area.Left, std::min(x, area.Right - w));
    y = std::max(area.Top, std::min(y, area.Bottom - h));
    SetBounds(x, y, w, h);
    SetWindowPos(Handle(), HWND_TOPMOST, x, y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InitVisible(true);
    Invalidate();
}

void THintWindow::ReleaseHint()
{
    if (HandleAllocated())
        ShowWindow(Handle(), SW_HIDE);
    InitVisible(false);
}

void THintWindow::Paint()
{
    TRect r = ClientRect();
    r.Left += 2;
    r.Top += 2;
    Canvas()->Brush()->SetStyle(TBrushStyle::bsClear);
    Canvas()->TextRectFormat(r, Caption(), TextFlags());
}

void THintWindow::WndProc(TMessage& Message)
{
    // The mouse passes through to the window below: the hint never takes it from the control.
    if (Message.Msg == WM_NCHITTEST) {
        Message.Result = HTTRANSPARENT;
        return;
    }
    TCustomControl::WndProc(Message);
}
