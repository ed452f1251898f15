// The bar model's mouse, repeat, wheel and scroll-information logic against a fake host
// (portable). A 200-pixel bar with arrows of 17 and range 0..99, page 10 has its track at
// 17..183, a thumb of 17 and 149 pixels of travel for 90 positions.
#include "scrollbar_fakes.h"

#include "widgets/el/foundation/ElScrollBarStyles.h"

#include "framework/ClassRegistry.h"

#include "framework/Exceptions.h"

#include <gtest/gtest.h>

namespace {

using Req = FakeHost::Request;
using Reqs = std::vector<Req>;

TEST(ScrollBarModel, ArrowStepsAndRepeatsWhileHeldOverIt)
{
    TestBar t;
    t.SetRange(0, 99, 10, 50);
    t.Press(5);
    EXPECT_EQ(t.Host.Requests, (Reqs{{escLineUp, 49}}));
    EXPECT_EQ(t.Bar.Position(), 49);
    EXPECT_EQ(t.Host.Captures, 1);
    EXPECT_TRUE(t.Bar.Tracking());
    EXPECT_EQ(t.Timer->Starts, (std::vector<uint32_t>{500}));  // keyboard delay 1: (1 + 1) * 250
    t.Bar.RepeatTimerTick();
    EXPECT_EQ(t.Timer->Starts.back(), 31u);  // keyboard speed 31: 1000 div 32
    EXPECT_EQ(t.Bar.Position(), 48);
    t.Move(100);  // off the arrow: repeating pauses
    EXPECT_FALSE(t.Timer->Running);
    t.Move(3);
    EXPECT_TRUE(t.Timer->Running);
    t.Host.Requests.clear();
    t.Release();
    EXPECT_EQ(t.Host.Requests, (Reqs{{escEndScroll, 48}}));
    EXPECT_FALSE(t.Timer->Running);
    EXPECT_FALSE(t.Bar.Tracking());
    EXPECT_EQ(t.Host.Releases, 1);
    EXPECT_EQ(t.Bar.PressedPart(), sbpNowhere);
}

TEST(ScrollBarModel, ArrowAtTheEndDoesNothingUnlessButtonsNeverDisable)
{
    TestBar t;
    t.SetRange(0, 99, 10, 0);
    t.Press(5);
    EXPECT_TRUE(t.Host.Requests.empty());
    EXPECT_EQ(t.Host.Captures, 0);
    EXPECT_TRUE(t.Timer->Starts.empty());
    EXPECT_EQ(t.Bar.PressedPart(), sbpNowhere);
    t.Release();  // a release without a held button sends nothing either
    EXPECT_TRUE(t.Host.Requests.empty());

    t.Bar.SetNoDisableButtons(true);
    t.Press(5);
    EXPECT_EQ(t.Host.Captures, 1);
    EXPECT_EQ(t.Host.Requests, (Reqs{{escLineUp, 0}}));
    EXPECT_EQ(t.Bar.Position(), 0);
}

TEST(ScrollBarModel, PageRepeatStopsWhenTheThumbReachesThePointer)
{
    TestBar t;
    t.SetRange(0, 99, 10, 0);
    t.Host.Cursor = t.At(150);
    t.Press(150);
    for (int i = 0; i < 20; ++i)
        t.Bar.RepeatTimerTick();
    EXPECT_EQ(t.Host.Requests, (Reqs{{escPageDown, 10}, {escPageDown, 20}, {escPageDown, 30}, {escPageDown, 40},
                                     {escPageDown, 50}, {escPageDown, 60}, {escPageDown, 70}, {escPageDown, 80}}));
    const TRect thumb = t.Bar.PartRect(sbpThumb);
    EXPECT_LE(thumb.Left, 150);
    EXPECT_GT(thumb.Right, 150);
}

TEST(ScrollBarModel, ThumbDragTracksSnapsBackFarOffTheBarAndResumes)
{
    TestBar t;
    t.SetRange(0, 99, 10, 0);
    t.Press(25);  // 8 pixels into the thumb
    EXPECT_EQ(t.Bar.PressedPart(), sbpThumb);
    EXPECT_EQ(t.Host.Captures, 1);
    EXPECT_TRUE(t.Host.Requests.empty());
    EXPECT_EQ(t.Bar.TrackPosition(), -1);
    t.Move(75);
    EXPECT_EQ(t.Bar.ThumbOffset(), 67);
    EXPECT_TRUE(t.Bar.ThumbMoved());
    EXPECT_NE(t.Bar.TrackPosition(), -1);
    t.Move(-101);  // more than half the length before the start
    EXPECT_EQ(t.Bar.ThumbOffset(), 17);
    t.Move(75);
    t.Move(-100);  // exactly half: still dragging, held at the track's start
    t.Move(301);   // more than half past the end
    EXPECT_EQ(t.Bar.ThumbOffset(), 17);
    t.Move(300);
    EXPECT_EQ(t.Bar.ThumbOffset(), 166);
    EXPECT_EQ(t.Host.Requests, (Reqs{{escTrack, 30}, {escTrack, 0}, {escTrack, 30}, {escTrack, 0}, {escTrack, 0},
                                     {escTrack, 90}}));
    t.Host.Requests.clear();
    t.Release();
    EXPECT_EQ(t.Host.Requests, (Reqs{{escPosition, 90}}));
    EXPECT_EQ(t.Bar.Position(), 90);
    EXPECT_EQ(t.Bar.TrackPosition(), -1);
    EXPECT_FALSE(t.Bar.ThumbMoved());
    EXPECT_EQ(t.Bar.ThumbOffset(), 166);
}

TEST(ScrollBarModel, ThumbClickedWithoutDragKeepsItsPosition)
{
    TestBar t;
    t.SetRange(0, 999, 10, 501);  // 990 positions on 149 pixels: offset 92 maps back to 498
    const int32_t thumb = t.Bar.ThumbOffset();
    t.Press(thumb + 3);
    t.Release();
    EXPECT_EQ(t.Host.Requests, (Reqs{{escPosition, 501}}));
    EXPECT_EQ(t.Bar.Position(), 501);
}

TEST(ScrollBarModel, CancelReturnsToIdleWithoutRequests)
{
    TestBar t;
    t.SetRange(0, 99, 10, 0);
    t.Press(25);
    t.Move(75);
    t.Host.Requests.clear();
    t.Bar.MouseDown(false, true, 0, 0);
    EXPECT_TRUE(t.Host.Requests.empty());
    EXPECT_FALSE(t.Bar.Tracking());
    EXPECT_EQ(t.Host.Releases, 1);
    EXPECT_EQ(t.Bar.ThumbOffset(), 17);  // back where the position puts it
}

TEST(ScrollBarModel, WheelScrollsLinesPerNotchOrPages)
{
    TestBar t;
    t.SetRange(0, 99, 10, 50);
    t.Bar.HandleMouseWheel(120);  // 3 lines a notch
    EXPECT_EQ(t.Host.Requests, (Reqs{{escLineUp, 49}, {escLineUp, 48}, {escLineUp, 47}, {escEndScroll, 47}}));
    t.Host.Requests.clear();
    t.Bar.HandleMouseWheel(-80);  // two thirds of a notch: two lines
    EXPECT_EQ(t.Bar.Position(), 49);
    t.Host.Requests.clear();
    t.Bar.HandleMouseWheel(30);  // less than a line: nothing at all
    EXPECT_TRUE(t.Host.Requests.empty());

    t.Host.WheelLines = 0;  // read as 1
    t.Bar.HandleMouseWheel(240);
    EXPECT_EQ(t.Bar.Position(), 47);
    t.Host.WheelLines = 200;  // clamped to 120 lines; never a division by zero
    t.Bar.HandleMouseWheel(120);
    EXPECT_EQ(t.Bar.Position(), 0);
    EXPECT_EQ(t.Host.Requests.size(), 3u + 48u);  // stops at the end instead of taking 120 steps

    t.Host.WheelLines = ElWheelPageScroll;
    t.Host.Requests.clear();
    t.Bar.HandleMouseWheel(-360);
    EXPECT_EQ(t.Host.Requests, (Reqs{{escPageDown, 10}, {escPageDown, 20}, {escPageDown, 30}, {escEndScroll, 30}}));
    t.Host.Requests.clear();
    t.Bar.SetPosition(90, false);
    t.Bar.HandleMouseWheel(-120);  // already on the last page
    EXPECT_EQ(t.Host.Requests, (Reqs{{escEndScroll, 90}}));
}

TEST(ScrollBarModel, ScrollInfoSetsRangeVisibilityAndFrame)
{
    TestBar t;
    TElScrollInfo info;
    info.fMask = ESIF_RANGE | ESIF_POS;
    info.nMax = 0;
    EXPECT_EQ(t.Bar.SetScrollInfo(info, true), 0);
    EXPECT_FALSE(t.Host.Visible);  // range 0..0: WS_HSCROLL cleared
    EXPECT_FALSE(t.Bar.CachedVisible());
    EXPECT_EQ(t.Host.FrameUpdates, 1);
    info.fMask = ESIF_RANGE | ESIF_PAGE | ESIF_POS;
    info.nMax = 99;
    info.nPage = 10;
    info.nPos = 120;
    EXPECT_EQ(t.Bar.SetScrollInfo(info, true), 90);
    EXPECT_TRUE(t.Host.Visible);
    EXPECT_TRUE(t.Bar.Enabled());
    EXPECT_EQ(t.Host.FrameUpdates, 2);
    EXPECT_EQ(t.Bar.ThumbOffset(), 166);
    info.fMask = ESIF_POS;  // no change of visibility: the frame is only repainted
    info.nPos = 0;
    EXPECT_EQ(t.Bar.SetScrollInfo(info, true), 0);
    EXPECT_EQ(t.Host.FrameUpdates, 2);
    EXPECT_EQ(t.Host.FrameRepaints, 1);
    info.cbSize = 20;
    info.nPos = 40;
    EXPECT_EQ(t.Bar.SetScrollInfo(info, true), 0);
}

TEST(ScrollBarModel, RereadingTheWindowKeepsADraggedThumbUnderThePointer)
{
    TestBar t;
    t.Host.Handle = false;
    t.Bar.UpdateFromScrollInfo();
    EXPECT_EQ(t.Bar.Position(), -1);
    EXPECT_EQ(t.Bar.ThumbOffset(), 0);
    t.Host.Handle = true;
    t.Host.Window.fMask = ESIF_ALL;
    t.Host.Window.nMax = 99;
    t.Host.Window.nPage = 10;
    t.Host.Window.nPos = 0;
    t.Bar.UpdateFromScrollInfo();
    EXPECT_EQ(t.Bar.Max(), 99);
    EXPECT_TRUE(t.Bar.Enabled());
    t.Press(25);
    t.Move(75);
    t.Host.Window.nPos = 20;  // the control followed the track only part of the way
    t.Bar.UpdateFromScrollInfo();
    EXPECT_EQ(t.Bar.Position(), 20);
    EXPECT_EQ(t.Bar.ThumbOffset(), 67);
}

TEST(ScrollBarModel, PositionIsClampedExceptWhileLoading)
{
    TestBar t;
    t.SetRange(0, 99, 10, 0);
    t.Bar.SetPosition(95, false);
    EXPECT_EQ(t.Bar.Position(), 90);
    t.Host.Loading = true;
    t.Bar.SetPosition(500, false);
    EXPECT_EQ(t.Bar.Position(), 500);
}

TEST(ScrollBarStyles, SettersRefuseAndCoupleAsPublished)
{
    TestBar t(ebkVertical, 30);
    t.Bar.SetUseSystemMetrics(false);
    t.Bar.SetButtonSize(0);
    t.Bar.SetButtonSize(16);  // twice 16 exceeds the 30-pixel bar
    EXPECT_EQ(t.Bar.ButtonSize(), 17);
    t.Bar.SetButtonSize(15);
    EXPECT_EQ(t.Bar.ButtonSize(), 15);
    t.Host.Handle = false;
    t.Bar.SetButtonSize(40);
    EXPECT_EQ(t.Bar.ButtonSize(), 40);
    t.Bar.SetMinThumbSize(0);
    EXPECT_EQ(t.Bar.MinThumbSize(), 12);
    t.Bar.SetShowBorder(false);
    EXPECT_FALSE(t.Bar.DrawArrowFrames());
    t.Bar.SetShowBorder(true);
    EXPECT_FALSE(t.Bar.DrawArrowFrames());
    t.Bar.SetStyleWidth(25);
    EXPECT_EQ(t.Bar.Width(), 25);  // the thickness of a vertical bar
    t.Bar.SetUseSystemMetrics(true);
    t.Bar.SetStyleWidth(30);
    EXPECT_EQ(t.Bar.Width(), 25);  // ignored while the system's metrics rule
}

TEST(ScrollBarStyles, NewSystemMetricsReachOnlyBarsThatFollowThem)
{
    TestBar t(ebkVertical, 200);
    t.SetRange(0, 99, 10, 0);
    t.Host.Metric = 25;
    t.Bar.RefreshSystemMetrics();
    EXPECT_EQ(t.Bar.Thickness(), 25);
    EXPECT_EQ(t.Bar.ButtonSize(), 25);
    EXPECT_EQ(t.Bar.PartRect(sbpThumb).Top, 25);  // the thumb moved with the arrows
    t.Bar.SetUseSystemMetrics(false);
    t.Bar.SetStyleWidth(20);
    t.Host.Metric = 30;
    t.Bar.RefreshSystemMetrics();
    EXPECT_EQ(t.Bar.Thickness(), 20);
    EXPECT_EQ(t.Bar.ButtonSize(), 25);
}

TEST(ScrollBarStyles, AssignCopiesEveryPublishedProperty)
{
    TElCtrlScrollBarStyles s(nullptr, ebkHorizontal, 0), d(nullptr, ebkHorizontal, 0);
    s.SetActiveFlat(true);
    s.SetArrowColor(clRed);
    s.SetArrowHotTrackColor(clLime);
    s.SetBarOffset(4);
    s.SetBarColor(clBlue);
    s.SetBlendBackground(false);
    s.SetButtonSize(20);
    s.SetChangeColorsOnScroll(false);
    s.SetColor(clYellow);
    s.SetUseSystemMetrics(false);
    s.SetStyleWidth(21);
    s.SetDrawBars(false);
    s.SetFlat(false);
    s.SetHintColor(clAqua);
    s.SetHintTextColor(clNavy);
    s.SetIsHTML(true);
    s.SetMinThumbSize(9);
    s.SetNoDisableButtons(true);
    s.SetNoSunkenThumb(true);
    s.SetOwnerDraw(true);
    s.SetSecondaryButtons(true);
    s.SetSecondBtnKind(sbkPage);
    s.SetShowLeftArrows(false);
    s.SetShowRightArrows(false);
    s.SetShowTrackHint(true);
    s.SetStep(3);
    s.SetSystemBkColor(false);
    s.SetThinFrame(true);
    s.SetThumbMode(etmFixed);
    s.SetThumbSize(22);
    s.SetUseSystemStep(false);
    s.SetUseXPThemes(false);
    s.SetShowBorder(false);
    s.ForceScrollMessage = true;
    int changes = 0;
    s.OnChange = [&](TObject*) { ++changes; };
    d.Assign(&s);
    EXPECT_TRUE(d.ActiveFlat());
    EXPECT_EQ(d.ArrowColor(), clRed);
    EXPECT_EQ(d.ArrowHotTrackColor(), clLime);
    EXPECT_EQ(d.BarOffset(), 4u);
    EXPECT_EQ(d.BarColor(), clBlue);
    EXPECT_FALSE(d.BlendBackground());
    EXPECT_EQ(d.ButtonSize(), 20);
    EXPECT_FALSE(d.ChangeColorsOnScroll());
    EXPECT_EQ(d.Color(), clYellow);
    EXPECT_EQ(d.StyleWidth(), 21);
    EXPECT_FALSE(d.DrawArrowFrames());
    EXPECT_FALSE(d.DrawBars());
    EXPECT_FALSE(d.ShowBorder());
    EXPECT_FALSE(d.Flat());
    EXPECT_EQ(d.HintColor(), clAqua);
    EXPECT_EQ(d.HintTextColor(), clNavy);
    EXPECT_TRUE(d.IsHTML());
    EXPECT_EQ(d.MinThumbSize(), 9);
    EXPECT_TRUE(d.NoDisableButtons());
    EXPECT_TRUE(d.NoSunkenThumb());
    EXPECT_TRUE(d.OwnerDraw());
    EXPECT_TRUE(d.SecondaryButtons());
    EXPECT_EQ(d.SecondBtnKind(), sbkPage);
    EXPECT_FALSE(d.ShowLeftArrows());
    EXPECT_FALSE(d.ShowRightArrows());
    EXPECT_TRUE(d.ShowTrackHint());
    EXPECT_EQ(d.Step(), 3);
    EXPECT_FALSE(d.SystemBkColor());
    EXPECT_TRUE(d.ThinFrame());
    EXPECT_EQ(d.ThumbMode(), etmFixed);
    EXPECT_EQ(d.ThumbSize(), 22);
    EXPECT_FALSE(d.UseSystemMetrics());
    EXPECT_FALSE(d.UseSystemStep());
    EXPECT_FALSE(d.UseXPThemes());
    EXPECT_TRUE(d.ForceScrollMessage);
    ASSERT_TRUE(d.OnChange);
    d.OnChange(&d);
    EXPECT_EQ(changes, 1);
    TPersistent other;
    EXPECT_THROW(d.Assign(&other), EConvertError);
}

TEST(ScrollBarStyles, TheStandAloneGroupDrivesItsBarAndAssignsItsElevenProperties)
{
    TestBar t(ebkHorizontal, 100);
    TElScrollBarStyles styles(t.Bar);
    EXPECT_EQ(FindPersistentClass("TElScrollBarStyles"), &typeid(TElScrollBarStyles));
    t.SetRange(0, 999, 10, 0);
    EXPECT_EQ(t.Bar.ThumbLength(), 4);  // the group's smallest thumb, not the 12 of a control's bar

    // Through the group, the bar's rules: a button must fit twice, hidden arrows take no room,
    // following the system's metrics again takes its sizes.
    styles.SetUseSystemMetrics(false);
    styles.SetButtonSize(51);
    styles.SetButtonSize(30);
    EXPECT_EQ(t.Bar.Layout().ButtonSize, 30);
    styles.SetShowLeftArrows(false);
    styles.SetSecondaryButtons(true);
    EXPECT_EQ(t.Bar.Layout().TrackStart(), 0);
    EXPECT_EQ(t.Bar.Layout().TrackEnd(), 100 - 2 * 30);
    styles.SetWidth(12);
    EXPECT_EQ(t.Bar.Thickness(), 12);
    styles.SetUseSystemMetrics(true);
    EXPECT_EQ(t.Bar.Layout().ButtonSize, 17);
    EXPECT_EQ(t.Bar.Thickness(), 17);

    // Assign takes exactly ActiveFlat, BlendBackground, Color, Flat, MinThumbSize, OwnerDraw,
    // SecondaryButtons, SecondBtnKind, ShowTrackHint, ThumbMode and ThumbSize.
    TestBar other;
    TElScrollBarStyles source(other.Bar);
    source.SetActiveFlat(true);
    source.SetBlendBackground(false);
    source.SetColor(clYellow);
    source.SetFlat(false);
    source.SetMinThumbSize(9);
    source.SetOwnerDraw(true);
    source.SetSecondaryButtons(false);
    source.SetSecondBtnKind(sbkCustom);
    source.SetShowTrackHint(true);
    source.SetThumbMode(etmFixed);
    source.SetThumbSize(22);
    source.SetArrowColor(clRed);
    source.SetShowRightArrows(false);
    source.SetUseSystemMetrics(false);
    source.SetButtonSize(40);
    styles.SetUseSystemMetrics(false);
    styles.Assign(&source);
    EXPECT_TRUE(styles.ActiveFlat());
    EXPECT_FALSE(styles.BlendBackground());
    EXPECT_EQ(styles.Color(), clYellow);
    EXPECT_FALSE(styles.Flat());
    EXPECT_EQ(styles.MinThumbSize(), 9);
    EXPECT_TRUE(styles.OwnerDraw());
    EXPECT_FALSE(styles.SecondaryButtons());
    EXPECT_EQ(styles.SecondBtnKind(), sbkCustom);
    EXPECT_TRUE(styles.ShowTrackHint());
    EXPECT_EQ(styles.ThumbMode(), etmFixed);
    EXPECT_EQ(t.Bar.ThumbLength(), 22);
    EXPECT_EQ(styles.ArrowColor(), clBtnText);
    EXPECT_TRUE(styles.ShowRightArrows());
    EXPECT_EQ(styles.ButtonSize(), 17);
    EXPECT_THROW(styles.Assign(&other.Bar), EConvertError);
}

}  // namespace
