#include "scan/model/_TDataGrid.h"

#include <limits>
#include <stdexcept>

namespace {
constexpr float NaN = std::numeric_limits<float>::quiet_NaN();
}

TDataGrid::TDataGrid()
{
    Flag = 1;
    Setting = 10;
    SetSize(0, 0, 0);
}

TDataGrid::~TDataGrid() { SetSize(0, 0, 0); }

template <typename F>
void TDataGrid::ForEachCell(F&& f)
{
    for (auto& plane : Cells)
        for (auto& column : plane)
            for (TDataCell& cell : column) f(cell);
}

void TDataGrid::SetSize(int32_t NX_, int32_t NY_, int32_t NZ_)
{
    const bool empty = NX_ < 1 || NY_ < 1 || NZ_ < 1;
    if (!empty && int64_t(NX_) * NY_ * NZ_ > MaxCells)
        throw std::length_error("Data grid too large");

    ForEachCell([this](TDataCell& cell) {
        cell.Extra.reset();
        cell.Fix.reset();
        if (OnCell) OnCell(this, nullptr);
    });

    XFrom = YFrom = ZFrom = XTo = YTo = ZTo = -1;
    Statistics.fill(NaN);
    ColorMin = ColorMax = NaN;

    NX = empty ? 0 : NX_;
    NY = empty ? 0 : NY_;
    NZ = empty ? 0 : NZ_;
    Cells.clear();
    Cells.resize(size_t(NX));
    for (auto& plane : Cells) {
        plane.resize(size_t(NY));
        for (auto& column : plane) column.resize(size_t(NZ));
    }

    ForEachCell([this](TDataCell& cell) {
        cell.Value = NaN;
        cell.DrawValue = NaN;
        cell.Fix.reset();
        cell.Extra.reset();
        if (OnCell) OnCell(this, nullptr);
    });
}

bool TDataGrid::Inside(int32_t X, int32_t Y, int32_t Z) const
{
    return X >= 0 && X < NX && Y >= 0 && Y < NY && Z >= 0 && Z < NZ;
}

float TDataGrid::GetValue(int32_t X, int32_t Y, int32_t Z) const
{
    return Inside(X, Y, Z) ? Cells[size_t(X)][size_t(Y)][size_t(Z)].Value : NaN;
}

TDataCell* TDataGrid::GetCell(int32_t X, int32_t Y, int32_t Z)
{
    return Inside(X, Y, Z) ? &Cells[size_t(X)][size_t(Y)][size_t(Z)] : nullptr;
}

const TDataCell* TDataGrid::GetCell(int32_t X, int32_t Y, int32_t Z) const
{
    return Inside(X, Y, Z) ? &Cells[size_t(X)][size_t(Y)][size_t(Z)] : nullptr;
}
