// The input method editor of a window, through imm32 bound at run time: without imm32 (or for a
// window without an input context) every call answers "nothing" and typing goes on through the
// ordinary character messages.
//
// A text control places the composition window at its caret and sets its font when a
// composition starts (WM_IME_STARTCOMPOSITION), and takes the finished text from
// WM_IME_COMPOSITION with ImeResultString.
#pragma once

#include "framework/Messages.h"
#include "framework/Types.h"

#include <windows.h>

#include <optional>
#include <string>

// Whether imm32 and the functions used here could be bound.
bool ImeLibraryAvailable();

// The input context of a window, held for the scope's life.
class TImeContext {
public:
    explicit TImeContext(HWND Window);
    ~TImeContext();
    TImeContext(const TImeContext&) = delete;
    TImeContext& operator=(const TImeContext&) = delete;

    // imm32 is there and the window has an input context.
    bool Available() const { return context_ != nullptr; }

    // The finished text of the composition (GCS_RESULTSTR) and the text being composed (GCS_COMPSTR).
    std::u16string ResultString() const;
    std::u16string CompositionString() const;

    // Places the composition window at Pos (client coordinates of the window) inside Area
    // (CFS_RECT), or at Pos alone (CFS_POINT). False without a context or when refused.
    bool SetCompositionWindow(TRect Area, TPoint Pos);
    bool SetCompositionWindow(TPoint Pos);
    // The composition window's style (CFS_*), place and area as the context holds them.
    struct TCompositionWindow {
        DWORD Style = 0;
        TPoint Pos;
        TRect Area;
    };
    std::optional<TCompositionWindow> CompositionWindow() const;
    // The font the composition is shown in.
    bool SetCompositionFont(const LOGFONTW& Font);

private:
    std::u16string CompositionText(DWORD Which) const;

    HWND window_;
    void* context_ = nullptr;
};

// The finished text a WM_IME_COMPOSITION message brings: only when its LParam says a result
// string is there (GCS_RESULTSTR); nothing for other messages or without a result.
std::optional<std::u16string> ImeResultString(HWND Window, const TMessage& Message);
