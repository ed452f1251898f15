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

    // Client arrays of positions and colours (and edge flags), enabled for the one draw and
    // disabled again. Inside a list being compiled the vertices are copied into the list.
    void DrawArrays(TPrimitive Kind, const TArrayVertex* Vertices, const uint8_t* EdgeFlags, uint32_t Count) override;

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
    bool TakeOutOfMemory() override;
    void PolygonOutline(bool Outline) override;
    void LineWidth(float Width) override;
    void LineStipple(bool Enabled, int32_t Factor, uint16_t Pattern) override;
    void Smoothing(bool Enabled) override;
    // Push the state a view may change (attributes and both matrices), then apply the
    // renderer's defaults; EndView pops it. Nested views share the outer bracket.
    void BeginView() override;
    void EndView() override;

private:
    int viewDepth_ = 0;
};

// The renderer's drawing state in the current context: clear depth 1, line width 0.1 (one
// pixel), smooth shading, depth test with less-or-equal, nicest line smoothing when it is
// asked for but no smoothing, solid lines, filled polygons, dithering; no blending, lighting,
// culling or texturing; identity matrices. Set when a context is made and at every view.
void ApplyRendererGLState();
