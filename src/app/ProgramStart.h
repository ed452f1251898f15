// The program block: what runs from the entry point to the message loop, in pieces that the
// start-up tests run the same way.
#pragma once

// The program-wide services, once per process: the version flags, the themed hint window, the
// scroll-function hook, the setting-change hook of the application window, the registry
// backend of the ini store, the USB library, the message box for the file code's messages and
// the framework's messages in the active language.
void InstallProgramServices();

// The splash screen, the title "Lorvane 3D", the main window (whose creation runs the whole
// start-up) and the info and chart windows; the splash screen goes whatever happened; then
// the GPS wait window. True when the message loop may run. False when the start failed: an
// exception while the windows were made (shown in the standard error box), or no data-tables
// file; the windows made so far are freed then.
bool CreateProgramForms();

// Frees the program's windows that still exist, the last made first.
void FreeProgramForms();

// The whole program: the runtime's set-up, the services, the removal of the undo snapshots that
// no running program holds, the windows and the message loop.
// The process's exit code.
int RunProgram();
