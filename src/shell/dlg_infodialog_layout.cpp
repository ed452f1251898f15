#include "shell/dlg_infodialog_layout.h"

#include "scan/files/TextIds.h"

#include "framework/MathUtils.h"

std::vector<TInfoDialogButton> InfoDialogButtons(uint16_t Buttons)
{
    static const TInfoDialogButton all[] = {
        {idbOK, Texts::OK, u"OK", 1},
        {idbYes, Texts::Yes, u"Yes", 6},
        {idbNo, Texts::No, u"No", 7},
        {idbCancel, Texts::Cancel, u"Cancel", 2},
    };
    std::vector<TInfoDialogButton> shown;
    for (const TInfoDialogButton& b : all)
        if (Buttons & b.Bit)
            shown.push_back(b);
    return shown;
}

TInfoDialogLayout LayoutInfoDialog(const TInfoDialogDesign& Design, int32_t ClientWidth, bool RightToLeft,
                                   bool WithCheckBox)
{
    TInfoDialogLayout l;
    l.Picture = Design.Picture;
    l.CheckBox = Design.CheckBox;
    l.Label = Design.Label;
    if (RightToLeft) {
        const int32_t pictureMargin = Design.Picture.Left;
        const int32_t checkBoxMargin = Design.ClientWidth - Design.CheckBox.Right;
        l.Picture = Bounds(ClientWidth - pictureMargin - Design.Picture.Width(), Design.Picture.Top,
                           Design.Picture.Width(), Design.Picture.Height());
        l.CheckBox = Bounds(ClientWidth - checkBoxMargin - Design.CheckBox.Width(), Design.CheckBox.Top,
                            Design.CheckBox.Width(), Design.CheckBox.Height());
        const int32_t right = l.Picture.Left - Design.RightToLeftLabelGap;
        l.Label = Bounds(right - Design.Label.Width(), Design.Label.Top, Design.Label.Width(), Design.Label.Height());
    } else {
        const int32_t margin = Design.Label.Left - Design.Picture.Right;
        l.Label = Bounds(l.Picture.Right + margin, Design.Label.Top, Design.Label.Width(), Design.Label.Height());
    }
    l.ClientHeight = WithCheckBox ? l.CheckBox.Bottom : l.CheckBox.Top;
    return l;
}

int32_t CentredPanelLeft(int32_t ClientWidth, int32_t PanelWidth)
{
    return static_cast<int32_t>(Round(ClientWidth / 2.0) - Round(PanelWidth / 2.0));
}
