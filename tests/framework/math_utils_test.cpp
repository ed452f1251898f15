#include "framework/MathUtils.h"

#include <gtest/gtest.h>

TEST(MathUtils, MulDivRoundsHalfAwayFromZeroAndFailsWithMinusOne)
{
    EXPECT_EQ(PortableMulDiv(1, 1, 2), 1);
    EXPECT_EQ(PortableMulDiv(-1, 1, 2), -1);
    EXPECT_EQ(PortableMulDiv(5, -3, 2), -8);
    EXPECT_EQ(PortableMulDiv(7, 1, -2), -4);
    EXPECT_EQ(PortableMulDiv(100000, 100000, 100000), 100000);  // the product needs 64 bits
    EXPECT_EQ(PortableMulDiv(3, 4, 0), -1);
    EXPECT_EQ(PortableMulDiv(0x7FFFFFFF, 2, 1), -1);
    EXPECT_EQ(PortableMulDiv(0x7FFFFFFF, 3, 3), 0x7FFFFFFF) << "the largest result still fits";
    EXPECT_EQ(PortableMulDiv(-0x7FFFFFFF, 3, 3), -0x7FFFFFFF);
    EXPECT_EQ(PortableMulDiv(15, 100, 100), 15);
}

TEST(MathUtils, RoundIsHalfEvenTruncIsTowardsZero)
{
    EXPECT_EQ(Round(0.5), 0);
    EXPECT_EQ(Round(1.5), 2);
    EXPECT_EQ(Round(2.5), 2);
    EXPECT_EQ(Round(-2.5), -2);
    EXPECT_EQ(Round(2.6), 3);
    EXPECT_EQ(Trunc(-2.9), -2);
    EXPECT_EQ(Trunc(2.9), 2);
}
