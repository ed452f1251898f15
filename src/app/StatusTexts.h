// The texts of the status bar and the values of the info window for the selected point and the
// depth levels of a scan. Panels: 1 the position along X (the text ScanLine), 2 along Y
// (Impulse), 3 the depth levels (Depth), 4 the selected value. Every joined text reads in the active
// language's direction (the pieces in reverse order for right to left).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/LanguageTexts.h"

class TScanData;
struct TScanPoint;
struct TMeasureUnit;

// A value label of the info window with the enabled state of its name label.
struct TValueLabel {
    bool Enabled = false;
    std::u16string Text;
};

// The GPS data a point carries, as the info window takes them: the quality and the two
// coordinates in NMEA form (the caller converts them to degrees). The first carried Double is
// the longitude, the second the latitude, the third the quality.
struct TCarriedGps {
    double Quality = 0.0;
    double Longitude = 0.0;
    double Latitude = 0.0;
};

// The carried GPS data of a point. A Tarnwell scan carries the file offset of the samples in
// the first Double instead: FileContent 1 gives NaN coordinates.
TCarriedGps CarriedGpsOf(const TScanPoint& Point, uint16_t FileContent);

// What the renderer knows of the field and what the scan's file said about its kind.
struct TScanInfoSource {
    float FieldLength = 0.0f;  // metres along X; 0 when not given
    float FieldWidth = 0.0f;   // metres along Y
    uint16_t FileContent = 0;
    bool RightToLeft = false;
};

struct TScanInfo {
    // Set only with a selected point.
    std::optional<std::u16string> Panel1;
    std::optional<std::u16string> Panel2;
    // Set only for a selected point whose value is valid; panel 4 otherwise keeps its text.
    std::optional<std::u16string> Panel4;
    std::optional<TValueLabel> ScanLine;  // X
    std::optional<TValueLabel> Impulse;   // Y
    // The value of panel 4, or empty for an invalid value.
    std::optional<std::u16string> Reading;
    std::optional<TCarriedGps> Gps;
    // Always set.
    std::u16string Panel3;
    TValueLabel Depth;
};

// The texts for the scan and the chosen unit. None when Unit is null (a unit index outside the
// table): the status bar and the info window are then left as they are. A position with a
// field size is the column (row) number scaled by the field size over the scan's extent and
// shown in the unit; without a field size, or for an extent of 0 (a single column or row), it
// is the plain column (row) number.
std::optional<TScanInfo> BuildScanInfo(const TScanData& Scan, const TScanInfoSource& Source,
                                       const TMeasureUnit* Unit, const TTextLookup& Lookup = GlobalTextLookup());

// The status bar after View > Reset: " <ScanLine>:1", " <Impulse>:1" and, when Unit is not
// null, " <Depth>:0.00 <suffix>".
struct TResetStatusTexts {
    std::u16string Panel1;
    std::u16string Panel2;
    std::optional<std::u16string> Panel3;
};
TResetStatusTexts ResetStatusTexts(const TMeasureUnit* Unit, const TTextLookup& Lookup = GlobalTextLookup());

// Panel 4 while the mouse is over something with a hint.
std::u16string HintPanelText(const std::u16string& Hint);
