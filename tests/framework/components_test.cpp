#include "framework/Components.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string>* gLog = nullptr;

class Probe : public TComponent {
public:
    Probe(TComponent* owner, std::string name) : TComponent(owner) { SetName(std::move(name)); }
    ~Probe() override
    {
        if (gLog)
            gLog->push_back("free " + Name());
    }
    void Loaded() override
    {
        TComponent::Loaded();
        if (gLog)
            gLog->push_back("loaded " + Name());
    }
    void BeforeDestruction() override
    {
        if (gLog)
            gLog->push_back("before " + Name());
        TComponent::BeforeDestruction();
    }
    std::vector<std::string> removed;

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        TComponent::Notification(c, op);
        if (op == TOperation::opRemove)
            removed.push_back(c->Name());
    }
};

// Builds its children in its constructor while it is loading, like a form does.
class Container : public Probe {
public:
    explicit Container(TComponent* owner) : Probe(owner, "box")
    {
        SetLoadingState();
        new Probe(this, "a");
        new Probe(this, "b");
    }
};

struct LogScope {
    std::vector<std::string> log;
    LogScope() { gLog = &log; }
    ~LogScope() { gLog = nullptr; }
};

TEST(Components, OwnerFreesOwnedComponentsLastFirstAfterItsOwnEarlyPhase)
{
    LogScope scope;
    auto* root = new Probe(nullptr, "root");
    auto* child = new Probe(root, "child");
    new Probe(child, "grandchild");
    new Probe(root, "second");
    EXPECT_EQ(root->ComponentCount(), 2);
    EXPECT_EQ(root->FindComponent("CHILD"), child);
    EXPECT_EQ(child->ComponentIndex(), 0);
    EXPECT_EQ(root->ComponentIndex(), -1) << "no owner, no place";

    Free(root);
    const std::vector<std::string> expected{"before root", "before second", "free second", "before child",
                                            "before grandchild", "free grandchild", "free child", "free root"};
    EXPECT_EQ(scope.log, expected);
}

TEST(Components, FreeingAnOwnedComponentRemovesItAndTellsTheOwner)
{
    TOwned<Probe> root(new Probe(nullptr, "root"));
    auto* child = new Probe(root.get(), "child");
    Free(child);
    EXPECT_EQ(root->ComponentCount(), 0);
    EXPECT_EQ(root->removed, std::vector<std::string>{"child"});
}

TEST(Components, FreeNotificationIsMutualAndRemovable)
{
    TOwned<Probe> a(new Probe(nullptr, "a"));
    auto* b = new Probe(nullptr, "b");
    auto* c = new Probe(nullptr, "c");
    a->FreeNotification(b);
    a->FreeNotification(c);
    a->FreeNotification(nullptr);  // nothing to watch
    a->RemoveFreeNotification(c);
    Free(b);
    Free(c);
    EXPECT_EQ(a->removed, std::vector<std::string>{"b"});

    // The other direction: the watcher is told when the watched one goes, and a watcher freed
    // first leaves no dangling link behind.
    auto* d = new Probe(nullptr, "d");
    auto* e = new Probe(nullptr, "e");
    d->FreeNotification(e);
    Free(d);
    EXPECT_EQ(e->removed, std::vector<std::string>{"d"});
    Free(e);
}

TEST(Components, ComponentsBuiltDuringLoadingAreLoadedAfterConstruction)
{
    LogScope scope;
    Container* box = CreateComponent<Container>(nullptr);
    EXPECT_FALSE(box->IsLoading());
    // The generic component only clears its own state; the children stay loading until their
    // container (a form) runs Loaded on them.
    EXPECT_EQ(scope.log, std::vector<std::string>{"loaded box"});
    EXPECT_TRUE(box->Components(0)->IsLoading());
    Free(box);
}

TEST(Components, ReparentingMovesOwnership)
{
    TOwned<Probe> first(new Probe(nullptr, "first"));
    TOwned<Probe> second(new Probe(nullptr, "second"));
    auto* item = new Probe(first.get(), "item");
    second->InsertComponent(item);
    EXPECT_EQ(first->ComponentCount(), 0);
    EXPECT_EQ(item->Owner(), second.get());
}

// A holder that, when told of a removal, looks through its weak reference.
class Watcher : public Probe {
public:
    using Probe::Probe;
    TWeakRef<Probe> watched;
    bool sawFreedThroughRef = false;

protected:
    void Notification(TComponent* c, TOperation op) override
    {
        Probe::Notification(c, op);
        if (op == TOperation::opRemove && watched)
            sawFreedThroughRef = watched.Get() == c;
    }
};

TEST(WeakRef, ReadsNilOnceTheComponentIsFreedWhicheverWayItGoes)
{
    auto* a = new Probe(nullptr, "a");
    TWeakRef<Probe> ref(a);
    TWeakRef<Probe> copy = ref;
    TWeakRef<Probe> assigned;
    assigned = copy;
    EXPECT_EQ(ref.Get(), a);
    EXPECT_EQ(assigned->Name(), "a");
    Free(a);
    EXPECT_EQ(ref.Get(), nullptr);
    EXPECT_EQ(copy.Get(), nullptr);
    EXPECT_EQ(assigned.Get(), nullptr);

    // A plain delete and the owner's destruction clear them too.
    auto* b = new Probe(nullptr, "b");
    ref = b;
    delete b;
    EXPECT_EQ(ref.Get(), nullptr);
    auto* owner = new Probe(nullptr, "owner");
    ref = new Probe(owner, "owned");
    copy = owner;
    Free(owner);
    EXPECT_FALSE(ref);
    EXPECT_FALSE(copy);
}

TEST(WeakRef, MovesBetweenComponentsAndMayGoFirst)
{
    TOwned<Probe> a(new Probe(nullptr, "a"));
    TOwned<Probe> b(new Probe(nullptr, "b"));
    {
        std::vector<TWeakRef<Probe>> refs(50, TWeakRef<Probe>(a.get()));
        refs[10] = b.get();
        refs[20] = nullptr;
        refs.erase(refs.begin() + 3, refs.begin() + 30);  // copies and destroys in the middle
        EXPECT_EQ(refs.size(), 23u);
        for (const auto& r : refs)
            EXPECT_EQ(r.Get(), a.get());
        TWeakRef<Probe> last = refs.back();
        refs.clear();
        EXPECT_EQ(last.Get(), a.get());
    }
    // Every reference has left a's list: freeing a now touches none of them (ASan would see it).
    TWeakRef<Probe> onB(b.get());
    a.reset();
    EXPECT_EQ(onB.Get(), b.get());
    b.reset();
    EXPECT_EQ(onB.Get(), nullptr);
}

TEST(WeakRef, IsClearedBeforeTheFreeNotificationsRun)
{
    TOwned<Watcher> watcher(new Watcher(nullptr, "watcher"));
    auto* target = new Probe(nullptr, "target");
    watcher->watched = target;
    watcher->FreeNotification(target);
    Free(target);
    EXPECT_EQ(watcher->removed, std::vector<std::string>{"target"});
    EXPECT_FALSE(watcher->sawFreedThroughRef);
    EXPECT_FALSE(watcher->watched);
}

TEST(Persistent, AssignWithoutSupportRaisesConvertError)
{
    TOwned<Probe> a(new Probe(nullptr, "a"));
    TOwned<Probe> b(new Probe(nullptr, "b"));
    EXPECT_THROW(a->Assign(b.get()), EConvertError);
    EXPECT_THROW(a->Assign(nullptr), EConvertError);
    EXPECT_TRUE(a->InheritsFrom<TComponent>());
    EXPECT_STREQ(a->ClassName(), "TComponent");
}

}  // namespace
