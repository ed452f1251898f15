// The message box's rules without its window: the buttons by bit, its arrangement for either
// reading direction and with or without the check box, and the centring of the button row.
#include "shell/dlg_infodialog_layout.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint16_t> BitsOf(uint16_t Buttons)
{
    std::vector<uint16_t> bits;
    for (const TInfoDialogButton& b : InfoDialogButtons(Buttons))
        bits.push_back(b.Bit);
    return bits;
}

TEST(InfoDialogRules, ButtonsComeInTheOrderOkYesNoCancelWithTheirTextsAndResults)
{
    EXPECT_TRUE(InfoDialogButtons(0).empty());
    EXPECT_EQ(BitsOf(3), (std::vector<uint16_t>{idbYes, idbNo}));
    EXPECT_EQ(BitsOf(0xFFFF), (std::vector<uint16_t>{idbOK, idbYes, idbNo, idbCancel}));
    const std::vector<TInfoDialogButton> all = InfoDialogButtons(15);
    EXPECT_EQ(all[0].TextID, 71);
    EXPECT_EQ(all[0].ModalResult, 1);
    EXPECT_EQ(all[1].TextID, 167);
    EXPECT_EQ(all[1].ModalResult, 6);
    EXPECT_EQ(all[2].TextID, 168);
    EXPECT_EQ(all[2].ModalResult, 7);
    EXPECT_EQ(all[3].TextID, 72);
    EXPECT_EQ(all[3].ModalResult, 2);
    EXPECT_EQ(std::u16string(all[3].DefaultText), u"Cancel");
}

TEST(InfoDialogRules, LeftToRightKeepsTheDesignAndTheCheckBoxDecidesTheHeight)
{
    const TInfoDialogDesign d;
    const TInfoDialogLayout with = LayoutInfoDialog(d, d.ClientWidth, false, true);
    EXPECT_EQ(with.Picture, d.Picture);
    EXPECT_EQ(with.CheckBox, d.CheckBox);
    EXPECT_EQ(with.Label, d.Label);
    EXPECT_EQ(with.ClientHeight, d.CheckBox.Bottom);
    const TInfoDialogLayout without = LayoutInfoDialog(d, d.ClientWidth, false, false);
    EXPECT_EQ(with.ClientHeight - without.ClientHeight, d.CheckBox.Height());
}

TEST(InfoDialogRules, RightToLeftMovesPicturesAndCheckBoxToTheRightAndTheLabelBeforeThem)
{
    const TInfoDialogDesign d;
    const TInfoDialogLayout l = LayoutInfoDialog(d, 500, true, true);
    EXPECT_EQ(l.Picture, Bounds(500 - d.Picture.Left - 32, d.Picture.Top, 32, 32));
    EXPECT_EQ(l.CheckBox.Right, 500 - (d.ClientWidth - d.CheckBox.Right));
    EXPECT_EQ(l.CheckBox.Top, d.CheckBox.Top);
    EXPECT_EQ(l.Label.Right, l.Picture.Left - 10);
    EXPECT_EQ(l.Label.Top, d.Label.Top);
    EXPECT_EQ(l.Label.Width(), d.Label.Width());
}

TEST(InfoDialogRules, TheButtonRowIsCentredWithEachHalfRoundedHalfToEven)
{
    EXPECT_EQ(CentredPanelLeft(483, 200), 142);  // 241.5 -> 242, minus 100
    EXPECT_EQ(CentredPanelLeft(483, 100), 192);
    EXPECT_EQ(CentredPanelLeft(481, 100), 190);  // 240.5 -> 240
    EXPECT_EQ(CentredPanelLeft(483, 0), 242);
    EXPECT_EQ(CentredPanelLeft(480, 301), 90);   // 150.5 -> 150
}

}  // namespace
