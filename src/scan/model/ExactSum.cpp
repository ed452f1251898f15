#include "scan/model/ExactSum.h"

#include <cmath>

void TExactSum::Accumulate(float Value, bool Negate)
{
    TSingleParts parts;
    if (!SplitSingle(Value, parts) || parts.Mantissa == 0) return;
    AddScaled(parts.Mantissa, parts.Shift, parts.Negative != Negate);
}

void TExactSum::AddScaled(uint64_t Magnitude, unsigned Shift, bool Negative)
{
    const unsigned index = Shift / 64, offset = Shift % 64;
    uint64_t part[Limbs] = {};
    part[index] = Magnitude << offset;
    if (offset != 0 && index + 1 < Limbs) part[index + 1] = Magnitude >> (64 - offset);

    uint64_t carry = 0;
    for (int i = 0; i < Limbs; ++i) {
        if (!Negative) {
            const uint64_t a = limb_[i] + part[i];
            const uint64_t c1 = a < part[i];
            limb_[i] = a + carry;
            carry = c1 | (limb_[i] < a);
        } else {
            const uint64_t b = part[i] + carry;
            const uint64_t c1 = b < part[i];
            const uint64_t before = limb_[i];
            limb_[i] = before - b;
            carry = c1 | (before < b);
        }
    }
}

double TExactSum::Value() const
{
    uint64_t magnitude[Limbs];
    const bool negative = (limb_[Limbs - 1] >> 63) != 0;
    uint64_t carry = 1;
    for (int i = 0; i < Limbs; ++i) {
        if (negative) {
            magnitude[i] = ~limb_[i] + carry;
            carry = carry && magnitude[i] == 0;
        } else {
            magnitude[i] = limb_[i];
        }
    }
    int top = Limbs - 1;
    while (top >= 0 && magnitude[top] == 0) --top;
    if (top < 0) return 0.0;

    const int highest = 64 * top + 63 - __builtin_clzll(magnitude[top]);
    uint64_t head;
    int scale;
    if (highest < 64) {
        head = magnitude[0];
        scale = 0;
    } else {
        // The 64 highest bits, the lowest of them made sticky, round to a Double correctly.
        const int start = highest - 63;
        const int index = start / 64, offset = start % 64;
        head = magnitude[index] >> offset;
        if (offset != 0) head |= magnitude[index + 1] << (64 - offset);
        bool sticky = offset != 0 && (magnitude[index] & ((uint64_t(1) << offset) - 1)) != 0;
        for (int i = 0; i < index && !sticky; ++i) sticky = magnitude[i] != 0;
        if (sticky) head |= 1;
        scale = start;
    }
    const double value = std::ldexp(double(head), scale - 149);
    return negative ? -value : value;
}

double TExactSumBins::Value() const
{
    TExactSum sum;
    for (int i = 0; i < Bins; ++i) {
        const int64_t b = bin_[i];
        if (b != 0) sum.AddScaled(b < 0 ? uint64_t(0) - uint64_t(b) : uint64_t(b), unsigned(i), b < 0);
    }
    return sum.Value();
}
