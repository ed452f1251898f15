#include "device/GpsCoordinates.h"

#include "framework/StrConv.h"

#include <cfloat>
#include <cmath>
#include <cstdio>

namespace {

// A double as Single; values beyond its range become infinite rather than undefined.
float ToSingle(double V)
{
    if (V > FLT_MAX)
        return INFINITY;
    if (V < -FLT_MAX)
        return -INFINITY;
    return static_cast<float>(V);
}

double Frac(double V)
{
    return V - std::trunc(V);
}

std::string CoordinateToStr(float X, size_t DegreeDigits, char Positive, char Negative, const TFormatSettings& Settings)
{
    const float nmea = DegreesToNMEA(X);
    if (!std::isfinite(X) || !std::isfinite(nmea))
        return {};
    // In double from the Single form: the whole part is the degrees, the fraction the minutes / 100.
    const double n = std::fabs(static_cast<double>(nmea)) / 100.0;
    double degrees = std::trunc(n);
    // Minutes in ten-thousandths, rounded first and carried into the degrees at sixty.
    double units = std::round(Frac(n) * 100.0 * 10000.0);
    if (units >= 600000.0) {
        units -= 600000.0;
        degrees += 1.0;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.0f", degrees);
    std::string text = buffer;
    if (text.size() < DegreeDigits)
        text.insert(0, DegreeDigits - text.size(), '0');

    const auto tenThousandths = static_cast<unsigned>(units);
    std::snprintf(buffer, sizeof buffer, "%02u", tenThousandths / 10000);
    text += "\xB0 ";
    text += buffer;
    text += WideToAnsi(std::u16string(1, Settings.DecimalSeparator));
    std::snprintf(buffer, sizeof buffer, "%04u", tenThousandths % 10000);
    text += buffer;
    text += "\" ";
    text += X >= 0 ? Positive : Negative;
    return text;
}

} // namespace

float NMEAToDegrees(float X)
{
    const double v = static_cast<double>(X) / 100.0;
    return ToSingle(std::trunc(v) + Frac(v) * 100.0 / 60.0);
}

float DegreesToNMEA(float X)
{
    const double v = X;
    return ToSingle(std::trunc(v) * 100.0 + Frac(v) * 60.0);
}

std::string LatitudeToStr(float X, const TFormatSettings& Settings)
{
    return CoordinateToStr(X, 2, 'N', 'S', Settings);
}

std::string LongitudeToStr(float X, const TFormatSettings& Settings)
{
    return CoordinateToStr(X, 3, 'E', 'W', Settings);
}
