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
