// The drawing calls the scan renderer makes, as an interface. The renderer's geometry and scene
// set-up are portable code that talks only to these sinks; the OpenGL implementation forwards
// them to the current rendering context, and tests implement them to count and measure what
// would be drawn.
#pragma once

#include <cstdint>

enum class TPrimitive : uint8_t { Lines, Triangles, Quads, Polygon };

// What the surface builders emit: primitives made of coloured vertices.
class TGeometrySink {
public:
    virtual ~TGeometrySink() = default;

    virtual void Begin(TPrimitive Primitive) = 0;
    // Colour of the vertices that follow.
    virtual void Color(uint8_t R, uint8_t G, uint8_t B) = 0;
    virtual void Vertex(float X, float Y, float Z) = 0;
    virtual void End() = 0;
};

// A vertex as vertex arrays hold it: the position, then the colour, side by side.
struct TArrayVertex {
    float X, Y, Z;
    uint8_t R, G, B;
    uint8_t Unused;
};
static_assert(sizeof(TArrayVertex) == 16, "position and colour interleave with a stride of 16 bytes");

// Where vertices gathered in memory go, a batch at a time.
class TArrayTarget {
public:
    virtual ~TArrayTarget() = default;

    // Count vertices of Kind (Lines, Triangles or Quads, whole primitives only) from memory, as
    // one primitive. EdgeFlags, when given, holds one flag per vertex: 0 hides the outline edge
    // that starts at that vertex.
    virtual void DrawArrays(TPrimitive Kind, const TArrayVertex* Vertices, const uint8_t* EdgeFlags, uint32_t Count) = 0;
};

enum class TMatrixMode : uint8_t { Projection, ModelView };

// Everything one view needs besides geometry: matrices, the display list, a little state.
class TRenderSink : public TGeometrySink, public TArrayTarget {
public:
    // Window coordinates (from the bottom left) of the area drawn into.
    virtual void Viewport(int32_t X, int32_t Y, int32_t Width, int32_t Height) = 0;

    virtual void MatrixMode(TMatrixMode Mode) = 0;
    virtual void LoadIdentity() = 0;
    // Callers keep left <> right, bottom <> top and near <> far.
    virtual void Ortho(double Left, double Right, double Bottom, double Top, double Near, double Far) = 0;
    virtual void Rotate(float Degrees, float X, float Y, float Z) = 0;
    virtual void Translate(float X, float Y, float Z) = 0;
    virtual void Scale(float X, float Y, float Z) = 0;

    // Clears the depth buffer only.
    virtual void ClearDepth() = 0;

    // Display lists: DeleteList then NewList starts compiling a fresh list; EndList closes it.
    virtual void DeleteList(uint32_t Name) = 0;
    virtual void NewList(uint32_t Name) = 0;
    virtual void EndList() = 0;
    virtual void CallList(uint32_t Name) = 0;
    // Clears the errors the drawing recorded so far; true when memory ran out among them (a
    // list compiled meanwhile is then incomplete). A sink that records no errors has none.
    virtual bool TakeOutOfMemory() { return false; }

    // The default draws the vertices one by one through Begin, Color, Vertex and End, edge
    // flags aside.
    void DrawArrays(TPrimitive Kind, const TArrayVertex* Vertices, const uint8_t* EdgeFlags, uint32_t Count) override;

    // Front and back faces as outlines (true) or filled (false).
    virtual void PolygonOutline(bool Outline) = 0;
    virtual void LineWidth(float Width) = 0;
    // Dashed lines with the given repeat factor and 16-bit pattern, or solid lines.
    virtual void LineStipple(bool Enabled, int32_t Factor, uint16_t Pattern) = 0;
    // Antialiasing of lines and polygons.
    virtual void Smoothing(bool Enabled) = 0;

    // Bracket the drawing of one view (see TViewScope). BeginView keeps the caller's drawing
    // state and sets everything a view relies on to the renderer's defaults: identity matrices,
    // filled polygons, solid thin lines, no smoothing, depth test. EndView gives the caller its
    // state back, so nothing one view sets reaches what is drawn after it. A sink that keeps no
    // drawing state has nothing to do.
    virtual void BeginView() {}
    virtual void EndView() {}
};

inline void TRenderSink::DrawArrays(TPrimitive Kind, const TArrayVertex* Vertices, const uint8_t*, uint32_t Count)
{
    Begin(Kind);
    for (uint32_t i = 0; i < Count; ++i) {
        Color(Vertices[i].R, Vertices[i].G, Vertices[i].B);
        Vertex(Vertices[i].X, Vertices[i].Y, Vertices[i].Z);
    }
    End();
}

// One view's drawing: BeginView now, EndView however the scope ends.
class TViewScope {
public:
    explicit TViewScope(TRenderSink& Sink) : sink_(Sink) { sink_.BeginView(); }
    ~TViewScope() { sink_.EndView(); }
    TViewScope(const TViewScope&) = delete;
    TViewScope& operator=(const TViewScope&) = delete;

private:
    TRenderSink& sink_;
};
