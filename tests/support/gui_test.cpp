#include "support/gui_test.h"

#include <cstdlib>
#include <string>

namespace l3d::testing {

namespace {

std::wstring RegisterClassFor(WNDPROC proc, HBRUSH background, UINT classStyle)
{
    static int counter = 0;
    std::wstring name = L"L3DTestWindow" + std::to_wstring(++counter);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.style = classStyle;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = background;
    wc.lpszClassName = name.c_str();
    RegisterClassExW(&wc);
    return name;
}

}  // namespace

TestWindow::TestWindow(const wchar_t* title, int width, int height, WNDPROC proc, HBRUSH background,
                       HWND parent, DWORD style, UINT classStyle)
{
    const std::wstring cls = RegisterClassFor(proc, background, classStyle);
    if (style == 0)
        style = parent ? (WS_CHILD | WS_VISIBLE) : (WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    int x = 0, y = 0, w = width, h = height;
    if (!parent) {
        // Size the window so that its client area is exactly width x height.
        RECT r{0, 0, width, height};
        AdjustWindowRect(&r, style, FALSE);
        x = 20;
        y = 20;
        w = r.right - r.left;
        h = r.bottom - r.top;
    }
    handle_ = CreateWindowExW(0, cls.c_str(), title, style, x, y, w, h, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
    if (handle_ && !parent) {
        ShowWindow(handle_, SW_SHOWNORMAL);
        UpdateWindow(handle_);
    }
}

TestWindow::~TestWindow()
{
    if (handle_ && IsWindow(handle_))
        DestroyWindow(handle_);
}

namespace {

// The pixels of area from Source into a 32-bit top-down picture.
Pixels CopyPixels(HDC Source, RECT area)
{
    Pixels out;
    out.width = area.right - area.left;
    out.height = area.bottom - area.top;
    out.data.assign(static_cast<size_t>(out.width) * out.height, 0);

    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = out.width;
    bi.bmiHeader.biHeight = -out.height;  // top-down
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;

    HDC memDc = CreateCompatibleDC(Source);
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(Source, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memDc, dib);
    BitBlt(memDc, 0, 0, out.width, out.height, Source, area.left, area.top, SRCCOPY);
    GdiFlush();
    const auto* src = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < out.data.size(); ++i)
        out.data[i] = src[i] & 0x00FFFFFFu;
    SelectObject(memDc, old);
    DeleteObject(dib);
    DeleteDC(memDc);
    return out;
}

Pixels ReadPixels(HWND window, RECT area, bool nonClient)
{
    HDC windowDc = nonClient ? GetWindowDC(window) : GetDC(window);
    Pixels out = CopyPixels(windowDc, area);
    ReleaseDC(window, windowDc);
    return out;
}

}  // namespace

Pixels ReadClientPixels(HWND window, RECT area)
{
    return ReadPixels(window, area, false);
}

Pixels ReadWindowPixels(HWND window, RECT area)
{
    return ReadPixels(window, area, true);
}

Pixels ReadScreenPixels(RECT area)
{
    HDC screen = GetDC(nullptr);
    Pixels out = CopyPixels(screen, area);
    ReleaseDC(nullptr, screen);
    return out;
}

bool ColorNear(uint32_t a, uint32_t b, int tolerance)
{
    for (int shift = 0; shift <= 16; shift += 8) {
        const int ca = static_cast<int>((a >> shift) & 0xFF);
        const int cb = static_cast<int>((b >> shift) & 0xFF);
        if (std::abs(ca - cb) > tolerance)
            return false;
    }
    return true;
}

}  // namespace l3d::testing
