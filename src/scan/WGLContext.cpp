#include "scan/WGLContext.h"

void ReleaseWGLContext(HGLRC& RC, HWND Window, HDC& DC)
{
    if (RC) {
        if (wglGetCurrentContext() == RC)
            wglMakeCurrent(nullptr, nullptr);
        wglDeleteContext(RC);
        RC = nullptr;
    }
    if (DC) {
        ReleaseDC(Window, DC);
        DC = nullptr;
    }
}
