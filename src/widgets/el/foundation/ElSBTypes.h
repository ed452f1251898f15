// Values shared by the replacement scroll bars and the code that hosts them: the parts of a
// bar, the scroll requests a bar makes, and a portable copy of the system's scroll information.
#pragma once

#include "framework/Colors.h"

#include <cstdint>

// Where a point of a bar lies (the hit-test result).
enum TElSBPart : uint8_t {
    sbpNowhere = 0,
    sbpFirstArrow = 1,        // left or up
    sbpSecondaryLast = 2,     // the second button beside the last arrow
    sbpLastArrow = 3,         // right or down
    sbpSecondaryFirst = 4,    // the second button beside the first arrow
    sbpThumb = 5,
    sbpPageBefore = 6,        // track between the first buttons and the thumb
    sbpPageAfter = 7,         // track between the thumb and the last buttons
};

// The requests a bar makes. 0 to 8 are the system's SB_LINEUP .. SB_ENDSCROLL and reach the
// control as WM_HSCROLL / WM_VSCROLL; the custom actions of the secondary buttons never do.
enum TElScrollCode : uint8_t {
    escLineUp = 0,
    escLineDown = 1,
    escPageUp = 2,
    escPageDown = 3,
    escPosition = 4,      // SB_THUMBPOSITION
    escTrack = 5,         // SB_THUMBTRACK
    escTop = 6,
    escBottom = 7,
    escEndScroll = 8,
    escCustomLast = 9,    // secondary button beside the last arrow, sbkCustom
    escCustomFirst = 10,  // secondary button beside the first arrow, sbkCustom
};

// What the secondary buttons do.
enum TElSecButtonsKind : uint8_t { sbkOpposite, sbkPage, sbkCustom };
enum TElScrollThumbMode : uint8_t { etmFixed, etmAuto };

// A bar's orientation (its Kind), and the system's bar codes (its BarIndex; 3 asks for both).
enum TElBarKind : uint8_t { ebkHorizontal = 0, ebkVertical = 1 };
inline constexpr int32_t ElBarHorz = 0, ElBarVert = 1, ElBarsBoth = 3;

// The system metrics a bar reads (SM_CXHSCROLL, SM_CYVSCROLL, SM_CXHTHUMB, SM_CYVTHUMB,
// SM_CYHSCROLL, SM_CXVSCROLL).
enum class TElSBMetric : uint8_t { HArrowWidth, VArrowHeight, HThumbWidth, VThumbHeight, HBarHeight, VBarWidth };

// SCROLLINFO, field for field (28 bytes), and its mask bits.
struct TElScrollInfo {
    uint32_t cbSize = 28;
    uint32_t fMask = 0;
    int32_t nMin = 0;
    int32_t nMax = 0;
    uint32_t nPage = 0;
    int32_t nPos = 0;
    int32_t nTrackPos = 0;
};
static_assert(sizeof(TElScrollInfo) == 28, "TElScrollInfo mirrors SCROLLINFO");

inline constexpr uint32_t ESIF_RANGE = 0x01, ESIF_PAGE = 0x02, ESIF_POS = 0x04, ESIF_DISABLENOSCROLL = 0x08,
                          ESIF_TRACKPOS = 0x10, ESIF_ALL = 0x17;

// SPI_GETWHEELSCROLLLINES's answer for "one screen per notch".
inline constexpr uint32_t ElWheelPageScroll = 0xFFFFFFFFu;
inline constexpr int32_t ElWheelDelta = 120;

// The published look and behaviour of one bar, with their defaults. The bar's thickness is kept
// by the bar itself (its Width or Height).
struct TElSBStyleData {
    bool ActiveFlat = false;
    TColor ArrowColor = clBtnText;
    TColor ArrowHotTrackColor = clHighlight;
    uint32_t BarOffset = 2;
    TColor BarColor = clBtnShadow;
    bool BlendBackground = true;
    int32_t ButtonSize = 17;
    bool ChangeColorsOnScroll = true;
    TColor Color = clBtnFace;
    bool DrawArrowFrames = true;
    bool DrawBars = true;
    bool ShowBorder = true;
    bool Flat = true;
    TColor HintColor = clInfoBk;
    TColor HintTextColor = clInfoText;
    bool IsHTML = false;
    int32_t MinThumbSize = 12;
    bool NoDisableButtons = false;
    bool NoSunkenThumb = false;
    bool OwnerDraw = false;
    bool SecondaryButtons = false;
    TElSecButtonsKind SecondBtnKind = sbkOpposite;
    bool ShowLeftArrows = true;
    bool ShowRightArrows = true;
    bool ShowTrackHint = false;
    int32_t Step = 1;
    bool SystemBkColor = true;
    bool ThinFrame = false;
    TElScrollThumbMode ThumbMode = etmAuto;
    int32_t ThumbSize = 0;
    bool UseSystemMetrics = true;
    bool UseSystemStep = true;
    bool UseXPThemes = true;
};
