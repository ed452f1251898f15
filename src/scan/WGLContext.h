// The WGL steps that every OpenGL context of the program shares.
#pragma once

#include <windows.h>

// Deletes RC, first making no context current when RC is the current one, and then hands DC
// back to Window. Either may already be null; both are null afterwards. The order matters: a
// context must not outlive the device context it was made on.
void ReleaseWGLContext(HGLRC& RC, HWND Window, HDC& DC);
