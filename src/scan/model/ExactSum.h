// An exact sum of Singles: the result does not depend on the order of the additions, and a
// value subtracted again leaves no trace. The statistics of a scan use it, so that a sum kept
// up to date point by point equals the sum taken afresh over the grid.
#pragma once

#include <cstdint>
#include <cstring>

// A Single split for exact summing: its value is Mantissa x 2^(Shift - 149), negated when
// Negative. Normal values carry the hidden bit and stand one place above the subnormals, which
// share Shift 0 with the smallest normal exponent. False for infinities and NaN.
struct TSingleParts {
    uint32_t Mantissa;
    unsigned Shift;
    bool Negative;
};

inline bool SplitSingle(float Value, TSingleParts& Parts)
{
    uint32_t bits;
    std::memcpy(&bits, &Value, sizeof bits);
    const uint32_t exponent = (bits >> 23) & 0xFF;
    if (exponent == 0xFF) return false;
    Parts.Mantissa = (bits & 0x7FFFFF) | (exponent != 0 ? 0x800000 : 0);
    Parts.Shift = exponent != 0 ? exponent - 1 : 0;
    Parts.Negative = (bits >> 31) != 0;
    return true;
}

class TExactSum {
public:
    // Finite values only; infinities and NaN are ignored.
    void Add(float Value) { Accumulate(Value, false); }
    void Subtract(float Value) { Accumulate(Value, true); }
    // The sum, rounded to a Double.
    double Value() const;

    // Adds Magnitude x 2^(Shift - 149) (Shift at most 253), negated when Negative.
    void AddScaled(uint64_t Magnitude, unsigned Shift, bool Negative);

private:
    void Accumulate(float Value, bool Negate);

    // Two's-complement fixed point in units of the smallest Single (2^-149): every finite
    // Single fits in 277 bits, and 320 bits leave room for 2^32 of them.
    static constexpr int Limbs = 5;
    uint64_t limb_[Limbs] = {};
};

// The same exact sum for long runs of additions: each costs one integer addition into the
// bin of the value's binary exponent, and the bins are carried into a TExactSum only when
// the sum is read. Takes at most 2^39 values.
class TExactSumBins {
public:
    // Finite values only; infinities and NaN are ignored.
    void Add(float Value) { Put(Value, false); }
    void Subtract(float Value) { Put(Value, true); }
    // The sum, rounded to a Double, as TExactSum gives it.
    double Value() const;

private:
    void Put(float Value, bool Negate)
    {
        TSingleParts parts;
        if (!SplitSingle(Value, parts)) return;
        const int64_t mantissa = parts.Mantissa;
        bin_[parts.Shift] += parts.Negative != Negate ? -mantissa : mantissa;
    }

    static constexpr int Bins = 254;
    int64_t bin_[Bins] = {};
};
