// OpenGL checks shared by the renderer's Windows tests.
#pragma once

#include <windows.h>
#include <GL/gl.h>

#include <gtest/gtest.h>

#include <sstream>

namespace render_test {

// Every error OpenGL has recorded in the current context since the last check (it keeps one
// flag per kind, so several may be waiting); success when there was none. Check after every
// frame: EXPECT_TRUE(NoGLErrors("split screen")).
inline ::testing::AssertionResult NoGLErrors(const char* What)
{
    std::ostringstream errors;
    int count = 0;
    for (GLenum e = glGetError(); e != GL_NO_ERROR && count < 16; e = glGetError(), ++count)
        errors << " 0x" << std::hex << e;
    if (count == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << What << ": OpenGL errors" << errors.str();
}

}  // namespace render_test
