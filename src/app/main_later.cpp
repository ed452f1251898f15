// The commands of the main window that later units fill in. Each body here is one line marked
// "later:" with the area it belongs to; a unit that implements a handler deletes its line here
// and defines the handler in its own file (main_open.cpp, main_paint.cpp, main_navigation.cpp,
// main_commands.cpp, main_export.cpp, main_import.cpp, main_new.cpp, ...).
#include "app/main.h"

// Opening a scan

// Paint timer, split screen and data-grid view

// View navigation

// Edit and display commands

// Export, print, help, chart and window commands
