// The style manager on a fake control: merging base styles first, refinements, circles and long
// chains, values that fit no property, re-entrant application, change links and copying.
#include "widgets/el/foundation/ElPropertyTable.h"
#include "widgets/el/foundation/ElStyleManager.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TFakeFont : public TPersistent {
public:
    const char* ClassName() const override { return "TFakeFont"; }
    std::string Name = "Sans";
    TColor Color = clBlack;
};

class TFakeControl : public TPersistent {
public:
    TFakeControl();
    const char* ClassName() const override { return "TFakeControl"; }
    int32_t Width = 0;
    TColor Color = clNone;
    bool Enabled = false;
    int Align = 0;
    std::string Caption;
    std::vector<std::string> Lines;
    double Ratio = 0;
    std::vector<uint8_t> Picture;
    TFakeFont Font;
    // Set: the Width setter applies this style once more from inside the application.
    TElStyleManager* reenter = nullptr;
    std::string reenterStyle;
    int widthSets = 0;
};

// A class of its own that redefines an inherited property.
class TFakeDerived : public TFakeControl {
public:
    TFakeDerived();
    const char* ClassName() const override { return "TFakeDerived"; }
    int32_t Scaled = 0;
};

void RegisterFont(TElPropertyTable& t)
{
    t.AddString<TFakeFont>("Name", [](TFakeFont& f, const std::string& v) { f.Name = v; });
    t.AddColor<TFakeFont>("Color", [](TFakeFont& f, TColor v) { f.Color = v; });
}

void RegisterControl(TElPropertyTable& t)
{
    t.RegisterOnce<TFakeFont>(RegisterFont);
    using C = TFakeControl;
    t.AddInteger<C>("Width", [](C& c, int32_t v) {
        c.Width = v;
        ++c.widthSets;
        if (TElStyleManager* m = c.reenter) {
            c.reenter = nullptr;
            m->ApplyStyle(&c, c.reenterStyle);
        }
    });
    t.AddColor<C>("Color", [](C& c, TColor v) { c.Color = v; });
    t.AddBoolean<C>("Enabled", [](C& c, bool v) { c.Enabled = v; });
    t.AddEnumeration<C>("Align", [](C& c, int v) { c.Align = v; });
    t.AddString<C>("Caption", [](C& c, const std::string& v) { c.Caption = v; });
    t.AddStrings<C>("Lines", [](C& c, const std::vector<std::string>& v) { c.Lines = v; });
    t.AddFloat<C>("Ratio", [](C& c, double v) { c.Ratio = v; });
    t.AddGraphic<C>("Picture", [](C& c, const std::vector<uint8_t>& v) { c.Picture = v; });
    t.AddObject<C>("Font", [](C& c) -> TObject* { return &c.Font; });
    t.AddObject<C>("NotPersistent", [](C&) -> TObject* { static TObject plain; return &plain; });
}

void RegisterDerived(TElPropertyTable& t)
{
    t.AddInteger<TFakeDerived>("Width", [](TFakeDerived& c, int32_t v) { c.Scaled = v * 2; });
}

TFakeControl::TFakeControl()
{
    ElPropertyTable().RegisterOnce<TFakeControl>(RegisterControl);
}

TFakeDerived::TFakeDerived()
{
    ElPropertyTable().RegisterOnce<TFakeDerived>(RegisterDerived);
}

class StyleManagerTest : public ::testing::Test {
protected:
    TOwned<TElStyleManager> manager{new TElStyleManager(nullptr)};
    TElIniFile& store() { return manager->Store(); }
    TFakeControl control;
};

TEST_F(StyleManagerTest, BaseStylesComeFirstAndTheClassStyleOverridesThem)
{
    store().WriteInteger("\\(Default)", "Width", 10);
    store().WriteString("\\(Default)", "Color", "clRed");
    store().WriteString("\\TFakeControl", "InheritsFrom", "Base");
    store().WriteInteger("\\Base", "Width", 20);
    store().WriteString("\\Base", "Caption", "base");
    store().WriteInteger("\\TFakeControl", "Width", 30);
    manager->ApplyStyle(&control, "");
    EXPECT_EQ(control.Width, 30);
    EXPECT_EQ(control.Caption, "base");
    // Base inherits from (Default) by default.
    EXPECT_EQ(control.Color, clRed);
    // Each value is set once, in the order it first appeared, with the last value merged.
    EXPECT_EQ(control.widthSets, 1);
    const auto merged = manager->MergedStyle("TFakeControl", "");
    ASSERT_EQ(merged.size(), 3u);
    EXPECT_EQ(merged[0].Name, "Width");
    EXPECT_EQ(merged[0].Value.Int, 30);
}

TEST_F(StyleManagerTest, ANamedStyleRefinesTheClassStyleOnlyWhenItBeginsWithADot)
{
    store().WriteInteger("\\TFakeControl", "Width", 30);
    store().WriteString("\\TFakeControl", "Caption", "class");
    store().WriteInteger("\\.Wide", "Width", 300);
    store().WriteInteger("\\Wide", "Width", 999);
    store().WriteString("\\(Default)", "Caption", "default");
    manager->ApplyStyle(&control, ".Wide");
    EXPECT_EQ(control.Width, 300);
    // (Default), the base of both, is merged once, before the class style: it overrides nothing.
    EXPECT_EQ(control.Caption, "class");

    TFakeControl plain;
    manager->ApplyStyle(&plain, "Wide");
    EXPECT_EQ(plain.Width, 30);

    // Without a class style the fallback applies; a missing named style adds nothing.
    TFakeDerived derived;
    manager->ApplyStyle(&derived, "");
    EXPECT_EQ(derived.Caption, "default");
    TFakeDerived refined;
    manager->ApplyStyle(&refined, ".Missing");
    EXPECT_EQ(refined.Caption, "");
    EXPECT_EQ(refined.widthSets, 0);
    // A style whose base does not exist still builds on (Default).
    store().WriteString("\\.Orphan", "InheritsFrom", "Nowhere");
    store().WriteInteger("\\.Orphan", "Width", 7);
    TFakeDerived orphan;
    manager->ApplyStyle(&orphan, ".Orphan");
    EXPECT_EQ(orphan.Caption, "default");
    EXPECT_EQ(orphan.Scaled, 14);
}

TEST_F(StyleManagerTest, CirclesAndLongChainsEndAndMergeEachStyleOnce)
{
    store().WriteString("\\TFakeControl", "InheritsFrom", "TFakeControl");
    store().WriteInteger("\\TFakeControl", "Width", 1);
    manager->ApplyStyle(&control, "");
    EXPECT_EQ(control.Width, 1);

    // A -> B -> A: B first, then A.
    store().WriteString("\\.A", "InheritsFrom", ".B");
    store().WriteString("\\.B", "InheritsFrom", ".A");
    store().WriteString("\\.A", "Caption", "a");
    store().WriteString("\\.B", "Caption", "b");
    store().WriteInteger("\\.B", "Width", 2);
    TFakeControl circle;
    manager->ApplyStyle(&circle, ".A");
    EXPECT_EQ(circle.Caption, "a");
    EXPECT_EQ(circle.Width, 2);
    EXPECT_EQ(circle.widthSets, 1);

    // A chain far deeper than any stack would take if merged by recursion.
    constexpr int kDepth = 100000;
    TOwned<TElStyleManager> deep(new TElStyleManager(nullptr));
    for (int i = 0; i < kDepth; ++i)
        deep->Store().WriteString("\\.S" + std::to_string(i), "InheritsFrom", ".S" + std::to_string(i + 1));
    deep->Store().WriteString("\\.S" + std::to_string(kDepth), "Caption", "bottom");
    deep->Store().WriteInteger("\\.S" + std::to_string(kDepth), "Width", 5);
    deep->Store().WriteInteger("\\.S0", "Width", 6);
    TFakeControl chained;
    deep->ApplyStyle(&chained, ".S0");
    EXPECT_EQ(chained.Caption, "bottom");
    EXPECT_EQ(chained.Width, 6);
}

TEST_F(StyleManagerTest, ValuesAreSetOnlyWhereTheirTypeFitsTheProperty)
{
    auto& s = store();
    const std::string k = "\\TFakeControl";
    s.WriteString(k, "Width", "wide");         // a string for an integer: skipped
    s.WriteBool(k, "Enabled", true);
    s.WriteBool(k, "Align", true);              // a boolean sets an enumeration's ordinal
    s.WriteInteger(k, "Caption", 5);            // an integer for a string: skipped
    s.WriteString(k, "Color", "clnavy");        // colour names without regard to case
    s.WriteMultiString(k, "Lines", {"one", "two"});
    s.WriteFloat(k, "Ratio", 0.25);
    const uint8_t bytes[] = {1, 2, 3};
    s.WriteBinary(k, "Picture", bytes, 3);
    s.WriteString(k, "Font.Name", "Serif");
    s.WriteInteger(k, "Font.Color", 0x00FF00);  // an integer for a colour
    s.WriteString(k, "Font.Missing", "x");
    s.WriteString(k, "NoSuch.Name", "x");
    s.WriteString(k, "Width.Name", "x");        // through a value, not an object
    s.WriteString(k, "NotPersistent.Name", "x");
    s.WriteString(k, "Font", "x");              // an object is not a value
    manager->ApplyStyle(&control, "");
    EXPECT_EQ(control.Width, 0);
    EXPECT_TRUE(control.Enabled);
    EXPECT_EQ(control.Align, 1);
    EXPECT_EQ(control.Caption, "");
    EXPECT_EQ(control.Color, clNavy);
    EXPECT_EQ(control.Lines, (std::vector<std::string>{"one", "two"}));
    EXPECT_DOUBLE_EQ(control.Ratio, 0.25);
    EXPECT_EQ(control.Picture, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(control.Font.Name, "Serif");
    EXPECT_EQ(control.Font.Color, TColor{0x00FF00});

    // A colour text that is neither a name nor a number leaves the colour alone; "$" is hex.
    s.WriteString(k, "Color", "reddish");
    manager->ApplyStyle(&control, "");
    EXPECT_EQ(control.Color, clNavy);
    s.WriteString(k, "Color", "$0000FF");
    manager->ApplyStyle(&control, "");
    EXPECT_EQ(control.Color, clRed);

    // A descendant's own definition of a property wins over the inherited one.
    TFakeDerived derived;
    manager->Store().WriteInteger("\\TFakeDerived", "Width", 21);
    manager->ApplyStyle(&derived, "");
    EXPECT_EQ(derived.Scaled, 42);
    EXPECT_EQ(derived.Width, 0);
}

TEST_F(StyleManagerTest, ASetterThatAppliesAStyleAgainLeavesTheOuterApplicationWhole)
{
    store().WriteInteger("\\TFakeControl", "Width", 30);
    store().WriteString("\\TFakeControl", "Caption", "outer");
    store().WriteString("\\TFakeControl", "Color", "clRed");
    store().WriteString("\\.Inner", "Caption", "inner");
    store().WriteInteger("\\.Inner", "Ratio", 7);  // an integer for a float: skipped
    // A user style of the name a shared work key would have had is an ordinary style.
    store().WriteString("\\...Temp", "Caption", "kept");
    control.reenter = manager.get();
    control.reenterStyle = ".Inner";
    manager->ApplyStyle(&control, "");
    // Width came first; its setter applied ".Inner" (class style, then Inner); the outer
    // application then went on with its own values.
    EXPECT_EQ(control.Caption, "outer");
    EXPECT_EQ(control.Color, clRed);
    EXPECT_EQ(control.widthSets, 2);
    EXPECT_TRUE(store().KeyExists("\\...Temp"));
    TFakeControl temp;
    manager->ApplyStyle(&temp, "...Temp");
    EXPECT_EQ(temp.Caption, "kept");
}

TEST_F(StyleManagerTest, ChangesReachTheRegisteredLinksOnceAnUpdateEnds)
{
    int changes = 0, events = 0;
    TElStyleMgrChangeLink link;
    link.OnChange = [&](TObject* Sender) {
        EXPECT_EQ(Sender, manager.get());
        ++changes;
    };
    manager->OnChange = [&](TObject*) {
        EXPECT_EQ(changes, events + 1);  // the links first, then the event
        ++events;
    };
    manager->RegisterChanges(&link);
    EXPECT_EQ(link.Sender(), manager.get());

    manager->BeginUpdate();
    manager->BeginUpdate();
    manager->EndUpdate();
    EXPECT_EQ(changes, 0);
    manager->EndUpdate();
    EXPECT_EQ(changes, 1);
    manager->EndUpdate();  // unmatched: nothing, and the count stays usable
    EXPECT_EQ(changes, 1);
    manager->BeginUpdate();
    manager->EndUpdate();
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(events, 2);

    // A link that goes leaves the manager; a manager that goes leaves its links.
    {
        TElStyleMgrChangeLink shortLived;
        manager->RegisterChanges(&shortLived);
        EXPECT_EQ(manager->LinkCount(), 2);
    }
    EXPECT_EQ(manager->LinkCount(), 1);
    manager->UnregisterChanges(&link);
    EXPECT_EQ(link.Sender(), nullptr);
    manager->RegisterChanges(&link);
    manager.reset();
    EXPECT_EQ(link.Sender(), nullptr);
}

TEST_F(StyleManagerTest, AssigningCopiesAnotherManagersStylesAsOneChange)
{
    TOwned<TElStyleManager> source(new TElStyleManager(nullptr));
    source->Store().WriteInteger("\\TFakeControl", "Width", 77);
    store().WriteInteger("\\TFakeControl", "Width", 1);
    store().WriteString("\\.Old", "Caption", "old");
    int changes = 0;
    TElStyleMgrChangeLink link;
    link.OnChange = [&](TObject*) { ++changes; };
    manager->RegisterChanges(&link);
    manager->Assign(source.get());
    EXPECT_EQ(changes, 1);
    manager->ApplyStyle(&control, "");
    EXPECT_EQ(control.Width, 77);
    EXPECT_FALSE(store().KeyExists("\\.Old"));
}

TEST(DefaultStyleManager, ExistsAndIsEmptyButForItsFallback)
{
    TElStyleManager* m = GetDefaultStyleManager();
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(GetDefaultStyleManager(), m);
    EXPECT_TRUE(m->Store().KeyExists("\\(Default)"));
    TFakeControl c;
    m->ApplyStyle(&c, "");
    EXPECT_EQ(c.widthSets, 0);
}

}  // namespace
