// The pictures of the main window: the glyphs of its menus and tool buttons (one image list, in
// the order of TToolGlyph), the three palette buttons, the navigator's buttons and the program's
// icon. The glyphs are pixel rows kept in the program (AppGlyphRows.cpp); the icon and the
// splash screen's pictures, whose size the system chooses, are drawn. Nothing is loaded from
// files. Pixels are 0xAARRGGBB with straight alpha, top row first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct TGlyphPicture {
    int Width = 0;
    int Height = 0;
    std::vector<uint32_t> Pixels;
    uint32_t At(int X, int Y) const { return Pixels[static_cast<size_t>(Y) * Width + X]; }
};

constexpr int ToolGlyphSize = 16;

// The image list of the main menu and the tool bars. New is image 2 and the serial-port marks
// of the status bar are images 6 (closed) and 7 (open): other code refers to these numbers.
enum class TToolGlyph : uint8_t {
    Open, Save, New, Print, Export, Help, PortClosed, PortOpen,
    Undo, Interpolate, FaultSignal, RemoveDummies, Chart, InfoWindow,
    Resolution1, Resolution2, Resolution3, Resolution4, Resolution5,
    Wireframe, LineUp, LineDown, ZoomIn, ZoomOut, StretchIn, StretchOut,
    ViewReset, Perspective, Front, Top, Remarks, Preferences, Import, Exit,
    SplitScreen, Fullscreen, CrossHairs,
    Count
};
constexpr int ToolGlyphIndex(TToolGlyph Glyph) { return static_cast<int>(Glyph); }

// The palette buttons (their own image list): the blue, green and red colour bands.
enum class TPaletteGlyph : uint8_t { Blue, Green, Red, Count };

// The navigator's buttons that have no tool-bar twin.
enum class TNavigatorGlyph : uint8_t {
    TurnLeft, TurnRight,               // a turn about an axis, the axis named by the caption
    MoveLeft, MoveRight, MoveUp, MoveDown,
    UpperLimitUp, UpperLimitDown, LowerLimitUp, LowerLimitDown,
    Count
};

// One glyph of any of the three sets, or none.
struct TGlyph {
    enum class TSet : uint8_t { None, Tool, Palette, Navigator };
    TSet Set = TSet::None;
    uint8_t Index = 0;

    constexpr TGlyph() = default;
    constexpr TGlyph(TToolGlyph Glyph) : Set(TSet::Tool), Index(static_cast<uint8_t>(Glyph)) {}
    constexpr TGlyph(TPaletteGlyph Glyph) : Set(TSet::Palette), Index(static_cast<uint8_t>(Glyph)) {}
    constexpr TGlyph(TNavigatorGlyph Glyph) : Set(TSet::Navigator), Index(static_cast<uint8_t>(Glyph)) {}
};

// The glyph's image in the list of the menus and the tool bars; -1 for one that is not there.
constexpr int ImageListIndex(TGlyph Glyph)
{
    return Glyph.Set == TGlyph::TSet::Tool ? Glyph.Index : -1;
}

// A glyph's picture, ToolGlyphSize pixels square (empty for none).
TGlyphPicture GlyphPicture(TGlyph Glyph);
// The program's icon: a banded scan surface, Size x Size pixels.
TGlyphPicture DrawProgramIcon(int Size);
// The splash screen's logo (the same surface, wider) and its soft background.
TGlyphPicture DrawSplashLogo(int Width, int Height);
TGlyphPicture DrawSplashBackground(int Width, int Height);

// The picture laid on an opaque key colour (0x00RRGGBB) for controls that take a bitmap whose
// bottom-left pixel marks what is transparent: pixels at least half opaque are kept opaque.
std::vector<uint32_t> OnKeyColour(const TGlyphPicture& Picture, uint32_t Key);
