// The number rules of the float spin edit: the text it shows for a value, a step up or down
// within its limits, and a typed value brought within them. Portable.
#pragma once

#include <string>

// Value with Digits decimals (0 to 15) and the locale's decimal separator, no thousands
// separators, so that the framework's text-to-float conversion reads it back.
std::u16string FloatSpinText(double Value, int Digits);

// Value kept between MinValue and MaxValue; with MaxValue not above MinValue there are no
// limits.
double LimitFloatValue(double Value, double MinValue, double MaxValue);

// Value moved by Delta and kept within the limits. A value that is not a number steps from
// MinValue.
double StepFloatValue(double Value, double Delta, double MinValue, double MaxValue);
