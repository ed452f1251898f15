// The edit and display commands of the Image and View menus, the edit tool bar and the depth
// tool bar: undo of all changes, filling the dummy values, the resolution level, wireframe,
// cross hairs, the soil type and the colour bands of the palette buttons. Each changes the
// scan or how it is drawn and leaves the drawing to the paint timer.
#include "app/main.h"

#include "app/ScanEdits.h"
#include "app/ScanKinds.h"

#include "scan/files/_TFileManager.h"
#include "scan/files/globals.h"
#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"
#include "scan/render/_TScanImage.h"

void TMainForm::MenuEditResetClick(TObject*)
{
    // Nothing to bring back before an edit.
    if (!session_.Undo())
        return;
    MenuEditReset->SetEnabled(false);
    ToolButtonUndo->SetEnabled(false);
    RequestRepaint();
}

void TMainForm::ToolButton2XClick(TObject*)
{
    TScanData* scan = session_.Scan();
    if (!scan)
        return;
    RemoveDummies(*scan);
    session_.Image()->Rebuild = 1;
    RequestRepaint();
}

void TMainForm::SetResolutionLevel(uint8_t Level)
{
    session_.Image()->SetResolution(Level);
    for (size_t i = 0; i < MenuEditRes.size(); ++i)
        MenuEditRes[i]->SetChecked(i == Level);
    ToolButtonRes[Level]->SetDown(true);
    RequestRepaint();
}

void TMainForm::MenuEditRes0Click(TObject*)
{
    SetResolutionLevel(0);
}

void TMainForm::MenuEditRes1Click(TObject*)
{
    SetResolutionLevel(1);
}

void TMainForm::MenuEditRes2Click(TObject*)
{
    SetResolutionLevel(2);
}

void TMainForm::MenuEditRes3Click(TObject*)
{
    SetResolutionLevel(3);
}

void TMainForm::MenuEditRes4Click(TObject*)
{
    SetResolutionLevel(4);
}

void TMainForm::MenuViewWireframeClick(TObject*)
{
    const bool wireframe = !MenuViewWireframe->Checked();
    MenuViewWireframe->SetChecked(wireframe);
    session_.Image()->SetWireframe(wireframe ? 1 : 0);
    ToolButtonWireframe->SetDown(wireframe);
    ToolButtonWireframe->Repaint();
    RequestRepaint();
}

void TMainForm::MenuViewCrossHairsClick(TObject*)
{
    const bool crossHairs = !MenuViewCrossHairs->Checked();
    MenuViewCrossHairs->SetChecked(crossHairs);
    session_.Image()->CursorLines = crossHairs ? 1 : 0;
    RequestRepaint();
}

void TMainForm::TakeFocusBack()
{
    // The window itself takes the keys, not the control that had them last.
    if (!Visible() || !HandleAllocated())
        return;
    SetActiveControl(nullptr);
    SetFocus();
}

void TMainForm::ComboBoxSoilChange(TObject*)
{
    const std::optional<float> factor = SoilFactorAt(ComboBoxSoil->ItemIndex(), SoilTypes);
    if (!factor || !session_.Scan())
        return;
    session_.Scan()->SetSoilFactor(*factor);
    session_.Scan()->Changed = 1;
    UpdateScanInfo();
    TakeFocusBack();
}

// The soil box is chosen from with the mouse only: keys would leave the focus in it, where the
// view's own keys no longer reach the window.
void TMainForm::ComboBoxSoilKeyDown(TObject*, uint16_t& Key, TShiftState Shift)
{
    if (!VKey::IsCloseWindowKey(Key, Shift))
        Key = 0;
    TakeFocusBack();
}

void TMainForm::ComboBoxSoilKeyPress(TObject*, char16_t& Key)
{
    Key = 0;
    TakeFocusBack();
}

void TMainForm::ComboBoxSoilKeyUp(TObject*, uint16_t&, TShiftState)
{
    TakeFocusBack();
}

void TMainForm::ApplyPaletteButtons()
{
    PaletteBands.Blue = ToolButtonCPBlue->Down();
    PaletteBands.Green = ToolButtonCPGreen->Down();
    PaletteBands.Red = ToolButtonCPRed->Down();
    if (ColorManager)
        ApplyPaletteBands(*ColorManager, PaletteBands);
    if (session_.Image())
        session_.Image()->Rebuild = 1;
    RequestRepaint();
}

void TMainForm::ToolButtonCPBlueClick(TObject*)
{
    ApplyPaletteButtons();
}

void TMainForm::ToolButtonCPGreenClick(TObject*)
{
    ApplyPaletteButtons();
}

void TMainForm::ToolButtonCPRedClick(TObject*)
{
    ApplyPaletteButtons();
}
