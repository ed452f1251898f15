#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "app/InfoWindowModel.h"
#include "app/LengthUnits.h"
#include "app/MenuStates.h"
#include "app/StatusTexts.h"
#include "framework/LittleEndianBytes.h"
#include "scan/files/_TL3D_Filer.h"
#include "scan/model/_TColorManager.h"
#include "scan/model/scan_test_support.h"

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

std::u16string Numbered(int32_t ID, const std::u16string&)
{
    std::string T = "T" + std::to_string(ID);
    return std::u16string(T.begin(), T.end());
}

const TMeasureUnit Metre{u"Meter", 1.0f, u"m"};
const TMeasureUnit Foot{u"Foot", 0.3048f, u"ft"};

class ScanInfo : public ::testing::Test {
protected:
    // A scan of 5 columns and 3 rows; the point at column 4, row 2 is selected.
    ScanInfo()
    {
        Receive(Scan, {5, 3, 0, 0}, std::vector<float>(15, 2.0f));
        for (auto& Row : RowsOf(Scan))
            for (TScanPoint* P : Row)
                if (P->X == 4.0f && P->Y == 2.0f)
                    Corner = P;
        Scan.SelectPoint(Corner);
        Scan.Level = 1.5f;
        Scan.SelectedLevel = 0.25f;
    }

    std::optional<TScanInfo> Build(const TScanInfoSource& Source, const TMeasureUnit* Unit)
    {
        return BuildScanInfo(Scan, Source, Unit, Numbered);
    }

    TColorManager Colors;
    TColorManager* ColorsVar = &Colors;
    TScanData Scan{&ColorsVar};
    TScanPoint* Corner = nullptr;
};

} // namespace

TEST_F(ScanInfo, PositionsAreScaledByFieldSizeOverExtentAndShownInTheUnit)
{
    ASSERT_NE(Corner, nullptr);
    ASSERT_EQ(Scan.MaxX, 4.0f);
    ASSERT_EQ(Scan.MaxY, 2.0f);
    Corner->Value = 1234.5f;
    auto Info = Build({100.0f, 50.0f, 0, false}, &Foot);
    ASSERT_TRUE(Info);
    EXPECT_EQ(*Info->Panel1, u" T61: 328.08 ft");  // 4 * 100 / 4 m in feet
    EXPECT_EQ(*Info->Panel2, u" T62: 164.04 ft");
    EXPECT_EQ(*Info->Panel4, u"1,234.50");
    EXPECT_EQ(*Info->Reading, u"1,234.50");
    EXPECT_EQ(Info->Panel3, u" T63: 4.92 ft / 0.82 ft");
    EXPECT_TRUE(Info->Depth.Enabled);
    EXPECT_EQ(Info->Depth.Text, u"4.92 ft / 0.82 ft");
    EXPECT_EQ(Info->Impulse->Text, u"2 ( 164.04 ft )");
    EXPECT_EQ(Info->ScanLine->Text, u"4 ( 328.08 ft )");

    Info = Build({1234.5f, 0.0f, 0, false}, &Metre);
    EXPECT_EQ(*Info->Panel1, u" T61: 1,234.50 m");
    EXPECT_EQ(*Info->Panel2, u" T62: 2");  // no field width: the row number
    EXPECT_EQ(Info->Impulse->Text, u"2");
}

TEST_F(ScanInfo, RightToLeftJoinsThePiecesInReverse)
{
    auto Info = Build({4.0f, 0.0f, 0, true}, &Metre);
    EXPECT_EQ(*Info->Panel1, u"m 4.00 :T61 ");
    EXPECT_EQ(*Info->Panel2, u"2 :T62 ");
}

TEST_F(ScanInfo, BadUnitsAndInvalidValuesLeaveTheirTextsAlone)
{
    EXPECT_FALSE(Build({100.0f, 50.0f, 0, false}, nullptr));
    const TMeasureUnit Zero{u"Zero", 0.0f, u"z"};
    EXPECT_EQ(*Build({100.0f, 50.0f, 0, false}, &Zero)->Panel1, u" T61: 100.00 z");  // factor 0 counts as 1

    Corner->Invalid = 1;
    auto Info = Build({100.0f, 50.0f, 0, false}, &Metre);
    EXPECT_FALSE(Info->Panel4);
    EXPECT_EQ(*Info->Reading, u"");

    Scan.SelectedLevel = -1.0f;
    Scan.Selected = nullptr;
    Info = Build({100.0f, 50.0f, 0, false}, &Metre);
    EXPECT_FALSE(Info->Panel1 || Info->Impulse || Info->Gps);
    EXPECT_FALSE(Info->Depth.Enabled);
    EXPECT_EQ(Info->Depth.Text, u"");
}

TEST(ScanInfoExtent, ASingleColumnShowsItsNumberInsteadOfDividingByZero)
{
    TColorManager* NoColors = nullptr;
    TScanData Scan(&NoColors);
    Receive(Scan, {1, 3, 0, 0}, {1.0f, 2.0f, 3.0f});
    Scan.SelectPoint(Scan.First);
    ASSERT_EQ(Scan.MaxX - Scan.MinX, 0.0f);
    auto Info = BuildScanInfo(Scan, {100.0f, 0.0f, 0, false}, &Metre, Numbered);
    EXPECT_EQ(*Info->Panel1, u" T61: 0");
    EXPECT_EQ(Info->ScanLine->Text, u"0");
}

TEST(ScanInfoGps, CarriedDoublesAreLongitudeLatitudeQualityExceptForTarnwellFiles)
{
    TScanPoint P;
    le::PutF64(P.Carried, 1130.5);
    le::PutF64(P.Carried + 8, 4807.25);
    le::PutF64(P.Carried + 16, 1.5);
    TCarriedGps G = CarriedGpsOf(P, 0);
    EXPECT_EQ(G.Longitude, 1130.5);
    EXPECT_EQ(G.Latitude, 4807.25);
    EXPECT_EQ(G.Quality, 1.5);
    G = CarriedGpsOf(P, 1);  // the first Double is a file offset there
    EXPECT_TRUE(std::isnan(G.Longitude) && std::isnan(G.Latitude));
    EXPECT_FALSE(GpsPositionShown(G.Quality, G.Longitude, G.Latitude));
}

TEST(StatusTexts, ResetTextsAndHints)
{
    TResetStatusTexts T = ResetStatusTexts(&Metre, Numbered);
    EXPECT_EQ(T.Panel1, u" T61:1");
    EXPECT_EQ(T.Panel2, u" T62:1");
    EXPECT_EQ(*T.Panel3, u" T63:0.00 m");
    EXPECT_FALSE(ResetStatusTexts(nullptr, Numbered).Panel3);
    EXPECT_EQ(HintPanelText(u"Open"), u" Open");
}

TEST(LengthUnits, ShownIsMetresOverTheFactorAndTypedIsTimesTheFactor)
{
    const TMeasureUnit Centi{u"cm", 0.01f, u"cm"};
    EXPECT_NEAR(ShownLength(4.6, Centi), 460.0, 1e-4);
    EXPECT_EQ(LengthText(4.6, Centi), u"460.00 cm");
    EXPECT_NEAR(StoredLength(460.0, Centi), 4.6, 1e-6);
    EXPECT_NEAR(ShownLength(0.3048, Foot), 1.0, 1e-6);
    for (float Bad : {0.0f, -2.0f, float(NaN), float(Inf)}) {
        const TMeasureUnit U{u"bad", Bad, u"b"};
        EXPECT_EQ(UnitFactor(U), 1.0) << Bad;
        EXPECT_EQ(ShownLength(7.0, U), 7.0);
        EXPECT_EQ(StoredLength(7.0, U), 7.0);
    }
}

TEST(MenuStates, ByTheKindOfScan)
{
    // Which conditions hold, in the order Always, Never, HasScan, PlainScan, ChartFile,
    // DepthControls, Restorable, Edited.
    const std::pair<TMenuStateInput, std::string> cases[] = {
        {{false, true, 0, 0, true, false}, "10000000"},        // no scan
        {{true, true, 0, 0, true, false}, "10110110"},         // the program's own kind
        {{true, true, 0, 1, false, true}, "10111011"},         // a Tarnwell file, edited
        {{true, true, 0, 1, false, true, false}, "10111000"},  // no undo snapshot: nothing to undo
        {{true, true, 2, 0, true, false}, "10100010"},         // a flat view: no camera, no depth
        {{true, false, 0, 0, true, false}, "10100010"},        // no renderer
    };
    for (const auto& [input, expected] : cases) {
        std::string holds;
        for (int c = 0; c <= static_cast<int>(TMenuCondition::Edited); ++c)
            holds += MenuConditionHolds(static_cast<TMenuCondition>(c), input) ? '1' : '0';
        EXPECT_EQ(holds, expected) << expected;
    }
}

TEST(InfoWindow, LayoutFollowsTheReadingDirection)
{
    TInfoWindowLayout L = LayoutInfoWindowPositions(false, 300, 60, 20);
    EXPECT_FALSE(L.RowsRightToLeft);
    EXPECT_EQ(L.GpsPanelLeft, 240);
    EXPECT_EQ(L.GpsLabelLeft, 0);
    EXPECT_EQ(L.BarLefts, (std::array<int32_t, 4>{27, 33, 39, 45}));
    // The quality row leaves the panel's place free.
    EXPECT_EQ(L.QualityRowLeft, 0);
    EXPECT_EQ(L.QualityRowWidth, 240);
    L = LayoutInfoWindowPositions(true, 300, 60, 20);
    EXPECT_TRUE(L.RowsRightToLeft);
    EXPECT_EQ(L.GpsPanelLeft, 0);
    EXPECT_EQ(L.GpsLabelLeft, 40);
    EXPECT_EQ(L.BarLefts, (std::array<int32_t, 4>{18, 12, 6, 0}));
    EXPECT_EQ(L.QualityRowLeft, 60);
    EXPECT_EQ(L.QualityRowWidth, 240);
}

TEST(InfoWindow, QualityBarsLightBelowTheirLimits)
{
    using B = std::array<TColor, 4>;
    TGpsQualityBars Q = ShowGPSQuality(2.5);
    EXPECT_TRUE(Q.PanelEnabled);
    EXPECT_EQ(Q.Colors, (B{GpsBarLit, GpsBarLit, GpsBarLit, GpsBarDark}));
    EXPECT_EQ(ShowGPSQuality(1.0).Colors, (B{GpsBarLit, GpsBarLit, GpsBarLit, GpsBarLit}));
    Q = ShowGPSQuality(5.0);
    EXPECT_TRUE(Q.PanelEnabled);
    EXPECT_EQ(Q.Colors, (B{GpsBarDark, GpsBarDark, GpsBarDark, GpsBarDark}));
    for (double Off : {0.0, -1.0, NaN, Inf}) {
        Q = ShowGPSQuality(Off);
        EXPECT_FALSE(Q.PanelEnabled) << Off;
        EXPECT_EQ(Q.Colors, (B{GpsBarDark, GpsBarDark, GpsBarDark, GpsBarDark}));
    }
}
