#include "app/StatusTexts.h"

#include <cmath>
#include <limits>

#include "app/LengthUnits.h"
#include "framework/LittleEndianBytes.h"
#include "framework/MathUtils.h"
#include "framework/NumberText.h"
#include "scan/files/TextIds.h"
#include "scan/files/_TL3D_Filer.h"
#include "scan/model/_TScanData.h"

namespace {

// A grid coordinate as the whole column or row number it stands for.
std::u16string WholeNumber(float Coordinate)
{
    return std::isfinite(Coordinate) ? IntToStr(Trunc(Coordinate)) : u"?";
}

// The length a column or row number stands for, when the field size and the extent give one.
std::optional<double> ScaledPosition(float Coordinate, float FieldSize, double Extent)
{
    if (!(FieldSize > 0.0f) || !(Extent > 0.0) || !std::isfinite(Extent) || !std::isfinite(Coordinate))
        return std::nullopt;
    return double(Trunc(Coordinate)) * FieldSize / Extent;
}

// " <text>: <position>" or " <text>: <length> <unit>".
std::u16string PositionPanel(const std::u16string& Label, float Coordinate, float FieldSize, double Extent,
                             const TMeasureUnit& Unit, bool RightToLeft)
{
    if (auto Metres = ScaledPosition(Coordinate, FieldSize, Extent))
        return JoinInReadingDirection(RightToLeft, {u" ", Label, u":", u" ", FormatNumber(ShownLength(*Metres, Unit)),
                                                    u" ", Unit.Suffix});
    return JoinInReadingDirection(RightToLeft, {u" ", Label, u":", u" ", WholeNumber(Coordinate)});
}

// The info window's row: the number, and the length in parentheses when there is one.
TValueLabel PositionLabel(float Coordinate, float FieldSize, double Extent, const TMeasureUnit& Unit,
                          bool RightToLeft)
{
    TValueLabel L;
    if (!(Coordinate >= 0.0f))
        return L;
    L.Enabled = true;
    if (auto Metres = ScaledPosition(Coordinate, FieldSize, Extent))
        L.Text = JoinInReadingDirection(RightToLeft, {WholeNumber(Coordinate), u" ( ",
                                                      FormatNumber(ShownLength(*Metres, Unit)), u" ",
                                                      Unit.Suffix, u" )"});
    else
        L.Text = WholeNumber(Coordinate);
    return L;
}

} // namespace

TCarriedGps CarriedGpsOf(const TScanPoint& Point, uint16_t FileContent)
{
    TCarriedGps G;
    G.Longitude = le::F64At(Point.Carried);
    G.Latitude = le::F64At(Point.Carried + 8);
    G.Quality = le::F64At(Point.Carried + 16);
    if (FileContent == 1) {
        G.Longitude = std::numeric_limits<double>::quiet_NaN();
        G.Latitude = std::numeric_limits<double>::quiet_NaN();
    }
    return G;
}

std::optional<TScanInfo> BuildScanInfo(const TScanData& Scan, const TScanInfoSource& Source,
                                       const TMeasureUnit* Unit, const TTextLookup& Lookup)
{
    if (Unit == nullptr)
        return std::nullopt;
    const bool Rtl = Source.RightToLeft;
    TScanInfo Info;
    if (const TScanPoint* P = Scan.Selected) {
        Info.Panel1 = PositionPanel(Lookup(Texts::ScanLine, u""), P->X, Source.FieldLength,
                                    double(Scan.MaxX) - Scan.MinX, *Unit, Rtl);
        Info.Panel2 = PositionPanel(Lookup(Texts::Impulse, u""), P->Y, Source.FieldWidth,
                                    double(Scan.MaxY) - Scan.MinY, *Unit, Rtl);
        Info.Reading = u"";
        if (P->Invalid == 0 && !std::isnan(P->Value)) {
            Info.Panel4 = FormatNumber(P->Value);
            Info.Reading = *Info.Panel4;
        }
        Info.Impulse = PositionLabel(P->Y, Source.FieldWidth, Scan.MaxY, *Unit, Rtl);
        Info.ScanLine = PositionLabel(P->X, Source.FieldLength, Scan.MaxX, *Unit, Rtl);
        Info.Gps = CarriedGpsOf(*P, Source.FileContent);
    }

    const std::u16string Level = FormatNumber(ShownLength(Scan.Level, *Unit));
    const std::u16string Selected = FormatNumber(ShownLength(Scan.SelectedLevel, *Unit));
    Info.Panel3 = JoinInReadingDirection(Rtl, {u" ", Lookup(Texts::Depth, u""), u":", u" ", Level, u" ", Unit->Suffix,
                                               u" / ", Selected, u" ", Unit->Suffix});
    if (Scan.SelectedLevel >= 0.0f) {
        Info.Depth.Enabled = true;
        Info.Depth.Text = JoinInReadingDirection(Rtl, {Level, u" ", Unit->Suffix, u" / ", Selected, u" ", Unit->Suffix});
    }
    return Info;
}

TResetStatusTexts ResetStatusTexts(const TMeasureUnit* Unit, const TTextLookup& Lookup)
{
    TResetStatusTexts T;
    T.Panel1 = u" " + Lookup(Texts::ScanLine, u"") + u":1";
    T.Panel2 = u" " + Lookup(Texts::Impulse, u"") + u":1";
    if (Unit != nullptr)
        T.Panel3 = u" " + Lookup(Texts::Depth, u"") + u":" + FloatToStrF(0.0, TFloatFormat::ffFixed, 15, 2) + u" " +
                   Unit->Suffix;
    return T;
}

std::u16string HintPanelText(const std::u16string& Hint)
{
    return u" " + Hint;
}
