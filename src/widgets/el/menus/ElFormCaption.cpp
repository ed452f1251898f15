#include "widgets/el/menus/ElFormCaption.h"

#include "widgets/el/foundation/ElHook.h"

#include "framework/Forms.h"
#include "framework/ScopedGdi.h"
#include "framework/WinText.h"

#include <windows.h>

namespace {

constexpr int32_t kTextGap = 12;     // between two texts on the same side
constexpr int32_t kAreaMargin = 3;   // between the texts and the icon or the caption buttons

// The caption bar of Window in window coordinates: the strip between the side borders, as high
// as the system's title bar; the part of it left free by the icon and the caption buttons, which
// the component paints over (the system's own title lies there); and inside that, with a margin,
// the area of the texts.
struct TCaptionBar {
    RECT Strip{};
    RECT FreeArea{};
    RECT TextArea{};
    bool Tool = false;
};

bool FindCaptionBar(HWND Window, TCaptionBar& Bar)
{
    TITLEBARINFO title{};
    title.cbSize = sizeof title;
    if (!GetTitleBarInfo(Window, &title) || (title.rgstate[0] & STATE_SYSTEM_INVISIBLE))
        return false;
    RECT window{};
    GetWindowRect(Window, &window);
    POINT clientOrigin{0, 0};
    ClientToScreen(Window, &clientOrigin);
    const int border = clientOrigin.x - window.left;
    const int width = window.right - window.left;
    Bar.Tool = (GetWindowLongW(Window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
    Bar.Strip = {border, title.rcTitleBar.top - window.top, width - border, title.rcTitleBar.bottom - window.top};
    if (Bar.Strip.right <= Bar.Strip.left || Bar.Strip.bottom <= Bar.Strip.top)
        return false;

    int buttons = 0;
    for (int i = 2; i <= 5; ++i)  // minimise, maximise, help, close
        if (!(title.rgstate[i] & STATE_SYSTEM_INVISIBLE))
            ++buttons;
    const int buttonWidth = GetSystemMetrics(Bar.Tool ? SM_CXSMSIZE : SM_CXSIZE);
    // The system draws an icon only for a window with a system menu that is neither a tool window
    // nor a modal-frame dialog; where there is none, its title starts at the border, so the free
    // area must too (the title bar's own rectangle may leave room for an icon that is not there).
    const LONG style = GetWindowLongW(Window, GWL_STYLE);
    const LONG exStyle = GetWindowLongW(Window, GWL_EXSTYLE);
    const bool icon = (style & WS_SYSMENU) && !(exStyle & (WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME));
    const int iconWidth = icon ? GetSystemMetrics(SM_CXSMICON) + 2 * kAreaMargin : 0;
    Bar.FreeArea = Bar.Strip;
    Bar.FreeArea.left = Bar.Strip.left + iconWidth;
    Bar.FreeArea.right = Bar.Strip.right - buttons * buttonWidth;
    Bar.TextArea = Bar.FreeArea;
    Bar.TextArea.left += kAreaMargin;
    Bar.TextArea.right -= kAreaMargin;
    return true;
}

TGdiObject<HFONT> CaptionFont(bool Tool)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    return TGdiObject<HFONT>(CreateFontIndirectW(Tool ? &metrics.lfSmCaptionFont : &metrics.lfCaptionFont));
}

// The caption's background as the system draws it: a gradient across the whole strip when
// gradient captions are on, else one colour.
void FillCaptionBackground(HDC Dc, const RECT& Strip, bool Active)
{
    const COLORREF from = GetSysColor(Active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
    BOOL gradient = FALSE;
    SystemParametersInfoW(SPI_GETGRADIENTCAPTIONS, 0, &gradient, 0);
    if (gradient) {
        const COLORREF to = GetSysColor(Active ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION);
        TRIVERTEX vertices[2] = {
            {Strip.left, Strip.top, static_cast<COLOR16>(GetRValue(from) << 8), static_cast<COLOR16>(GetGValue(from) << 8),
             static_cast<COLOR16>(GetBValue(from) << 8), 0},
            {Strip.right, Strip.bottom, static_cast<COLOR16>(GetRValue(to) << 8), static_cast<COLOR16>(GetGValue(to) << 8),
             static_cast<COLOR16>(GetBValue(to) << 8), 0}};
        GRADIENT_RECT rect{0, 1};
        if (GradientFill(Dc, vertices, 2, &rect, 1, GRADIENT_FILL_RECT_H))
            return;
    }
    const TGdiObject<HBRUSH> brush(CreateSolidBrush(from));
    FillRect(Dc, &Strip, brush.get());
}

}  // namespace

TElFormCaption::TElFormCaption(TComponent* AOwner) : TElComponent(AOwner), hook_(new TElHook(this))
{
    texts_.OnChange = [this] { Repaint(); };
    hook_->OnAfterProcess = [this](TObject*, TMessage& Message, bool&) {
        switch (Message.Msg) {
        case WM_NCACTIVATE:
            formActive_ = Message.WParam != 0;
            PaintCaption();
            break;
        case WM_NCPAINT:
        case WM_SETTEXT:
            PaintCaption();
            break;
        default:
            break;
        }
    };
}

TElFormCaption::~TElFormCaption()
{
    texts_.OnChange = nullptr;
}

TCustomForm* TElFormCaption::Form() const
{
    return dynamic_cast<TCustomForm*>(Owner());
}

void TElFormCaption::SetActive(bool Value)
{
    if (Value == active_)
        return;
    active_ = Value;
    TCustomForm* form = Form();
    if (Value && form) {
        hook_->SetControl(form);
        formActive_ = form->HandleAllocated() && GetActiveWindow() == form->Handle();
    }
    hook_->SetActive(Value && form);
    // Switched off, the system draws its own caption again.
    if (form && form->HandleAllocated())
        RedrawWindow(form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
}

TRect TElFormCaption::TextArea() const
{
    TCustomForm* form = Form();
    TCaptionBar bar;
    if (!form || !form->HandleAllocated() || !FindCaptionBar(form->Handle(), bar))
        return {};
    return {bar.TextArea.left, bar.TextArea.top, bar.TextArea.right, bar.TextArea.bottom};
}

void TElFormCaption::Repaint()
{
    if (!IsDestroying())
        PaintCaption();
}

void TElFormCaption::PaintCaption()
{
    TCustomForm* form = Form();
    if (!active_ || !form || !form->HandleAllocated() || form->IsDestroying())
        return;
    const HWND window = form->Handle();
    TCaptionBar bar;
    if (!FindCaptionBar(window, bar) || bar.TextArea.right <= bar.TextArea.left)
        return;
    TWindowDC dc(window, true);
    if (!dc.Handle())
        return;
    TSavedDC saved(dc.Handle());
    IntersectClipRect(dc.Handle(), bar.FreeArea.left, bar.FreeArea.top, bar.FreeArea.right, bar.FreeArea.bottom);
    FillCaptionBackground(dc.Handle(), bar.Strip, formActive_);

    const TGdiObject<HFONT> font = CaptionFont(bar.Tool);
    SelectObject(dc.Handle(), font.get());
    SetBkMode(dc.Handle(), TRANSPARENT);
    SetTextColor(dc.Handle(), GetSysColor(formActive_ ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    const auto width = [&](const std::u16string& Text) {
        SIZE size{};
        GetTextExtentPoint32W(dc.Handle(), WideChars(Text), static_cast<int>(Text.size()), &size);
        return static_cast<int32_t>(size.cx);
    };
    const TRect area{bar.TextArea.left, bar.TextArea.top, bar.TextArea.right, bar.TextArea.bottom};
    for (const TElCaptionTextPlace& place : PlaceCaptionTexts(texts_, area, kTextGap, width)) {
        RECT r{place.Bounds.Left, place.Bounds.Top, place.Bounds.Right, place.Bounds.Bottom};
        DrawTextW(dc.Handle(), WideChars(place.Text->Caption()), static_cast<int>(place.Text->Caption().size()), &r,
                  DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | DT_LEFT);
    }
}
