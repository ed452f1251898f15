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
    if (viewDepth_++ > 0)
        return;
    glPushAttrib(kViewAttributes);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    ApplyRendererGLState();
}

void TOpenGLSink::EndView()
{
    if (viewDepth_ == 0 || --viewDepth_ > 0)
        return;
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    glPopMatrix();
    glPopAttrib();  // the caller's matrix mode too
}

void TOpenGLSink::Begin(TPrimitive Primitive)
{
    glBegin(ToGL(Primitive));
}

void TOpenGLSink::Color(uint8_t R, uint8_t G, uint8_t B)
{
    glColor3ub(R, G, B);
}

void TOpenGLSink::Vertex(float X, float Y, float Z)
{
    glVertex3f(X, Y, Z);
}

void TOpenGLSink::End()
{
    glEnd();
}

void TOpenGLSink::DrawArrays(TPrimitive Kind, const TArrayVertex* Vertices, const uint8_t* EdgeFlags, uint32_t Count)
{
    if (Count == 0)
        return;
    // Only these arrays feed the draw; each is set here and switched off again after it.
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_INDEX_ARRAY);
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glVertexPointer(3, GL_FLOAT, sizeof(TArrayVertex), &Vertices->X);
    glColorPointer(3, GL_UNSIGNED_BYTE, sizeof(TArrayVertex), &Vertices->R);
    if (EdgeFlags) {
        glEnableClientState(GL_EDGE_FLAG_ARRAY);
        glEdgeFlagPointer(0, EdgeFlags);
    } else {
        glDisableClientState(GL_EDGE_FLAG_ARRAY);
    }
    glDrawArrays(ToGL(Kind), 0, static_cast<GLsizei>(Count));
    if (EdgeFlags)
        glDisableClientState(GL_EDGE_FLAG_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
}

void TOpenGLSink::Viewport(int32_t X, int32_t Y, int32_t Width, int32_t Height)
{
    const POINT offset = Window ? Window->BottomLeftOffset() : POINT{0, 0};
    glViewport(X - offset.x, Y - offset.y, Width, Height);
}

void TOpenGLSink::MatrixMode(TMatrixMode Mode)
{
    glMatrixMode(Mode == TMatrixMode::Projection ? GL_PROJECTION : GL_MODELVIEW);
}

void TOpenGLSink::LoadIdentity()
{
    glLoadIdentity();
}

void TOpenGLSink::Ortho(double Left, double Right, double Bottom, double Top, double Near, double Far)
{
    glOrtho(Left, Right, Bottom, Top, Near, Far);
}

void TOpenGLSink::Rotate(float Degrees, float X, float Y, float Z)
{
    glRotatef(Degrees, X, Y, Z);
}

void TOpenGLSink::Translate(float X, float Y, float Z)
{
    glTranslatef(X, Y, Z);
}

void TOpenGLSink::Scale(float X, float Y, float Z)
{
    glScalef(X, Y, Z);
}

void TOpenGLSink::ClearDepth()
{
    glClear(GL_DEPTH_BUFFER_BIT);
}

void TOpenGLSink::DeleteList(uint32_t Name)
{
    glDeleteLists(Name, 1);
}

void TOpenGLSink::NewList(uint32_t Name)
{
    glNewList(Name, GL_COMPILE);
}

void TOpenGLSink::EndList()
{
    glEndList();
}

void TOpenGLSink::CallList(uint32_t Name)
{
    glCallList(Name);
}

bool TOpenGLSink::TakeOutOfMemory()
{
    // The errors queue up one per kind; a handful of reads takes them all.
    bool outOfMemory = false;
    for (int i = 0; i < 32; ++i) {
        const GLenum error = glGetError();
        if (error == GL_NO_ERROR)
            break;
        outOfMemory = outOfMemory || error == GL_OUT_OF_MEMORY;
    }
    return outOfMemory;
}

void TOpenGLSink::PolygonOutline(bool Outline)
{
    glPolygonMode(GL_FRONT_AND_BACK, Outline ? GL_LINE : GL_FILL);
}

void TOpenGLSink::LineWidth(float Width)
{
    glLineWidth(Width);
}

void TOpenGLSink::LineStipple(bool Enabled, int32_t Factor, uint16_t Pattern)
{
    if (Enabled) {
        glLineStipple(Factor, Pattern);
        glEnable(GL_LINE_STIPPLE);
    } else {
        glDisable(GL_LINE_STIPPLE);
    }
}

void TOpenGLSink::Smoothing(bool Enabled)
{
    if (Enabled) {
        glEnable(GL_LINE_SMOOTH);
        glEnable(GL_POLYGON_SMOOTH);
    } else {
        glDisable(GL_LINE_SMOOTH);
        glDisable(GL_POLYGON_SMOOTH);
    }
}
