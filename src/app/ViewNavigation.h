// Moving the camera of the scan views: the rotation step, mouse drags, zoom and stretch, the
// zoom box, the view presets, the navigator buttons and the colour-limit steps. Everything
// works on the main window's four view states (or on the colour manager) and leaves the
// repaint request to the caller.
//
// View indexes and view-state slots: view 0 (main) is slot 0, view 1 (top) slot 1, view 3
// (front) slot 2, view 2 (perspective) slot 3.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "scan/files/ScanFile.h"
#include "scan/model/DataTypes.h"

class TColorManager;
struct TSettingsRecord;

// The view-state slot of a view index; views above 3 count as the main view.
size_t ViewStateSlotOfView(uint8_t View);

// x to the nearest whole number, ties to the even one (2.5 gives 2, 3.5 gives 4). Unlike the
// framework's Round it stays a double, so NaN and values beyond 64 bits pass through unharmed.
double Nearest(double X);
// Nearest(X) mod 360 with the sign of X kept (-364 gives -4). NaN stays NaN.
double NearestMod360(double X);

// A navigator turn: Nearest(Angle + Amount) mod 360 (358 + 3 gives 1, -1 - 3 gives -4).
float TurnedAngle(float Angle, double Amount);

// A step that must be above 0: the stored one, or Fallback when it is 0, negative or not a
// number (settings files are repaired only at start, so each use guards its step again).
float UsableStep(float Step, float Fallback);

struct TAxisFlags {
    bool X = false;
    bool Y = false;
    bool Z = false;
};

// One mouse move over the drawing area. Dx and Dy are the last position minus the new one.
struct TMouseMove {
    int32_t Dx = 0;
    int32_t Dy = 0;
    bool LeftButton = false;
    bool RightButton = false;
    uint8_t ActiveView = 0;
    TAxisFlags Axes;
    float RotateStep = 1.0f;
    float MoveStep = 1.0f;
};

// The angle a left drag turns by: Nearest((Dx + Dy) / 2 * RotateStep) mod 360.
double DragAngle(int32_t Dx, int32_t Dy, float RotateStep);

// A left drag turns the active view (view 0 about each enabled axis, in the order X, Y, Z; the
// small views about Z); otherwise a right drag in the main view moves it by
// Nearest(Dx / MoveStep) and -Nearest(Dy / MoveStep). Returns true when a view changed.
bool ApplyMouseMove(TViewStates& Views, const TMouseMove& Move);

// The slot a double click copies into view 0: the active small view's; none for view 0.
std::optional<size_t> DoubleClickSourceSlot(uint8_t ActiveView);

enum class TZoomCommand : uint8_t { ZoomIn, ZoomOut, StretchIn, StretchOut };

// Scale bounds of the zoom commands: far beyond any useful view, but short of the 0 and
// infinity that held buttons would otherwise reach and that make the projection degenerate.
constexpr float MinViewScale = 1e-6f;
constexpr float MaxViewScale = 1e6f;

// Zoom in divides Scale.X and Scale.Y by the zoom step, zoom out multiplies them; stretch does
// the same to Scale.Z. A step that is not above 0 counts as the default 1.25.
void ApplyZoom(TViewState& View, TZoomCommand Command, float ZoomStep);

// The zoom box's steps in percent, and the View > Zoom items that choose them, in order.
constexpr std::array<int32_t, 8> ZoomPercents{50, 80, 100, 150, 200, 400, 800, 1000};
// The caption of a zoom step ("400 %").
std::u16string ZoomStepCaption(int32_t Percent);
constexpr int32_t DefaultZoomItem = 2;  // "100 %"

// The scale the zoom box's text asks for: 100 / v with v the number made of the text's digits
// ("400 %" gives 0.25; no digits count as 100). None for 0, which has no scale.
std::optional<float> ZoomScaleOfText(const std::u16string& Text);

enum class TViewPreset : uint8_t { Top, Front, Perspective };

// The rotation of each preset: top (0, 0, 0), front (-90, 0, 0), perspective (-45, 0, -45).
TVector4 PresetRotation(TViewPreset Preset);
// The view state a preset gives: no translation, the preset's rotation, scale 1.
TViewState PresetViewState(TViewPreset Preset);
// The preset that belongs to a view-state slot: slots 0 and 1 top, 2 front, 3 perspective.
TViewState PresetOfSlot(size_t Slot);

// View > Reset: slot 1 the top view, slot 2 the front view, slot 3 the perspective view, each
// unmoved at scale 1, and slot 0 a copy of slot 1.
void ResetViewStates(TViewStates& Views);
// View > Top/Front/Perspective: the view's translation 0 and the preset's rotation; the scale
// stays.
void ApplyViewPreset(TViewState& View, TViewPreset Preset);

// What a navigator button (or a repeating tool button) does once.
enum class TNavigatorStep : uint8_t {
    TurnXUp, TurnXDown, TurnYUp, TurnYDown, TurnZUp, TurnZDown,
    MoveXUp, MoveXDown, MoveYUp, MoveYDown,
    ZoomIn, ZoomOut, StretchIn, StretchOut,
    LineUp, LineDown,
    UpperLimitUp, UpperLimitDown, LowerLimitUp, LowerLimitDown,
};

// Applies a step that moves a camera: turns and moves act on view 0 (turns by 3 x RotateStep),
// zoom and stretch on the active view. False for the line and colour-limit steps, which the
// caller runs (PageUp/PageDown and StepColorLimit).
bool ApplyCameraStep(TViewStates& Views, uint8_t ActiveView, TNavigatorStep Step,
                     const TSettingsRecord& Settings);

// A colour-limit step: while Rebuild is set nothing changes (the last step has not been drawn
// yet); otherwise the upper or lower limit is set to itself plus Delta and the result of the
// setter becomes the new rebuild flag. A Delta that is not finite changes nothing.
uint8_t StepColorLimit(TColorManager& Colors, uint8_t Rebuild, bool Upper, float Delta);
// The colour-limit part of View > Reset: the upper limit 95, then the lower limit 5, both set
// whatever Rebuild says; the flag is set when it was or when either limit changed.
uint8_t ResetColorLimits(TColorManager& Colors, uint8_t Rebuild);

// Steps of an arrow key: 1, 10 with Ctrl, 20 with Ctrl and Alt (Shift does not count).
uint8_t ArrowKeySteps(bool Ctrl, bool Alt);
