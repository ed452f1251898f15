#include "widgets/el/foundation/ElUxTheme.h"

#include "framework/WinText.h"

TElUxTheme& TElUxTheme::Instance()
{
    // Never destroyed: theme handles may be closed by windows that go during shutdown, after the
    // program's static objects; the system unloads the library with the process.
    static TElUxTheme* instance = new TElUxTheme();
    return *instance;
}

TElUxTheme::TElUxTheme() : library_(L"uxtheme.dll")
{
    open_ = library_.Function<std::remove_pointer_t<decltype(open_)>>("OpenThemeData");
    close_ = library_.Function<std::remove_pointer_t<decltype(close_)>>("CloseThemeData");
    background_ = library_.Function<std::remove_pointer_t<decltype(background_)>>("DrawThemeBackground");
    edge_ = library_.Function<std::remove_pointer_t<decltype(edge_)>>("DrawThemeEdge");
    contentRect_ = library_.Function<std::remove_pointer_t<decltype(contentRect_)>>("GetThemeBackgroundContentRect");
    partSize_ = library_.Function<std::remove_pointer_t<decltype(partSize_)>>("GetThemePartSize");
    partlyTransparent_ =
        library_.Function<std::remove_pointer_t<decltype(partlyTransparent_)>>("IsThemeBackgroundPartiallyTransparent");
    color_ = library_.Function<std::remove_pointer_t<decltype(color_)>>("GetThemeColor");
    int_ = library_.Function<std::remove_pointer_t<decltype(int_)>>("GetThemeInt");
    active_ = library_.Function<std::remove_pointer_t<decltype(active_)>>("IsThemeActive");
    loaded_ = open_ && close_ && background_ && edge_ && contentRect_ && partSize_ && partlyTransparent_;
}

bool TElUxTheme::IsThemeActive() const
{
    return Available() && (!active_ || active_());
}

HTHEME TElUxTheme::OpenThemeData(HWND Wnd, const std::u16string& ClassList) const
{
    if (!Available())
        return nullptr;
    return open_(Wnd, WideChars(ClassList));
}

void TElUxTheme::CloseThemeData(HTHEME Theme) const
{
    // Also while classic painting is forced: handles opened before stay ours to close.
    if (loaded_ && Theme)
        close_(Theme);
}

bool TElUxTheme::DrawThemeBackground(HTHEME Theme, HDC Dc, int Part, int State, const RECT& R, const RECT* Clip) const
{
    return loaded_ && Theme && SUCCEEDED(background_(Theme, Dc, Part, State, &R, Clip));
}

bool TElUxTheme::DrawThemeEdge(HTHEME Theme, HDC Dc, int Part, int State, const RECT& R, UINT Edge, UINT Flags,
                               RECT* Content) const
{
    return loaded_ && Theme && SUCCEEDED(edge_(Theme, Dc, Part, State, &R, Edge, Flags, Content));
}

bool TElUxTheme::GetThemeBackgroundContentRect(HTHEME Theme, HDC Dc, int Part, int State, const RECT& Bounds,
                                               RECT& Content) const
{
    RECT r{};
    if (!loaded_ || !Theme || FAILED(contentRect_(Theme, Dc, Part, State, &Bounds, &r)))
        return false;
    Content = r;
    return true;
}

bool TElUxTheme::GetThemePartSize(HTHEME Theme, HDC Dc, int Part, int State, const RECT* R, THEMESIZE Kind,
                                  SIZE& Size) const
{
    SIZE s{};
    if (!loaded_ || !Theme || FAILED(partSize_(Theme, Dc, Part, State, const_cast<RECT*>(R), Kind, &s)))
        return false;
    Size = s;
    return true;
}

bool TElUxTheme::IsThemeBackgroundPartiallyTransparent(HTHEME Theme, int Part, int State) const
{
    return loaded_ && Theme && partlyTransparent_(Theme, Part, State);
}

bool TElUxTheme::GetThemeColor(HTHEME Theme, int Part, int State, int Property, COLORREF& Color) const
{
    // A failed call leaves the colour alone: an unset COLORREF would read as black.
    COLORREF c = 0;
    if (!loaded_ || !Theme || !color_ || FAILED(color_(Theme, Part, State, Property, &c)))
        return false;
    Color = c;
    return true;
}

bool TElUxTheme::GetThemeInt(HTHEME Theme, int Part, int State, int Property, int& Value) const
{
    int v = 0;
    if (!loaded_ || !Theme || !int_ || FAILED(int_(Theme, Part, State, Property, &v)))
        return false;
    Value = v;
    return true;
}

bool GetThemedPartSize(const std::u16string& ClassList, HDC Dc, int Part, int State, SIZE& Size)
{
    const TElThemeHandle theme(nullptr, ClassList);
    return theme && ElUxTheme().GetThemePartSize(theme.Get(), Dc, Part, State, nullptr, TS_TRUE, Size);
}

bool DrawThemedPartBackground(const std::u16string& ClassList, HDC Dc, int Part, int State, const TRect& R)
{
    const TElThemeHandle theme(nullptr, ClassList);
    const RECT r{R.Left, R.Top, R.Right, R.Bottom};
    return theme && ElUxTheme().DrawThemeBackground(theme.Get(), Dc, Part, State, r);
}
