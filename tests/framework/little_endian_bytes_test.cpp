#include "framework/LittleEndianBytes.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

TEST(LittleEndianBytes, ReadsLowByteFirst)
{
    const uint8_t bytes[8] = {0x78, 0x56, 0x34, 0x12, 0xF0, 0xDE, 0xBC, 0x9A};
    EXPECT_EQ(le::U16At(bytes), 0x5678u);
    EXPECT_EQ(le::U32At(bytes), 0x12345678u);
    EXPECT_EQ(le::U32At(bytes + 4), 0x9ABCDEF0u);  // the high bit set: no sign spread
    EXPECT_EQ(le::I32At(bytes + 4), static_cast<int32_t>(0x9ABCDEF0u));
    EXPECT_EQ(le::UnsignedAt<uint64_t>(bytes), 0x9ABCDEF012345678ull);

    const uint8_t one[4] = {0x00, 0x00, 0x80, 0x3F};
    EXPECT_EQ(le::F32At(one), 1.0f);
    const uint8_t minusTwo[8] = {0, 0, 0, 0, 0, 0, 0x00, 0xC0};
    EXPECT_EQ(le::F64At(minusTwo), -2.0);
}

TEST(LittleEndianBytes, WritesWhatItReads)
{
    uint8_t bytes[8] = {};
    le::PutI32(bytes, -2);
    EXPECT_EQ(bytes[0], 0xFE);
    EXPECT_EQ(bytes[3], 0xFF);
    EXPECT_EQ(le::I32At(bytes), -2);

    le::PutU16(bytes, 0xBEEF);
    EXPECT_EQ(bytes[0], 0xEF);
    EXPECT_EQ(bytes[1], 0xBE);
    EXPECT_EQ(bytes[2], 0xFF);  // nothing past the field is touched

    // A missing reading is a NaN; its exact bits survive the round trip.
    const float nan = std::bit_cast<float>(0x7FC00123u);
    le::PutF32(bytes, nan);
    EXPECT_EQ(std::bit_cast<uint32_t>(le::F32At(bytes)), 0x7FC00123u);

    le::PutF64(bytes, 45000.25);
    EXPECT_EQ(le::F64At(bytes), 45000.25);
    EXPECT_EQ(bytes[7], 0x40);
}
