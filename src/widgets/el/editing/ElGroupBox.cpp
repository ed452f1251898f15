#include "widgets/el/editing/ElGroupBox.h"

#include "framework/Canvas.h"
#include "framework/Graphics.h"
#include "framework/ScopedGdi.h"
#include "framework/WinText.h"

#include <vsstyle.h>

namespace {

constexpr int kCaptionIndent = 8;  // from the frame's end to the caption
constexpr int kCaptionPadding = 2; // blank room on both sides of the caption

}  // namespace

TElGroupBox::TElGroupBox(TComponent* AOwner) : TElXPThemedControl(AOwner)
{
    BeginCreate();
    ControlStyle |= csAcceptsControls | csParentBackground;
    SetBounds(0, 0, 185, 105);
    EndCreate();
}

TRect TElGroupBox::CaptionRect()
{
    const std::u16string caption = Caption();
    if (caption.empty())
        return {};
    TWindowDC screen(nullptr);
    TSelectedObject font(screen.Handle(), Font()->Handle());
    SIZE size{};
    GetTextExtentPoint32W(screen.Handle(), WideChars(caption), static_cast<int>(caption.size()), &size);
    const int width = size.cx + 2 * kCaptionPadding;
    const int left = BiDiMode() == TBiDiMode::bdRightToLeft ? ClientWidth() - kCaptionIndent - width : kCaptionIndent;
    return {left, 0, left + width, size.cy};
}

void TElGroupBox::Paint()
{
    const HDC dc = Canvas()->Handle();
    const TRect caption = CaptionRect();
    const int textHeight = caption.IsEmpty() ? 0 : caption.Height();
    RECT frame{0, textHeight / 2, ClientWidth(), ClientHeight()};
    {
        TSavedDC saved(dc);
        if (!caption.IsEmpty())
            ExcludeClipRect(dc, caption.Left, caption.Top, caption.Right, caption.Bottom);
        const int state = Enabled() ? GBS_NORMAL : GBS_DISABLED;
        if (!IsThemeApplied() || !ElUxTheme().DrawThemeBackground(Theme(), dc, BP_GROUPBOX, state, frame))
            DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    }
    if (caption.IsEmpty())
        return;
    TSavedDC saved(dc);
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    RECT text{caption.Left + kCaptionPadding, caption.Top, caption.Right - kCaptionPadding, caption.Bottom};
    const std::u16string title = Caption();
    DrawTextW(dc, WideChars(title), static_cast<int>(title.size()), &text, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT);
}

void TElGroupBox::TextChanged()
{
    TElXPThemedControl::TextChanged();
    Invalidate();
}

void TElGroupBox::EnabledChanged()
{
    TElXPThemedControl::EnabledChanged();
    Invalidate();
}

void TElGroupBox::AlignControls(TRect& Rect)
{
    // Aligned controls stay inside the frame, below the caption.
    Rect.Top += std::max(CaptionRect().Height(), 0) + 2;
    Rect.Left += 2;
    Rect.Right -= 2;
    Rect.Bottom -= 2;
    TElXPThemedControl::AlignControls(Rect);
}
