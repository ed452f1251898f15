// Conversion of a read-back OpenGL frame into bitmap rows.
#include <gtest/gtest.h>

#include <vector>

#include "scan/render/GLPixels.h"

TEST(ConvertGLFrame, FlipsRowsSwapsToBitmapOrderAndWhitensOnlyTheExactBackground)
{
    // 2 x 2, bottom row first: (1,2,3) (10,20,30) / (10,20,31) (255,0,0)
    const std::vector<uint8_t> rgba = {1, 2, 3, 255, 10, 20, 30, 255, 10, 20, 31, 255, 255, 0, 0, 255};
    uint32_t rows[2][2] = {};
    auto row = [&](int y) { return rows[y]; };
    ConvertGLFrame(rgba.data(), 2, 2, false, 10, 20, 30, row);
    EXPECT_EQ(rows[0][0], 0x0A141Fu) << "top row is the last one read";
    EXPECT_EQ(rows[0][1], 0xFF0000u);
    EXPECT_EQ(rows[1][0], 0x010203u);
    EXPECT_EQ(rows[1][1], 0x0A141Eu) << "without MakeWhite colours stay as read";

    ConvertGLFrame(rgba.data(), 2, 2, true, 10, 20, 30, row);
    EXPECT_EQ(rows[1][1], 0xFFFFFFu);
    EXPECT_EQ(rows[0][0], 0x0A141Fu) << "one step off the background is kept";
}
