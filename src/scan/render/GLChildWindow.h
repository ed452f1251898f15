// A child window that covers the drawing area of a parent window and carries an OpenGL
// rendering context. The parent keeps its own controls (menus, bars, panels) as siblings that
// the context never paints over; mouse input passes through to the parent, whose handlers
// work in its own client coordinates.
#pragma once

#include <windows.h>

class TGLChildWindow {
public:
    // Creates the child over the whole client area of Parent. Throws nothing; Handle() is
    // null when the window could not be created.
    explicit TGLChildWindow(HWND Parent);
    ~TGLChildWindow();
    TGLChildWindow(const TGLChildWindow&) = delete;
    TGLChildWindow& operator=(const TGLChildWindow&) = delete;

    HWND Handle() const { return handle_; }
    HWND Parent() const { return parent_; }

    // Moves the child to a rectangle of the parent's client area (top-left origin).
    void SetBounds(int Left, int Top, int Width, int Height);

    // The child's bottom-left corner measured from the bottom-left of the parent's client
    // area: what OpenGL window coordinates of the parent must be shifted by.
    POINT BottomLeftOffset() const;

    // When Wnd is a drawing window of this kind, its BottomLeftOffset; false for any other.
    static bool OffsetOf(HWND Wnd, POINT& Offset);

private:
    HWND parent_ = nullptr;
    HWND handle_ = nullptr;
};
