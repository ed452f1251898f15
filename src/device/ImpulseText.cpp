#include "device/ImpulseText.h"

#include "framework/NumberText.h"

bool TryImpulseCount(const std::u16string& Text, int32_t& Count)
{
    int32_t value = 0;
    if (!TryStrToInt(Text, value) || value < 1)
        return false;
    Count = value;
    return true;
}
