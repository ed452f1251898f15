// TCaret: the system caret of one window, owned by a scope. A text control makes one when it
// gets the focus and lets it go when it loses it (or when the control goes), so that no caret
// is left behind in a window that no longer has the focus.
//
// The system has one caret per thread. The destructor destroys it only while it still belongs
// to this caret's window, so a caret that another window has taken over in the meantime stays.
#pragma once

#include "framework/Types.h"

#include <windows.h>

class TCaret {
public:
    // Creates a hidden solid caret of Width x Height pixels in Owner (which should have the
    // focus). Created() tells whether the system made it.
    TCaret(HWND Owner, int Width, int Height);
    ~TCaret();
    TCaret(const TCaret&) = delete;
    TCaret& operator=(const TCaret&) = delete;

    bool Created() const { return created_; }
    HWND Owner() const { return owner_; }

    // Show and hide are counted by the system; these keep one level, however often called.
    void Show();
    void Hide();
    bool Visible() const { return visible_; }

    // The caret's top-left corner in the owner's client coordinates.
    void SetPos(TPoint P);
    TPoint Pos() const;

    // Whether the thread's caret currently belongs to this object's window.
    bool Owned() const;

private:
    HWND owner_ = nullptr;
    bool created_ = false;
    bool visible_ = false;
    TPoint pos_;
};
