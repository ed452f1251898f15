// A three-dimensional grid of measurement cells [x][y][z] with a window of index bounds and
// value statistics; the main window draws the window's cells of layer 0 (DataGridView.h).
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// The GPS fix a live receiver attaches to a cell: two Singles and a 16-bit value.
struct TGpsFix {
    float First = 0.0f;
    float Second = 0.0f;
    uint16_t Extra = 0;
};

struct TDataCell {
    int32_t Unused0 = 0, Unused1 = 0, Unused2 = 0;
    float Value = 0.0f;  // NaN when empty
    int32_t Unused3 = 0;
    float DrawValue = 0.0f;  // NaN when empty; the painter copies Value into it
    std::unique_ptr<TGpsFix> Fix;                  // first owned block
    std::unique_ptr<std::vector<uint8_t>> Extra;   // second owned block
};

using TDataField = std::vector<std::vector<std::vector<TDataCell>>>;

class TDataGrid {
public:
    // More cells than this are refused: a 32-bit process could not hold them.
    static constexpr int64_t MaxCells = 16 * 1024 * 1024;

    TDataGrid();
    ~TDataGrid();
    TDataGrid(const TDataGrid&) = delete;
    TDataGrid& operator=(const TDataGrid&) = delete;

    TDataField Cells;
    int32_t NX = 0, NY = 0, NZ = 0;
    int32_t XFrom = -1, YFrom = -1, ZFrom = -1, XTo = -1, YTo = -1, ZTo = -1;
    // Statistics 1 to 6; nothing is drawn while any of the first three is NaN.
    std::array<float, 6> Statistics{};
    float ColorMin = 0.0f;  // the colour range of the painter
    float ColorMax = 0.0f;
    uint8_t Flag = 1;
    uint16_t Setting = 10;

    // Fired once per released cell and once per initialised cell; the second argument is
    // always nullptr.
    std::function<void(TDataGrid* Sender, void* Data)> OnCell;

    // Sizes below 1 in any dimension give an empty grid. Throws std::length_error (and
    // changes nothing) when the grid would exceed MaxCells.
    void SetSize(int32_t NX, int32_t NY, int32_t NZ);

    float GetValue(int32_t X, int32_t Y, int32_t Z) const;
    TDataCell* GetCell(int32_t X, int32_t Y, int32_t Z);
    const TDataCell* GetCell(int32_t X, int32_t Y, int32_t Z) const;

private:
    template <typename F>
    void ForEachCell(F&& f);
    bool Inside(int32_t X, int32_t Y, int32_t Z) const;
};
