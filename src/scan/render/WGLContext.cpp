#include "scan/render/WGLContext.h"

#include "framework/DynamicLibrary.h"

#include <GL/gl.h>

#include "framework/ScopedGdi.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

constexpr wchar_t kDrawableClass[] = L"L3DGLOffscreenDrawable";

bool RunningUnderWine()
{
    static const bool wine = TDynamicLibrary(L"ntdll.dll").Address("wine_get_version") != nullptr;
    return wine;
}

bool IsHiddenDrawable(HWND Window)
{
    wchar_t name[64] = {};
    return Window && GetClassNameW(Window, name, 64) && lstrcmpW(name, kDrawableClass) == 0;
}

void RegisterDrawableClass()
{
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (GetClassInfoExW(GetModuleHandleW(nullptr), kDrawableClass, &wc))
        return;
    wc.cbSize = sizeof(wc);
    wc.style = CS_OWNDC;
    wc.lpfnWndProc = DefWindowProcW;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kDrawableClass;
    RegisterClassExW(&wc);
}

}  // namespace

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
    if (IsHiddenDrawable(Window))
        DestroyWindow(Window);
}

HWND CreateGLDrawable(HWND Visible)
{
    const bool child = Visible && (GetWindowLongW(Visible, GWL_STYLE) & WS_CHILD);
    if (!child || !RunningUnderWine())
        return Visible;
    RegisterDrawableClass();
    RECT client{};
    GetClientRect(Visible, &client);
    return CreateWindowExW(0, kDrawableClass, L"", WS_CHILD | WS_DISABLED, 0, 0, client.right, client.bottom,
                           Visible, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void FitGLDrawable(HWND Visible)
{
    const HWND drawable = Visible ? FindWindowExW(Visible, nullptr, kDrawableClass, nullptr) : nullptr;
    if (!drawable)
        return;
    RECT client{};
    GetClientRect(Visible, &client);
    SetWindowPos(drawable, nullptr, 0, 0, client.right, client.bottom, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

HWND VisibleWindowOf(HWND Drawable) { return IsHiddenDrawable(Drawable) ? GetParent(Drawable) : Drawable; }

void PresentGLFrame(HDC DrawableDC)
{
    const HWND drawable = WindowFromDC(DrawableDC);
    const HWND visible = VisibleWindowOf(drawable);
    if (visible && visible != drawable) {
        RECT client{}, surface{};
        GetClientRect(visible, &client);
        GetClientRect(drawable, &surface);
        const int width = std::min(client.right, surface.right);
        const int height = std::min(client.bottom, surface.bottom);
        if (width > 0 && height > 0) {
            // Read before the swap leaves the back buffer undefined. OpenGL's rows run bottom
            // up, as those of a DIB with a positive height do.
            std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
            constexpr GLenum kBgra = 0x80E1;  // GL_BGRA_EXT: the byte order of a 32-bit DIB
            glPixelStorei(GL_PACK_ALIGNMENT, 4);
            glReadBuffer(GL_BACK);
            glReadPixels(0, 0, width, height, kBgra, GL_UNSIGNED_BYTE, pixels.data());

            BITMAPINFO info{};
            info.bmiHeader.biSize = sizeof(info.bmiHeader);
            info.bmiHeader.biWidth = width;
            info.bmiHeader.biHeight = height;
            info.bmiHeader.biPlanes = 1;
            info.bmiHeader.biBitCount = 32;
            info.bmiHeader.biCompression = BI_RGB;
            const TWindowDC shown(visible);
            SetDIBitsToDevice(shown.Handle(), 0, 0, width, height, 0, 0, 0, height, pixels.data(), &info,
                              DIB_RGB_COLORS);
        }
    }
    SwapBuffers(DrawableDC);
}
