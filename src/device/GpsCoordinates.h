// GPS positions: the NMEA angle form ddmm.mmmm (degrees times 100 plus minutes) and decimal
// degrees, both held as Single, and the texts of latitude and longitude.
#pragma once

#include "framework/FormatSettings.h"

#include <string>

// Int(X / 100) + Frac(X / 100) * 100 / 60 (Int and Frac keep the sign).
float NMEAToDegrees(float X);
// Int(X) * 100 + Frac(X) * 60.
float DegreesToNMEA(float X);

// Degrees with at least two digits, the degree sign (byte 0xB0 of the code page) and a blank,
// the minutes with four decimals (the decimal separator of Settings) and at least two whole
// digits, a double quote, a blank, and N for X >= 0, else S: 47.9 gives 47° 54.0000" N.
// The minutes are rounded before anything is printed, so they never show as 60: a position a
// hair below a whole degree prints as that degree. A position that is not a finite number
// gives an empty text.
std::string LatitudeToStr(float X, const TFormatSettings& Settings = FormatSettings());
// As LatitudeToStr with at least three digits of degrees, and E or W: 8.25 gives 008° 15.0000" E.
std::string LongitudeToStr(float X, const TFormatSettings& Settings = FormatSettings());
