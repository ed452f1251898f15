#include "widgets/el/menus/ElStatusBar.h"

#include "framework/Canvas.h"
#include "framework/Colors.h"
#include "framework/Graphics.h"
#include "framework/ScopedGdi.h"
#include "framework/WinText.h"

#include <vsstyle.h>

namespace {

// Pixels between two panes; the pane's bevel stands inside its rectangle.
constexpr int32_t kPaneGap = 2;

RECT ToRect(const TRect& R)
{
    return {R.Left, R.Top, R.Right, R.Bottom};
}

UINT AlignmentFlags(TAlignment Alignment)
{
    switch (Alignment) {
    case TAlignment::taRightJustify: return DT_RIGHT;
    case TAlignment::taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

}  // namespace

TElStatusBar::TElStatusBar(TComponent* AOwner) : TElXPThemedControl(AOwner)
{
    BeginCreate();
    SetBounds(0, 0, 200, 19);
    ControlStyle |= csOpaque;
    EndCreate();
}

TRect TElStatusBar::PanelRect(int Index) const
{
    panels_.Items(Index);  // checks the index
    return panels_.PanelRects(ClientRect())[static_cast<size_t>(Index)];
}

// The gap to the next pane counts as part of a panel's room for its text.
int32_t TElStatusBar::TextWidth(const std::u16string& Text)
{
    TWindowDC screen(nullptr);
    TSelectedObject font(screen.Handle(), Font()->Handle());
    SIZE size{};
    GetTextExtentPoint32W(screen.Handle(), WideChars(Text), static_cast<int>(Text.size()), &size);
    return size.cx + kPaneGap;
}

void TElStatusBar::PanelChanged(int Index, bool Moved)
{
    if (!HandleAllocated() || IsDestroying())
        return;
    const TRect client = ClientRect();
    TRect area = client;
    if (Index >= 0 && Index < panels_.Count()) {
        const TRect panel = panels_.PanelRects(client)[static_cast<size_t>(Index)];
        area.Left = panel.Left;
        if (!Moved)
            area.Right = panel.Right;
    }
    const RECT r = ToRect(area);
    InvalidateRect(Handle(), &r, TRUE);
}

void TElStatusBar::Resize()
{
    TElXPThemedControl::Resize();
    // The last panel follows the right edge.
    if (panels_.Count() > 0)
        PanelChanged(panels_.Count() - 1, true);
}

void TElStatusBar::FontChanged()
{
    TElXPThemedControl::FontChanged();
    panels_.FitTexts();
    Invalidate();
}

void TElStatusBar::Paint()
{
    const HDC dc = Canvas()->Handle();
    const TRect client = ClientRect();
    const RECT all = ToRect(client);
    if (!IsThemeApplied() || !ElUxTheme().DrawThemeBackground(Theme(), dc, 0, 0, all)) {
        const TGdiObject<HBRUSH> face(CreateSolidBrush(ColorToRGB(Color())));
        FillRect(dc, &all, face.get());
    }
    const std::vector<TRect> rects = panels_.PanelRects(client);
    for (int i = 0; i < panels_.Count(); ++i)
        PaintPanel(*panels_.Items(i), rects[static_cast<size_t>(i)]);
}

void TElStatusBar::PaintPanel(TElStatusPanel& Panel, const TRect& Rect)
{
    const HDC dc = Canvas()->Handle();
    RECT pane = ToRect(Rect);
    pane.right = std::max(pane.left, pane.right - kPaneGap);
    if (!IsThemeApplied() || !ElUxTheme().DrawThemeBackground(Theme(), dc, SP_PANE, 0, pane))
        DrawEdge(dc, &pane, BDR_SUNKENOUTER, BF_RECT);

    if (Panel.Style() == TElStatusPanelStyle::epsOwnerDraw) {
        if (OnDrawPanel) {
            TSavedDC saved(dc);
            IntersectClipRect(dc, pane.left, pane.top, pane.right, pane.bottom);
            OnDrawPanel(this, &Panel, Rect);
        }
        return;
    }
    TSavedDC saved(dc);
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ColorToRGB(Enabled() ? Font()->Color() : clGrayText));
    RECT text{pane.left + TElStatusPanel::TextMargin, pane.top, pane.right - TElStatusPanel::TextMargin, pane.bottom};
    DrawTextW(dc, WideChars(Panel.Text()), static_cast<int>(Panel.Text().size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS | AlignmentFlags(Panel.Alignment()));
}
