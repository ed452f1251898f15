#include "widgets/el/foundation/ElFileStream.h"

#include "framework/Exceptions.h"
#include "support/allocation_probe.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

std::string Bytes(TMemoryStream& m)
{
    return std::string(m.Bytes().begin(), m.Bytes().end());
}

TMemoryStream StreamOf(const std::string& bytes)
{
    return TMemoryStream(bytes.data(), bytes.size());
}

} // namespace

TEST(StreamStrings, WrittenForm)
{
    TMemoryStream m;
    EXPECT_TRUE(WriteWideStringToStream(m, u"abc"));
    EXPECT_EQ(Bytes(m), std::string("\x03\0\0\0a\0b\0c\0", 10));

    TMemoryStream e;
    EXPECT_TRUE(WriteStringToStream(e, ""));
    EXPECT_TRUE(WriteWideStringToStream(e, u""));
    EXPECT_EQ(Bytes(e), std::string(8, '\0'));
    e.SetPosition(0);
    std::string s = "old";
    std::u16string w = u"old";
    EXPECT_TRUE(ReadStringFromStream(e, s));
    EXPECT_TRUE(ReadWideStringFromStream(e, w));
    EXPECT_EQ(s, "");
    EXPECT_EQ(w, u"");
}

TEST(StreamStrings, RoundTripKeepsSurrogatesNulsAndBytes)
{
    const std::u16string wide = u"x\0y\U0001F600" + std::u16string(1, u'\xDC00');
    const std::string narrow("\0\xFF\x80z", 4);
    TMemoryStream m;
    ASSERT_TRUE(WriteWideStringToStream(m, wide));
    ASSERT_TRUE(WriteStringToStream(m, narrow));
    m.SetPosition(0);
    std::u16string w;
    std::string s;
    EXPECT_TRUE(ReadWideStringFromStream(m, w));
    EXPECT_TRUE(ReadStringFromStream(m, s));
    EXPECT_EQ(w, wide);
    EXPECT_EQ(s, narrow);
    EXPECT_EQ(m.Position(), m.Size());
}

TEST(StreamStrings, NegativeLengthFailsAfterTheField)
{
    auto m = StreamOf(std::string("\xFF\xFF\xFF\xFFmore", 8));
    std::string s = "kept";
    EXPECT_FALSE(ReadStringFromStream(m, s));
    EXPECT_EQ(s, "kept");
    EXPECT_EQ(m.Position(), 4);

    m.SetPosition(0);
    std::u16string w = u"lost";
    EXPECT_FALSE(ReadWideStringFromStream(m, w));
    EXPECT_EQ(w, u"");   // the public wide reader always yields its fresh temporary

    m.SetPosition(0);
    w = u"kept";
    EXPECT_FALSE(DoReadWideString(m, w));
    EXPECT_EQ(w, u"kept");
}

TEST(StreamStrings, LengthPastTheDataFailsAtTheEnd)
{
    auto m = StreamOf(std::string("\x0A\0\0\0abcd", 8));
    std::string s = "kept";
    EXPECT_FALSE(ReadStringFromStream(m, s));
    EXPECT_EQ(s, "kept");
    EXPECT_EQ(m.Position(), m.Size());

    // 3 units need 6 bytes; 5 are left.
    auto w = StreamOf(std::string("\x03\0\0\0abcde", 9));
    std::u16string t;
    EXPECT_FALSE(ReadWideStringFromStream(w, t));
    EXPECT_EQ(w.Position(), w.Size());
}

TEST(StreamStrings, ShortLengthFieldFails)
{
    auto m = StreamOf(std::string("\x01\0", 2));
    std::string s = "kept";
    EXPECT_FALSE(ReadStringFromStream(m, s));
    EXPECT_EQ(s, "kept");
    TMemoryStream empty;
    std::u16string w = u"x";
    EXPECT_FALSE(ReadWideStringFromStream(empty, w));
    EXPECT_EQ(w, u"");
}

TEST(StreamStrings, HugeLengthsAllocateNothing)
{
    // 0x7FFFFFFF units would be 4 GB of data; 2N must neither wrap nor be allocated. A length
    // just past the data is refused before allocating too.
    for (const char* header :
         {"\xFF\xFF\xFF\x7F", "\x00\x00\x00\x40", "\x01\x00\x00\x80", "\x00\x00\x10\x00"}) {
        auto m = StreamOf(std::string(header, 4) + "tail");
        std::u16string w = u"x";
        std::string s = "x";
        TAllocationProbe probe;
        EXPECT_FALSE(ReadWideStringFromStream(m, w));
        m.SetPosition(0);
        EXPECT_FALSE(DoReadWideString(m, w));
        m.SetPosition(0);
        EXPECT_FALSE(ReadStringFromStream(m, s));
        EXPECT_EQ(s, "x");
        EXPECT_LT(probe.Largest(), 256u) << "allocated for a length the data cannot hold";
    }
    // The probe sees what a sound read allocates.
    TMemoryStream sound;
    ASSERT_TRUE(WriteWideStringToStream(sound, std::u16string(3000, u'w')));
    sound.SetPosition(0);
    std::u16string w;
    TAllocationProbe probe;
    EXPECT_TRUE(ReadWideStringFromStream(sound, w));
    EXPECT_GE(probe.Largest(), 6000u);
}

TEST(StreamStrings, WriteFailureReportsFalse)
{
    // A stream that accepts only the first three bytes.
    class TTinyStream : public TMemoryStream {
    public:
        int32_t Write(const void* Buffer, int32_t Count) override
        {
            const auto room = static_cast<int32_t>(3 - Size());
            return TMemoryStream::Write(Buffer, Count < room ? Count : room);
        }
    } tiny;
    EXPECT_FALSE(WriteStringToStream(tiny, "abc"));
    EXPECT_FALSE(WriteWideStringToStream(tiny, u"abc"));
}

TEST(ElFileStream, StreamStringsThroughAFile)
{
    const auto name = (std::filesystem::temp_directory_path() / "l3d_base_elfs.bin").u16string();
    {
        TElFileStream f(name, fmCreate);
        ASSERT_TRUE(WriteWideStringToStream(f, u"\u00E4\u20AC"));
        ASSERT_TRUE(WriteStringToStream(f, "plain"));
    }
    {
        TElFileStream f(name, fmOpenRead | fmShareDenyWrite, 0);
        std::u16string w;
        std::string s;
        EXPECT_TRUE(ReadWideStringFromStream(f, w));
        EXPECT_TRUE(ReadStringFromStream(f, s));
        EXPECT_EQ(w, u"\u00E4\u20AC");
        EXPECT_EQ(s, "plain");
        EXPECT_FALSE(ReadStringFromStream(f, s));   // nothing left
        EXPECT_EQ(s, "plain");
    }
    std::filesystem::remove(std::filesystem::path(name));
    EXPECT_THROW(TElFileStream(name, fmOpenRead), EFOpenError);
    EXPECT_THROW(TElFileStream(name, 3), EFOpenError);
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(name)));
}
