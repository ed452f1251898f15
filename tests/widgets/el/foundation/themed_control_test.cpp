// The themed control base on real windows: the theme handle's life, the classic switch, the
// themed and classic borders by their pixels, and the style manager's attachment and links.
#include "widgets/el/foundation/ElXPThemedControl.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/Forms.h"

#include <gtest/gtest.h>

namespace {

using l3d::testing::ColorNear;
using l3d::testing::ReadClientPixels;
using l3d::testing::ReadWindowPixels;

// A themed control of the "EDIT" class that fills its client area (with Fill, or its colour).
class TElHarness : public TElXPThemedControl {
public:
    explicit TElHarness(TComponent* AOwner) : TElXPThemedControl(AOwner)
    {
        BeginCreate();
        managerInConstructor = StyleManager();
        SetBounds(10, 10, 120, 70);
        EndCreate();
        managerAfterOwnEndCreate = StyleManager();
    }
    const char* ClassName() const override { return "TElHarness"; }
    TElStyleManager* managerInConstructor = nullptr;
    TElStyleManager* managerAfterOwnEndCreate = nullptr;
    TColor fill = clNone;
    int opened = 0, closed = 0;

protected:
    std::u16string GetThemedClassName() const override { return u"EDIT"; }
    void CreateThemeHandle() override
    {
        ++opened;
        TElXPThemedControl::CreateThemeHandle();
    }
    void FreeThemeHandle() override
    {
        ++closed;
        TElXPThemedControl::FreeThemeHandle();
    }
    void Paint() override
    {
        Canvas()->Brush()->SetColor(fill == clNone ? Color() : fill);
        Canvas()->FillRect(ClientRect());
    }
};

// A form that makes a harness in its constructor, as forms built in code do.
class THarnessOwnerForm : public TForm {
public:
    explicit THarnessOwnerForm(TComponent* AOwner) : TForm(AOwner)
    {
        harness = new TElHarness(this);
        harness->SetParent(this);
        managerWhileLoading = harness->StyleManager();
    }
    TElHarness* harness = nullptr;
    TElStyleManager* managerWhileLoading = nullptr;
};

struct ClassicPainting {
    explicit ClassicPainting(bool On) { ElUxTheme().SetForceClassic(On); }
    ~ClassicPainting() { ElUxTheme().SetForceClassic(false); }
};

struct HarnessForm {
    TOwned<TForm> form{CreateComponent<TForm>(nullptr)};
    HarnessForm()
    {
        form->SetBounds(40, 40, 300, 200);
        form->Show();
    }
    TElHarness* Add()
    {
        auto* c = CreateComponent<TElHarness>(form.get());
        c->SetParent(form.get());
        return c;
    }
};

TEST(ThemedControl, TheThemeIsOpenWhileTheWindowExistsAndTheSwitchOpensAndClosesIt)
{
    HarnessForm f;
    TElHarness* c = f.Add();
    const HWND wnd = c->Handle();
    if (!ElUxTheme().Loaded()) {
        EXPECT_EQ(c->Theme(), nullptr);
        EXPECT_FALSE(c->IsThemeApplied());
        GTEST_SKIP() << "no visual-styles library";
    }
    ASSERT_NE(c->Theme(), nullptr);
    EXPECT_TRUE(c->IsThemeApplied());
    EXPECT_EQ(SendMessageW(wnd, EL_THEMEHANDLE, 0, 0), reinterpret_cast<LRESULT>(c->Theme()));

    c->SetUseXPThemes(false);
    EXPECT_EQ(c->Theme(), nullptr);
    EXPECT_FALSE(c->IsThemeApplied());
    EXPECT_EQ(SendMessageW(wnd, EL_THEMEHANDLE, 0, 0), 0);
    c->SetUseXPThemes(true);
    EXPECT_NE(c->Theme(), nullptr);
    EXPECT_EQ(c->Handle(), wnd);  // the same window throughout

    const int opened = c->opened, closed = c->closed;
    c->SetUseXPThemes(true);
    EXPECT_EQ(c->opened, opened);
    EXPECT_EQ(c->closed, closed);

    // The theme goes with the window and comes back with a new one.
    c->DestroyHandle();
    EXPECT_EQ(c->Theme(), nullptr);
    c->HandleNeeded();
    EXPECT_NE(c->Theme(), nullptr);
    // Without a window the switch only stores.
    c->DestroyHandle();
    c->SetUseXPThemes(false);
    c->HandleNeeded();
    EXPECT_EQ(c->Theme(), nullptr);
}

TEST(ThemedControl, ClassicPaintingForcedOpensNoThemeAndAThemeChangeFollowsTheSwitch)
{
    HarnessForm f;
    TElHarness* themed = f.Add();
    {
        const ClassicPainting classic(true);
        TElHarness* c = f.Add();
        c->HandleNeeded();
        EXPECT_TRUE(c->UseXPThemes());
        EXPECT_EQ(c->Theme(), nullptr);
        EXPECT_FALSE(c->IsThemeApplied());

        EXPECT_EQ(SendMessageW(themed->Handle(), WM_THEMECHANGED, 0, 0), 1);
        EXPECT_EQ(themed->Theme(), nullptr);
    }
    EXPECT_EQ(SendMessageW(themed->Handle(), WM_THEMECHANGED, 0, 0), 1);
    EXPECT_EQ(themed->Theme() != nullptr, ElUxTheme().Loaded());
}

TEST(ThemedControl, TheBorderIsPaintedThroughTheThemeOrClassically)
{
    HarnessForm f;
    uint32_t band[2] = {}, corner[2] = {};
    for (const bool forced : {false, true}) {
        const ClassicPainting classic(forced);
        TElHarness* c = f.Add();
        c->fill = clLime;
        c->SetColor(clRed);
        c->SetBorderWidth(3);
        c->SetBevelKind(TBevelKind::bkTile);
        c->SetBevelOuter(TBevelCut::bvRaised);
        c->SetBevelInner(TBevelCut::bvNone);
        c->SetBevelWidth(2);
        // A border of 3 and one bevel cut of 2 on every side, themed or not.
        EXPECT_EQ(c->ClientWidth(), 120 - 2 * 5);
        EXPECT_EQ(c->ClientHeight(), 70 - 2 * 5);
        RedrawWindow(c->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        const auto px = ReadWindowPixels(c->Handle(), {0, 0, 120, 70});
        EXPECT_TRUE(ColorNear(px.At(6, 6), 0x00FF00)) << std::hex << px.At(6, 6);  // the client
        EXPECT_TRUE(ColorNear(px.At(60, 35), 0x00FF00));
        band[forced] = px.At(3, 3);
        corner[forced] = px.At(0, 0);
        // The band is uniform on all four sides.
        EXPECT_EQ(px.At(60, 3), band[forced]);
        EXPECT_EQ(px.At(116, 35), band[forced]);
        EXPECT_EQ(px.At(60, 66), band[forced]);
        Free(c);
    }
    // Classic: the band in the control's colour inside a light raised edge.
    EXPECT_TRUE(ColorNear(band[1], 0xFF0000)) << std::hex << band[1];
    EXPECT_FALSE(ColorNear(corner[1], 0xFF0000));
    if (ElUxTheme().Loaded()) {
        // Themed: the theme's own background fills the band, not the control's colour.
        EXPECT_FALSE(ColorNear(band[0], 0xFF0000)) << std::hex << band[0];
        EXPECT_FALSE(ColorNear(band[0], 0x00FF00));
    }
}

TEST(ThemedControl, TheDefaultStyleManagerIsAttachedOnlyAfterTheOutermostConstructor)
{
    HarnessForm f;
    TElHarness* c = f.Add();
    EXPECT_EQ(c->managerInConstructor, nullptr);
    EXPECT_EQ(c->managerAfterOwnEndCreate, nullptr);
    ASSERT_NE(GetDefaultStyleManager(), nullptr);
    EXPECT_EQ(c->StyleManager(), GetDefaultStyleManager());

    // Made in a form's constructor: attached when the form has been built.
    TOwned<THarnessOwnerForm> owner(CreateComponent<THarnessOwnerForm>(nullptr));
    EXPECT_EQ(owner->managerWhileLoading, nullptr);
    EXPECT_EQ(owner->harness->StyleManager(), GetDefaultStyleManager());

    // Made with new and placed: attached when its window is made.
    auto* plain = new TElHarness(f.form.get());
    EXPECT_EQ(plain->StyleManager(), nullptr);
    plain->SetParent(f.form.get());
    plain->HandleNeeded();
    EXPECT_EQ(plain->StyleManager(), GetDefaultStyleManager());
}

TEST(ThemedControl, StylesApplyAndTheControlStaysVisibleAndPainting)
{
    HarnessForm f;
    TElHarness* c = f.Add();
    TElHarness* other = f.Add();
    other->SetLeft(150);
    TOwned<TElStyleManager> manager(new TElStyleManager(nullptr));
    manager->Store().WriteString("\\TElHarness", "Color", "clRed");
    manager->Store().WriteString("\\TElHarness", "Font.Name", "Arial");
    manager->Store().WriteInteger("\\.Wide", "Width", 90);
    manager->Store().WriteString("\\.Wide", "Color", "$00FF0000");  // blue
    manager->Store().WriteInteger("\\TElHarness", "NoSuchProperty", 1);

    c->SetStyleManager(manager.get());
    other->SetStyleManager(manager.get());
    EXPECT_EQ(manager->LinkCount(), 2);
    EXPECT_EQ(c->Color(), clRed);
    EXPECT_EQ(c->Font()->Name(), u"Arial");
    // Drawing was switched off around the change and is on again: the window shows and paints.
    EXPECT_TRUE(IsWindowVisible(c->Handle()));
    c->Update();
    EXPECT_TRUE(ColorNear(ReadClientPixels(c->Handle(), {0, 0, 20, 20}).At(10, 10), 0xFF0000));

    // A style name with a dot refines the class style.
    c->SetStyleName(".Wide");
    EXPECT_EQ(c->Width(), 90);
    EXPECT_EQ(c->Color(), clBlue);
    EXPECT_EQ(c->Font()->Name(), u"Arial");

    // A style that hides the control leaves it hidden; showing it again shows it painting.
    manager->Store().WriteBool("\\.Hidden", "Visible", false);
    c->SetStyleName(".Hidden");
    EXPECT_FALSE(c->Visible());
    EXPECT_FALSE(IsWindowVisible(c->Handle()));
    c->Show();
    EXPECT_TRUE(IsWindowVisible(c->Handle()));
    c->SetStyleName(".Wide");

    // A change of the styles reaches every linked control once the update ends.
    manager->BeginUpdate();
    manager->Store().WriteString("\\TElHarness", "Color", "clYellow");
    EXPECT_EQ(other->Color(), clRed);
    manager->EndUpdate();
    EXPECT_EQ(other->Color(), clYellow);
    EXPECT_TRUE(IsWindowVisible(other->Handle()));

    // A freed control leaves the manager; a freed manager leaves every control.
    Free(other);
    EXPECT_EQ(manager->LinkCount(), 1);
    manager.reset();
    EXPECT_EQ(c->StyleManager(), nullptr);
    c->SetStyleName("");  // no manager: nothing to apply, nothing to reach
    c->SetStyleManager(GetDefaultStyleManager());
    EXPECT_EQ(c->StyleManager(), GetDefaultStyleManager());
}

}  // namespace
