// GPS positions in NMEA form and their texts, for any Single: the conversions agree both ways
// within the range of a position, and a text is empty exactly when it cannot be printed, or
// else has its parts in place with minutes below sixty.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "device/GpsCoordinates.h"
#include "framework/StrConv.h"

namespace {

void CheckText(const std::string& Text, float X, float Nmea, size_t DegreeDigits, char Positive, char Negative,
               char16_t Separator)
{
    if (Text.empty() != (!std::isfinite(X) || !std::isfinite(Nmea)))
        std::abort();
    if (Text.empty())
        return;
    // <degrees>° <mm><sep><dddd>" <H>
    const std::string separator = WideToAnsi(std::u16string(1, Separator));
    const size_t sign = Text.find('\xB0');
    if (sign == std::string::npos || sign < DegreeDigits || Text.size() != sign + 2 + 2 + separator.size() + 4 + 3)
        std::abort();
    const std::string minutes = Text.substr(sign + 2, 2);
    if (minutes[0] < '0' || minutes[0] > '5' || minutes[1] < '0' || minutes[1] > '9')
        std::abort();
    if (Text.compare(sign + 4, separator.size(), separator) != 0)
        std::abort();
    if (Text.back() != (X >= 0 ? Positive : Negative))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
    TFormatSettings settings;
    if (Size % 4 == 1)
        settings.DecimalSeparator = Data[Size - 1];
    for (size_t i = 0; i + 4 <= Size; i += 4) {
        float x;
        std::memcpy(&x, Data + i, 4);
        const float nmea = DegreesToNMEA(x);
        const float back = NMEAToDegrees(nmea);
        if (std::fabs(x) <= 180.0f && !(std::fabs(back - x) <= 5e-5f))
            std::abort();
        NMEAToDegrees(x);
        CheckText(LatitudeToStr(x, settings), x, nmea, 2, 'N', 'S', settings.DecimalSeparator);
        CheckText(LongitudeToStr(x, settings), x, nmea, 3, 'E', 'W', settings.DecimalSeparator);
    }
    return 0;
}
