#include "framework/ByteReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

TEST(ByteReader, ReadsLittleEndianFieldsAndStopsAtTheEnd)
{
    const std::vector<uint8_t> bytes{0x01, 0x02, 0x03, 0x04, 0x00, 0x00, 0x80, 0x3F, 0xAA};
    ByteReader r(bytes.data(), bytes.size());
    uint16_t w = 0;
    float f = 0;
    uint32_t d = 0xDEADBEEF;
    EXPECT_TRUE(r.U16(w));
    EXPECT_EQ(w, 0x0201);
    EXPECT_TRUE(r.Skip(2));
    EXPECT_TRUE(r.F32(f));
    EXPECT_EQ(f, 1.0f);
    EXPECT_EQ(r.Remaining(), 1u);
    // One byte left: a 4-byte read fails, changes nothing, and the reader stays failed.
    EXPECT_FALSE(r.U32(d));
    EXPECT_EQ(d, 0xDEADBEEFu);
    EXPECT_EQ(r.Position(), 8u);
    EXPECT_FALSE(r.Ok());
    uint8_t b = 0;
    EXPECT_FALSE(r.U8(b));

    // Every width fails alike on a field cut short.
    for (size_t have = 0; have < 8; ++have) {
        ByteReader s(bytes.data(), have);
        double d = 2.5;
        uint64_t q = 7;
        EXPECT_FALSE(ByteReader(bytes.data(), have).F64(d)) << have;
        EXPECT_FALSE(s.U64(q)) << have;
        EXPECT_EQ(d, 2.5);
        EXPECT_EQ(q, 7u);
    }
}

TEST(ByteReader, HugeCountsFromAFileNeverWrapAround)
{
    const std::vector<uint8_t> bytes(16, 0);
    for (uint64_t count : {uint64_t{17}, uint64_t{std::numeric_limits<uint32_t>::max()} + 1,
                           std::numeric_limits<uint64_t>::max()}) {
        ByteReader r(bytes.data(), bytes.size());
        ASSERT_TRUE(r.Skip(8));
        EXPECT_FALSE(r.Has(count));
        EXPECT_TRUE(r.Take(count).empty());
        EXPECT_FALSE(r.Ok());
        EXPECT_EQ(r.Position(), 8u);
    }
    ByteReader r(bytes.data(), bytes.size());
    EXPECT_FALSE(r.Seek(17));
    EXPECT_TRUE(ByteReader(bytes.data(), bytes.size()).Seek(16));
}

TEST(ByteReader, SeekMovesTheNextReadBothWays)
{
    const std::vector<uint8_t> bytes{10, 11, 12, 13};
    ByteReader r(bytes.data(), bytes.size());
    uint8_t b = 0;
    ASSERT_TRUE(r.Seek(2));
    EXPECT_EQ(r.Position(), 2u);
    ASSERT_TRUE(r.U8(b));
    EXPECT_EQ(b, 12);
    ASSERT_TRUE(r.Seek(0));
    ASSERT_TRUE(r.U8(b));
    EXPECT_EQ(b, 10);
    ASSERT_TRUE(r.Seek(4));
    EXPECT_FALSE(r.U8(b)) << "at the end nothing is left";
}

TEST(ByteReader, SubReaderSeesOnlyItsOwnBytes)
{
    const std::vector<uint8_t> bytes{1, 2, 3, 4, 5, 6};
    ByteReader r(bytes.data(), bytes.size());
    ByteReader sub = r.Sub(3);
    EXPECT_EQ(r.Position(), 3u);
    uint16_t w = 0;
    EXPECT_TRUE(sub.U16(w));
    EXPECT_EQ(w, 0x0201);
    uint16_t beyond = 0;
    EXPECT_FALSE(sub.U16(beyond));  // byte 4 belongs to the outer reader
    EXPECT_FALSE(r.Sub(4).Ok());
    EXPECT_FALSE(r.Ok());
}
