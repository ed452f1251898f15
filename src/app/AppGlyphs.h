// The pictures of the main window: the glyphs of its menus and tool buttons (one image list, in
// the order of TToolGlyph), the three palette buttons, the navigator's buttons and the program's
// icon. All are drawn here by code on a small pixel canvas; nothing is loaded from files.
// Pixels are 0xAARRGGBB with straight alpha, top row first.
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

TGlyphPicture DrawToolGlyph(TToolGlyph Glyph);
TGlyphPicture DrawPaletteGlyph(TPaletteGlyph Glyph);
TGlyphPicture DrawNavigatorGlyph(TNavigatorGlyph Glyph);
// The program's icon: a banded scan surface, Size x Size pixels.
TGlyphPicture DrawProgramIcon(int Size);
// The splash screen's logo (the same surface, wider) and its soft background.
TGlyphPicture DrawSplashLogo(int Width, int Height);
TGlyphPicture DrawSplashBackground(int Width, int Height);

// The picture laid on an opaque key colour (0x00RRGGBB) for controls that take a bitmap whose
// bottom-left pixel marks what is transparent: pixels at least half opaque are kept opaque.
std::vector<uint32_t> OnKeyColour(const TGlyphPicture& Picture, uint32_t Key);
