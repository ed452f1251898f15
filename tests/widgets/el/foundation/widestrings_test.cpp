#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <random>
#include <string>
#include <utility>

#include "framework/Exceptions.h"
#include "widgets/el/foundation/ElFileStream.h"
#include "widgets/el/foundation/ElStrUtils.h"
#include "widgets/el/foundation/ElWideStrings.h"

namespace {

std::vector<std::u16string> Items(const TElWideStrings& L)
{
    std::vector<std::u16string> R;
    for (int32_t i = 0; i < L.Count(); ++i)
        R.push_back(L.Get(i));
    return R;
}

void Load(TElWideStringList& L, const std::vector<uint8_t>& Bytes)
{
    TMemoryStream S(Bytes.data(), Bytes.size());
    L.LoadFromStream(S);
}

using V = std::vector<std::u16string>;

TEST(WideStrings, TextSplittingAndJoining)
{
    TElWideStringList L;
    L.SetTextStr(u"a\r\nb\r\n");
    EXPECT_EQ(Items(L), (V{u"a", u"b"}));
    EXPECT_EQ(L.GetTextStr(), u"a\r\nb\r\n");
    L.SetTextStr(u"a\n\rb");
    EXPECT_EQ(Items(L), (V{u"a", u"", u"b"}));
    L.SetTextStr(u"x\ry");
    EXPECT_EQ(Items(L), (V{u"x", u"y"}));
    L.SetTextStr(std::u16string(u"p\0q", 3));
    EXPECT_EQ(Items(L), (V{u"p"}));
    L.SetTextStr(u"");
    EXPECT_EQ(L.Count(), 0);
    EXPECT_EQ(L.GetTextStr(), u"");
}

TEST(WideStrings, LoadingByByteOrderMark)
{
    TElWideStringList L;
    Load(L, {0xFF, 0xFE, 0x61, 0x00, 0x0D, 0x00, 0x0A, 0x00});
    EXPECT_EQ(Items(L), (V{u"a"}));
    Load(L, {0xFE, 0xFF, 0x00, 0x61});
    EXPECT_EQ(Items(L), (V{u"a"}));
    Load(L, {0x61, 0x62});
    EXPECT_EQ(Items(L), (V{u"ab"}));
    Load(L, {0xE4}); // one 8-bit character in the system code page
    EXPECT_EQ(Items(L), (V{u"\u00E4"}));
    Load(L, {0xFF, 0xFE, 0x61, 0x00, 0x62}); // the odd last byte is ignored
    EXPECT_EQ(Items(L), (V{u"a"}));
    L.ForceUnicode = true;
    Load(L, {0x61, 0x00, 0x62, 0x00});
    EXPECT_EQ(Items(L), (V{u"ab"}));
    Load(L, {0x61}); // one byte: no text, and no step back before the data
    EXPECT_EQ(L.Count(), 0);
    Load(L, {});
    EXPECT_EQ(L.Count(), 0);
}

TEST(WideStrings, SavingAsEightBitOrUtf16AndRoundTripThroughAFile)
{
    TElWideStringList L;
    L.Add(u"a");
    L.Add(u"\u00E4");
    TMemoryStream S;
    L.SaveToStream(S);
    EXPECT_EQ(S.Bytes(), (std::vector<uint8_t>{0x61, 0x0D, 0x0A, 0xE4, 0x0D, 0x0A}));
    EXPECT_TRUE(L.SaveCompleted);

    L.ForceUnicode = true;
    L.Add(u"\u05D0");
    auto Name = (std::filesystem::temp_directory_path() / "l3d-widestrings.txt").u16string();
    L.WriteBOM = false;
    L.SaveToFile(Name);
    EXPECT_FALSE(L.WriteBOM); // restored after the call
    TElWideStringList Back;
    Back.LoadFromFile(Name);
    EXPECT_EQ(Items(Back), Items(L));
    {
        TElFileStream F(Name, fmOpenRead);
        uint8_t Mark[2];
        F.ReadBuffer(Mark, 2);
        EXPECT_EQ(Mark[0], 0xFF);
        EXPECT_EQ(Mark[1], 0xFE);
    }
    std::filesystem::remove(std::filesystem::path(Name));
    EXPECT_THROW(L.SaveToFile(Name + u"/missing/dir/x"), EFCreateError);
    EXPECT_FALSE(L.WriteBOM);
}

TEST(WideStrings, SortedListsDuplicatesAndErrors)
{
    TElWideStringList L;
    for (auto S : {u"pear", u"apple", u"fig"})
        L.Add(S);
    L.SetSorted(true);
    EXPECT_EQ(Items(L), (V{u"apple", u"fig", u"pear"}));
    TObject Obj;
    EXPECT_EQ(L.AddObject(u"fig", &Obj), -2);
    EXPECT_EQ(L.Count(), 3);
    EXPECT_EQ(L.IndexOfObject(&Obj), -1);
    EXPECT_EQ(L.IndexOf(u"pear"), 2);
    EXPECT_EQ(L.IndexOf(u"kiwi"), -1);
    EXPECT_THROW(L.Insert(0, u"x"), EStringListError);
    EXPECT_THROW(L.Put(0, u"x"), EStringListError);
    L.Duplicates = dupError;
    EXPECT_THROW(L.Add(u"apple"), EStringListError);
    L.Duplicates = dupAccept;
    L.Add(u"apple");
    EXPECT_EQ(Items(L), (V{u"apple", u"apple", u"fig", u"pear"}));
    try {
        L.Get(4);
        FAIL();
    } catch (const EStringListError& E) {
        EXPECT_EQ(E.Message(), u"Listenindex überschreitet das Maximum (4)");
    }
    EXPECT_THROW(L.Delete(-1), EStringListError);
    EXPECT_THROW(L.Exchange(0, 9), EStringListError);
}

TEST(WideStrings, ChangingTheCaseRuleReSortsASortedList)
{
    // Sorted by code unit, capitals come first; without regard to case the order differs.
    TElWideStringList L;
    for (auto S : {u"b", u"a", u"C", u"B"})
        L.Add(S);
    L.SetSorted(true);
    EXPECT_EQ(Items(L), (V{u"B", u"C", u"a", u"b"}));
    L.SetCaseSensitive(false);
    ASSERT_EQ(L.Count(), 4);
    EXPECT_EQ(L.Get(0), u"a");
    EXPECT_EQ(WideUpperCase(L.Get(1)), u"B");
    EXPECT_EQ(WideUpperCase(L.Get(2)), u"B");
    EXPECT_EQ(L.Get(3), u"C");
    // Searched the way it is sorted.
    EXPECT_EQ(L.IndexOf(u"c"), 3);
    EXPECT_EQ(L.IndexOf(u"A"), 0);
    EXPECT_EQ(L.Add(u"c"), -2) << "a duplicate without regard to case is ignored";
    // And back.
    L.SetCaseSensitive(true);
    EXPECT_EQ(Items(L), (V{u"B", u"C", u"a", u"b"}));
    EXPECT_EQ(L.IndexOf(u"c"), -1);
    // An unsorted list keeps its order.
    TElWideStringList U;
    for (auto S : {u"b", u"a", u"C"})
        U.Add(S);
    U.SetCaseSensitive(false);
    EXPECT_EQ(Items(U), (V{u"b", u"a", u"C"}));
}

TEST(WideStrings, QuickSortAgreesWithStdSort)
{
    std::mt19937 Random(7);
    for (int Round = 0; Round < 50; ++Round) {
        TElWideStringList L;
        std::vector<std::u16string> Expected;
        int N = static_cast<int>(Random() % 40);
        for (int i = 0; i < N; ++i) {
            std::u16string S(1 + Random() % 3, u'a');
            for (char16_t& C : S)
                C = static_cast<char16_t>(u'a' + Random() % 4);
            L.Add(S);
            Expected.push_back(S);
        }
        L.Sort();
        std::sort(Expected.begin(), Expected.end());
        EXPECT_EQ(Items(L), Expected);
    }
}

TEST(WideStrings, CapacityGrowthAndChangeEventsUnderUpdates)
{
    TElWideStringList L;
    std::vector<int32_t> Capacities{L.GetCapacity()};
    for (int i = 0; i < 90; ++i) {
        L.Add(u"x");
        if (L.GetCapacity() != Capacities.back())
            Capacities.push_back(L.GetCapacity());
    }
    EXPECT_EQ(Capacities, (std::vector<int32_t>{0, 4, 8, 12, 28, 44, 60, 76, 95}));

    int Changing = 0, Changed = 0;
    L.OnChanging = [&](TObject*) { ++Changing; };
    L.OnChange = [&](TObject*) { ++Changed; };
    L.BeginUpdate();
    L.BeginUpdate();
    L.Add(u"y");
    L.Delete(0);
    L.EndUpdate();
    EXPECT_EQ(Changed, 0);
    L.EndUpdate();
    EXPECT_EQ(Changing, 1);
    EXPECT_EQ(Changed, 1);
    L.Clear();
    EXPECT_EQ(L.GetCapacity(), 0);
    EXPECT_EQ(Changed, 2);
    L.Clear(); // an empty list sends nothing
    EXPECT_EQ(Changed, 2);
}

TEST(WideStrings, EveryChangeIsAnnouncedBeforeAndAfter)
{
    // Each edit: one OnChanging while the list is still as it was, one OnChange after.
    TElWideStringList L;
    TObject O;
    std::vector<std::string> Log;
    L.OnChanging = [&](TObject*) { Log.push_back("changing " + std::to_string(L.Count())); };
    L.OnChange = [&](TObject*) { Log.push_back("changed " + std::to_string(L.Count())); };
    const std::vector<std::pair<const char*, std::function<void()>>> Edits = {
        {"add", [&] { L.Add(u"a"); }},
        {"insert", [&] { L.Insert(0, u"b"); }},
        {"put", [&] { L.Put(0, u"c"); }},
        {"object", [&] { L.PutObject(0, &O); }},
        {"exchange", [&] { L.Exchange(0, 1); }},
        {"delete", [&] { L.Delete(0); }},
        {"clear", [&] { L.Clear(); }},
    };
    for (const auto& [Name, Edit] : Edits) {
        const std::string Before = std::to_string(L.Count());
        Log.clear();
        Edit();
        EXPECT_EQ(Log, (std::vector<std::string>{"changing " + Before, "changed " + std::to_string(L.Count())}))
            << Name;
    }

    // Sorting announces itself; a rule set to what it is already, or a sort of a list kept
    // sorted, changes nothing and says nothing.
    for (auto S : {u"b", u"a", u"C"})
        L.Add(S);
    L.SetSorted(true);
    Log.clear();
    L.SetCaseSensitive(L.CaseSensitive());
    L.CustomSort([](TElWideStringList& List, int32_t I1, int32_t I2) {
        return WideCompareStr(List.Get(I2), List.Get(I1));  // descending
    });
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(Items(L), (V{u"C", u"a", u"b"}));
}

TEST(WideStrings, SetStringsReplacesTheItemsInOneUpdate)
{
    TElWideStringList L;
    L.Add(u"old");
    std::vector<std::string> Log;
    L.OnChanging = [&](TObject*) { Log.push_back("changing " + std::to_string(L.Count())); };
    L.OnChange = [&](TObject*) { Log.push_back("changed " + std::to_string(L.Count())); };
    L.SetStrings(V{u"b", u"a", u"b"});
    EXPECT_EQ(Items(L), (V{u"b", u"a", u"b"}));
    EXPECT_EQ(Log, (std::vector<std::string>{"changing 1", "changed 3"}));
    EXPECT_EQ(L.UpdateCount, 0);

    // An empty list clears it, still as one change.
    Log.clear();
    L.SetStrings({});
    EXPECT_EQ(L.Count(), 0);
    EXPECT_EQ(Log, (std::vector<std::string>{"changing 3", "changed 0"}));
}

TEST(WideStrings, NamesValuesObjectsAndMoves)
{
    TElWideStringList L;
    TObject A, B;
    L.AddObject(u"Key=Value", &A);
    L.AddObject(u"key=other", &B);
    L.Add(u"plain");
    EXPECT_EQ(L.Values(u"Key"), u"Value");
    EXPECT_EQ(L.Values(u"KEY"), u"");
    EXPECT_EQ(L.IndexOfName(u"key"), 1);
    EXPECT_EQ(L.IndexOfObject(&B), 1);
    L.Move(0, 2);
    EXPECT_EQ(Items(L), (V{u"key=other", u"plain", u"Key=Value"}));
    EXPECT_EQ(L.GetObject(2), &A);
    L.Exchange(0, 2);
    EXPECT_EQ(L.GetObject(0), &A);
    EXPECT_EQ(L.GetObject(2), &B);

    TElWideStringList Copy;
    Copy.Add(u"old");
    Copy.Assign(&L);
    EXPECT_TRUE(Copy.Equals(L));
    EXPECT_EQ(Copy.GetObject(0), &A);
    Copy.Put(1, u"changed");
    EXPECT_FALSE(Copy.Equals(L));
}

} // namespace
