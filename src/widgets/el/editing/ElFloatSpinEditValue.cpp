#include "widgets/el/editing/ElFloatSpinEditValue.h"

#include "framework/NumberText.h"

#include <algorithm>
#include <cmath>

std::u16string FloatSpinText(double Value, int Digits)
{
    return FloatToStrF(Value, TFloatFormat::ffFixed, 15, std::clamp(Digits, 0, 15));
}

double LimitFloatValue(double Value, double MinValue, double MaxValue)
{
    return MaxValue > MinValue ? std::clamp(Value, MinValue, MaxValue) : Value;
}

double StepFloatValue(double Value, double Delta, double MinValue, double MaxValue)
{
    const double from = std::isfinite(Value) ? Value : MinValue;
    return LimitFloatValue(from + Delta, MinValue, MaxValue);
}
