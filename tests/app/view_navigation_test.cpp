#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/ViewNavigation.h"
#include "scan/files/globals.h"
#include "scan/model/_TColorManager.h"

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

TViewStates PresetViews()
{
    TViewStates V{};
    ResetViewStates(V);
    return V;
}

void ExpectVector(const TVector4& V, float X, float Y, float Z)
{
    EXPECT_EQ(V.X, X);
    EXPECT_EQ(V.Y, Y);
    EXPECT_EQ(V.Z, Z);
}

} // namespace

TEST(ViewNavigation, RotationStepRoundsTiesToEvenAndWrapsKeepingTheSign)
{
    EXPECT_EQ(TurnedAngle(358.0f, 3.0), 1.0f);
    EXPECT_EQ(TurnedAngle(-1.0f, -3.0), -4.0f);
    EXPECT_EQ(TurnedAngle(-359.0f, -3.0), -2.0f);
    EXPECT_EQ(Nearest(2.5), 2.0);
    EXPECT_EQ(Nearest(3.5), 4.0);
    EXPECT_EQ(NearestMod360(-364.0), -4.0);
    EXPECT_FALSE(std::signbit(NearestMod360(-720.0)));
    EXPECT_TRUE(std::isnan(NearestMod360(NaN)));
    EXPECT_EQ(NearestMod360(1e30), std::fmod(1e30, 360.0));  // no integer overflow on the way
}

TEST(ViewNavigation, LeftDragTurnsTheEnabledAxesOfTheActiveView)
{
    TViewStates V = PresetViews();
    TMouseMove M;
    M.Dx = M.Dy = -10;  // 10 pixels right and 10 down
    M.LeftButton = true;
    M.Axes = {true, false, true};
    EXPECT_TRUE(ApplyMouseMove(V, M));
    ExpectVector(V[0].Rotation, 10.0f, 0.0f, 10.0f);

    M.Axes = {};
    const TViewStates Before = V;
    EXPECT_FALSE(ApplyMouseMove(V, M));
    ExpectVector(V[0].Rotation, Before[0].Rotation.X, Before[0].Rotation.Y, Before[0].Rotation.Z);

    M.Dx = 3;
    M.Dy = 0;
    M.RotateStep = 0.5f;  // 3 / 2 * 0.5 = 0.75 turns by 1
    M.ActiveView = 1;
    ApplyMouseMove(V, M);
    EXPECT_EQ(V[1].Rotation.Z, -1.0f);
    M.ActiveView = 2;
    ApplyMouseMove(V, M);
    EXPECT_EQ(V[3].Rotation.Z, -45.0f + 1.0f);
    M.ActiveView = 3;
    ApplyMouseMove(V, M);
    EXPECT_EQ(V[2].Rotation.Z, 1.0f);
    EXPECT_EQ(DragAngle(-400, -400, 1.0f), -40.0);  // (-800 / 2) mod 360
}

TEST(ViewNavigation, RightDragMovesOnlyTheMainViewAndNeverDividesByZero)
{
    TViewStates V = PresetViews();
    TMouseMove M;
    M.RightButton = true;
    M.Dx = 5;
    M.Dy = -3;
    M.MoveStep = 2.0f;
    ApplyMouseMove(V, M);
    ExpectVector(V[0].Translation, 2.0f, 2.0f, 0.0f);  // Nearest(2.5) = 2, -Nearest(-1.5) = 2

    for (float Bad : {0.0f, -1.0f, NaN}) {
        V = PresetViews();
        M.MoveStep = Bad;
        ApplyMouseMove(V, M);
        ExpectVector(V[0].Translation, 5.0f, 3.0f, 0.0f);
    }
    V = PresetViews();
    M.ActiveView = 2;
    EXPECT_FALSE(ApplyMouseMove(V, M));
    ExpectVector(V[3].Translation, 0.0f, 0.0f, 0.0f);
}

TEST(ViewNavigation, ZoomAndStretchKeepTheScaleUsable)
{
    TViewState S = PresetViewState(TViewPreset::Top);
    ApplyZoom(S, TZoomCommand::ZoomIn, 1.25f);
    ExpectVector(S.Scale, 0.8f, 0.8f, 1.0f);
    ApplyZoom(S, TZoomCommand::StretchOut, 2.0f);
    EXPECT_EQ(S.Scale.Z, 2.0f);
    for (float Bad : {0.0f, -3.0f, NaN}) {
        TViewState T = PresetViewState(TViewPreset::Top);
        ApplyZoom(T, TZoomCommand::ZoomOut, Bad);
        EXPECT_EQ(T.Scale.X, 1.25f) << Bad;
    }
    for (int i = 0; i < 500; ++i)
        ApplyZoom(S, TZoomCommand::ZoomIn, 1.25f);
    EXPECT_EQ(S.Scale.X, MinViewScale);
    for (int i = 0; i < 1000; ++i)
        ApplyZoom(S, TZoomCommand::StretchOut, 1.25f);
    EXPECT_EQ(S.Scale.Z, MaxViewScale);
}

TEST(ViewNavigation, ZoomBoxTextKeepsOnlyItsDigits)
{
    EXPECT_EQ(ZoomScaleOfText(u"400 %"), 0.25f);
    EXPECT_EQ(ZoomScaleOfText(u"50 %"), 2.0f);
    EXPECT_EQ(ZoomScaleOfText(u""), 1.0f);
    EXPECT_EQ(ZoomScaleOfText(u"1 0 0 0"), 0.1f);
    EXPECT_FALSE(ZoomScaleOfText(u"0 %"));
}

TEST(ViewNavigation, PresetsAndDoubleClick)
{
    TViewStates V{};
    V[0].Scale = MakeVector(3.0f, 3.0f, 3.0f);
    V[0].Translation = MakeVector(1.0f, 2.0f, 3.0f);
    ApplyViewPreset(V[0], TViewPreset::Perspective);
    ExpectVector(V[0].Rotation, -45.0f, 0.0f, -45.0f);
    ExpectVector(V[0].Translation, 0.0f, 0.0f, 0.0f);
    ExpectVector(V[0].Scale, 3.0f, 3.0f, 3.0f);

    ResetViewStates(V);
    ExpectVector(V[0].Rotation, 0.0f, 0.0f, 0.0f);
    ExpectVector(V[0].Scale, 1.0f, 1.0f, 1.0f);
    ExpectVector(V[1].Rotation, 0.0f, 0.0f, 0.0f);
    ExpectVector(V[2].Rotation, -90.0f, 0.0f, 0.0f);
    ExpectVector(V[3].Rotation, -45.0f, 0.0f, -45.0f);

    EXPECT_FALSE(DoubleClickSourceSlot(0));
    EXPECT_EQ(DoubleClickSourceSlot(1), 1u);
    EXPECT_EQ(DoubleClickSourceSlot(2), 3u);
    EXPECT_EQ(DoubleClickSourceSlot(3), 2u);
    EXPECT_EQ(ViewStateSlotOfView(3), 2u);
}

TEST(ViewNavigation, NavigatorButtonsStepTheirCamera)
{
    TSettingsRecord S;
    S.RotateStep = 1.0f;
    TViewStates V = PresetViews();
    V[0].Rotation.X = 359.0f;
    EXPECT_TRUE(ApplyCameraStep(V, 2, TNavigatorStep::TurnXUp, S));
    EXPECT_EQ(V[0].Rotation.X, 2.0f);
    S.RotateStep = 0.0f;  // a step of 0 from the file counts as 1
    EXPECT_TRUE(ApplyCameraStep(V, 2, TNavigatorStep::TurnZDown, S));
    EXPECT_EQ(V[0].Rotation.Z, -3.0f);
    EXPECT_TRUE(ApplyCameraStep(V, 2, TNavigatorStep::MoveYDown, S));
    EXPECT_EQ(V[0].Translation.Y, -1.0f);
    EXPECT_TRUE(ApplyCameraStep(V, 2, TNavigatorStep::ZoomOut, S));  // acts on the active view
    EXPECT_EQ(V[3].Scale.X, 1.25f);
    EXPECT_EQ(V[0].Scale.X, 1.0f);
    EXPECT_FALSE(ApplyCameraStep(V, 0, TNavigatorStep::UpperLimitUp, S));
    EXPECT_FALSE(ApplyCameraStep(V, 0, TNavigatorStep::LineDown, S));
}

TEST(ViewNavigation, ColourLimitStepsWaitForTheRebuild)
{
    TColorManager C;
    EXPECT_EQ(StepColorLimit(C, 0, true, -3.0f), 1);
    EXPECT_EQ(C.UpperLimit, 92.0f);
    EXPECT_EQ(StepColorLimit(C, 1, true, -3.0f), 1);  // not drawn yet: no second step
    EXPECT_EQ(C.UpperLimit, 92.0f);
    EXPECT_EQ(StepColorLimit(C, 0, false, NaN), 0);
    EXPECT_EQ(C.LowerLimit, 5.0f);
    EXPECT_EQ(StepColorLimit(C, 0, false, 0.0f), 0);  // a stored step of 0 moves nothing

    // Reset puts both limits back at once, also while a step waits to be drawn.
    C.SetLowerLimit(11.0f);
    EXPECT_EQ(ResetColorLimits(C, 1), 1);
    EXPECT_EQ(C.UpperLimit, 95.0f);
    EXPECT_EQ(C.LowerLimit, 5.0f);
    EXPECT_EQ(ResetColorLimits(C, 0), 0);  // nothing changed, nothing to rebuild
}
