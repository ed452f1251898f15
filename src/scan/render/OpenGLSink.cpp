#include "scan/render/OpenGLSink.h"

#include "scan/render/GLChildWindow.h"

#include <windows.h>
#include <GL/gl.h>

namespace {

GLenum ToGL(TPrimitive Primitive)
{
    switch (Primitive) {
    case TPrimitive::Lines: return GL_LINES;
    case TPrimitive::Triangles: return GL_TRIANGLES;
    case TPrimitive::Quads: return GL_QUADS;
    case TPrimitive::Polygon: return GL_POLYGON;
    }
    return GL_POINTS;
}

// Everything a view may change: enables, polygon and line modes, depth, shading, hints,
// colour and edge flag, blending and dithering, and the matrix mode.
constexpr GLbitfield kViewAttributes = GL_ENABLE_BIT | GL_POLYGON_BIT | GL_LINE_BIT | GL_DEPTH_BUFFER_BIT |
                                       GL_LIGHTING_BIT | GL_HINT_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT |
                                       GL_TRANSFORM_BIT;

}  // namespace

void ApplyRendererGLState()
{
    glClearDepth(1.0);
    glLineWidth(0.1f);
    glShadeModel(GL_SMOOTH);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
    glDisable(GL_LINE_SMOOTH);
    glDisable(GL_POLYGON_SMOOTH);
    glDisable(GL_LINE_STIPPLE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glEdgeFlag(GL_TRUE);
    glEnable(GL_DITHER);
    glEnable(GL_DEPTH_TEST);
    glDisable(GL_BLEND);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}

TOpenGLSink::~TOpenGLSink() = default;

void TOpenGLSink::BeginView()
{
    CloseBatch();
    if (viewDepth_++ > 0)
        return;
    glPushAttrib(kViewAttributes);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    outlineBeforeView_ = outline_;
    outline_ = false;
    ApplyRendererGLState();
}

void TOpenGLSink::EndView()
{
    CloseBatch();
    if (viewDepth_ == 0 || --viewDepth_ > 0)
        return;
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();  // the caller's matrix mode too
    outline_ = outlineBeforeView_;
}

void TOpenGLSink::CloseBatch()
{
    if (!batchOpen_)
        return;
    glEnd();
    glEdgeFlag(GL_TRUE);
    batchOpen_ = false;
}

void TOpenGLSink::EmitFan()
{
    if (polygonCount_ < 3)
        return;  // a polygon of fewer than three corners covers no pixel
    if (!batchOpen_) {
        glBegin(GL_TRIANGLES);
        batchOpen_ = true;
    }
    const int last = polygonCount_ - 1;
    auto put = [this](int i, bool boundaryEdgeFollows) {
        const TPolygonVertex& v = polygon_[i];
        if (outline_)
            glEdgeFlag(boundaryEdgeFollows ? GL_TRUE : GL_FALSE);
        glColor3ub(v.R, v.G, v.B);
        glVertex3f(v.X, v.Y, v.Z);
    };
    for (int i = 1; i < last; ++i) {
        put(0, i == 1);          // edge 0 -> i is the polygon's own only for the first fan
        put(i, true);            // edge i -> i+1 always lies on the polygon's outline
        put(i + 1, i + 1 == last);  // edge i+1 -> 0 only for the last fan
    }
}

void TOpenGLSink::Begin(TPrimitive Primitive)
{
    if (Primitive == TPrimitive::Polygon) {
        inPolygon_ = true;
        polygonCount_ = 0;
        return;
    }
    CloseBatch();
    glBegin(ToGL(Primitive));
}

void TOpenGLSink::Color(uint8_t R, uint8_t G, uint8_t B)
{
    if (inPolygon_) {
        r_ = R;
        g_ = G;
        b_ = B;
        return;
    }
    glColor3ub(R, G, B);
}

void TOpenGLSink::Vertex(float X, float Y, float Z)
{
    if (inPolygon_) {
        if (polygonCount_ < kMaxPolygonVertices)
            polygon_[polygonCount_++] = TPolygonVertex{X, Y, Z, r_, g_, b_};
        return;
    }
    glVertex3f(X, Y, Z);
}

void TOpenGLSink::End()
{
    if (inPolygon_) {
        EmitFan();
        inPolygon_ = false;
        return;
    }
    glEnd();
}

void TOpenGLSink::Viewport(int32_t X, int32_t Y, int32_t Width, int32_t Height)
{
    CloseBatch();
    const POINT offset = Window ? Window->BottomLeftOffset() : POINT{0, 0};
    glViewport(X - offset.x, Y - offset.y, Width, Height);
}

void TOpenGLSink::MatrixMode(TMatrixMode Mode)
{
    CloseBatch();
    glMatrixMode(Mode == TMatrixMode::Projection ? GL_PROJECTION : GL_MODELVIEW);
}

void TOpenGLSink::LoadIdentity()
{
    CloseBatch();
    glLoadIdentity();
}

void TOpenGLSink::Ortho(double Left, double Right, double Bottom, double Top, double Near, double Far)
{
    CloseBatch();
    glOrtho(Left, Right, Bottom, Top, Near, Far);
}

void TOpenGLSink::Rotate(float Degrees, float X, float Y, float Z)
{
    CloseBatch();
    glRotatef(Degrees, X, Y, Z);
}

void TOpenGLSink::Translate(float X, float Y, float Z)
{
    CloseBatch();
    glTranslatef(X, Y, Z);
}

void TOpenGLSink::Scale(float X, float Y, float Z)
{
    CloseBatch();
    glScalef(X, Y, Z);
}

void TOpenGLSink::ClearDepth()
{
    CloseBatch();
    glClear(GL_DEPTH_BUFFER_BIT);
}

void TOpenGLSink::DeleteList(uint32_t Name)
{
    CloseBatch();
    glDeleteLists(Name, 1);
}

void TOpenGLSink::NewList(uint32_t Name)
{
    CloseBatch();
    glNewList(Name, GL_COMPILE);
}

void TOpenGLSink::EndList()
{
    CloseBatch();
    glEndList();
}

void TOpenGLSink::CallList(uint32_t Name)
{
    CloseBatch();
    glCallList(Name);
}

void TOpenGLSink::PolygonOutline(bool Outline)
{
    CloseBatch();
    outline_ = Outline;
    glPolygonMode(GL_FRONT_AND_BACK, Outline ? GL_LINE : GL_FILL);
}

void TOpenGLSink::LineWidth(float Width)
{
    CloseBatch();
    glLineWidth(Width);
}

void TOpenGLSink::LineStipple(bool Enabled, int32_t Factor, uint16_t Pattern)
{
    CloseBatch();
    if (Enabled) {
        glLineStipple(Factor, Pattern);
        glEnable(GL_LINE_STIPPLE);
    } else {
        glDisable(GL_LINE_STIPPLE);
    }
}

void TOpenGLSink::Smoothing(bool Enabled)
{
    CloseBatch();
    if (Enabled) {
        glEnable(GL_LINE_SMOOTH);
        glEnable(GL_POLYGON_SMOOTH);
    } else {
        glDisable(GL_LINE_SMOOTH);
        glDisable(GL_POLYGON_SMOOTH);
    }
}
