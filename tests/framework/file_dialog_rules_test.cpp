// The portable rules behind the system's file dialogs: the type list, the type index and the
// default extension.
#include "framework/FileDialogRules.h"

#include <gtest/gtest.h>

using namespace std::string_literals;

TEST(FileDialogRules, TypeListKeepsEveryTypeInItsPlace)
{
    EXPECT_EQ(BuildFilterString({{u"PNG (*.png)", u"*.png;"}, {u"BMP", u"*.bmp"}}),
              u"PNG (*.png)\0*.png;\0BMP\0*.bmp\0\0"s);
    EXPECT_EQ(BuildFilterString({}), u"");
    // An empty text would end the system's list there and hide the types after it.
    EXPECT_EQ(BuildFilterString({{u"", u"*.dmo"}, {u"All", u""}, {u"Cut\0short"s, u"*.x"}}),
              u"*.dmo\0*.dmo\0All\0*.*\0Cutshort\0*.x\0\0"s);
}

TEST(FileDialogRules, TypeIndexFromZeroAgainstTheSystemsFromOne)
{
    EXPECT_EQ(ToSystemFilterIndex(1, 3), 2u);
    EXPECT_EQ(ToSystemFilterIndex(3, 3), 1u);
    EXPECT_EQ(ToSystemFilterIndex(-1, 3), 1u);
    EXPECT_EQ(ToSystemFilterIndex(0, 0), 0u);
    EXPECT_EQ(FromSystemFilterIndex(3, 3, 0), 2);
    EXPECT_EQ(FromSystemFilterIndex(0, 3, 1), 1);  // no type named: the one asked for stays
    EXPECT_EQ(FromSystemFilterIndex(4, 3, 7), 0);
    EXPECT_EQ(FromSystemFilterIndex(1, 0, 2), 0);
}

TEST(FileDialogRules, DefaultExtensionGoesOnlyOnANameWithoutOne)
{
    EXPECT_EQ(SystemDefaultExtension(u".jpg"), u"jpg");
    EXPECT_EQ(SystemDefaultExtension(u"png"), u"png");
    EXPECT_EQ(ApplyDefaultExtension(u"C:\\out\\shot", u".png"), u"C:\\out\\shot.png");
    EXPECT_EQ(ApplyDefaultExtension(u"shot", u"bmp"), u"shot.bmp");
    // The dot of a folder is not the name's extension.
    EXPECT_EQ(ApplyDefaultExtension(u"C:\\v1.2\\shot", u".jpg"), u"C:\\v1.2\\shot.jpg");
    EXPECT_EQ(ApplyDefaultExtension(u"/tmp/a.b/shot", u".jpg"), u"/tmp/a.b/shot.jpg");
    EXPECT_EQ(ApplyDefaultExtension(u"C:\\out\\shot.PNG", u".jpg"), u"C:\\out\\shot.PNG");
    EXPECT_EQ(ApplyDefaultExtension(u"C:\\out\\", u".jpg"), u"C:\\out\\");
    EXPECT_EQ(ApplyDefaultExtension(u"", u".jpg"), u"");
    EXPECT_EQ(ApplyDefaultExtension(u"shot", u""), u"shot");
    EXPECT_EQ(ApplyDefaultExtension(u"shot", u"."), u"shot");
}
