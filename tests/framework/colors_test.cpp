#include "framework/Colors.h"

#include <gtest/gtest.h>

TEST(Colors, OneCaseInsensitiveNameTableBothWays)
{
    TColor c = 0;
    EXPECT_TRUE(IdentToColor("clBtnFace", c));
    EXPECT_EQ(c, clBtnFace);
    EXPECT_TRUE(IdentToColor("CLRED", c));
    EXPECT_EQ(c, clRed);
    EXPECT_TRUE(IdentToColor("clnone", c));
    EXPECT_EQ(c, clNone);
    c = 42;
    EXPECT_FALSE(IdentToColor("clRe", c));
    EXPECT_FALSE(IdentToColor("clRedd", c));
    EXPECT_FALSE(IdentToColor("", c));
    EXPECT_EQ(c, 42u);
    std::string name;
    EXPECT_TRUE(ColorToIdent(cl3DDkShadow, name));
    EXPECT_EQ(name, "cl3DDkShadow");
    EXPECT_FALSE(ColorToIdent(0x123456, name));
    // Every named colour finds its way back to the same name.
    for (const char* n : {"clBlack", "clMaroon", "clInfoBk", "clInfoText", "clHighlight", "clScrollBar", "clDefault"}) {
        ASSERT_TRUE(IdentToColor(n, c)) << n;
        ASSERT_TRUE(ColorToIdent(c, name)) << n;
        EXPECT_EQ(name, n);
    }
    EXPECT_TRUE(IsSystemColor(clWindow));
    EXPECT_FALSE(IsSystemColor(clNone));
    EXPECT_EQ(RGBColor(1, 2, 3), 0x030201u);
}
