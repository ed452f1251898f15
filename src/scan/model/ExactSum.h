// An exact sum of Singles: the result does not depend on the order of the additions, and a
// value subtracted again leaves no trace. The statistics of a scan use it, so that a sum kept
// up to date point by point equals the sum taken afresh over the grid.
#pragma once

#include <cstdint>

class TExactSum {
public:
    // Finite values only; infinities and NaN are ignored.
    void Add(float Value) { Accumulate(Value, false); }
    void Subtract(float Value) { Accumulate(Value, true); }
    // The sum, rounded to a Double.
    double Value() const;

private:
    void Accumulate(float Value, bool Negate);

    // Two's-complement fixed point in units of the smallest Single (2^-149): every finite
    // Single fits in 277 bits, and 320 bits leave room for 2^32 of them.
    static constexpr int Limbs = 5;
    uint64_t limb_[Limbs] = {};
};
