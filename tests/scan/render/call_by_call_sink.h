// A geometry sink that compiles what it gets call by call, as display lists were compiled
// before they were batched into arrays: the reference the renderer's tests and benchmark
// compare the batched lists with.
#pragma once

#include <windows.h>
#include <GL/gl.h>

#include <array>
#include <vector>

#include "scan/render/RenderSink.h"

namespace render_test {

// Lists as they were compiled call by call: each polygon a fan inside one batch of
// triangles (with edge flags for outlines), a colour and a vertex call per corner.
class TCallByCall : public TGeometrySink {
public:
    explicit TCallByCall(bool Outline) : outline_(Outline) {}
    ~TCallByCall() override { Close(); }
    void Begin(TPrimitive P) override
    {
        polygon_ = P == TPrimitive::Polygon;
        corners_.clear();
        if (!polygon_) {
            Close();
            glBegin(P == TPrimitive::Quads ? GL_QUADS : P == TPrimitive::Lines ? GL_LINES : GL_TRIANGLES);
        }
    }
    void Color(uint8_t R, uint8_t G, uint8_t B) override
    {
        color_ = {R, G, B};
        if (!polygon_)
            glColor3ub(R, G, B);
    }
    void Vertex(float X, float Y, float Z) override
    {
        if (polygon_)
            corners_.push_back({X, Y, Z, color_[0], color_[1], color_[2], 0});
        else
            glVertex3f(X, Y, Z);
    }
    void End() override
    {
        if (!polygon_) {
            glEnd();
            return;
        }
        if (corners_.size() < 3)
            return;
        if (!open_) {
            glBegin(GL_TRIANGLES);
            open_ = true;
        }
        const size_t last = corners_.size() - 1;
        auto put = [&](size_t i, bool edge) {
            if (outline_)
                glEdgeFlag(edge ? GL_TRUE : GL_FALSE);
            glColor3ub(corners_[i].R, corners_[i].G, corners_[i].B);
            glVertex3f(corners_[i].X, corners_[i].Y, corners_[i].Z);
        };
        for (size_t i = 1; i < last; ++i) {
            put(0, i == 1);
            put(i, true);
            put(i + 1, i + 1 == last);
        }
    }
    void Close()
    {
        if (open_)
            glEnd();
        glEdgeFlag(GL_TRUE);
        open_ = false;
    }

private:
    bool outline_;
    bool polygon_ = false;
    bool open_ = false;
    std::array<uint8_t, 3> color_{};
    std::vector<TArrayVertex> corners_;
};

}  // namespace render_test
