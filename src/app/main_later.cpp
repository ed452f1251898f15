// The commands of the main window that later units fill in. Each body here is one line marked
// "later:" with the area it belongs to; a unit that implements a handler deletes its line here
// and defines the handler in its own file (main_open.cpp, main_paint.cpp, main_navigation.cpp,
// main_commands.cpp, main_export.cpp, main_import.cpp, main_new.cpp, ...).
#include "app/main.h"

// The new-scan command
void TMainForm::MenuFileNewClick(TObject*) {}  // later: the new-scan command
void TMainForm::TimerCancelTimer(TObject*) {}  // later: the new-scan command

// Opening a scan

// Paint timer, split screen and data-grid view

// View navigation

// Edit and display commands
void TMainForm::MenuEditInterpolateClick(TObject*) {}  // later: edit and display commands
void TMainForm::MenuEditCorrectFaultSignalClick(TObject*) {}  // later: edit and display commands
void TMainForm::MenuEditResetClick(TObject*) {}  // later: edit and display commands
void TMainForm::ToolButton2XClick(TObject*) {}  // later: edit and display commands
void TMainForm::MenuEditRes0Click(TObject*) {}  // later: edit and display commands
void TMainForm::MenuEditRes1Click(TObject*) {}  // later: edit and display commands
void TMainForm::MenuEditRes2Click(TObject*) {}  // later: edit and display commands
void TMainForm::MenuEditRes3Click(TObject*) {}  // later: edit and display commands
void TMainForm::MenuEditRes4Click(TObject*) {}  // later: edit and display commands
void TMainForm::MenuViewWireframeClick(TObject*) {}  // later: edit and display commands
void TMainForm::MenuViewCrossHairsClick(TObject*) {}  // later: edit and display commands
void TMainForm::ComboBoxSoilChange(TObject*) {}  // later: edit and display commands
void TMainForm::ComboBoxSoilKeyDown(TObject*, uint16_t&, TShiftState) {}  // later: edit and display commands
void TMainForm::ComboBoxSoilKeyPress(TObject*, char16_t&) {}  // later: edit and display commands
void TMainForm::ComboBoxSoilKeyUp(TObject*, uint16_t&, TShiftState) {}  // later: edit and display commands
void TMainForm::ToolButtonCPBlueClick(TObject*) {}  // later: edit and display commands
void TMainForm::ToolButtonCPGreenClick(TObject*) {}  // later: edit and display commands
void TMainForm::ToolButtonCPRedClick(TObject*) {}  // later: edit and display commands

// Device import
void TMainForm::ImportFromDevice(uint8_t, const std::u16string&) {}  // later: device import
void TMainForm::FileImportOsprinClick(TObject*) {}  // later: device import
void TMainForm::FileImportHalvorClick(TObject*) {}  // later: device import
void TMainForm::FileImportPellamClick(TObject*) {}  // later: device import
void TMainForm::Qorr411Click(TObject*) {}  // later: device import
void TMainForm::Qorr311Click(TObject*) {}  // later: device import
void TMainForm::Tarnwell1Click(TObject*) {}  // later: device import
void TMainForm::KXStavro1Click(TObject*) {}  // later: device import

// Export, print, help, chart and window commands
void TMainForm::MenuFileExportClick(TObject*) {}  // later: export, print, help, chart and window commands
void TMainForm::ChangeImageExtension(TObject*) {}  // later: export, print, help, chart and window commands
void TMainForm::MenuFilePrintClick(TObject*) {}  // later: export, print, help, chart and window commands
void TMainForm::MenuHelpContentsClick(TObject*) {}  // later: export, print, help, chart and window commands
void TMainForm::MenuHelpWebsiteClick(TObject*) {}  // later: export, print, help, chart and window commands
void TMainForm::MenuFileExitClick(TObject*) {}  // later: export, print, help, chart and window commands
void TMainForm::FormClose(TObject*, TCloseAction&) {}  // later: export, print, help, chart and window commands
void TMainForm::StatusBarPanelDraw(TElStatusBar*, TElStatusPanel*, const TRect&) {}  // later: export, print, help, chart and window commands
void TMainForm::ComPortRxChar(TObject*, int32_t) {}  // later: export, print, help, chart and window commands

// Preferences dialog
void TMainForm::MenuFileConfigurationClick(TObject*) {}  // later: preferences dialog
