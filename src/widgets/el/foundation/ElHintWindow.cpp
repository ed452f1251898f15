#include "widgets/el/foundation/ElHintWindow.h"

#include "widgets/el/foundation/ElDrawing.h"
#include "widgets/el/foundation/ElHTMLGdi.h"
#include "widgets/el/foundation/ElToolsWin.h"

#include "framework/Application.h"
#include "framework/Graphics.h"
#include "framework/Screen.h"

#include <windowsx.h>

#include <algorithm>

namespace {

constexpr int kMinMaxWidth = 100;

// The hints of the whole application: markup when the text begins with "<html>".
class TElApplicationHintWindow : public TElHintWindow {
public:
    using TElHintWindow::TElHintWindow;
    TRect CalcHintRectW(int MaxWidth, const std::u16string& Hint) override
    {
        IsHTML = Hint.starts_with(u"<html>");
        return TElHintWindow::CalcHintRectW(MaxWidth, Hint);
    }
    void ActivateHintW(TRect Rect, const std::u16string& WideHint) override
    {
        IsHTML = WideHint.starts_with(u"<html>");
        TElHintWindow::ActivateHintW(Rect, WideHint);
    }
};

// The work area of the monitor that holds most of R.
TRect WorkAreaAround(const TRect& R)
{
    const RECT r{R.Left, R.Top, R.Right, R.Bottom};
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (GetMonitorInfoW(MonitorFromRect(&r, MONITOR_DEFAULTTONEAREST), &info))
        return {info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom};
    TRect area;
    GetDesktopRect(area);
    return area;
}

// Whether the system can put a shadow under a window: read once.
bool DropShadowSupported()
{
    static const bool supported = [] {
        DetectWindowsVersion();
        return WindowsFlags().WindowsAtLeastXP;
    }();
    return supported;
}

}  // namespace

TElHintWindow::TElHintWindow(TComponent* AOwner) : THintWindow(AOwner), render_(NewGdiHTMLRender())
{
    maxWidth_ = std::max(kMinMaxWidth, Screen ? Screen->Width() - Left() : GetSystemMetrics(SM_CXSCREEN));
    render_->OnImageNeeded = [this](TObject* Sender, const std::u16string& Src, IElHTMLImage*& Image) {
        DoImageNeeded(Sender, Src, Image);
    };
}

TElHintWindow::~TElHintWindow() = default;

void TElHintWindow::CreateParams(TCreateParams& Params)
{
    THintWindow::CreateParams(Params);
    BOOL shadow = FALSE;
    if (DropShadowSupported() && SystemParametersInfoW(SPI_GETDROPSHADOW, 0, &shadow, 0) && shadow)
        Params.ClassStyle |= CS_DROPSHADOW;
}

bool TElHintWindow::PrepareHTML(const std::u16string& Text)
{
    if (!IsHTML)
        return false;
    TElHTMLData& data = *render_->Data();
    TFont& font = *Font();
    data.DefaultColor = font.Color();
    data.Charset = font.Charset();
    data.DefaultStyle = font.Style();
    data.DefaultHeight = font.Height();
    data.DefaultFont = font.Name();
    data.DefaultBgColor = Color();
    // Markup the renderer refuses is shown as it stands.
    return render_->PrepareText(Text, maxWidth_, wordWrap_);
}

TRect TElHintWindow::CalcHintRectW(int MaxWidth, const std::u16string& Hint)
{
    maxWidth_ = std::max(kMinMaxWidth, MaxWidth);
    TRect r;
    if (PrepareHTML(Hint)) {
        const TSize size = render_->Data()->TextSize;
        r = {0, 0, size.cx, size.cy + 2};
    } else {
        // Measured exactly as Paint draws it: same font, flags and width.
        const TWindowDC screen(nullptr);
        const TSelectedObject font(screen.Handle(), Font()->Handle());
        r = {0, 0, maxWidth_, 0};
        DrawWideText(screen.Handle(), Hint.c_str(), static_cast<int>(Hint.size()), r,
                     DT_CALCRECT | (TextFlags() & ~DT_WORDBREAK) | (wordWrap_ ? DT_WORDBREAK : 0));
    }
    // Room for the border and the 2-pixel inset of the text.
    r.Right += 6;
    r.Bottom += 2;
    return r;
}

void TElHintWindow::ActivateHintW(TRect Rect, const std::u16string& WideHint)
{
    activating_ = true;
    struct TDone {
        bool& Flag;
        ~TDone() { Flag = false; }
    } done{activating_};
    SetText(WideHint);
    Rect.Bottom += 4;
    const TRect area = WorkAreaAround(Rect);
    const int w = Rect.Width(), h = Rect.Height();
    // The right and bottom edges first, then the left and top: a hint larger than the area keeps
    // its start (the first characters, the first line) visible.
    int x = std::min(Rect.Left, area.Right - w), y = std::min(Rect.Top, area.Bottom - h);
    x = std::max(x, area.Left);
    y = std::max(y, area.Top);
    SetBounds(x, y, w, h);
    SetWindowPos(Handle(), HWND_TOPMOST, x, y, w, h, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    InitVisible(true);
    Invalidate();
    Update();
}

void TElHintWindow::SetWordWrap(bool Value)
{
    if (Value == wordWrap_)
        return;
    wordWrap_ = Value;
    if (!activating_)
        FitToText();
}

void TElHintWindow::FitToText()
{
    const TRect r = CalcHintRectW(maxWidth_, WideCaption());
    SetBounds(Left(), Top(), r.Width(), r.Height());
}

TRect TElHintWindow::TextArea() const
{
    TRect r = ClientRect();
    r.Left += 2;
    r.Top += 2;
    return r;
}

void TElHintWindow::Paint()
{
    const TRect area = TextArea();
    const std::u16string text = WideCaption();
    const HDC dc = Canvas()->Handle();
    if (PrepareHTML(text)) {
        DrawHTMLText(*render_, dc, {0, 0}, area);
        return;
    }
    const TSelectedObject font(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Font()->Color()));
    TRect r = area;
    DrawWideText(dc, text.c_str(), static_cast<int>(text.size()), r,
                 (TextFlags() & ~DT_WORDBREAK) | (wordWrap_ ? DT_WORDBREAK : 0));
}

std::u16string TElHintWindow::LinkAt(TPoint P)
{
    std::u16string href;
    if (!IsHTML || render_->Data()->Items.empty())
        return href;
    const TRect area = TextArea();
    render_->IsCursorOverLink({P.X - area.Left, P.Y - area.Top}, {0, 0}, area, href);
    return href;
}

void TElHintWindow::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (const std::u16string href = LinkAt({X, Y}); !href.empty()) {
        DoLinkClick(href);
        return;
    }
    THintWindow::MouseDown(Button, Shift, X, Y);
}

void TElHintWindow::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_NCHITTEST:
        // Links take the mouse; the rest of a hint lets it through to the window below.
        if (IsHTML && HandleAllocated()) {
            const TPoint p = ScreenToClient({GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
            if (!LinkAt(p).empty()) {
                Message.Result = HTCLIENT;
                return;
            }
        }
        break;
    case CM_TEXTCHANGED:
        if (!activating_)
            FitToText();
        break;
    default:
        break;
    }
    THintWindow::WndProc(Message);
}

void TElHintWindow::DoLinkClick(const std::u16string& HRef)
{
    if (OnLinkClick)
        OnLinkClick(this, HRef);
}

void TElHintWindow::DoImageNeeded(TObject* Sender, const std::u16string& Src, IElHTMLImage*& Image)
{
    if (OnImageNeeded)
        OnImageNeeded(Sender, Src, Image);
}

void InstallElHintWindow()
{
    if (Application)
        Application->SetHintWindowClass([] { return new TElApplicationHintWindow(nullptr); });
}
