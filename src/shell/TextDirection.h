// The reading direction of the active language applied to the program's controls.
#pragma once

#include <cstdint>

class TControl;
class TWinControl;

// 1 when the active language reads left to right, or when no language is active; else 0.
uint8_t ActiveTextDirection();

// Aligns an edit-type control by the reading direction (LeftToRight 1: left to right, anything
// else: right to left). A popup button puts its glyph on the left (left to right) or on the
// right; an edit or a memo aligns its text to the left or the right and, when not left to
// right, takes right-to-left text (Home and End, Left and Right swapped) and reads right to
// left; a combo box aligns its text and its open list to the left or the right and reads right
// to left when not left to right. Any other control stays as it is.
void ApplyTextDirection(TControl* Control, uint8_t LeftToRight);

// ApplyTextDirection on every control whose parent is Parent.
void ApplyTextDirectionToChildren(TWinControl* Parent, uint8_t LeftToRight);
