// Integer and rounding helpers with the semantics the program's geometry relies on.
#pragma once

#include <cstdint>

// The system MulDiv, portable (the name differs so that it never clashes with the system's):
// (Number * Numerator) / Denominator with a 64-bit intermediate, rounded half away from
// zero; -1 when Denominator is 0 or the result does not fit 32 bits (the system's rule).
int32_t PortableMulDiv(int32_t Number, int32_t Numerator, int32_t Denominator);

// Rounds half to even (1.5 -> 2, 2.5 -> 2), as the framework's Round does.
int64_t Round(double Value);
// Drops the fraction (towards zero).
int64_t Trunc(double Value);
