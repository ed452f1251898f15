#include "app/LengthUnits.h"

#include <cmath>

#include "framework/NumberText.h"
#include "scan/files/globals.h"

double UnitFactor(const TMeasureUnit& Unit)
{
    const double Factor = Unit.Value;
    return (Factor > 0.0 && std::isfinite(Factor)) ? Factor : 1.0;
}

double ShownLength(double Metres, const TMeasureUnit& Unit)
{
    return Metres / UnitFactor(Unit);
}

double StoredLength(double Shown, const TMeasureUnit& Unit)
{
    return Shown * UnitFactor(Unit);
}

std::u16string LengthText(double Metres, const TMeasureUnit& Unit)
{
    return FormatNumber(ShownLength(Metres, Unit)) + u" " + Unit.Suffix;
}

const TMeasureUnit* MeasureUnitAt(const std::vector<TMeasureUnit>& Units, size_t Index)
{
    return Index < Units.size() ? &Units[Index] : nullptr;
}

const TMeasureUnit* ChosenMeasureUnit()
{
    return MeasureUnitAt(MeasureUnits, GlobalSettings.MeasureUnitIndex);
}
