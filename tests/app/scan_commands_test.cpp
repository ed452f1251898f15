#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/ReceivedScan.h"
#include "app/ScanEdits.h"
#include "app/ScanKinds.h"
#include "app/ViewNavigation.h"
#include "framework/LittleEndianBytes.h"
#include "scan/files/globals.h"
#include "scan/files/_TL3D_Filer.h"
#include "scan/model/_TColorManager.h"
#include "scan/model/_TDataGrid.h"
#include "scan/model/scan_test_support.h"

namespace {

constexpr float NaN = std::numeric_limits<float>::quiet_NaN();

class ScanCommands : public ::testing::Test {
protected:
    std::vector<TScanPoint*> Row()
    {
        auto Rows = RowsOf(Scan);
        return Rows.empty() ? std::vector<TScanPoint*>{} : Rows[0];
    }

    TColorManager Colors;
    TColorManager* ColorsVar = &Colors;
    TScanData Scan{&ColorsVar};
};

} // namespace

TEST_F(ScanCommands, RemoveDummiesFillsInvalidPointsWithTheRunningPairMean)
{
    Receive(Scan, {6, 1, 0, 0}, {1.0f, NaN, 3.0f, NaN, 5.0f, 7.0f});
    std::vector<TScanPoint*> P = Row();
    ASSERT_EQ(P.size(), 6u);
    ASSERT_EQ(P[2]->Value, 3.0f);
    ASSERT_EQ(P[1]->Invalid, 1);
    // 1, then (1 + 3) / 2 = 2, (2 + 5) / 2 = 3.5, (3.5 + 7) / 2 = 5.25.
    EXPECT_EQ(RunningPairMean(Scan), 5.25f);
    Scan.Changed = 0;
    RemoveDummies(Scan);
    for (int i : {1, 3}) {
        EXPECT_EQ(P[size_t(i)]->Value, 5.25f);
        EXPECT_EQ(P[size_t(i)]->DisplayValue, 5.25f);
        EXPECT_EQ(P[size_t(i)]->Invalid, 0);
    }
    EXPECT_EQ(P[4]->Value, 5.0f);
    EXPECT_EQ(Scan.Changed, 1);
    EXPECT_EQ(Scan.MaxValue, 7.0f);  // statistics computed again
}

TEST_F(ScanCommands, RemoveDummiesWithoutValidPointsKeepsThemInvalid)
{
    Receive(Scan, {3, 1, 0, 0}, {NaN, NaN, NaN});
    EXPECT_TRUE(std::isnan(RunningPairMean(Scan)));
    RemoveDummies(Scan);
    for (TScanPoint* P : Row()) {
        EXPECT_TRUE(std::isnan(P->Value));
        EXPECT_EQ(P->Invalid, 1);
    }
}

TEST_F(ScanCommands, HalvingRoundsTiesToEvenTruncatesAndKeepsNonFiniteValues)
{
    EXPECT_EQ(HalvedValue(5.0f), 2.0f);
    EXPECT_EQ(HalvedValue(2.5f), 1.0f);   // Nearest(2.5) = 2
    EXPECT_EQ(HalvedValue(3.5f), 2.0f);   // Nearest(3.5) = 4
    EXPECT_EQ(HalvedValue(-5.0f), -2.0f); // towards zero
    EXPECT_EQ(HalvedValue(3e9f), 1.5e9f); // beyond 32 bits
    EXPECT_EQ(HalvedValue(-3e38f), -1.5e38f);
    EXPECT_TRUE(std::isnan(HalvedValue(NaN)));
    EXPECT_EQ(HalvedValue(std::numeric_limits<float>::infinity()), std::numeric_limits<float>::infinity());

    Receive(Scan, {3, 1, 0, 0}, {9.0f, NaN, -7.0f});
    Scan.Changed = 0;
    HalveScanValues(Scan);
    std::vector<TScanPoint*> P = Row();
    EXPECT_EQ(P[0]->Value, 4.0f);
    EXPECT_TRUE(std::isnan(P[1]->Value));
    EXPECT_EQ(P[2]->Value, -3.0f);
    EXPECT_EQ(Scan.Changed, 1);
}

namespace {

int Mismatches(const TColorManager& C, const TPaletteBands& Bands)
{
    int Wrong = 0;
    for (const TColorStop& S : C.Stops) {
        const TColor Group = ColorGroupOf(S.R, S.G, S.B);
        const bool Want = Group == ColorGroupBlue ? Bands.Blue : Group == ColorGroupGreen ? Bands.Green
                                                            : Group == ColorGroupRed   ? Bands.Red
                                                                                       : true;
        Wrong += (S.Enabled != 0) != Want;
    }
    return Wrong;
}

} // namespace

// The rebuild sorts the threshold stop into the middle and gives colours by index; the hidden
// band must stay hidden through every rebuild.
TEST(PaletteBands, AHiddenBandStaysHiddenAcrossRebuilds)
{
    const TPaletteBands Bands{false, true, true};
    TColorManager Drifting;
    Drifting.SetAllStopsEnabled(1);
    Drifting.SetColorScheme(0, 0.0f, 100.0f, 80.0f);
    ApplyPaletteBands(Drifting, Bands);
    EXPECT_EQ(Mismatches(Drifting, Bands), 0);
    Drifting.SetColorScheme(0, 0.0f, 100.0f, 10.0f);
    EXPECT_GT(Mismatches(Drifting, Bands), 0);  // what happens without the keeper

    TColorManager Kept;
    Kept.SetAllStopsEnabled(1);
    KeepPaletteBands(Kept, Bands);
    for (float Threshold : {80.0f, 10.0f, 50.0f, 95.0f, 0.0f}) {
        for (uint8_t Scheme : {uint8_t(0), uint8_t(2), uint8_t(7)}) {
            Kept.SetColorScheme(Scheme, 0.0f, 100.0f, Threshold);
            EXPECT_EQ(Mismatches(Kept, Bands), 0) << Threshold << " " << int(Scheme);
        }
    }
    int Blue = 0;
    for (const TColorStop& S : Kept.Stops) Blue += ColorGroupOf(S.R, S.G, S.B) == ColorGroupBlue;
    EXPECT_GT(Blue, 0);
}

TEST(ReceivedScan, AGpsScanIsBuiltFromTheDataGridWindow)
{
    TDataGrid Grid;
    Grid.SetSize(3, 2, 1);
    for (int X = 0; X < 3; ++X)
        for (int Y = 0; Y < 2; ++Y) Grid.GetCell(X, Y, 0)->Value = float(10 * X + Y);
    Grid.GetCell(1, 1, 0)->Fix = std::make_unique<TGpsFix>(TGpsFix{48.25f, 11.5f, 250});
    Grid.XFrom = 0;
    Grid.XTo = 3;  // one column beyond the grid: no cells there
    Grid.YFrom = 0;
    Grid.YTo = 1;

    TColorManager* NoColors = nullptr;
    TScanData Scan(&NoColors);
    BuildScanFromDataGrid(Scan, Grid, [](double Degrees) { return Degrees * 100.0; });
    EXPECT_EQ(Scan.Count, 8u);
    EXPECT_EQ(Scan.Receiving, 0);
    EXPECT_EQ(Scan.ScanMode, 0);
    int Missing = 0, WithFix = 0;
    Scan.ForEachStoredPoint([&](TScanPoint& P) {
        const double First = le::F64At(P.Carried), Second = le::F64At(P.Carried + 8), Third = le::F64At(P.Carried + 16);
        Missing += std::isnan(P.Value);
        if (P.Value == 11.0f) {
            ++WithFix;
            EXPECT_EQ(First, double(11.5f) * 100.0);   // the fix's second Single first
            EXPECT_EQ(Second, double(48.25f) * 100.0);
            EXPECT_EQ(Third, 2.5);
        } else {
            EXPECT_TRUE(std::isnan(First) && std::isnan(Second));
            EXPECT_EQ(Third, 0.0);
        }
    });
    EXPECT_EQ(Missing, 2);
    EXPECT_EQ(WithFix, 1);

    Grid.XFrom = 2;
    Grid.XTo = 1;  // inverted
    BuildScanFromDataGrid(Scan, Grid, {});
    EXPECT_EQ(Scan.Count, 0u);

    Grid.XFrom = Grid.XTo = Grid.YFrom = Grid.YTo = -1;  // nothing arrived
    BuildScanFromDataGrid(Scan, Grid, {});
    ASSERT_EQ(Scan.Count, 1u);
    ASSERT_NE(Scan.First, nullptr);
    EXPECT_TRUE(std::isnan(Scan.First->Value));
}

TEST(ReceivedScan, StopActionsByOperatingMode)
{
    // Modes 1 to 3 keep only what arrived; 0 and 5 complete the grid with a snapshot.
    EXPECT_EQ(StopActionOf(2).Finish, TReceiveFinish::StopReceiving);
    EXPECT_FALSE(StopActionOf(2).Snapshot);
    EXPECT_EQ(StopActionOf(0).DepthControls, true);
    EXPECT_EQ(StopActionOf(5).DepthControls, false);
    EXPECT_TRUE(StopActionOf(5).Snapshot);
    EXPECT_EQ(StopActionOf(4).Finish, TReceiveFinish::FromDataGrid);
    EXPECT_FALSE(PreselectedProfile(-5, 3));

    // A receive of 2 points on lines of 3: ground scans complete the grid, live scans do not.
    for (auto [Mode, Count] : {std::pair{uint8_t(0), 3u}, {uint8_t(2), 2u}}) {
        TColorManager* NoColors = nullptr;
        TScanData Scan(&NoColors);
        Scan.SetPointsPerLine(3);
        Scan.SetLinesPerBlock(1);
        Scan.BeginReceive(0);
        Scan.AddScanPoint(RecordOf(1.0f, 1));
        Scan.AddScanPoint(RecordOf(2.0f, 2));
        Scan.Changed = 0;
        FinishStoppedScan(Scan, nullptr, Mode, {});
        EXPECT_EQ(Scan.Count, Count) << int(Mode);
        EXPECT_EQ(Scan.Receiving, 0);
        EXPECT_EQ(Scan.Changed, 1);
    }
    EXPECT_FALSE(PreselectedProfile(3, 3));
}

TEST(ScanKinds, TheMagicDecidesDepthControlsSchemeAndViews)
{
    struct TCase {
        const char* Magic;
        bool Depth;
        uint8_t Scheme;
        bool Keep;
    };
    for (TCase C : {TCase{"TNW 0.1", false, 2, false}, TCase{"TNW.TNW.01", false, 2, true},
                    TCase{"DMO.TNW.01", false, 2, true}, TCase{"L3D.L3D.01", true, 0, true},
                    TCase{"DMO.L3D.01", true, 0, true}, TCase{"dmo.l3d.01", true, 0, false},
                    TCase{"XYZ", true, 0, false}}) {
        const TScanKindRule R = ScanKindRuleOf(C.Magic);
        EXPECT_EQ(R.DepthControls, C.Depth) << C.Magic;
        EXPECT_EQ(R.ColorScheme, C.Scheme) << C.Magic;
        EXPECT_EQ(R.KeepViews, C.Keep) << C.Magic;
    }
    EXPECT_TRUE(IsChartMagic("TNW 0.1"));
    EXPECT_TRUE(IsChartMagic("TNW.TNW.01"));
    EXPECT_FALSE(IsChartMagic("DMO.TNW.01"));
}

TEST(ScanKinds, CaptionQuotesTheFileName)
{
    EXPECT_EQ(WindowCaptionText(u"Field 7", u"C:\\Scans\\north.dmo"), u"Lorvane 3D - Field 7 ( \"north.dmo\" )");
    EXPECT_EQ(WindowCaptionText(u"", u"C:\\Scans\\north.dmo"), u"Lorvane 3D - \"north.dmo\"");
}

TEST(ScanKinds, UnusableViewStatesAndRemarksAreRepaired)
{
    TViewStates V{};
    ResetViewStates(V);
    V[0].Rotation.X = 10.0f;
    V[2].Scale.Y = 0.0f;
    V[3].Translation.Z = NaN;
    V[1].Scale.X = std::numeric_limits<float>::infinity();
    EXPECT_TRUE(RepairViewStates(V));
    EXPECT_EQ(V[0].Rotation.X, 10.0f);
    EXPECT_EQ(V[1].Scale.X, 1.0f);
    EXPECT_EQ(V[2].Scale.Y, 1.0f);
    EXPECT_EQ(V[2].Rotation.X, -90.0f);
    EXPECT_EQ(V[3].Translation.Z, 0.0f);
    EXPECT_EQ(V[3].Rotation.Z, -45.0f);
    EXPECT_FALSE(RepairViewStates(V));

    EXPECT_EQ(SoilIndexForOpen(3, 8), 3);
    EXPECT_FALSE(SoilIndexForOpen(-1, 8));
    EXPECT_FALSE(SoilIndexForOpen(8, 8));
    std::vector<TSoil> Soils(2);
    Soils[1].Factor = 2.5f;
    EXPECT_EQ(SoilFactorAt(1, Soils), 2.5f);
    EXPECT_FALSE(SoilFactorAt(2, Soils));
    EXPECT_EQ(FieldSizeOfFile(NaN), 0.0f);
    EXPECT_EQ(FieldSizeOfFile(-3.0f), 0.0f);
    EXPECT_EQ(FieldSizeOfFile(4.5f), 4.5f);
}
