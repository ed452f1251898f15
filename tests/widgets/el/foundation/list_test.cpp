#include "widgets/el/foundation/ElList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// Counts live instances, so that double frees and leaks show (also under ASan).
struct TCounted : TObject {
    static inline int Alive = 0;
    TCounted() { ++Alive; }
    ~TCounted() override { --Alive; }
};

void* P(intptr_t v)
{
    return reinterpret_cast<void*>(v);
}

} // namespace

TEST(ElList, GrowthAndShrinkRule)
{
    TElList list;
    std::vector<int32_t> capacities{list.Capacity()};
    for (int i = 1; i <= 3653; ++i) {
        list.Add(P(i));
        if (list.Capacity() != capacities.back())
            capacities.push_back(list.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{0, 1, 4, 13, 40, 121, 364, 1093, 2373, 3653}));

    TElList one;
    one.Add(P(1));
    one.Delete(0);
    EXPECT_EQ(one.Capacity(), 1);   // 1 shr 1 = 0 is not greater than Count 0

    TElList halves;
    for (int i = 1; i <= 13; ++i)
        halves.Add(P(i));
    halves.DeleteRange(0, 9);   // 3 left of 13: halves once, to 6
    EXPECT_EQ(halves.Capacity(), 6);
    EXPECT_EQ(halves.Get(0), P(11));
}

TEST(ElList, EditingKeepsOrder)
{
    TElList list;
    list.Add(P(1));
    list.Add(P(3));
    list.Insert(1, P(2));
    list.Insert(3, P(4));
    EXPECT_EQ(list.Count(), 4);
    list.Exchange(0, 3);
    EXPECT_EQ(list.Get(0), P(4));
    EXPECT_EQ(list.Last(), P(1));
    EXPECT_EQ(list.IndexOf(P(2)), 1);
    EXPECT_EQ(list.Remove(P(2)), 1);
    EXPECT_EQ(list.Remove(P(99)), -1);
    list.SetCount(5);
    EXPECT_EQ(list.Get(4), nullptr);

    TElList copy;
    copy.Assign(&list);
    EXPECT_EQ(copy.Count(), 5);
    EXPECT_EQ(copy.Get(1), P(3));
    TElList single, fromSingle;
    single.Add(P(7));
    fromSingle.Assign(&single);
    ASSERT_EQ(fromSingle.Count(), 1);
    EXPECT_EQ(fromSingle.Get(0), P(7));
    copy.Assign(&copy);  // onto itself: nothing changes
    EXPECT_EQ(copy.Count(), 5);
    EXPECT_EQ(copy.Get(1), P(3));

    // Shrinking and growing again within the capacity: the slots come back empty.
    copy.SetCount(1);
    copy.SetCount(3);
    EXPECT_EQ(copy.Get(0), P(4));
    EXPECT_EQ(copy.Get(1), nullptr);
    EXPECT_EQ(copy.Get(2), nullptr);
    copy.SetCount(0);
    EXPECT_EQ(copy.Count(), 0);
}

TEST(ElList, ErrorsNameTheIndexAndChangeNothing)
{
    TElList list;
    list.Add(P(1));
    try {
        list.Get(1);
        FAIL();
    } catch (const EElListError& e) {
        EXPECT_EQ(e.Message(), u"List index [1] out of bounds...");
    }
    EXPECT_THROW(list.Insert(2, P(2)), EElListError);
    EXPECT_THROW(list.Put(-1, P(2)), EElListError);
    EXPECT_THROW(list.Delete(1), EElListError);
    EXPECT_THROW(list.Exchange(0, 1), EElListError);
    list.Add(P(2));
    try {
        list.DeleteRange(1, 0);
        FAIL();
    } catch (const EElListError& e) {
        EXPECT_EQ(e.Message(), u"List index [0] out of bounds...");
    }
    EXPECT_THROW(list.SetCapacity(1), EElListError);
    EXPECT_THROW(list.SetCapacity(MaxElListSize), EElListError);
    EXPECT_THROW(list.SetCount(-1), EElListError);
    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(1), P(2));
}

TEST(ElList, DeleteEventsAndOwnership)
{
    TCounted::Alive = 0;
    {
        TElList list;
        list.AutoClearObjects = true;
        std::vector<uintptr_t> seen;   // addresses only: some objects are gone when compared
        void* keep = nullptr;
        list.OnDelete = [&](TObject* Sender, void*& Item) {
            EXPECT_EQ(Sender, &list);
            seen.push_back(reinterpret_cast<uintptr_t>(Item));
            if (Item == keep)
                Item = nullptr;   // the handler takes the object back
        };
        auto* a = new TCounted;
        auto* b = new TCounted;
        auto* c = new TCounted;
        const auto A = reinterpret_cast<uintptr_t>(a), B = reinterpret_cast<uintptr_t>(b),
                   C = reinterpret_cast<uintptr_t>(c);
        list.Add(a);
        list.Add(b);
        list.Add(c);
        list.Add(nullptr);

        list.Put(0, a);               // the same pointer: nothing fires, nothing is freed
        EXPECT_TRUE(seen.empty());
        EXPECT_EQ(TCounted::Alive, 3);

        keep = b;
        list.Delete(1);               // cleared by the handler: not freed
        EXPECT_EQ(TCounted::Alive, 3);
        delete b;

        list.Put(0, nullptr);         // replaced: freed
        EXPECT_EQ(TCounted::Alive, 1);
        EXPECT_EQ(list.Remove(c), 1); // Remove never frees
        EXPECT_EQ(TCounted::Alive, 1);
        EXPECT_EQ(seen, (std::vector<uintptr_t>{B, A, C}));

        list.Add(c);
        auto* d = new TCounted;
        list.Add(d);
        keep = d;
        seen.clear();
        list.Clear();                 // last to first; c freed, d kept by its handler
        EXPECT_EQ(seen, (std::vector<uintptr_t>{reinterpret_cast<uintptr_t>(d), C}));
        EXPECT_EQ(TCounted::Alive, 1);
        delete d;

        // The first item is the list's as much as any other.
        TElList one;
        one.AutoClearObjects = true;
        one.Add(new TCounted);
        one.Clear();
        EXPECT_EQ(TCounted::Alive, 0);
    }
    EXPECT_EQ(TCounted::Alive, 0);
}

TEST(ElList, HandlerExceptionsAreSwallowedAndDeleteRangeNeverFrees)
{
    TCounted::Alive = 0;
    TCounted a, b;
    TElList list;
    list.AutoClearObjects = true;
    int calls = 0;
    list.OnDelete = [&](TObject*, void*&) {
        ++calls;
        throw std::runtime_error("handler failed");
    };
    list.Add(&a);
    list.Add(&b);
    list.DeleteRange(0, 1);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(TCounted::Alive, 2);
}

TEST(ElStack, PushPopShiftAndCapacities)
{
    TElStack stack;
    std::vector<int32_t> capacities;
    for (int i = 1; i <= 100; ++i) {
        stack.Push(P(i));
        if (capacities.empty() || capacities.back() != stack.Capacity())
            capacities.push_back(stack.Capacity());
    }
    EXPECT_EQ(capacities, (std::vector<int32_t>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
    while (stack.Count() > 8)
        stack.Pop();
    stack.SetCapacity(16);
    EXPECT_EQ(stack.Pop(), P(8));
    EXPECT_EQ(stack.Count(), 7);
    EXPECT_EQ(stack.Capacity(), 8);

    stack.Shift(0);
    EXPECT_EQ(stack.Capacity(), 7);
    stack.Shift(2);
    EXPECT_EQ(stack.Items(0), P(3));
    EXPECT_EQ(stack.Count(), 5);
    stack.Push(P(100));
    EXPECT_EQ(stack.Capacity(), 9);   // 5 + 4

    auto expectError = [&](auto&& call, const char16_t* text) {
        try {
            call();
            FAIL() << "no error";
        } catch (const EElStackError& e) {
            EXPECT_EQ(e.Message(), text);
        }
    };
    expectError([&] { stack.Shift(7); }, u"Cannot shift ElStack");
    expectError([&] { stack.Shift(-1); }, u"Cannot shift ElStack");
    expectError([&] { stack.SetCapacity(2); }, u"Invalid ElStack capacity.");
    EXPECT_EQ(stack.Count(), 6);
    stack.Clear();
    EXPECT_TRUE(stack.Empty());
    EXPECT_EQ(stack.Capacity(), 0);
    expectError([&] { stack.Pop(); }, u"ElStack is empty.");
    expectError([&] { stack.Shift(0); }, u"ElStack is empty.");
}
