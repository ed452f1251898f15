#include "scan/render/DataGridView.h"

#include <cmath>

#include "scan/render/RenderSink.h"
#include "scan/model/_TColorManager.h"
#include "scan/model/_TDataGrid.h"

namespace {

// An orthographic range must not be empty: equal bounds are widened by half a cell.
void Widen(double& Low, double& High)
{
    if (Low == High) {
        Low -= 0.5;
        High += 0.5;
    }
}

}  // namespace

void PaintDataGridCells(TDataGrid* Grid, const TColorManager* Colors, TRenderSink& Sink)
{
    if (!Grid) return;
    for (int i = 0; i < 3; ++i)
        if (std::isnan(Grid->Statistics[size_t(i)])) return;
    if (std::isnan(Grid->ColorMin) || std::isnan(Grid->ColorMax)) return;

    const int32_t xMin = Grid->XFrom, xMax = Grid->XTo, yMin = Grid->YFrom, yMax = Grid->YTo;
    if (xMax < xMin || yMax < yMin) return;
    const float minimum = Grid->ColorMin, maximum = Grid->ColorMax;
    const double cx = xMin + (double(xMax) - xMin) / 2;
    const double cy = yMin + (double(yMax) - yMin) / 2;
    const double cz = minimum + (double(maximum) - minimum) / 2;

    double left = xMin - cx, right = xMax - cx, bottom = yMin - cy, top = yMax - cy;
    double nearZ = minimum - cz, farZ = maximum - cz;
    Widen(left, right);
    Widen(bottom, top);
    Widen(nearZ, farZ);

    // The grid is drawn in its own cell units: no camera or mode of an earlier view applies.
    const TViewScope view(Sink);
    Sink.MatrixMode(TMatrixMode::Projection);
    Sink.LoadIdentity();
    Sink.Ortho(left, right, bottom, top, nearZ, farZ);
    Sink.LineWidth(1.0f);
    Sink.PolygonOutline(false);
    Sink.Begin(TPrimitive::Quads);
    for (int32_t x = xMin; x <= xMax; ++x) {
        for (int32_t y = yMin; y <= yMax; ++y) {
            TDataCell* cell = Grid->GetCell(x, y, 0);
            if (!cell || std::isnan(cell->Value)) continue;
            const TRGBColor color = Colors ? Colors->ColorOfValue(cell->Value, minimum, maximum) : TRGBColor{255, 255, 255};
            Sink.Color(color.R, color.G, color.B);
            cell->DrawValue = cell->Value;
            const float z = float(cell->DrawValue - cz);
            const float x0 = float(x - cx - 0.5), x1 = float(x - cx + 0.5);
            const float y0 = float(y - cy - 0.5), y1 = float(y - cy + 0.5);
            Sink.Vertex(x0, y0, z);
            Sink.Vertex(x1, y0, z);
            Sink.Vertex(x1, y1, z);
            Sink.Vertex(x0, y1, z);
        }
    }
    Sink.End();
}
