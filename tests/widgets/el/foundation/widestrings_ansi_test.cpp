// Wide string lists to and from the framework's 8-bit lists: item by item, with the objects.
#include "framework/StringList.h"
#include "widgets/el/foundation/ElWideStrings.h"

#include <gtest/gtest.h>

namespace {

TEST(WideStringsAnsi, AssignCopiesItemByItemWithTheObjects)
{
    TObject a, b, c;
    TStringList ansi;
    ansi.AddObject("line\r\nbreak", &a);           // would split through the joined text
    ansi.AddObject(std::string("nul\0inside", 10), &b);  // would end the joined text
    ansi.AddObject("\xFC", &c);

    TElWideStringList wide;
    wide.Add(u"old");
    wide.Assign(&ansi);
    ASSERT_EQ(wide.Count(), 3);
    EXPECT_EQ(wide.Strings(0), u"line\r\nbreak");
    EXPECT_EQ(wide.Strings(1), std::u16string(u"nul\0inside", 10));
    EXPECT_EQ(wide.Strings(2), u"\u00fc");
    EXPECT_EQ(wide.GetObject(1), &b);
    EXPECT_EQ(wide.GetObject(2), &c);

    TStringList back;
    back.Add("old");
    back.Assign(&wide);
    EXPECT_TRUE(back.Equals(ansi));
    EXPECT_EQ(back.Objects(0), &a);
}

} // namespace
