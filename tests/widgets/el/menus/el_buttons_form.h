// The test form of the button tests: every kind of button, the tool bar with its image list,
// panels, check boxes, radio buttons and a label, placed as the program's windows use them
// (resolution buttons in one group, palette and axis switches, an open button with a pull-down
// menu, navigator buttons with glyphs, a colour field).
#pragma once

#include "widgets/el/editing/ElLabel.h"
#include "widgets/el/menus/ElButtons.h"
#include "widgets/el/menus/ElButtonsGraphic.h"
#include "widgets/el/menus/ElCheckControls.h"
#include "widgets/el/menus/ElPanel.h"
#include "widgets/el/menus/ElToolBar.h"

#include "framework/Forms.h"
#include "framework/ImageList.h"

#include <array>
#include <memory>

// Glyph colours of the test pictures (as TColor).
constexpr TColor GlyphKey = RGBColor(255, 0, 255);  // transparent
constexpr TColor GlyphUp = RGBColor(0, 0, 255);
constexpr TColor GlyphDisabled = RGBColor(0, 160, 0);
constexpr TColor ImageRed = RGBColor(255, 0, 0);
constexpr TColor ImageGreen = RGBColor(0, 255, 0);

// Count side-by-side 16 x 16 images: a square of Colors[i] on the key colour, whose bottom-left
// pixel is the key.
std::unique_ptr<TBitmap> MakeGlyph(std::initializer_list<TColor> Colors);

struct TButtonsForm {
    TButtonsForm();
    ~TButtonsForm();

    TOwned<TForm> Form;
    TImageList* Images;
    TElToolBar* Bar;
    std::array<TElToolButton*, 5> Res{};      // group 1, one down
    std::array<TElToolButton*, 3> Palette{};  // switches
    TElToolButton* Open;                      // with a pull-down menu
    TElPanel* Navigator;
    TElGraphicButton* ZoomIn;                 // glyph, auto-repeat
    TElGraphicButton* Glyphs;                 // two glyph images
    TElGraphicButton* Captioned;              // glyph beside a caption
    TElGraphicButton* Money;                  // the flat look
    std::array<TElGraphicButton*, 3> Axis{};  // switches in the status area
    TElPanel* ColorField;
    TElGraphicButton* SeeThrough;             // transparent, on the colour field
    TElPanel* RadiosA;
    TElPanel* RadiosB;
    std::array<TElRadioButton*, 3> A{};
    std::array<TElRadioButton*, 2> B{};
    TElCheckBox* Check;
    TElLabel* Label;
    TElPopupButton* Push;
};

// Runs the application's loop until what was posted has been handled.
void Settle();
// Posts a left click (down and up) at a client point of the control's window, and pumps.
void ClickAt(TWinControl* Control, int X, int Y);
void Click(TWinControl* Control);
// The window's client pixel as TColor (0x00BBGGRR).
TColor PixelAt(TWinControl* Control, int X, int Y);
// A colour resolved to TColor form.
TColor Plain(TColor Color);
