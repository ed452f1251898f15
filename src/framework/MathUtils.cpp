#include "framework/MathUtils.h"

#include <cmath>
#include <limits>

int32_t PortableMulDiv(int32_t Number, int32_t Numerator, int32_t Denominator)
{
    if (Denominator == 0)
        return -1;
    const int64_t product = static_cast<int64_t>(Number) * Numerator;
    const bool negative = (product < 0) != (Denominator < 0);
    const uint64_t p = product < 0 ? static_cast<uint64_t>(-product) : static_cast<uint64_t>(product);
    const uint64_t d = Denominator < 0 ? static_cast<uint64_t>(-static_cast<int64_t>(Denominator))
                                       : static_cast<uint64_t>(Denominator);
    const uint64_t q = (p + d / 2) / d;
    if (q > static_cast<uint64_t>(std::numeric_limits<int32_t>::max()))
        return -1;
    return negative ? -static_cast<int32_t>(q) : static_cast<int32_t>(q);
}

int64_t Round(double Value)
{
    return static_cast<int64_t>(std::nearbyint(Value));
}

int64_t Trunc(double Value)
{
    return static_cast<int64_t>(std::trunc(Value));
}
