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
    uint8_t r_ = 255, g_ = 255, b_ = 255;
};
