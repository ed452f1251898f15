// Where a button edit's buttons go and how much room the text keeps.
#include "widgets/el/editing/ElButtonEditLayout.h"

#include <gtest/gtest.h>

namespace {

constexpr TRect kClient{0, 0, 120, 20};
constexpr int kSystem = 17;

TEST(ButtonEditLayout, ButtonsSitAtTheRightEdgeInOrderAndTheTextEndsBeforeThem)
{
    // Both hidden: the text area of a plain edit.
    TElButtonEditParts p = LayoutButtonEdit(kClient, {false, -1}, {false, -1}, true, kSystem);
    EXPECT_EQ(p.EditRect, kClient);
    EXPECT_TRUE(p.Button.IsEmpty());
    EXPECT_TRUE(p.AltButton.IsEmpty());

    // The main button alone, -1 wide: the system width, full height.
    p = LayoutButtonEdit(kClient, {true, -1}, {false, 30}, true, kSystem);
    EXPECT_EQ(p.Button, (TRect{103, 0, 120, 20}));
    EXPECT_EQ(p.EditRect, (TRect{0, 0, 103, 20}));

    // Both: the alternative button left of the main one ("right"), or right of it.
    p = LayoutButtonEdit(kClient, {true, 20}, {true, 10}, true, kSystem);
    EXPECT_EQ(p.Button, (TRect{100, 0, 120, 20}));
    EXPECT_EQ(p.AltButton, (TRect{90, 0, 100, 20}));
    EXPECT_EQ(p.EditRect.Right, 90);
    p = LayoutButtonEdit(kClient, {true, 20}, {true, 10}, false, kSystem);
    EXPECT_EQ(p.AltButton, (TRect{110, 0, 120, 20}));
    EXPECT_EQ(p.Button, (TRect{90, 0, 110, 20}));

    // With the main button hidden the alternative one takes the edge, whatever its position.
    for (bool altLeft : {true, false}) {
        p = LayoutButtonEdit(kClient, {false, 20}, {true, 10}, altLeft, kSystem);
        EXPECT_EQ(p.AltButton, (TRect{110, 0, 120, 20}));
        EXPECT_EQ(p.EditRect.Right, 110);
    }

    // Buttons wider than the control stop at its left edge; negative widths take no room.
    p = LayoutButtonEdit(kClient, {true, 200}, {true, 50}, true, kSystem);
    EXPECT_EQ(p.Button, (TRect{0, 0, 120, 20}));
    EXPECT_EQ(p.EditRect.Right, 0);
    EXPECT_EQ(EditButtonWidth(-5, kSystem), 0);
    EXPECT_EQ(EditButtonWidth(-1, kSystem), kSystem);
}

}  // namespace
