#include "app/ViewNavigation.h"

#include <algorithm>
#include <cmath>

#include "scan/files/globals.h"
#include "scan/model/_TColorManager.h"

namespace {

constexpr float DefaultZoomStep = 1.25f;
constexpr float DefaultMoveStep = 1.0f;
constexpr float DefaultRotateStep = 1.0f;
// A navigator turn is three rotate steps; a navigator move one unit.
constexpr double NavigatorTurnSteps = 3.0;
constexpr float NavigatorMove = 1.0f;

float ClampScale(double Scale)
{
    if (std::isnan(Scale))
        return 1.0f;
    return static_cast<float>(std::clamp(Scale, double(MinViewScale), double(MaxViewScale)));
}

} // namespace

size_t ViewStateSlotOfView(uint8_t View)
{
    switch (View) {
    case 1: return 1;
    case 2: return 3;
    case 3: return 2;
    default: return 0;
    }
}

double Nearest(double X)
{
    // The default rounding mode rounds ties to even; nothing in the program changes it.
    return std::nearbyint(X);
}

double NearestMod360(double X)
{
    // fmod keeps the sign of its left operand, as the integer mod does, and never overflows.
    const double Result = std::fmod(Nearest(X), 360.0);
    return Result == 0.0 ? 0.0 : Result;  // no negative zero
}

float TurnedAngle(float Angle, double Amount)
{
    return static_cast<float>(NearestMod360(double(Angle) + Amount));
}

float UsableStep(float Step, float Fallback)
{
    return (Step > 0.0f && std::isfinite(Step)) ? Step : Fallback;
}

double DragAngle(int32_t Dx, int32_t Dy, float RotateStep)
{
    const double Step = UsableStep(RotateStep, DefaultRotateStep);
    return NearestMod360((double(Dx) + double(Dy)) / 2.0 * Step);
}

bool ApplyMouseMove(TViewStates& Views, const TMouseMove& Move)
{
    if (Move.LeftButton) {
        const float A = static_cast<float>(DragAngle(Move.Dx, Move.Dy, Move.RotateStep));
        switch (Move.ActiveView) {
        case 0: {
            TVector4& R = Views[0].Rotation;
            if (Move.Axes.X)
                R.X -= A;
            if (Move.Axes.Y)
                R.Y -= A;
            if (Move.Axes.Z)
                R.Z -= A;
            return Move.Axes.X || Move.Axes.Y || Move.Axes.Z;
        }
        case 1: Views[ViewStateSlotOfView(1)].Rotation.Z -= A; return true;
        case 2: Views[ViewStateSlotOfView(2)].Rotation.Z += A; return true;
        case 3: Views[ViewStateSlotOfView(3)].Rotation.Z += A; return true;
        default: return false;
        }
    }
    if (Move.RightButton && Move.ActiveView == 0) {
        const double Step = UsableStep(Move.MoveStep, DefaultMoveStep);
        Views[0].Translation.X += static_cast<float>(Nearest(Move.Dx / Step));
        Views[0].Translation.Y -= static_cast<float>(Nearest(Move.Dy / Step));
        return true;
    }
    return false;
}

std::optional<size_t> DoubleClickSourceSlot(uint8_t ActiveView)
{
    if (ActiveView < 1 || ActiveView > 3)
        return std::nullopt;
    return ViewStateSlotOfView(ActiveView);
}

void ApplyZoom(TViewState& View, TZoomCommand Command, float ZoomStep)
{
    const double Step = UsableStep(ZoomStep, DefaultZoomStep);
    TVector4& S = View.Scale;
    switch (Command) {
    case TZoomCommand::ZoomIn:
        S.X = ClampScale(S.X / Step);
        S.Y = ClampScale(S.Y / Step);
        break;
    case TZoomCommand::ZoomOut:
        S.X = ClampScale(S.X * Step);
        S.Y = ClampScale(S.Y * Step);
        break;
    case TZoomCommand::StretchIn: S.Z = ClampScale(S.Z / Step); break;
    case TZoomCommand::StretchOut: S.Z = ClampScale(S.Z * Step); break;
    }
}

std::optional<float> ZoomScaleOfText(const std::u16string& Text)
{
    double Percent = 0.0;
    bool AnyDigit = false;
    for (char16_t C : Text) {
        if (C < u'0' || C > u'9')
            continue;
        Percent = Percent * 10.0 + double(C - u'0');
        AnyDigit = true;
    }
    if (!AnyDigit)
        Percent = 100.0;
    if (Percent == 0.0)
        return std::nullopt;
    return ClampScale(100.0 / Percent);
}

TVector4 PresetRotation(TViewPreset Preset)
{
    switch (Preset) {
    case TViewPreset::Front: return MakeVector(-90.0f, 0.0f, 0.0f);
    case TViewPreset::Perspective: return MakeVector(-45.0f, 0.0f, -45.0f);
    case TViewPreset::Top: break;
    }
    return MakeVector(0.0f, 0.0f, 0.0f);
}

TViewState PresetViewState(TViewPreset Preset)
{
    TViewState V;
    V.Translation = MakeVector(0.0f, 0.0f, 0.0f);
    V.Rotation = PresetRotation(Preset);
    V.Scale = MakeVector(1.0f, 1.0f, 1.0f);
    return V;
}

TViewState PresetOfSlot(size_t Slot)
{
    switch (Slot) {
    case 2: return PresetViewState(TViewPreset::Front);
    case 3: return PresetViewState(TViewPreset::Perspective);
    default: return PresetViewState(TViewPreset::Top);
    }
}

void ResetViewStates(TViewStates& Views)
{
    for (size_t Slot = 1; Slot < Views.size(); ++Slot)
        Views[Slot] = PresetOfSlot(Slot);
    Views[0] = Views[1];
}

void ApplyViewPreset(TViewState& View, TViewPreset Preset)
{
    View.Translation = MakeVector(0.0f, 0.0f, 0.0f);
    View.Rotation = PresetRotation(Preset);
}

std::u16string ZoomStepCaption(int32_t Percent)
{
    const std::string Text = std::to_string(Percent) + " %";
    return std::u16string(Text.begin(), Text.end());
}

bool ApplyCameraStep(TViewStates& Views, uint8_t ActiveView, TNavigatorStep Step,
                     const TSettingsRecord& Settings)
{
    const double Turn = NavigatorTurnSteps * UsableStep(Settings.RotateStep, DefaultRotateStep);
    TViewState& Main = Views[0];
    TViewState& Active = Views[ViewStateSlotOfView(ActiveView)];
    switch (Step) {
    case TNavigatorStep::TurnXUp: Main.Rotation.X = TurnedAngle(Main.Rotation.X, Turn); return true;
    case TNavigatorStep::TurnXDown: Main.Rotation.X = TurnedAngle(Main.Rotation.X, -Turn); return true;
    case TNavigatorStep::TurnYUp: Main.Rotation.Y = TurnedAngle(Main.Rotation.Y, Turn); return true;
    case TNavigatorStep::TurnYDown: Main.Rotation.Y = TurnedAngle(Main.Rotation.Y, -Turn); return true;
    case TNavigatorStep::TurnZUp: Main.Rotation.Z = TurnedAngle(Main.Rotation.Z, Turn); return true;
    case TNavigatorStep::TurnZDown: Main.Rotation.Z = TurnedAngle(Main.Rotation.Z, -Turn); return true;
    case TNavigatorStep::MoveXUp: Main.Translation.X += NavigatorMove; return true;
    case TNavigatorStep::MoveXDown: Main.Translation.X -= NavigatorMove; return true;
    case TNavigatorStep::MoveYUp: Main.Translation.Y += NavigatorMove; return true;
    case TNavigatorStep::MoveYDown: Main.Translation.Y -= NavigatorMove; return true;
    case TNavigatorStep::ZoomIn: ApplyZoom(Active, TZoomCommand::ZoomIn, Settings.ZoomStep); return true;
    case TNavigatorStep::ZoomOut: ApplyZoom(Active, TZoomCommand::ZoomOut, Settings.ZoomStep); return true;
    case TNavigatorStep::StretchIn: ApplyZoom(Active, TZoomCommand::StretchIn, Settings.ZoomStep); return true;
    case TNavigatorStep::StretchOut: ApplyZoom(Active, TZoomCommand::StretchOut, Settings.ZoomStep); return true;
    default: return false;
    }
}

uint8_t StepColorLimit(TColorManager& Colors, uint8_t Rebuild, bool Upper, float Delta)
{
    if (Rebuild != 0 || !std::isfinite(Delta))
        return Rebuild;
    const bool Accepted = Upper ? Colors.SetUpperLimit(Colors.UpperLimit + Delta)
                                : Colors.SetLowerLimit(Colors.LowerLimit + Delta);
    return Accepted ? 1 : 0;
}

uint8_t ResetColorLimits(TColorManager& Colors, uint8_t Rebuild)
{
    // Both setters run: one press puts both limits back, whatever is waiting to be drawn.
    const bool upper = Colors.SetUpperLimit(95.0f);
    const bool lower = Colors.SetLowerLimit(5.0f);
    return Rebuild != 0 || upper || lower ? 1 : 0;
}

uint8_t ArrowKeySteps(bool Ctrl, bool Alt)
{
    if (!Ctrl)
        return 1;
    return Alt ? 20 : 10;
}
