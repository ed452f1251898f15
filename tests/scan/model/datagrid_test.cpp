#include <gtest/gtest.h>

#include <tuple>

#include <cmath>
#include <stdexcept>

#include "scan/model/_TDataGrid.h"

namespace {

TEST(DataGrid, SizesBelowOneGiveAnEmptyGrid)
{
    TDataGrid grid;
    grid.SetSize(3, 0, 5);
    EXPECT_EQ(grid.NX, 0);
    EXPECT_EQ(grid.NY, 0);
    EXPECT_EQ(grid.NZ, 0);
    EXPECT_TRUE(std::isnan(grid.GetValue(0, 0, 0)));
    EXPECT_EQ(grid.GetCell(0, 0, 0), nullptr);
    for (auto [x, y, z] : {std::tuple{-4, 2, 2}, std::tuple{0, 2, 2}, std::tuple{2, 0, 2}, std::tuple{2, 2, 0}}) {
        grid.SetSize(x, y, z);
        EXPECT_EQ(grid.NX, 0) << x << " " << y << " " << z;
        EXPECT_EQ(grid.NY, 0) << x << " " << y << " " << z;
        EXPECT_EQ(grid.NZ, 0) << x << " " << y << " " << z;
    }
}

TEST(DataGrid, CellsOutsideTheSizesAreAbsent)
{
    TDataGrid grid;
    grid.SetSize(2, 3, 1);
    grid.GetCell(1, 2, 0)->Value = 5.0f;
    EXPECT_EQ(grid.GetValue(1, 2, 0), 5.0f);
    EXPECT_TRUE(std::isnan(grid.GetValue(-1, 0, 0)));
    EXPECT_TRUE(std::isnan(grid.GetValue(2, 0, 0)));
    EXPECT_TRUE(std::isnan(grid.GetValue(0, 3, 0)));
    EXPECT_EQ(grid.GetCell(0, 0, 1), nullptr);
}

TEST(DataGrid, ResizeResetsCellsWindowAndStatistics)
{
    TDataGrid grid;
    EXPECT_EQ(grid.Flag, 1);
    EXPECT_EQ(grid.Setting, 10);
    grid.SetSize(2, 2, 1);
    grid.XFrom = 0;
    grid.Statistics[0] = 1.0f;
    grid.GetCell(0, 0, 0)->Value = 1.0f;
    grid.GetCell(0, 0, 0)->Fix = std::make_unique<TGpsFix>();
    grid.SetSize(2, 2, 1);
    for (int x = 0; x < 2; ++x)
        for (int y = 0; y < 2; ++y) {
            EXPECT_TRUE(std::isnan(grid.GetValue(x, y, 0)));
            EXPECT_TRUE(std::isnan(grid.GetCell(x, y, 0)->DrawValue));
            EXPECT_EQ(grid.GetCell(x, y, 0)->Fix, nullptr);
        }
    EXPECT_EQ(grid.XFrom, -1);
    EXPECT_EQ(grid.ZTo, -1);
    for (float s : grid.Statistics) EXPECT_TRUE(std::isnan(s));
    EXPECT_TRUE(std::isnan(grid.ColorMin));
}

TEST(DataGrid, OnCellFiresPerReleasedAndPerInitialisedCell)
{
    int calls = 0;  // outlives the grid, whose destructor releases its cells through OnCell
    TDataGrid grid;
    grid.OnCell = [&](TDataGrid* sender, void* data) {
        EXPECT_EQ(sender, &grid);
        EXPECT_EQ(data, nullptr);
        ++calls;
    };
    grid.SetSize(2, 3, 4);
    EXPECT_EQ(calls, 24);
    grid.SetSize(1, 1, 1);
    EXPECT_EQ(calls, 24 + 24 + 1);
}

TEST(DataGrid, RefusesMoreCellsThanTheLimitAndKeepsItsCells)
{
    TDataGrid grid;
    grid.SetSize(2, 2, 2);
    grid.GetCell(1, 1, 1)->Value = 3.0f;
    EXPECT_THROW(grid.SetSize(100000, 100000, 100000), std::length_error);
    EXPECT_EQ(grid.GetValue(1, 1, 1), 3.0f);
}

}  // namespace
