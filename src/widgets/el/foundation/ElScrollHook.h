// Redirects the process's SetScrollInfo, SetScrollRange and SetScrollPos so that a window
// learns of every change to its standard scroll bars, whoever makes it.
//
// Each redirected call sends ScrollNotifyMessage to the target window twice:
//   before the change: wParam 1, lParam = &cells[0] of a TScrollNotifyBlock (cells[0] is 0);
//     a window that draws its bars itself stores a non-zero value R in cells[0] and returns R;
//     the real function is then called with Redraw = FALSE;
//   after the change (only when cells[0] was answered): wParam 3, lParam = &cells[2], with
//     cells[2] = nBar, cells[3] = SCROLLINFO* describing the change, cells[4] = caller's Redraw.
// wParam 2 is left to the scroll-bar painters, which use it to ask a control to repaint its bars.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

// The block a replacement keeps on its stack while it notifies the window.
struct TScrollNotifyBlock {
    intptr_t cells[5];
};

enum : WPARAM {
    snBeforeChange = 1,
    snRepaintBars = 2,
    snAfterChange = 3,
};

// RegisterWindowMessageA("{7DDF4ADB-4A01-4F4B-83AA-8D91C21E99D2}"); registered on first use.
UINT ScrollNotifyMessage();

// Name of the per-process shared block ("HookApi:{GUID}:<pid>") and of its lock (+ ":Lock").
std::string ScrollHookMappingName();
std::string ScrollHookLockName();

// Patches the three functions once per process. True when the hook is in place (installed now
// or earlier, also by another copy of this code in the process). Any failure leaves the
// functions untouched and returns false.
bool InstallScrollHook();

// Puts the original first bytes of the three functions back and releases the shared block.
// Only the copy that patched the functions restores them.
void UninstallScrollHook();

// True while the three functions are redirected.
bool ScrollHookInstalled();
