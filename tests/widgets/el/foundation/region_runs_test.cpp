// The opaque runs of a picture: nothing from a transparent picture, a run per row from an
// opaque one, holes that split rows, and only the colour bits compared.
#include "widgets/el/foundation/ElRegionRuns.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr uint32_t T = 0xFF00FF, O = 0x123456;

TEST(RegionRuns, RowsSplitAtTransparentPixelsAndNothingElse)
{
    const std::vector<uint32_t> transparent(12, T);
    EXPECT_TRUE(OpaqueRuns(transparent.data(), 4, 3, T).empty());

    const std::vector<uint32_t> opaque(12, O);
    EXPECT_EQ(OpaqueRuns(opaque.data(), 4, 3, T),
              (std::vector<TRect>{{0, 0, 4, 1}, {0, 1, 4, 2}, {0, 2, 4, 3}}));

    const std::vector<uint32_t> holes{
        O, T, O, O,   //
        T, T, T, T,   //
        T, O, O, T,   //
    };
    EXPECT_EQ(OpaqueRuns(holes.data(), 4, 3, T), (std::vector<TRect>{{0, 0, 1, 1}, {2, 0, 4, 1}, {1, 2, 3, 3}}));

    // The byte above the colour is not part of it.
    const std::vector<uint32_t> alpha{0xFF000000u | T, 0x80000000u | O};
    EXPECT_EQ(OpaqueRuns(alpha.data(), 2, 1, T), (std::vector<TRect>{{1, 0, 2, 1}}));

    EXPECT_TRUE(OpaqueRuns(nullptr, 4, 3, T).empty());
    EXPECT_TRUE(OpaqueRuns(opaque.data(), 0, 3, T).empty());
}

}  // namespace
