// The floating info window's rules: its captions in the active language, where the GPS panel
// and its quality bars sit for each reading direction, when a value row is enabled, when the
// GPS position is shown and how many quality bars light up.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "app/LanguageTexts.h"
#include "scan/files/globals.h"

// The window's caption and its seven row captions, by element name ("" is the window). The
// value rows of the selected point read "<text>:" before their value, as the window's own
// captions do; the GPS rows show the text alone.
struct TInfoCaption {
    const char* Element;
    TTextId ID;
    const char16_t* Default;
    bool Colon;
};
extern const std::array<TInfoCaption, 8> InfoWindowCaptions;

// Left edges in the window for a reading direction. Left to right: the GPS panel at the right
// edge, its label at 0 and the bars at 27, 33, 39, 45; right to left: the panel at 0, the label
// at the panel's right edge and the bars at 18, 12, 6, 0. The row the panel stands in (the
// quality row) takes the rest of the width beside it, so that the panel stays in sight.
struct TInfoWindowLayout {
    bool RowsRightToLeft = false;
    int32_t GpsPanelLeft = 0;
    int32_t GpsLabelLeft = 0;
    std::array<int32_t, 4> BarLefts{};
    int32_t QualityRowLeft = 0;
    int32_t QualityRowWidth = 0;
};
TInfoWindowLayout LayoutInfoWindowPositions(bool RightToLeft, int32_t ClientWidth, int32_t GpsPanelWidth,
                                            int32_t GpsLabelWidth);

// A name label is enabled exactly when its value, trimmed, is not empty.
bool ValueLabelEnabled(const std::u16string& Text);

// The position is shown when Quality is a finite number of 0 or more and neither coordinate
// is NaN.
bool GpsPositionShown(double Quality, double Longitude, double Latitude);
// The quality as the window shows it: two decimals.
std::u16string GpsQualityText(double Quality);

// The quality panel: enabled for a finite quality above 0, with a bar green (the colour 32768)
// for each of the limits 5, 4, 3, 2 that the quality is below; otherwise disabled, all white.
constexpr TColor GpsBarLit = 32768;
constexpr TColor GpsBarDark = 0xFFFFFF;
struct TGpsQualityBars {
    bool PanelEnabled = false;
    std::array<TColor, 4> Colors{GpsBarDark, GpsBarDark, GpsBarDark, GpsBarDark};
};
TGpsQualityBars ShowGPSQuality(double Quality);
