// Lengths shown to the user. A length is kept in metres; the chosen measuring unit shows it as
// metres divided by the unit's factor, followed by a blank and the unit's suffix, and a length
// the user types is the number times the factor. A factor that is 0, negative or not finite
// counts as 1, so that nothing ever divides by zero.
#pragma once

#include <string>
#include <vector>

struct TMeasureUnit;

double UnitFactor(const TMeasureUnit& Unit);
double ShownLength(double Metres, const TMeasureUnit& Unit);
double StoredLength(double Shown, const TMeasureUnit& Unit);

// The shown length in the program's number form and the unit: "1,234.50 ft".
std::u16string LengthText(double Metres, const TMeasureUnit& Unit);

// The unit at Index, or null when the table does not hold it.
const TMeasureUnit* MeasureUnitAt(const std::vector<TMeasureUnit>& Units, size_t Index);
// The unit the settings choose from the global table, or null.
const TMeasureUnit* ChosenMeasureUnit();
