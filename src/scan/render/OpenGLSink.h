// The render sink that draws with OpenGL 1.1 into the current rendering context.
#pragma once

#include "scan/render/RenderSink.h"

#include <cstdint>

class TGLChildWindow;

class TOpenGLSink : public TRenderSink {
public:
    ~TOpenGLSink() override;

    // When set, viewports are given in the coordinates of this window's parent (from the
    // parent client area's bottom left) and shifted to the drawing window at each call.
    const TGLChildWindow* Window = nullptr;

    void Begin(TPrimitive Primitive) override;
    void Color(uint8_t R, uint8_t G, uint8_t B) override;
    void Vertex(float X, float Y, float Z) override;
    void End() override;

    void Viewport(int32_t X, int32_t Y, int32_t Width, int32_t Height) override;
    void MatrixMode(TMatrixMode Mode) override;
    void LoadIdentity() override;
    void Ortho(double Left, double Right, double Bottom, double Top, double Near, double Far) override;
    void Rotate(float Degrees, float X, float Y, float Z) override;
    void Translate(float X, float Y, float Z) override;
    void Scale(float X, float Y, float Z) override;
    void ClearDepth() override;
    void DeleteList(uint32_t Name) override;
    void NewList(uint32_t Name) override;
    void EndList() override;
    void CallList(uint32_t Name) override;
    void PolygonOutline(bool Outline) override;
    void LineWidth(float Width) override;
    void LineStipple(bool Enabled, int32_t Factor, uint16_t Pattern) override;
    void Smoothing(bool Enabled) override;
    // Push the state a view may change (attributes and both matrices), then apply the
    // renderer's defaults; EndView pops it. Nested views share the outer bracket.
    void BeginView() override;
    void EndView() override;

private:
    // Convex polygons are collected and sent as fans inside one open triangle batch: a long run
    // of small polygons then costs one primitive instead of thousands. In outline mode edge
    // flags hide the fans' inner edges, so the outlines are those of the polygons.
    struct TPolygonVertex {
        float X, Y, Z;
        uint8_t R, G, B;
    };
    static constexpr int kMaxPolygonVertices = 64;

    void CloseBatch();
    void EmitFan();

    TPolygonVertex polygon_[kMaxPolygonVertices] = {};
    int polygonCount_ = 0;
    bool inPolygon_ = false;
    bool batchOpen_ = false;
    bool outline_ = false;
    bool outlineBeforeView_ = false;
    int viewDepth_ = 0;
    uint8_t r_ = 255, g_ = 255, b_ = 255;
};

// The renderer's drawing state in the current context: clear depth 1, line width 0.1 (one
// pixel), smooth shading, depth test with less-or-equal, nicest line smoothing when it is
// asked for but no smoothing, solid lines, filled polygons, dithering; no blending, lighting,
// culling or texturing; identity matrices. Set when a context is made and at every view.
void ApplyRendererGLState();
