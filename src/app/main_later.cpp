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
