// Shared by the renderer's tests: scans built through the receive protocol, and sinks that
// record what the renderer would draw.
#pragma once

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "scan/render/RenderSink.h"
#include "scan/model/_TColorManager.h"
#include "scan/model/_TScanData.h"

namespace render_test {

// Fills Scan with Columns x Rows points, row by row from row 0; Value(column, row) gives each
// reading (NaN for a missing one).
inline void ReceiveGrid(TScanData& Scan, int Columns, int Rows, const std::function<float(int, int)>& Value)
{
    Scan.SetLineOrder(1);
    Scan.SetReverse(0);
    Scan.SetPointsPerLine(static_cast<uint32_t>(Columns));
    Scan.SetLinesPerBlock(static_cast<uint32_t>(Rows));
    Scan.BeginReceive(0);
    for (int row = 0; row < Rows; ++row)
        for (int col = 0; col < Columns; ++col) {
            TScanRecord r;
            r.Value = Value(col, row);
            r.X = static_cast<float>(col);
            r.Y = static_cast<float>(row);
            Scan.AddScanPoint(r);
        }
    Scan.EndReceive();
}

// Fills Scan as the scan files do: one point per line, each block one column of Rows points
// (parallel order, bottom to top), Columns blocks.
inline void ReceiveColumns(TScanData& Scan, int Columns, int Rows, const std::function<float(int, int)>& Value)
{
    Scan.SetLineOrder(1);
    Scan.SetReverse(0);
    Scan.SetPointsPerLine(1);
    Scan.SetLinesPerBlock(static_cast<uint32_t>(Rows));
    Scan.BeginReceive(0);
    for (int col = 0; col < Columns; ++col)
        for (int row = 0; row < Rows; ++row) {
            TScanRecord r;
            r.Value = Value(col, row);
            Scan.AddScanPoint(r);
        }
    Scan.EndReceive();
}

// A smooth hill with a dip, values roughly 0..100: every band of the colour scale occurs.
inline float Hill(int Col, int Row, int Columns, int Rows)
{
    const double x = (Col - Columns * 0.5) / (Columns * 0.3);
    const double y = (Row - Rows * 0.5) / (Rows * 0.3);
    return static_cast<float>(100.0 * std::exp(-(x * x + y * y)) + 5.0 * std::sin(Col * 0.7) * std::cos(Row * 0.3));
}

// A colour manager with every stop enabled, and the variable the scan reads it through.
struct TColors {
    TColors() { Manager.SetAllStopsEnabled(1); }
    TColorManager Manager;
    TColorManager* Var = &Manager;
};

struct TRecordedVertex {
    float X, Y, Z;
    uint8_t R, G, B;
};

struct TRecordedPrimitive {
    TPrimitive Kind;
    std::vector<TRecordedVertex> Vertices;
};

// Records primitives; render calls other than geometry go into Calls as short texts.
class TRecordingSink : public TRenderSink {
public:
    std::vector<TRecordedPrimitive> Primitives;
    std::vector<std::string> Calls;
    struct TOrtho {
        double Left, Right, Bottom, Top, Near, Far;
    };
    std::vector<TOrtho> Orthos;
    int Open = 0;  // Begin without End, must end at 0

    void Clear()
    {
        Primitives.clear();
        Calls.clear();
        Orthos.clear();
    }
    size_t Count(const std::string& Call) const
    {
        size_t n = 0;
        for (const auto& c : Calls)
            n += c == Call ? 1 : 0;
        return n;
    }
    size_t CountPrimitives(TPrimitive Kind) const
    {
        size_t n = 0;
        for (const auto& p : Primitives)
            n += p.Kind == Kind ? 1 : 0;
        return n;
    }

    void Begin(TPrimitive Kind) override
    {
        ++Open;
        Primitives.push_back({Kind, {}});
    }
    void Color(uint8_t R, uint8_t G, uint8_t B) override
    {
        r_ = R;
        g_ = G;
        b_ = B;
    }
    void Vertex(float X, float Y, float Z) override
    {
        if (Open > 0)
            Primitives.back().Vertices.push_back({X, Y, Z, r_, g_, b_});
    }
    void End() override { --Open; }

    void Viewport(int32_t, int32_t, int32_t, int32_t) override { Calls.push_back("Viewport"); }
    void MatrixMode(TMatrixMode Mode) override
    {
        Calls.push_back(Mode == TMatrixMode::Projection ? "Projection" : "ModelView");
    }
    void LoadIdentity() override { Calls.push_back("LoadIdentity"); }
    void Ortho(double L, double R, double B, double T, double N, double F) override
    {
        Calls.push_back("Ortho");
        Orthos.push_back({L, R, B, T, N, F});
    }
    void Rotate(float, float, float, float) override { Calls.push_back("Rotate"); }
    void Translate(float, float, float) override { Calls.push_back("Translate"); }
    void Scale(float X, float Y, float Z) override
    {
        Calls.push_back("Scale");
        LastScale[0] = X;
        LastScale[1] = Y;
        LastScale[2] = Z;
    }
    void ClearDepth() override { Calls.push_back("ClearDepth"); }
    void DeleteList(uint32_t) override { Calls.push_back("DeleteList"); }
    void NewList(uint32_t) override { Calls.push_back("NewList"); }
    void EndList() override { Calls.push_back("EndList"); }
    void CallList(uint32_t) override { Calls.push_back("CallList"); }
    void PolygonOutline(bool Outline) override { Calls.push_back(Outline ? "Outline" : "Fill"); }
    void LineWidth(float) override { Calls.push_back("LineWidth"); }
    void LineStipple(bool Enabled, int32_t, uint16_t) override { Calls.push_back(Enabled ? "Stipple" : "Solid"); }
    void Smoothing(bool Enabled) override { Calls.push_back(Enabled ? "SmoothOn" : "SmoothOff"); }
    void BeginView() override { Calls.push_back("BeginView"); }
    void EndView() override { Calls.push_back("EndView"); }

    float LastScale[3] = {0, 0, 0};

private:
    uint8_t r_ = 0, g_ = 0, b_ = 0;
};

// Twice the signed area of a polygon's projection on the x-y plane.
inline double AreaXY(const std::vector<TRecordedVertex>& V)
{
    double a = 0.0;
    for (size_t i = 0; i < V.size(); ++i) {
        const auto& p = V[i];
        const auto& q = V[(i + 1) % V.size()];
        a += double(p.X) * q.Y - double(q.X) * p.Y;
    }
    return std::fabs(a) / 2.0;
}

}  // namespace render_test
