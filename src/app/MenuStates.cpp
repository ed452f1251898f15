#include "app/MenuStates.h"

namespace {

using enum TMenuCondition;

std::vector<TMenuStateRule> MakeRules()
{
    std::vector<TMenuStateRule> R = {
        {"MenuFileNew", Always},
        {"ToolButtonNew", Always},
        {"FileImportOsprin", Always},
        {"FileImportHalvor", Always},
        {"MenuExtrasSplitScreen", Always},
        {"MenuExtrasNavigator", Always},
        {"MenuExtrasFullscreen", Always},
        {"FileImportPellam", Never},

        {"MenuFileSave", HasScan},
        {"MenuFileSaveAs", HasScan},
        {"MenuFileRemarks", HasScan},
        {"MenuFilePrint", HasScan},
        {"MenuFileExport", HasScan},
        {"ToolButtonSave", HasScan},
        {"ToolButtonRemarks", HasScan},
        {"ToolButtonPrint", HasScan},
        {"MenuEditReset", Restorable},
        {"MenuEditInterpolate", HasScan},
        {"MenuEditCorrectFaultSignal", HasScan},
        {"ToolButton5", HasScan},
        {"ToolButton8", HasScan},
        {"ToolButtonCPBlue", HasScan},
        {"ToolButtonCPGreen", HasScan},
        {"ToolButtonCPRed", HasScan},
        {"SpeedButton15", HasScan},
        {"SpeedButton16", HasScan},
        {"SpeedButton21", HasScan},
        {"SpeedButton22", HasScan},

        {"MenuEdit_RemoveDummy", PlainScan},
        {"ToolButton_RemoveDummies", PlainScan},
        {"MenuViewReset", PlainScan},
        {"MenuViewPerspective", PlainScan},
        {"MenuViewFront", PlainScan},
        {"MenuViewTop", PlainScan},
        {"MenuViewWireframe", PlainScan},
        {"MenuViewCrossHairs", PlainScan},
    };
    for (const char* Item : {"MenuEditRes0", "MenuEditRes1", "MenuEditRes2", "MenuEditRes3", "MenuEditRes4",
                             "ImageZoom50", "ImageZoom80", "ImageZoom100", "ImageZoom150", "ImageZoom200",
                             "ImageZoom400", "ImageZoom800", "ImageZoom1000", "ToolButtonReset",
                             "ToolButtonPerspective", "ToolButtonFront", "ToolButtonTop", "ToolButtonZoomIn",
                             "ToolButtonZoomOut", "ToolButtonStretchIn", "ToolButtonStretchOut",
                             "ToolButtonWireframe", "ToolButtonRes0", "ToolButtonRes1", "ToolButtonRes2",
                             "ToolButtonRes3", "ToolButtonRes4", "ComboBoxZoom", "SpeedButton1", "SpeedButton2",
                             "SpeedButton3", "SpeedButton4", "SpeedButton5", "SpeedButton6", "SpeedButton7",
                             "SpeedButton8", "SpeedButton9", "SpeedButton10", "SpeedButton11", "SpeedButton12",
                             "SpeedButton13", "SpeedButton14", "SpeedButton17", "SpeedButton18"})
        R.push_back({Item, PlainScan});

    R.push_back({"MenuEdit_FEChart", ChartFile});
    R.push_back({"ToolButton_FEChart", ChartFile});
    R.push_back({"ToolButtonLineDown", DepthControls});
    R.push_back({"ToolButtonLineUp", DepthControls});
    R.push_back({"ComboBoxSoil", DepthControls});
    R.push_back({"ToolButtonUndo", Edited});
    return R;
}

} // namespace

const std::vector<TMenuStateRule>& MenuStateRules()
{
    static const std::vector<TMenuStateRule> Rules = MakeRules();
    return Rules;
}

bool MenuConditionHolds(TMenuCondition Condition, const TMenuStateInput& Input)
{
    const bool Plain = Input.HasRenderer && Input.ScanMode == 0;
    switch (Condition) {
    case Always: return true;
    case Never: return false;
    case HasScan: return Input.HasScan;
    case PlainScan: return Plain && Input.HasScan;
    case ChartFile: return Input.FileContent == 1;
    case DepthControls: return Input.DepthControlsEnabled && Input.HasScan && Plain;
    case Restorable: return Input.HasScan && Input.HasSnapshot;
    case Edited: return Input.Edited && Input.HasSnapshot;
    }
    return false;
}

std::vector<TElementState> ComputeMenuStates(const TMenuStateInput& Input)
{
    std::vector<TElementState> States;
    for (const TMenuStateRule& Rule : MenuStateRules())
        States.push_back({Rule.Element, MenuConditionHolds(Rule.Condition, Input)});
    return States;
}
