// The shared routines that work on the widget layer's controls: the reading direction of an
// edit-type control and the list of serial ports in a combo box.
#pragma once

#include <cstdint>

class TControl;
class TElComboBox;

// Aligns a control for the reading direction (LeftToRight 1: left to right, else right to
// left): a popup button puts its glyph on the other side, a combo box aligns its text and its
// list and reads right to left. Other controls stay as they are.
void ApplyTextDirection(TControl* Control, uint8_t LeftToRight);

// Fills the combo box with the serial ports. From the system's serial-port map when it exists:
// its names are appended (the items are not cleared, the selection stays) and the result is
// true. Otherwise from the print spooler's port list: the items become its ports whose name
// begins with "COM" (whole names, "COM12" stays "COM12"), item 0 is selected, and the result is
// true; false when the spooler gives no list.
bool ListComPorts(TElComboBox* ComboBox);
