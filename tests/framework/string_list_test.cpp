// 8-bit string lists: sorting with its case sensitivity and duplicates, objects kept with their
// strings, text and name=value access, loading and saving.
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/StringList.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::vector<std::string> Items(const TStrings& L)
{
    std::vector<std::string> v;
    for (int32_t i = 0; i < L.Count(); ++i)
        v.push_back(L.Strings(i));
    return v;
}

template <class F>
std::u16string MessageOf(F&& Call)
{
    try {
        Call();
    } catch (const EStringListError& e) {
        return e.Message();
    }
    return u"(nothing raised)";
}

TEST(StringList, SortedListKeepsItsOrderThroughDuplicatesAndACaseChange)
{
    TStringList list;
    list.SetSorted(true);
    for (const char* s : {"pear", "Apple", "apple", "banana", "Pear"})
        list.Add(s);
    // Not case-sensitive: "apple" and "Pear" count as held already and are ignored.
    EXPECT_EQ(Items(list), (std::vector<std::string>{"Apple", "banana", "pear"}));
    EXPECT_EQ(list.Add("BANANA"), 1);  // the index of the one held
    EXPECT_EQ(list.Count(), 3);

    list.Duplicates = dupError;
    EXPECT_EQ(MessageOf([&] { list.Add("PEAR"); }), u"In der Stringliste sind Duplikate nicht erlaubt");
    list.Duplicates = dupAccept;
    list.Add("APPLE");
    EXPECT_EQ(list.Count(), 4);

    // Case-sensitive now: sorted again, byte by byte, and found in the new order.
    list.SetCaseSensitive(true);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"APPLE", "Apple", "banana", "pear"}));
    EXPECT_EQ(list.IndexOf("Apple"), 1);
    EXPECT_EQ(list.IndexOf("apple"), -1);
    list.SetCaseSensitive(false);
    int32_t at = -1;
    EXPECT_TRUE(list.Find("BANANA", at));
    EXPECT_EQ(at, 2);

    EXPECT_EQ(MessageOf([&] { list.Insert(0, "x"); }), u"Operation für sortierte Listen nicht zulässig");
    EXPECT_EQ(MessageOf([&] { list.Put(0, "x"); }), u"Operation für sortierte Listen nicht zulässig");
    EXPECT_EQ(MessageOf([&] { list.Get(4); }), u"Listenindex überschreitet das Maximum (4)");
    EXPECT_EQ(MessageOf([&] { list.Delete(-1); }), u"Listenindex überschreitet das Maximum (-1)");
}

TEST(StringList, UnsortedListComparesWithoutCaseUntilToldOtherwise)
{
    TStringList list;
    list.Add("Zeta");
    list.Add("alpha");
    list.Add("\xE4rger");  // "ärger" in the system code page
    EXPECT_EQ(list.IndexOf("ALPHA"), 1);
    EXPECT_EQ(list.IndexOf("\xC4RGER"), 2);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("ALPHA"), -1);
    list.SetSorted(true);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"Zeta", "alpha", "\xE4rger"}));
}

TEST(StringList, ObjectsStayWithTheirStrings)
{
    TObject a, b, c;
    TStringList list;
    list.AddObject("line\r\nbreak", &a);  // one item, though it holds a line break
    list.AddObject("b", &b);
    list.AddObject("c", &c);
    list.Exchange(0, 2);
    list.Move(0, 1);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"b", "c", "line\r\nbreak"}));
    EXPECT_EQ(list.Objects(0), &b);
    EXPECT_EQ(list.Objects(2), &a);
    EXPECT_EQ(list.IndexOfObject(&c), 1);

    TStringList copy;
    copy.Add("old");
    copy.Assign(&list);
    EXPECT_TRUE(copy.Equals(list));
    EXPECT_EQ(copy.Objects(2), &a);

    // Sorting moves the objects along.
    copy.SetSorted(true);
    EXPECT_EQ(copy.Objects(copy.IndexOf("line\r\nbreak")), &a);
    EXPECT_EQ(copy.Objects(copy.IndexOf("c")), &c);
}

TEST(StringList, TextAndNameValuePairs)
{
    TStringList list;
    list.SetText(std::string("one\r\ntwo\rthree\n\nfive\r\n") + '\0' + "after the NUL");
    EXPECT_EQ(Items(list), (std::vector<std::string>{"one", "two", "three", "", "five"}));
    EXPECT_EQ(list.Text(), "one\r\ntwo\r\nthree\r\n\r\nfive\r\n");

    list.Clear();
    list.Add("Port=COM12");
    list.Add("plain");
    list.Add("Baud=9600=fast");
    EXPECT_EQ(list.Values("port"), "COM12");
    EXPECT_EQ(list.Values("Baud"), "9600=fast");
    EXPECT_EQ(list.Names(1), "");
    list.SetValue("PORT", "COM3");
    EXPECT_EQ(list.Strings(0), "PORT=COM3");
    list.SetValue("Parity", "none");
    EXPECT_EQ(list.Strings(3), "Parity=none");
    list.SetValue("Baud", "");
    EXPECT_EQ(list.IndexOfName("Baud"), -1);
    EXPECT_EQ(list.Count(), 3);
}

TEST(StringList, ChangeEventsOncePerUpdate)
{
    TStringList list;
    int changing = 0, changed = 0;
    list.OnChanging = [&](TObject*) { ++changing; };
    list.OnChange = [&](TObject*) { ++changed; };
    list.Add("a");
    EXPECT_EQ(changed, 1);
    list.BeginUpdate();
    list.Add("b");
    list.Add("c");
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(changing, 2);
    EXPECT_EQ(changed, 2);
}

TEST(StringList, SavedAndLoadedThroughFilesAndStreams)
{
    const std::u16string name = TempFileName() + u".txt";
    TStringList list;
    list.Add("[Section]");
    list.Add("Name=Wert \xFC");
    list.SaveToFile(name);
    EXPECT_FALSE(FileExists(name + u".tmp"));

    TStringList back;
    back.Add("stale");
    back.LoadFromFile(name);
    EXPECT_TRUE(back.Equals(list));

    // A stream is read from its position to its end.
    TMemoryStream stream;
    stream.Write("skip", 4);
    list.SaveToStream(stream);
    stream.SetPosition(4);
    back.LoadFromStream(stream);
    EXPECT_TRUE(back.Equals(list));
    std::filesystem::remove(std::filesystem::path(name));
}

} // namespace
