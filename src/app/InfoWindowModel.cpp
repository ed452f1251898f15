#include "app/InfoWindowModel.h"

#include <cmath>

#include "framework/NumberText.h"
#include "scan/files/TextIds.h"
#include "widgets/el/foundation/ElStrUtils.h"

const std::array<TInfoCaption, 8> InfoWindowCaptions{{
    {"", Texts::InfoWindow, u"Info dialog", false},
    {"ElLabel_Longitude", Texts::Longitude, u"Longitude", false},
    {"ElLabel_Latitude", Texts::Latitude, u"Latitude", false},
    {"ElLabel_GPSQuality", Texts::GpsQuality, u"Quality", false},
    {"ElLabel_Impulse", Texts::Impulse, u"Impulse", true},
    {"ElLabel_ScanLine", Texts::ScanLine, u"Scan line", true},
    {"ElLabel_ScanValue", Texts::Reading, u"Reading", true},
    {"ElLabel_Depth", Texts::Depth, u"Depth", true},
}};

TInfoWindowLayout LayoutInfoWindowPositions(bool RightToLeft, int32_t ClientWidth, int32_t GpsPanelWidth,
                                            int32_t GpsLabelWidth)
{
    TInfoWindowLayout L;
    L.RowsRightToLeft = RightToLeft;
    L.QualityRowWidth = ClientWidth > GpsPanelWidth ? ClientWidth - GpsPanelWidth : 0;
    if (RightToLeft) {
        L.GpsPanelLeft = 0;
        L.GpsLabelLeft = GpsPanelWidth - GpsLabelWidth;
        L.BarLefts = {18, 12, 6, 0};
        L.QualityRowLeft = GpsPanelWidth;
    } else {
        L.GpsPanelLeft = ClientWidth - GpsPanelWidth;
        L.GpsLabelLeft = 0;
        L.BarLefts = {27, 33, 39, 45};
        L.QualityRowLeft = 0;
    }
    return L;
}

bool ValueLabelEnabled(const std::u16string& Text)
{
    return !WideTrim(Text).empty();
}

bool GpsPositionShown(double Quality, double Longitude, double Latitude)
{
    return Quality >= 0.0 && std::isfinite(Quality) && !std::isnan(Longitude) && !std::isnan(Latitude);
}

std::u16string GpsQualityText(double Quality)
{
    return FloatToStrF(Quality, TFloatFormat::ffFixed, 15, 2);
}

TGpsQualityBars ShowGPSQuality(double Quality)
{
    TGpsQualityBars Bars;
    if (!(Quality > 0.0) || !std::isfinite(Quality))
        return Bars;
    Bars.PanelEnabled = true;
    constexpr double Limits[4] = {5.0, 4.0, 3.0, 2.0};
    for (size_t i = 0; i < Bars.Colors.size(); ++i)
        Bars.Colors[i] = Quality < Limits[i] ? GpsBarLit : GpsBarDark;
    return Bars;
}
