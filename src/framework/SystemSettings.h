// The system's answers for the portable helpers: the user's locale conventions and the
// special folders (installed by TApplication::Initialize).
#pragma once

// Fills FormatSettings() from the user's locale.
void LoadLocaleFormatSettings();
// Replaces the folder seam's defaults with the shell's special folders and the module path.
void InstallSystemFolderSeam();
