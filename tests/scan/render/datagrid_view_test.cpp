// The data grid's cells drawn through the render sink: positions, colours and projection, and
// nothing drawn for a grid without statistics.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

#include "scan/render/DataGridView.h"
#include "scan/render/RenderSink.h"
#include "scan/model/_TColorManager.h"
#include "scan/model/_TDataGrid.h"

namespace {

// Records what the painter sends to the sink.
struct RecordingSink : TRenderSink {
    std::vector<std::array<float, 3>> vertices;
    std::vector<std::array<int, 3>> colors;
    std::array<double, 6> ortho{};
    int begins = 0, ends = 0;
    void Begin(TPrimitive p) override
    {
        EXPECT_EQ(p, TPrimitive::Quads);
        ++begins;
    }
    void Color(uint8_t r, uint8_t g, uint8_t b) override { colors.push_back({r, g, b}); }
    void Vertex(float x, float y, float z) override { vertices.push_back({x, y, z}); }
    void End() override { ++ends; }
    void Viewport(int32_t, int32_t, int32_t, int32_t) override {}
    void MatrixMode(TMatrixMode) override {}
    void LoadIdentity() override {}
    void Ortho(double l, double r, double b, double t, double n, double f) override { ortho = {l, r, b, t, n, f}; }
    void Rotate(float, float, float, float) override {}
    void Translate(float, float, float) override {}
    void Scale(float, float, float) override {}
    void ClearDepth() override {}
    void DeleteList(uint32_t) override {}
    void NewList(uint32_t) override {}
    void EndList() override {}
    void CallList(uint32_t) override {}
    void PolygonOutline(bool) override {}
    void LineWidth(float) override {}
    void LineStipple(bool, int32_t, uint16_t) override {}
    void Smoothing(bool) override {}
};

TEST(DataGridView, DrawsTheWindowCellsAsColouredSquares)
{
    TDataGrid grid;
    grid.SetSize(3, 3, 1);
    grid.XFrom = 0;
    grid.XTo = 2;
    grid.YFrom = 1;
    grid.YTo = 2;
    grid.Statistics[0] = grid.Statistics[1] = grid.Statistics[2] = 0.0f;
    grid.ColorMin = 0.0f;
    grid.ColorMax = 10.0f;
    grid.GetCell(2, 2, 0)->Value = 10.0f;
    grid.GetCell(0, 1, 0)->Value = 0.0f;
    grid.GetCell(1, 0, 0)->Value = 4.0f;  // outside the window

    TColorManager colors;
    colors.SetColorScheme(0, 0.0f, 10.0f, 5.0f);
    RecordingSink sink;
    PaintDataGridCells(&grid, &colors, sink);
    EXPECT_EQ(sink.begins, 1);
    EXPECT_EQ(sink.ends, 1);
    ASSERT_EQ(sink.vertices.size(), 8u);
    // Centre (1, 1.5, 5): cell (0, 1) spans x -1.5..-0.5, y -1..0 at z -5.
    EXPECT_FLOAT_EQ(sink.vertices[0][0], -1.5f);
    EXPECT_FLOAT_EQ(sink.vertices[0][1], -1.0f);
    EXPECT_FLOAT_EQ(sink.vertices[0][2], -5.0f);
    EXPECT_FLOAT_EQ(sink.vertices[6][0], 1.5f);
    EXPECT_FLOAT_EQ(sink.vertices[6][1], 1.0f);
    EXPECT_EQ(sink.ortho, (std::array<double, 6>{-1, 1, -0.5, 0.5, -5, 5}));
    const TRGBColor top = colors.ColorOfValue(10.0f, 0.0f, 10.0f);
    EXPECT_EQ(sink.colors[1], (std::array<int, 3>{top.R, top.G, top.B}));
    EXPECT_EQ(grid.GetCell(2, 2, 0)->DrawValue, 10.0f);
    EXPECT_TRUE(std::isnan(grid.GetCell(1, 0, 0)->DrawValue));

    // Without a colour manager the squares are white; one column and a flat range still
    // give a valid projection.
    grid.XTo = 0;
    grid.ColorMax = 0.0f;
    RecordingSink white;
    PaintDataGridCells(&grid, nullptr, white);
    ASSERT_EQ(white.colors.size(), 1u);
    EXPECT_EQ(white.colors[0], (std::array<int, 3>{255, 255, 255}));
    EXPECT_LT(white.ortho[0], white.ortho[1]);
    EXPECT_LT(white.ortho[4], white.ortho[5]);
    EXPECT_EQ(white.ortho[0], -white.ortho[1]) << "widened on both sides, centred";
    EXPECT_EQ(white.ortho[4], -white.ortho[5]);
}

TEST(DataGridView, DrawsNothingWithANaNStatisticOrAWindowOutsideTheGrid)
{
    TDataGrid grid;
    grid.SetSize(2, 2, 1);
    grid.GetCell(0, 0, 0)->Value = 1.0f;
    RecordingSink sink;
    PaintDataGridCells(&grid, nullptr, sink);  // statistics NaN after the resize
    EXPECT_EQ(sink.begins, 0);

    grid.Statistics[0] = grid.Statistics[1] = grid.Statistics[2] = 1.0f;
    grid.ColorMin = 0.0f;
    grid.ColorMax = 1.0f;
    grid.XFrom = -5;
    grid.XTo = 7;
    grid.YFrom = -1;
    grid.YTo = 3;
    PaintDataGridCells(&grid, nullptr, sink);
    EXPECT_EQ(sink.vertices.size(), 4u);  // only the one filled cell inside the grid
    PaintDataGridCells(nullptr, nullptr, sink);
}

}  // namespace
