// Moving the camera of the scan views: the mouse on the drawing area, the keys the form sees
// before its controls (each runs the command whose row holds it), the navigator's buttons
// (repeating while held), the zoom box and the zoom, stretch and view-preset commands. Each
// works on the view state of the active view (or of the main view) and asks the paint timer for
// a repaint; none draws.
#include "app/main.h"

#include "app/LengthUnits.h"
#include "app/ScanEdits.h"
#include "app/StatusTexts.h"
#include "app/ViewNavigation.h"

#include "scan/files/_TFileManager.h"
#include "scan/files/globals.h"
#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

#include "framework/KeyCodes.h"

namespace {

constexpr uint32_t RepeatIntervalMs = 100;
constexpr float DefaultColorLimitStep = 3.0f;

// Key is one of the command's keys, and Shift holds every modifier that key needs.
bool TakesKey(const TCommand& Command, uint16_t Key, TShiftState Shift)
{
    for (const TKey& k : Command.Keys)
        if (k.Key != 0 && k.Key == Key && (Shift & k.Needs) == k.Needs)
            return true;
    return false;
}

}  // namespace

// ---- mouse

void TMainForm::FormMouseDown(TObject*, TMouseButton, TShiftState, int X, int Y)
{
    MouseDown = 1;
    MouseStart = TPoint{X, Y};
    MouseLast = MouseStart;
    views_.ActivateViewAt(X, Y);
    RequestRepaint();
}

void TMainForm::FormMouseMove(TObject*, TShiftState Shift, int X, int Y)
{
    // The system sends moves that move nothing too (when the cursor is set back after the
    // hourglass, or a window appears under it): they change no view and ask for no frame,
    // which for a large scan would take seconds.
    const TScanImage* image = session_.Image();
    if (!image || (X == MouseLast.X && Y == MouseLast.Y))
        return;
    TMouseMove move;
    move.Dx = MouseLast.X - X;
    move.Dy = MouseLast.Y - Y;
    // The buttons held come with each move; a press outside the window still drags.
    move.LeftButton = (Shift & ssLeft) != 0;
    move.RightButton = (Shift & ssRight) != 0;
    move.ActiveView = views_.ActiveView();
    move.Axes = TAxisFlags{image->AxisX != 0, image->AxisY != 0, image->AxisZ != 0};
    move.RotateStep = GlobalSettings.RotateStep;
    move.MoveStep = GlobalSettings.MoveStep;
    ApplyMouseMove(views_.States(), move);
    MouseLast = TPoint{X, Y};
    RequestRepaint();
}

void TMainForm::FormMouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    MouseDown = 0;
}

void TMainForm::FormMouseWheelUp(TObject*, TShiftState, TPoint, bool& Handled)
{
    ToolButtonZoomInClick(nullptr);
    Handled = true;
}

void TMainForm::FormMouseWheelDown(TObject*, TShiftState, TPoint, bool& Handled)
{
    ToolButtonZoomOutClick(nullptr);
    Handled = true;
}

void TMainForm::FormDblClick(TObject*)
{
    if (const std::optional<size_t> slot = DoubleClickSourceSlot(views_.ActiveView())) {
        TViewStates& views = views_.States();
        views[0] = views[*slot];
        RequestRepaint();
    }
}

// ---- keys

void TMainForm::FormKeyDown(TObject*, uint16_t& Key, TShiftState Shift)
{
    if (!session_.Image())
        return;
    for (const TCommand& command : commands_) {
        if (!TakesKey(command, Key, Shift))
            continue;
        if (!scanShown_ && !command.KeysWithoutScan)
            return;
        if (command.OnKey)
            (this->*command.OnKey)(Shift);
        else if (command.OnClick)
            (this->*command.OnClick)(nullptr);
        return;
    }
}

void TMainForm::WalkLineForward(TShiftState Shift)
{
    MoveSelectedPoint(TWalkDirection::LineForward, ArrowKeySteps(Shift & ssCtrl, Shift & ssAlt));
}

void TMainForm::WalkLineBackward(TShiftState Shift)
{
    MoveSelectedPoint(TWalkDirection::LineBackward, ArrowKeySteps(Shift & ssCtrl, Shift & ssAlt));
}

void TMainForm::WalkToNextPoint(TShiftState Shift)
{
    MoveSelectedPoint(TWalkDirection::NextPoint, ArrowKeySteps(Shift & ssCtrl, Shift & ssAlt));
}

void TMainForm::WalkToPreviousPoint(TShiftState Shift)
{
    MoveSelectedPoint(TWalkDirection::PreviousPoint, ArrowKeySteps(Shift & ssCtrl, Shift & ssAlt));
}

void TMainForm::ToggleSmoothSurface(TObject*)
{
    TScanImage& image = *session_.Image();
    image.SetSmooth(image.Smooth() ? 0 : 1);
    RequestRepaint();
}

void TMainForm::LeaveFullscreen(TObject*)
{
    if (MenuExtrasFullscreen->Checked())
        MenuExtrasFullscreenClick(nullptr);
}

void TMainForm::MoveSelectedPoint(TWalkDirection Direction, uint8_t Steps)
{
    TScanData* scan = session_.Scan();
    if (!scan)
        return;
    SetValuePanelText(u"");
    if (!scan->Selected)
        scan->SelectPoint(scan->FirstPoint());
    if (!scan->Selected)
        return;
    TScanPoint* next = nullptr;
    switch (Direction) {
    case TWalkDirection::LineForward: next = scan->GetNextLinePoint(Steps); break;
    case TWalkDirection::LineBackward: next = scan->GetPreviousLinePoint(Steps); break;
    case TWalkDirection::NextPoint: next = scan->GetNextPoint(Steps); break;
    case TWalkDirection::PreviousPoint: next = scan->GetPreviousPoint(Steps); break;
    }
    scan->SelectPoint(next);
    session_.Image()->SetCrossHairActive(1);
    RequestRepaint();
    UpdateScanInfo();
}

void TMainForm::StepDepthLevel(bool Up)
{
    TScanData* scan = session_.Scan();
    if (!scan || DepthControlsEnabled == 0)
        return;
    // Up in the picture is a shallower level.
    if (Up)
        scan->LevelDown();
    else
        scan->LevelUp();
    session_.Image()->SetLevelPlaneActive(1);
    UpdateScanInfo();
    RequestRepaint();
}

void TMainForm::HalveValues(TObject*)
{
    TScanData* scan = session_.Scan();
    if (!scan)
        return;
    HalveScanValues(*scan);
    session_.Image()->Rebuild = 1;
    // Halving is an edit like the others: the file's values can be brought back.
    NoteScanEdited();
}

void TMainForm::NoteScanEdited()
{
    session_.NoteEdited();
    // A scan opened without its snapshot has nothing to go back to.
    const bool undoable = session_.CanUndo();
    MenuEditReset->SetEnabled(undoable);
    ToolButtonUndo->SetEnabled(undoable);
    RequestRepaint();
}

// ---- zoom, stretch, level lines

void TMainForm::RunCameraStep(TNavigatorStep Step)
{
    ApplyCameraStep(views_.States(), views_.ActiveView(), Step, GlobalSettings);
    RequestRepaint();
}

void TMainForm::ToolButtonZoomInClick(TObject*) { RunCameraStep(TNavigatorStep::ZoomIn); }
void TMainForm::ToolButtonZoomOutClick(TObject*) { RunCameraStep(TNavigatorStep::ZoomOut); }
void TMainForm::ToolButtonStretchInClick(TObject*) { RunCameraStep(TNavigatorStep::StretchIn); }
void TMainForm::ToolButtonStretchOutClick(TObject*) { RunCameraStep(TNavigatorStep::StretchOut); }

void TMainForm::ToolButtonLineUpClick(TObject*)
{
    StepDepthLevel(true);
}

void TMainForm::ToolButtonLineDownClick(TObject*)
{
    StepDepthLevel(false);
}

// ---- view presets

void TMainForm::MenuViewResetClick(TObject*)
{
    ResetViewStates(views_.States());
    if (TScanImage* image = session_.Image(); image && ColorManager)
        image->Rebuild = ResetColorLimits(*ColorManager, image->Rebuild);
    const TResetStatusTexts texts = ResetStatusTexts(ChosenMeasureUnit());
    StatusBar->Panels(1)->SetText(texts.Panel1);
    StatusBar->Panels(2)->SetText(texts.Panel2);
    if (texts.Panel3)
        StatusBar->Panels(3)->SetText(*texts.Panel3);
    RequestRepaint();
}

void TMainForm::ApplyMainViewPreset(TViewPreset Preset)
{
    ApplyViewPreset(views_.States()[0], Preset);
    RequestRepaint();
}

void TMainForm::MenuViewTopClick(TObject*) { ApplyMainViewPreset(TViewPreset::Top); }
void TMainForm::MenuViewFrontClick(TObject*) { ApplyMainViewPreset(TViewPreset::Front); }
void TMainForm::MenuViewPerspectiveClick(TObject*) { ApplyMainViewPreset(TViewPreset::Perspective); }

// ---- the zoom box and its menu items

void TMainForm::ChooseZoomItem(int Index)
{
    ComboBoxZoom->SetItemIndex(Index);
    ComboBoxZoomChange(ComboBoxZoom);
    RequestRepaint();
}

void TMainForm::ImageZoom50Click(TObject*) { ChooseZoomItem(0); }
void TMainForm::ImageZoom80Click(TObject*) { ChooseZoomItem(1); }
void TMainForm::ImageZoom100Click(TObject*) { ChooseZoomItem(2); }
void TMainForm::ImageZoom150Click(TObject*) { ChooseZoomItem(3); }
void TMainForm::ImageZoom200Click(TObject*) { ChooseZoomItem(4); }
void TMainForm::ImageZoom400Click(TObject*) { ChooseZoomItem(5); }
void TMainForm::ImageZoom800Click(TObject*) { ChooseZoomItem(6); }
void TMainForm::ImageZoom1000Click(TObject*) { ChooseZoomItem(7); }

void TMainForm::ComboBoxZoomChange(TObject*)
{
    if (const std::optional<float> scale = ZoomScaleOfText(ComboBoxZoom->Text())) {
        TViewState& view = views_.ActiveState();
        view.Scale.X = *scale;
        view.Scale.Y = *scale;
    }
    // View > Zoom ticks the zoom the box shows, however it was chosen.
    const int32_t index = ComboBoxZoom->ItemIndex();
    if (index >= 0 && static_cast<size_t>(index) < ImageZoom.size())
        ImageZoom[static_cast<size_t>(index)]->SetChecked(true);
    RequestRepaint();
    // The keys go back to the form, where they move the views.
    if (Visible() && HandleAllocated())
        SetFocus();
}

void TMainForm::ComboBoxZoomKeyDown(TObject*, uint16_t& Key, TShiftState Shift)
{
    // A click leaves the focus in the box: Alt+F4 must still close the window.
    if (!VKey::IsCloseWindowKey(Key, Shift))
        Key = 0;
}

void TMainForm::ComboBoxZoomKeyPress(TObject*, char16_t& Key)
{
    Key = 0;
}

// ---- axis switches

void TMainForm::AxisXClick(TObject*)
{
    if (TScanImage* image = session_.Image())
        image->AxisX = AxisX->Down() ? 1 : 0;
    RequestRepaint();
}

void TMainForm::AxisYClick(TObject*)
{
    if (TScanImage* image = session_.Image())
        image->AxisY = AxisY->Down() ? 1 : 0;
    RequestRepaint();
}

void TMainForm::AxisZClick(TObject*)
{
    if (TScanImage* image = session_.Image())
        image->AxisZ = AxisZ->Down() ? 1 : 0;
    RequestRepaint();
}

// ---- the navigator

void TMainForm::SpeedButton1Click(TObject*) { RunCameraStep(TNavigatorStep::TurnYUp); }
void TMainForm::SpeedButton2Click(TObject*) { RunCameraStep(TNavigatorStep::TurnXUp); }
void TMainForm::SpeedButton3Click(TObject*) { RunCameraStep(TNavigatorStep::TurnYDown); }
void TMainForm::SpeedButton4Click(TObject*) { RunCameraStep(TNavigatorStep::TurnXDown); }
void TMainForm::SpeedButton5Click(TObject*) { RunCameraStep(TNavigatorStep::MoveXUp); }
void TMainForm::SpeedButton6Click(TObject*) { RunCameraStep(TNavigatorStep::MoveXDown); }
void TMainForm::SpeedButton7Click(TObject*) { RunCameraStep(TNavigatorStep::MoveYDown); }
void TMainForm::SpeedButton8Click(TObject*) { RunCameraStep(TNavigatorStep::MoveYUp); }
void TMainForm::SpeedButton11Click(TObject*) { RunCameraStep(TNavigatorStep::TurnZUp); }
void TMainForm::SpeedButton12Click(TObject*) { RunCameraStep(TNavigatorStep::TurnZDown); }

void TMainForm::StepColorLimits(bool Upper, bool Raise)
{
    if (TScanImage* image = session_.Image(); image && ColorManager) {
        const float step = UsableStep(GlobalSettings.ColorLimitStep, DefaultColorLimitStep);
        image->Rebuild = StepColorLimit(*ColorManager, image->Rebuild, Upper, Raise ? step : -step);
    }
    RequestRepaint();
}

void TMainForm::SpeedButton15Click(TObject*) { StepColorLimits(true, true); }
void TMainForm::SpeedButton16Click(TObject*) { StepColorLimits(true, false); }
void TMainForm::SpeedButton21Click(TObject*) { StepColorLimits(false, true); }
void TMainForm::SpeedButton22Click(TObject*) { StepColorLimits(false, false); }

void TMainForm::SpeedButtonMouseDown(TObject* Sender, TMouseButton Button, TShiftState, int, int)
{
    // Only a left press clicks, so only a left press repeats.
    auto* control = dynamic_cast<TControl*>(Sender);
    if (Button != TMouseButton::mbLeft || !control || !control->OnClick)
        return;
    TimerButtonDown->SetEnabled(false);
    TimerButtonDown->SetInterval(RepeatIntervalMs);
    TimerButtonDown->OnTimer = [step = control->OnClick, control](TObject*) { step(control); };
    TimerButtonDown->SetEnabled(true);
}

void TMainForm::SpeedButton17MouseUp(TObject*, TMouseButton, TShiftState, int, int)
{
    TimerButtonDown->SetEnabled(false);
}
