// The buttons, tool bar, panels, check controls and label on a real form under Wine: clicks and
// keys are posted to their windows and the loop runs; state, events and pixels are read back.
#include "el_buttons_form.h"
#include "el_screenshot.h"

#include "support/gui_test.h"
#include "support/pump.h"

#include "framework/Application.h"
#include "framework/Graphics.h"
#include "framework/Icon.h"
#include "framework/ScopedGdi.h"
#include "framework/Timer.h"
#include "framework/WideHints.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace {

using l3d::testing::ReadClientPixels;

// Classic painting, so that pixels do not depend on a theme.
struct ClassicPainting {
    ClassicPainting() { ElUxTheme().SetForceClassic(true); }
    ~ClassicPainting() { ElUxTheme().SetForceClassic(false); }
};

int CountDown(const std::array<TElToolButton*, 5>& Buttons)
{
    int n = 0;
    for (const TElToolButton* b : Buttons)
        n += b->Down() ? 1 : 0;
    return n;
}

// Moves the real mouse pointer over a point of the control and lets the loop see it there.
void HoverAt(TWinControl* Control, int X, int Y)
{
    POINT p{X, Y};
    ClientToScreen(Control->Handle(), &p);
    SetCursorPos(p.x, p.y);
    PostMessageW(Control->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(X, Y));
    Settle();
}

TEST(ElButtons, AToolButtonGroupKeepsExactlyOneButtonDown)
{
    TButtonsForm t;
    int clicks = 0;
    for (TElToolButton* b : t.Res)
        b->OnClick = [&](TObject*) { ++clicks; };
    for (size_t i : {3u, 1u, 4u, 1u}) {
        Click(t.Res[i]);
        EXPECT_EQ(CountDown(t.Res), 1);
        EXPECT_TRUE(t.Res[i]->Down());
    }
    EXPECT_EQ(clicks, 4);  // clicking the down button again still clicks, and keeps it down
    // Code follows the same rules: the down button of a group without all-up stays down, and
    // putting another down raises it.
    t.Res[1]->SetDown(false);
    EXPECT_TRUE(t.Res[1]->Down());
    t.Res[2]->SetDown(true);
    EXPECT_EQ(CountDown(t.Res), 1);
    EXPECT_TRUE(t.Res[2]->Down());
    // All-up is the group's: set on one button, a click on the down one raises it.
    t.Res[4]->SetAllowAllUp(true);
    EXPECT_TRUE(t.Res[0]->AllowAllUp());
    Click(t.Res[2]);
    EXPECT_EQ(CountDown(t.Res), 0);
    // Buttons outside the group are untouched throughout.
    for (TElToolButton* p : t.Palette)
        EXPECT_TRUE(p->Down());
}

TEST(ElButtons, SwitchesAndLoneButtonsFollowTheDownRules)
{
    TButtonsForm t;
    std::vector<bool> seen;
    t.Axis[1]->OnClick = [&](TObject* s) { seen.push_back(static_cast<TElGraphicButton*>(s)->Down()); };
    Click(t.Axis[1]);
    Click(t.Axis[1]);
    Click(t.Axis[1]);
    // The handler sees the new state.
    EXPECT_EQ(seen, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(t.Axis[0]->Down());  // switches do not affect each other
    EXPECT_TRUE(t.Axis[2]->Down());
    Click(t.Palette[1]);
    EXPECT_FALSE(t.Palette[1]->Down());
    EXPECT_TRUE(t.Palette[0]->Down());

    // A button neither in a group nor allowed all-up cannot be put down, by code or click.
    t.ZoomIn->SetDown(true);
    EXPECT_FALSE(t.ZoomIn->Down());
    t.ZoomIn->SetIsSwitch(true);
    Click(t.ZoomIn);
    EXPECT_FALSE(t.ZoomIn->Down());
    t.ZoomIn->SetAllowAllUp(true);
    t.ZoomIn->SetDown(true);
    EXPECT_TRUE(t.ZoomIn->Down());
    t.ZoomIn->SetDown(false);
    EXPECT_FALSE(t.ZoomIn->Down());
}

TEST(ElButtons, AHeldButtonRepeatsThroughMouseDownAndUpUntilReleasedOrCutShort)
{
    TButtonsForm t;
    TOwned<TTimer> timer(CreateComponent<TTimer>(nullptr));
    timer->SetEnabled(false);
    int steps = 0, clicks = 0, downs = 0, ups = 0;
    TElGraphicButton* b = t.ZoomIn;
    // As the navigator wires it: the click steps once, the mouse-down starts the repeat, the
    // mouse-up stops it.
    b->OnClick = [&](TObject*) { ++clicks; };
    b->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        ++downs;
        timer->SetInterval(100);
        timer->OnTimer = [&](TObject*) { ++steps; };
        timer->SetEnabled(true);
    };
    b->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) {
        ++ups;
        timer->SetEnabled(false);
    };

    PostMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(PumpUntil([&] { return steps >= 3; }));
    EXPECT_TRUE(b->Pressed());
    EXPECT_EQ(clicks, 0);
    PostMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    Settle();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ups, 1);
    EXPECT_FALSE(b->Pressed());
    const int afterRelease = steps;
    {
        const TimerWitness repeatWouldHaveTicked(100);  // the repeat's interval
        ASSERT_TRUE(PumpUntil(repeatWouldHaveTicked.Ticked(2)));
    }
    EXPECT_EQ(steps, afterRelease);

    // Disabled while held (the depth controls are switched off while a scan changes): the
    // press ends with its mouse-up, so the repeat stops, and no click follows.
    PostMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(PumpUntil([&] { return steps >= afterRelease + 1; }));
    b->SetEnabled(false);
    EXPECT_EQ(ups, 2);
    EXPECT_FALSE(b->Pressed());
    const int afterDisable = steps;
    PostMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    {
        const TimerWitness repeatWouldHaveTicked(100);
        ASSERT_TRUE(PumpUntil(repeatWouldHaveTicked.Ticked(2)));
    }
    EXPECT_EQ(steps, afterDisable);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(downs, 2);
    EXPECT_EQ(ups, 2);
}

// A popup menu that records where it was asked to open instead of opening.
class TRecordingPopup : public TPopupMenu {
public:
    using TPopupMenu::TPopupMenu;
    void Popup(int X, int Y) override { Points.push_back({X, Y}); }
    std::vector<TPoint> Points;
};

TEST(ElButtons, APullDownMenuOpensFromTheArrowAtItsPlaceAndTheFaceStillClicks)
{
    TButtonsForm t;
    TOwned<TRecordingPopup> menu(CreateComponent<TRecordingPopup>(nullptr));
    TElToolButton* open = t.Open;
    open->SetPullDownMenu(menu.get());
    Settle();
    // The bar makes room for the arrow.
    EXPECT_EQ(open->Width(), 23 + ElPullDownArrowWidth);
    EXPECT_EQ(t.Bar->Width(), 2 + 9 * 23 + ElPullDownArrowWidth + 2);
    int clicks = 0, downs = 0;
    open->OnClick = [&](TObject*) { ++clicks; };
    open->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++downs; };

    ClickAt(open, open->Width() - 4, open->Height() / 2);
    POINT below{0, open->Height()};
    ClientToScreen(open->Handle(), &below);
    ASSERT_EQ(menu->Points.size(), 1u);
    EXPECT_EQ(menu->Points[0], (TPoint{below.x, below.y}));
    EXPECT_EQ(clicks, 0);
    EXPECT_EQ(downs, 0);

    open->SetPopupPlace(ppRight);
    ClickAt(open, open->Width() - 4, 3);
    POINT right{open->Width(), 0};
    ClientToScreen(open->Handle(), &right);
    ASSERT_EQ(menu->Points.size(), 2u);
    EXPECT_EQ(menu->Points[1], (TPoint{right.x, right.y}));

    ClickAt(open, 5, open->Height() / 2);
    EXPECT_EQ(menu->Points.size(), 2u);
    EXPECT_EQ(clicks, 1);

    // A real menu above the button: the item chosen with the keys runs.
    TOwned<TPopupMenu> recent(CreateComponent<TPopupMenu>(nullptr));
    std::vector<TMenuItem*> items;
    int chosen = -1;
    for (int i = 0; i < 3; ++i) {
        auto* item = new TMenuItem(recent.get());
        item->SetCaption(u"scan" + std::u16string(1, static_cast<char16_t>(u'1' + i)) + u".dmo");
        item->Tag = i;
        item->OnClick = [&](TObject* s) { chosen = static_cast<TMenuItem*>(s)->Tag; };
        recent->Items()->Add(item);
    }
    open->SetPullDownMenu(recent.get());
    open->SetPopupPlace(ppTop);
    PostMessageW(open->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(open->Width() - 4, 4));
    for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
        PostMessageW(PopupMenuWindow(), WM_KEYDOWN, key, 1);
    EXPECT_TRUE(PumpUntil([&] { return chosen >= 0; }));
    EXPECT_EQ(chosen, 1);
    EXPECT_EQ(clicks, 1);
    // A menu freed while the button holds it is let go.
    recent.reset();
    EXPECT_EQ(open->PullDownMenu(), nullptr);
}

TEST(ElButtons, TheFlatLookDrawsItsFrameInTheColourOfEachState)
{
    ClassicPainting classic;
    TButtonsForm t;
    TElGraphicButton* m = t.Money;
    m->SetHint(u"Flat|A flat button");
    Settle();
    const TColor inactive = RGBColor(0, 128, 0), active = RGBColor(0, 0, 200), down = RGBColor(200, 0, 0);
    const int w = m->Width(), h = m->Height();
    auto frameIs = [&](TColor c) {
        return PixelAt(m, 0, 0) == c && PixelAt(m, w - 1, h / 2) == c && PixelAt(m, w / 2, h - 1) == c;
    };
    EXPECT_TRUE(frameIs(inactive));
    EXPECT_EQ(PixelAt(m, 3, h / 2), RGBColor(250, 250, 240));

    HoverAt(m, 5, 5);
    EXPECT_TRUE(m->MouseInControl());
    EXPECT_TRUE(frameIs(active));
    // The hint's long part goes to the application while the mouse is over the button.
    EXPECT_EQ(Application->Hint(), u"A flat button");
    EXPECT_EQ(m->Hint, u"Flat|A flat button");
    std::u16string unpacked;
    EXPECT_TRUE(UnpackWideHint(m->PackedHint(), unpacked));
    EXPECT_EQ(unpacked, m->Hint);

    PostMessageW(m->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    Settle();
    EXPECT_TRUE(frameIs(down));
    PostMessageW(m->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    Settle();
    EXPECT_TRUE(frameIs(active));

    HoverAt(t.Form.get(), 500, 20);
    EXPECT_FALSE(m->MouseInControl());
    EXPECT_TRUE(frameIs(inactive));
    m->SetMoneyFlatInactiveColor(clNavy);
    Settle();
    EXPECT_TRUE(frameIs(clNavy));
}

// The left-most column holding the glyph's up colour; -1 when none.
int GlyphColumn(TWinControl* Control)
{
    const l3d::testing::Pixels p =
        ReadClientPixels(Control->Handle(), {0, 0, Control->Width(), Control->Height()});
    const uint32_t want = 0x0000FF;  // GlyphUp as 0x00RRGGBB
    for (int x = 0; x < p.width; ++x)
        for (int y = 0; y < p.height; ++y)
            if (p.At(x, y) == want)
                return x;
    return -1;
}

TEST(ElButtons, GlyphImagesFollowTheStateAndTheLayoutPutsTheGlyphOnItsSide)
{
    ClassicPainting classic;
    TButtonsForm t;
    auto centre = [](TWinControl* c) { return PixelAt(c, c->Width() / 2, c->Height() / 2); };
    EXPECT_EQ(centre(t.Glyphs), GlyphUp);
    // The key colour never shows.
    EXPECT_EQ(PixelAt(t.Glyphs, t.Glyphs->Width() / 2 - 7, t.Glyphs->Height() / 2 - 7), Plain(clBtnFace));
    t.Glyphs->SetEnabled(false);
    Settle();
    EXPECT_EQ(centre(t.Glyphs), GlyphDisabled);
    // With one image the disabled look is the up image greyed.
    t.ZoomIn->SetEnabled(false);
    Settle();
    EXPECT_EQ(centre(t.ZoomIn), Plain(clBtnShadow));

    const int left = GlyphColumn(t.Captioned);
    ASSERT_GE(left, 0);
    EXPECT_LT(left, t.Captioned->Width() / 2);
    t.Captioned->SetLayout(blGlyphRight);
    Settle();
    EXPECT_GT(GlyphColumn(t.Captioned), t.Captioned->Width() / 2);
    // Without the glyph's space the glyph stands at the margin of its side.
    t.Captioned->SetAdjustSpaceForGlyph(false);
    Settle();
    EXPECT_EQ(GlyphColumn(t.Captioned), t.Captioned->Width() - ElButtonMargin - 14);
    // The popup button places its glyph by its layout as well.
    const int pushLeft = GlyphColumn(t.Push);
    t.Push->SetLayout(blGlyphRight);
    Settle();
    EXPECT_GT(GlyphColumn(t.Push), pushLeft);
}

// A 16 x 16 icon of one colour.
void MakeIcon(TIcon& Icon, TColor Color)
{
    const HDC screen = GetDC(nullptr);
    TGdiObject<HBITMAP> colour(CreateCompatibleBitmap(screen, 16, 16));
    TGdiObject<HBITMAP> mask(CreateBitmap(16, 16, 1, 1, nullptr));
    ReleaseDC(nullptr, screen);
    {
        const TMemoryDC c(nullptr, colour.get());
        const TGdiObject<HBRUSH> brush(CreateSolidBrush(ColorToRGB(Color)));
        const RECT r{0, 0, 16, 16};
        FillRect(c.Handle(), &r, brush.get());
        const TMemoryDC m(nullptr, mask.get());
        PatBlt(m.Handle(), 0, 0, 16, 16, BLACKNESS);  // all opaque
    }
    ICONINFO info{TRUE, 0, 0, mask.get(), colour.get()};
    Icon.SetHandle(CreateIconIndirect(&info));
}

TEST(ElButtons, FrameOptionsAndTheIconShowInThePixels)
{
    ClassicPainting classic;
    TButtonsForm t;
    TElGraphicButton* b = t.Glyphs;
    const int w = b->Width(), h = b->Height();
    // Two rings, the outer one dark; a thin frame keeps the inner ring only.
    EXPECT_EQ(PixelAt(b, w - 1, h - 1), Plain(cl3DDkShadow));
    b->SetThinFrame(true);
    Settle();
    EXPECT_EQ(PixelAt(b, w - 1, h - 1), Plain(clBtnShadow));
    // Flat: no frame until the mouse comes, unless the border is asked for.
    b->SetFlat(true);
    Settle();
    EXPECT_EQ(PixelAt(b, 0, 0), Plain(b->Color()));
    b->SetShowBorder(true);
    Settle();
    EXPECT_EQ(PixelAt(b, 0, 0), Plain(clBtnHighlight));
    // The icon stands in for the glyph while UseIcon is on.
    TIcon icon;
    MakeIcon(icon, clLime);
    b->SetIcon(&icon);
    Settle();
    EXPECT_EQ(PixelAt(b, w / 2, h / 2), GlyphUp);
    b->SetUseIcon(true);
    Settle();
    EXPECT_EQ(PixelAt(b, w / 2, h / 2), clLime);
}

TEST(ElButtons, OldStyledKeepsTheClassicLookWhereThemesPaint)
{
    TButtonsForm t;
    TElGraphicButton* b = t.Glyphs;
    if (!b->IsThemeApplied())
        GTEST_SKIP() << "no visual style in use";
    const l3d::testing::Pixels themed = ReadClientPixels(b->Handle(), {0, 0, b->Width(), b->Height()});
    b->SetOldStyled(true);
    Settle();
    EXPECT_NE(ReadClientPixels(b->Handle(), {0, 0, b->Width(), b->Height()}).data, themed.data);
    EXPECT_EQ(PixelAt(b, b->Width() - 1, b->Height() - 1), Plain(cl3DDkShadow));
}

TEST(ElButtons, ToolButtonsShowTheBarsImagesAndADisabledBarTakesNoClicks)
{
    ClassicPainting classic;
    TButtonsForm t;
    // The bar fits its buttons in one row.
    EXPECT_EQ(t.Bar->Width(), 2 + 9 * 23 + 2);
    EXPECT_EQ(t.Res[3]->Left(), 2 + 3 * 23);
    auto centre = [](TWinControl* c) { return PixelAt(c, c->Width() / 2 + 1, c->Height() / 2 + 1); };
    EXPECT_EQ(centre(t.Res[1]), ImageGreen);
    EXPECT_EQ(centre(t.Res[2]), ImageRed);
    t.Res[2]->SetImageIndex(1);
    Settle();
    EXPECT_EQ(centre(t.Res[2]), ImageGreen);
    // An index the list does not have draws no image.
    t.Res[2]->SetImageIndex(7);
    Settle();
    EXPECT_NE(centre(t.Res[2]), ImageGreen);

    int clicks = 0;
    t.Res[3]->OnClick = [&](TObject*) { ++clicks; };
    t.Bar->SetEnabled(false);
    EXPECT_TRUE(t.Res[3]->Enabled());
    EXPECT_FALSE(t.Res[3]->EffectivelyEnabled());
    Click(t.Res[3]);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(t.Res[3]->Down());
    Settle();
    EXPECT_NE(centre(t.Res[1]), ImageGreen);  // drawn greyed
    t.Bar->SetEnabled(true);
    Click(t.Res[3]);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(t.Res[3]->Down());
    // A press held when the bar is disabled ends with its mouse-up.
    int ups = 0;
    t.Res[4]->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int, int) { ++ups; };
    PostMessageW(t.Res[4]->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    Settle();
    EXPECT_TRUE(t.Res[4]->Pressed());
    t.Bar->SetEnabled(false);
    EXPECT_FALSE(t.Res[4]->Pressed());
    EXPECT_EQ(ups, 1);
}

TEST(ElButtons, DefaultAndCancelButtonsEndAModalFormWithTheirResults)
{
    TOwned<TForm> dialog(CreateComponent<TForm>(nullptr));
    dialog->SetBounds(100, 100, 300, 150);
    auto* check = CreateComponent<TElCheckBox>(dialog.get());  // takes the focus first
    check->SetParent(dialog.get());
    check->SetBounds(10, 10, 150, 20);
    auto* ok = CreateComponent<TElPopupButton>(dialog.get());
    ok->SetParent(dialog.get());
    ok->SetBounds(10, 60, 100, 33);
    ok->SetCaption(u"OK");
    ok->ModalResult = mrOk;
    ok->SetDefault(true);
    auto* cancel = CreateComponent<TElPopupButton>(dialog.get());
    cancel->SetParent(dialog.get());
    cancel->SetBounds(120, 60, 100, 33);
    cancel->SetCaption(u"Cancel");
    cancel->ModalResult = mrCancel;
    cancel->Cancel = true;

    auto run = [&](std::function<void()> Drive) {
        dialog->SetActiveControl(check);
        ModalDialogHook() = [&](TCustomForm*) { Drive(); };
        const TModalResult r = dialog->ShowModal();
        ModalDialogHook() = nullptr;
        Settle();  // keys left over go to no later run
        return r;
    };
    auto key = [](WPARAM k) {
        PostMessageW(GetFocus(), WM_KEYDOWN, k, 1);
        PostMessageW(GetFocus(), WM_KEYUP, k, 0xC0000001);
    };
    // Enter with the check box focused presses the default button; Escape the cancel button.
    EXPECT_EQ(run([&] { key(VK_RETURN); }), mrOk);
    EXPECT_FALSE(check->Checked());
    EXPECT_EQ(run([&] { key(VK_ESCAPE); }), mrCancel);
    EXPECT_EQ(run([&] { PostMessageW(cancel->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
                        PostMessageW(cancel->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5)); }),
              mrCancel);
    // The result is on the form when OnClick runs, and the handler may take it back.
    std::vector<TModalResult> seen;
    ok->OnClick = [&](TObject*) {
        seen.push_back(dialog->ModalResult());
        if (seen.size() == 1)
            dialog->SetModalResult(mrNone);
    };
    EXPECT_EQ(run([&] {
                  key(VK_RETURN);
                  key(VK_RETURN);
              }),
              mrOk);
    EXPECT_EQ(seen, (std::vector<TModalResult>{mrOk, mrOk}));
    // A hidden cancel button takes no key: Escape does nothing, the close box ends it.
    ok->OnClick = nullptr;
    cancel->Hide();
    EXPECT_EQ(run([&] {
                  key(VK_ESCAPE);
                  PostMessageW(dialog->Handle(), WM_CLOSE, 0, 0);
              }),
              mrCancel);
}

TEST(ElButtons, CheckBoxesAndRadioButtonsTickAndReportTheUsersChanges)
{
    ClassicPainting classic;
    TButtonsForm t;
    int checkClicks = 0;
    t.Check->OnClick = [&](TObject*) { ++checkClicks; };
    Click(t.Check);
    EXPECT_TRUE(t.Check->Checked());
    Click(t.Check);
    EXPECT_FALSE(t.Check->Checked());
    EXPECT_EQ(checkClicks, 2);
    t.Check->SetChecked(true);  // by code: no OnClick
    EXPECT_EQ(checkClicks, 2);
    // The space bar on the focused box.
    t.Check->SetFocus();
    PostMessageW(t.Check->Handle(), WM_KEYDOWN, VK_SPACE, 1);
    PostMessageW(t.Check->Handle(), WM_KEYUP, VK_SPACE, 0xC0000001);
    Settle();
    EXPECT_FALSE(t.Check->Checked());
    EXPECT_EQ(checkClicks, 3);
    // A new caption shows.
    const l3d::testing::Pixels before = ReadClientPixels(t.Check->Handle(), {20, 0, 200, 20});
    t.Check->SetCaption(u"Use background color");
    Settle();
    EXPECT_NE(ReadClientPixels(t.Check->Handle(), {20, 0, 200, 20}).data, before.data);

    std::vector<TObject*> radioClicks;
    for (TElRadioButton* r : t.A)
        r->OnClick = [&](TObject* s) { radioClicks.push_back(s); };
    Click(t.A[1]);
    Click(t.A[2]);
    EXPECT_FALSE(t.A[1]->Checked());
    EXPECT_TRUE(t.A[2]->Checked());
    Click(t.A[2]);  // already checked: nothing changes, nothing fires
    EXPECT_EQ(radioClicks, (std::vector<TObject*>{t.A[1], t.A[2]}));
    // Another parent's radio buttons are a group of their own; code unchecks the others too.
    t.B[0]->SetChecked(true);
    EXPECT_TRUE(t.A[2]->Checked());
    t.A[0]->SetChecked(true);
    EXPECT_FALSE(t.A[2]->Checked());
    EXPECT_TRUE(t.B[0]->Checked());
    EXPECT_EQ(radioClicks.size(), 2u);
}

TEST(ElButtons, APanelsNewLookReachesItsTransparentChildren)
{
    ClassicPainting classic;
    TButtonsForm t;
    auto centre = [&] { return PixelAt(t.SeeThrough, t.SeeThrough->Width() / 2, t.SeeThrough->Height() / 2); };
    EXPECT_EQ(centre(), clRed);
    t.ColorField->SetColor(clLime);
    Settle();
    EXPECT_EQ(PixelAt(t.ColorField, 4, 4), clLime);
    EXPECT_EQ(centre(), clLime);
}

TEST(ElButtons, ALabelWrapsItsCaptionAndRepaints)
{
    TButtonsForm t;
    TElLabel* l = t.Label;
    l->Font()->SetColor(clBlack);
    const int oneLine = l->Height();
    l->SetCaption(u"Do you really want to restore all configuration settings to its default values?");
    EXPECT_GT(l->Height(), 2 * oneLine);
    EXPECT_EQ(l->Width(), 150);
    Settle();
    auto blackPixels = [&] {
        const l3d::testing::Pixels p =
            ReadClientPixels(t.Form->Handle(), {l->Left(), l->Top(), l->Left() + l->Width(), l->Top() + l->Height()});
        return std::count(p.data.begin(), p.data.end(), 0u);
    };
    EXPECT_GT(blackPixels(), 20);
    l->SetEnabled(false);
    Settle();
    EXPECT_EQ(blackPixels(), 0);
    l->SetEnabled(true);
    l->SetCaption(u"");
    Settle();
    EXPECT_EQ(blackPixels(), 0);
    // Unwrapped, the label takes its text's width.
    l->SetWordWrap(false);
    l->SetCaption(u"Short");
    EXPECT_LT(l->Width(), 150);
    EXPECT_EQ(l->Height(), oneLine);
}

TEST(ElButtons, TheTestFormAsAPicture)
{
    TButtonsForm t;
    t.Res[2]->SetDown(true);
    t.Check->SetChecked(true);
    t.A[1]->SetChecked(true);
    t.Push->SetFocus();
    Settle();
    const std::u16string file = std::filesystem::absolute("el_buttons_form.png").u16string();
    const TSize size = l3d::testing::SaveWindowPicture(t.Form->Handle(), file);
    EXPECT_EQ(size.cx, t.Form->Width());
    EXPECT_GT(std::filesystem::file_size(std::filesystem::path(file)), 1000u);
}

}  // namespace
