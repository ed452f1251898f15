// The system's visual-styles library, bound at run time. Where it is missing (or lacks one of
// the functions the controls need) every control paints classically; that is a normal state.
//
// Visual styles count as available when the library and its core functions could be bound
// (decided once, on first use) and classic painting is not forced. The library stays loaded for
// the rest of the process, so that a theme handle closed late (a window destroyed during
// shutdown) never calls into an unloaded library.
//
// Every wrapper is safe to call when the library is missing: it reports failure (false or a
// null theme) and leaves its out-parameters alone.
#pragma once

#include "framework/DynamicLibrary.h"
#include "framework/Types.h"

#include <windows.h>
#include <uxtheme.h>

#include <string>

class TElUxTheme {
public:
    // The process-wide binding.
    static TElUxTheme& Instance();

    // The library and its core functions are there (whatever the switch below says).
    bool Loaded() const { return loaded_; }
    // Loaded, and classic painting not forced: controls open themes only then.
    bool Available() const { return loaded_ && !forceClassic_; }
    // Forces classic painting: Available() turns false and OpenThemeData gives null. Handles
    // already open stay valid until closed; controls pick the change up when they (re)open their
    // themes (WM_THEMECHANGED, a new window).
    void SetForceClassic(bool Value) { forceClassic_ = Value; }
    bool ForceClassic() const { return forceClassic_; }

    // Whether the user has visual styles switched on; false when unavailable.
    bool IsThemeActive() const;
    // The theme of the class list for Wnd (which may be null); null when unavailable.
    HTHEME OpenThemeData(HWND Wnd, const std::u16string& ClassList) const;
    void CloseThemeData(HTHEME Theme) const;
    bool DrawThemeBackground(HTHEME Theme, HDC Dc, int Part, int State, const RECT& R, const RECT* Clip = nullptr) const;
    // Content receives the rectangle inside the edge when BF_ADJUST is in Flags.
    bool DrawThemeEdge(HTHEME Theme, HDC Dc, int Part, int State, const RECT& R, UINT Edge, UINT Flags,
                       RECT* Content = nullptr) const;
    bool GetThemeBackgroundContentRect(HTHEME Theme, HDC Dc, int Part, int State, const RECT& Bounds,
                                       RECT& Content) const;
    bool GetThemePartSize(HTHEME Theme, HDC Dc, int Part, int State, const RECT* R, THEMESIZE Kind, SIZE& Size) const;
    bool IsThemeBackgroundPartiallyTransparent(HTHEME Theme, int Part, int State) const;
    bool GetThemeColor(HTHEME Theme, int Part, int State, int Property, COLORREF& Color) const;
    bool GetThemeInt(HTHEME Theme, int Part, int State, int Property, int& Value) const;

private:
    TElUxTheme();
    TElUxTheme(const TElUxTheme&) = delete;
    TElUxTheme& operator=(const TElUxTheme&) = delete;

    TDynamicLibrary library_;
    decltype(&::OpenThemeData) open_ = nullptr;
    decltype(&::CloseThemeData) close_ = nullptr;
    decltype(&::DrawThemeBackground) background_ = nullptr;
    decltype(&::DrawThemeEdge) edge_ = nullptr;
    decltype(&::GetThemeBackgroundContentRect) contentRect_ = nullptr;
    decltype(&::GetThemePartSize) partSize_ = nullptr;
    decltype(&::IsThemeBackgroundPartiallyTransparent) partlyTransparent_ = nullptr;
    // Optional: the controls manage without them.
    decltype(&::GetThemeColor) color_ = nullptr;
    decltype(&::GetThemeInt) int_ = nullptr;
    decltype(&::IsThemeActive) active_ = nullptr;
    bool loaded_ = false;
    bool forceClassic_ = false;
};

inline TElUxTheme& ElUxTheme()
{
    return TElUxTheme::Instance();
}

// True when visual styles are available (see TElUxTheme::Available).
inline bool ThemesAvailable()
{
    return ElUxTheme().Available();
}

// An owned theme handle, closed when it goes or is replaced; empty when the theme could not be
// opened.
class TElThemeHandle {
public:
    TElThemeHandle() = default;
    TElThemeHandle(HWND Wnd, const std::u16string& ClassList) : theme_(ElUxTheme().OpenThemeData(Wnd, ClassList)) {}
    ~TElThemeHandle() { Reset(); }
    TElThemeHandle(const TElThemeHandle&) = delete;
    TElThemeHandle& operator=(const TElThemeHandle&) = delete;

    HTHEME Get() const { return theme_; }
    explicit operator bool() const { return theme_ != nullptr; }
    void Open(HWND Wnd, const std::u16string& ClassList)
    {
        Reset();
        theme_ = ElUxTheme().OpenThemeData(Wnd, ClassList);
    }
    void Reset()
    {
        if (theme_)
            ElUxTheme().CloseThemeData(theme_);
        theme_ = nullptr;
    }

private:
    HTHEME theme_ = nullptr;
};

// For painters without a themed window at hand: open the class's theme without a window, ask
// it once, close it again. False when the theme cannot be opened or the call fails.
bool GetThemedPartSize(const std::u16string& ClassList, HDC Dc, int Part, int State, SIZE& Size);
bool DrawThemedPartBackground(const std::u16string& ClassList, HDC Dc, int Part, int State, const TRect& R);
