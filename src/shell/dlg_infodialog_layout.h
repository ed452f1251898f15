// The program's message box without its window: the kinds, the button bits with their texts
// and results, the form's design positions, and how the form arranges itself for a reading
// direction and for the optional check box.
#pragma once

#include "scan/files/TextIdFwd.h"

#include "framework/Types.h"

#include <cstdint>
#include <vector>

// Kinds: the picture shown.
constexpr uint8_t idkError = 1, idkInformation = 2, idkConfirmation = 3;
// Button bits.
constexpr uint16_t idbYes = 1, idbNo = 2, idbOK = 4, idbCancel = 8;

struct TInfoDialogButton {
    uint16_t Bit;
    TTextId TextID;
    const char16_t* DefaultText;
    int32_t ModalResult;
};
// The buttons whose bits are set in Buttons, in the order OK, Yes, No, Cancel.
std::vector<TInfoDialogButton> InfoDialogButtons(uint16_t Buttons);

// Where the form's parts stand as designed (client coordinates).
struct TInfoDialogDesign {
    int32_t ClientWidth = 483;
    int32_t ClientHeight = 139;
    TRect Picture = Bounds(16, 16, 32, 32);      // each of the three pictures
    TRect Label = Bounds(64, 16, 403, 56);       // word-wrapped text, fixed size
    TRect TopArea = Bounds(0, 0, 483, 76);       // the bevel's line runs along its bottom
    int32_t ButtonTop = 84;                      // the button row
    int32_t ButtonWidth = 100;
    int32_t ButtonHeight = 33;
    TRect CheckBox = Bounds(16, 122, 451, 17);
    int32_t RightToLeftLabelGap = 10;            // between label and pictures, right to left
};

struct TInfoDialogLayout {
    TRect Picture;
    TRect Label;
    TRect CheckBox;
    int32_t ClientHeight = 0;
};

// Left to right the design positions stay and the label starts the design's margin right of
// the pictures; right to left the check box and the pictures move to the right edge (keeping
// the design's margins) and the label ends RightToLeftLabelGap pixels left of the pictures.
// The label keeps its top and size. The client ends at the check box's bottom when it is
// shown, else at its top. ClientWidth is the form's width now.
TInfoDialogLayout LayoutInfoDialog(const TInfoDialogDesign& Design, int32_t ClientWidth, bool RightToLeft,
                                   bool WithCheckBox);

// The left of a panel centred in the client: half the client width minus half the panel's
// width, each half rounded to the nearest integer (half to even).
int32_t CentredPanelLeft(int32_t ClientWidth, int32_t PanelWidth);
