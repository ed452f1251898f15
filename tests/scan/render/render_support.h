// Shared by the renderer's tests: scans built through the receive protocol, and sinks that
// record what the renderer would draw.
#pragma once

#include <cmath>
#include <cstdio>
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

// What a drawing goes through when it is made: the matrix steps since the last identity,
// projection first and then model-view (so that a step moved from one matrix to the other
// without changing their product compares equal), and the state of the last state calls.
struct TDrawState {
    std::vector<std::string> Transform;  // e.g. "Ortho 0 5 0 7", "Translate 2.5 3.5 0"
    bool Outline = false;
    bool Smoothing = false;
    bool Stipple = false;
    float LineWidth = 0.0f;  // 0: the renderer's default thin line
    bool InList = false;     // made while a display list was compiled
};

struct TRecordedPrimitive {
    TPrimitive Kind;
    std::vector<TRecordedVertex> Vertices;
    TDrawState State = {};
    int List = 0;  // the number of the list it went into (counted from 1 at each NewList), 0 for none
    std::vector<uint8_t> Edges;  // drawn from arrays with edge flags: one per vertex
};

// The triangles a primitive draws: a polygon the fan of its corners, quads two each.
inline uint64_t TrianglesOf(const TRecordedPrimitive& P)
{
    const uint64_t n = P.Vertices.size();
    switch (P.Kind) {
    case TPrimitive::Polygon: return n >= 3 ? n - 2 : 0;
    case TPrimitive::Triangles: return n / 3;
    case TPrimitive::Quads: return n / 4 * 2;
    case TPrimitive::Lines: return 0;
    }
    return 0;
}

// Records primitives; render calls other than geometry go into Calls as short texts.
class TRecordingSink : public TRenderSink {
public:
    std::vector<TRecordedPrimitive> Primitives;
    std::vector<TDrawState> ListsCalled;  // the state at each CallList
    std::vector<std::string> Calls;
    struct TOrtho {
        double Left, Right, Bottom, Top, Near, Far;
    };
    std::vector<TOrtho> Orthos;
    int Open = 0;  // Begin without End, must end at 0
    int Lists = 0;  // NewList calls so far
    std::vector<std::string> ListNames;  // "New 1200", "Call 1201", "Delete 1200" in order
    // The next lists this many come out incomplete for lack of memory, as a driver reports it
    // once the list is closed (TakeOutOfMemory after EndList).
    int ListsOutOfMemory = 0;

    // The triangles drawn into list number List.
    uint64_t ListTriangles(int List) const
    {
        uint64_t n = 0;
        for (const auto& p : Primitives)
            n += p.List == List ? TrianglesOf(p) : 0;
        return n;
    }

    void Clear()
    {
        ListNames.clear();
        Primitives.clear();
        ListsCalled.clear();
        Calls.clear();
        Orthos.clear();
    }
    TDrawState State() const
    {
        TDrawState s = state_;
        s.Transform = matrix_[0];
        s.Transform.insert(s.Transform.end(), matrix_[1].begin(), matrix_[1].end());
        return s;
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
        Primitives.push_back({Kind, {}, State(), state_.InList ? Lists : 0, {}});
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
    // Arrays are recorded as one primitive, with their edge flags.
    void DrawArrays(TPrimitive Kind, const TArrayVertex* Vertices, const uint8_t* EdgeFlags, uint32_t Count) override
    {
        TRenderSink::DrawArrays(Kind, Vertices, EdgeFlags, Count);
        if (EdgeFlags)
            Primitives.back().Edges.assign(EdgeFlags, EdgeFlags + Count);
    }

    void Viewport(int32_t, int32_t, int32_t, int32_t) override { Calls.push_back("Viewport"); }
    void MatrixMode(TMatrixMode Mode) override
    {
        Calls.push_back(Mode == TMatrixMode::Projection ? "Projection" : "ModelView");
        mode_ = Mode == TMatrixMode::Projection ? 0 : 1;
    }
    void LoadIdentity() override
    {
        Calls.push_back("LoadIdentity");
        matrix_[mode_].clear();
    }
    void Ortho(double L, double R, double B, double T, double N, double F) override
    {
        Calls.push_back("Ortho");
        Orthos.push_back({L, R, B, T, N, F});
        Step("Ortho", {L, R, B, T});
    }
    void Rotate(float A, float X, float Y, float Z) override
    {
        Calls.push_back("Rotate");
        Step("Rotate", {A, X, Y, Z});
    }
    void Translate(float X, float Y, float Z) override
    {
        Calls.push_back("Translate");
        Step("Translate", {X, Y, Z});
    }
    void Scale(float X, float Y, float Z) override
    {
        Calls.push_back("Scale");
        Step("Scale", {X, Y, Z});
        LastScale[0] = X;
        LastScale[1] = Y;
        LastScale[2] = Z;
    }
    void ClearDepth() override { Calls.push_back("ClearDepth"); }
    void DeleteList(uint32_t Name) override
    {
        Calls.push_back("DeleteList");
        ListNames.push_back("Delete " + std::to_string(Name));
    }
    void NewList(uint32_t Name) override
    {
        Calls.push_back("NewList");
        ListNames.push_back("New " + std::to_string(Name));
        state_.InList = true;
        ++Lists;
    }
    void EndList() override
    {
        Calls.push_back("EndList");
        state_.InList = false;
        if (ListsOutOfMemory > 0) {
            --ListsOutOfMemory;
            outOfMemory_ = true;
        }
    }
    bool TakeOutOfMemory() override
    {
        const bool was = outOfMemory_;
        outOfMemory_ = false;
        return was;
    }
    void CallList(uint32_t Name) override
    {
        Calls.push_back("CallList");
        ListNames.push_back("Call " + std::to_string(Name));
        ListsCalled.push_back(State());
    }
    void PolygonOutline(bool Outline) override
    {
        Calls.push_back(Outline ? "Outline" : "Fill");
        state_.Outline = Outline;
    }
    void LineWidth(float Width) override
    {
        Calls.push_back("LineWidth");
        state_.LineWidth = Width;
    }
    void LineStipple(bool Enabled, int32_t, uint16_t) override
    {
        Calls.push_back(Enabled ? "Stipple" : "Solid");
        state_.Stipple = Enabled;
    }
    void Smoothing(bool Enabled) override
    {
        Calls.push_back(Enabled ? "SmoothOn" : "SmoothOff");
        state_.Smoothing = Enabled;
    }
    // A view starts from the renderer's defaults: identity matrices with the model-view one
    // current, filled polygons, solid thin lines, no smoothing.
    void BeginView() override
    {
        Calls.push_back("BeginView");
        matrix_[0].clear();
        matrix_[1].clear();
        mode_ = 1;
        state_ = TDrawState{};
    }
    void EndView() override { Calls.push_back("EndView"); }

    float LastScale[3] = {0, 0, 0};

private:
    void Step(const char* Name, std::initializer_list<double> Args)
    {
        std::string text = Name;
        char number[32];
        for (double a : Args) {
            std::snprintf(number, sizeof number, " %g", a);
            text += number;
        }
        matrix_[mode_].push_back(text);
    }

    uint8_t r_ = 0, g_ = 0, b_ = 0;
    bool outOfMemory_ = false;
    std::vector<std::string> matrix_[2];  // projection, model-view
    int mode_ = 1;
    TDrawState state_;
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
