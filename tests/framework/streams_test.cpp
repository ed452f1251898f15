#include "framework/Exceptions.h"
#include "framework/StrConv.h"
#include "framework/Streams.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

std::u16string TempName(const char* name)
{
    return (std::filesystem::temp_directory_path() / name).u16string();
}

void WriteFile(const std::u16string& name, const std::string& bytes)
{
    std::ofstream(std::filesystem::path(name), std::ios::binary) << bytes;
}

std::string ReadFile(const std::u16string& name)
{
    std::ifstream in(std::filesystem::path(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(MemoryStream, ReadsWritesAndSeeksPastTheEnd)
{
    TMemoryStream m;
    m.WriteBuffer("abcd", 4);
    EXPECT_EQ(m.Size(), 4);
    EXPECT_EQ(m.Seek(2, soEnd), 6);
    m.WriteBuffer("x", 1);
    ASSERT_EQ(m.Size(), 7);
    EXPECT_EQ(std::string(m.Bytes().begin(), m.Bytes().end()), std::string("abcd\0\0x", 7));

    m.SetPosition(5);
    char buf[8] = {};
    EXPECT_EQ(m.Read(buf, 8), 2);   // short read at the end
    EXPECT_EQ(m.Read(buf, 8), 0);
    EXPECT_EQ(m.Seek(-1, soBeginning), -1);
}

TEST(MemoryStream, ReadBufferAndWriteBufferRaiseOnShortTransfers)
{
    TMemoryStream m("ab", 2);
    char buf[3];
    EXPECT_THROW(m.ReadBuffer(buf, 3), EReadError);
    m.SetPosition(0);
    m.ReadBuffer(buf, 2);
    EXPECT_EQ(m.Position(), 2);

    TMemoryStream copy;
    EXPECT_EQ(copy.CopyFrom(m, 0), 2);   // 0 copies the whole source from its start
    EXPECT_EQ(copy.Size(), 2);
    TMemoryStream loaded;
    loaded.LoadFromStream(m);            // the whole source too, wherever it stands
    EXPECT_EQ(std::string(loaded.Bytes().begin(), loaded.Bytes().end()), "ab");
    EXPECT_EQ(loaded.Position(), 0);
    m.SetPosition(1);
    EXPECT_THROW(copy.CopyFrom(m, 5), EReadError);
}

TEST(FileStream, CreateTruncatesAndOpenReadsBack)
{
    const auto name = TempName("l3d_base_fs_create.bin");
    WriteFile(name, "old contents");
    {
        TFileStream f(name, fmCreate);
        EXPECT_EQ(f.Size(), 0);
        f.WriteBuffer("new", 3);
    }
    EXPECT_EQ(ReadFile(name), "new");
    {
        TFileStream f(name, fmOpenReadWrite);
        f.Seek(0, soEnd);
        f.WriteBuffer("er", 2);
        f.SetSize(4);
    }
    EXPECT_EQ(ReadFile(name), "newe");
    std::filesystem::remove(std::filesystem::path(name));
}

TEST(FileStream, FailuresRaiseWithTheFileName)
{
    const auto missing = TempName("l3d_base_no_such_file.bin");
    try {
        TFileStream f(missing, fmOpenRead | fmShareDenyWrite);
        FAIL() << "opened a missing file";
    } catch (const EFOpenError& e) {
        // The framework's text, then the system's reason.
        const std::u16string text = u"Datei " + missing + u" kann nicht geöffnet werden. ";
        EXPECT_EQ(e.Message().substr(0, text.size()), text);
        EXPECT_GT(e.Message().size(), text.size());
        EXPECT_TRUE(e.FileNotFound());
    }
    const auto folder = std::filesystem::temp_directory_path().u16string();
    EXPECT_THROW(TFileStream(folder, fmOpenRead), EFOpenError);
    const auto inMissingFolder = TempName("l3d_no_such_folder/x.bin");
    try {
        TFileStream f(inMissingFolder, fmCreate);
        FAIL() << "created a file in a missing folder";
    } catch (const EFCreateError& e) {
        EXPECT_EQ(e.Message(), u"Datei " + inMissingFolder + u" kann nicht erstellt werden");
    }
}

TEST(FileStream, InvalidModesNeverReachTheFileSystem)
{
    const auto name = TempName("l3d_base_fs_mode.bin");
    WriteFile(name, "x");
    EXPECT_EQ(FileOpenByMode(name, 3), InvalidHandle);
    EXPECT_EQ(FileOpenByMode(name, 0x50), InvalidHandle);
    EXPECT_THROW(TFileStream(name, 3), EFOpenError);
    for (uint16_t mode : {0x00, 0x10, 0x20, 0x30, 0x40}) {
        TFileStream f(name, mode);
        EXPECT_EQ(f.Size(), 1) << mode;
    }
    std::filesystem::remove(std::filesystem::path(name));
}

TEST(StrConv, Utf8RoundTripAndReplacement)
{
    const std::u16string text = u"a\u00E9\u20AC\U0001F600";
    EXPECT_EQ(WideToUtf8(text), "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
    EXPECT_EQ(WideToUtf8(std::u16string(1, u'\xD800')), "\xEF\xBF\xBD");
    EXPECT_EQ(Utf8ToWide("\xC0\x80x"), u"\uFFFD\uFFFDx");   // overlong NUL
    EXPECT_EQ(Utf8ToWide("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // encoded surrogate
}

TEST(StrConv, SystemCodePageIs1252)
{
    EXPECT_EQ(AnsiToWide("\x80\xE9\x9F\x81"), u"\u20AC\u00E9\u0178\u0081");
    EXPECT_EQ(WideToAnsi(u"\u20AC\u00E9\u0178"), "\x80\xE9\x9F");
    EXPECT_EQ(WideToAnsi(u"\u4E2D"), "?");
    EXPECT_FALSE(IsAnsiLeadByte(0x81));
}

TEST(Exceptions, MessagesAndCodes)
{
    EXPECT_EQ(EConvertError::InvalidInteger(u"x").Message(), u"'x' ist kein gültiger Integerwert");
    EXPECT_STREQ(EFOpenError::ForFile(u"\u00E4").what(), "Datei \xC3\xA4 kann nicht ge\xC3\xB6" "ffnet werden");
    EXPECT_EQ(FormatMessageD(u"List index [%d] out of bounds...", -3), u"List index [-3] out of bounds...");
    // The argument is inserted literally, never read as a format.
    EXPECT_EQ(FormatMessageS(u"%s and %s", u"%s"), u"%s and %s");
    // A program that speaks other languages gives the framework its texts, at the time each
    // message is made.
    SetFrameworkTextLookup([](TFrameworkTextId Id, const std::u16string& Default) {
        return Id == TFrameworkTextId::FCreateError ? std::u16string(u"Cannot create %s") : Default;
    });
    EXPECT_EQ(EFCreateError::ForFile(u"a.cfg").Message(), u"Cannot create a.cfg");
    EXPECT_EQ(EConvertError::InvalidInteger(u"x").Message(), u"'x' ist kein gültiger Integerwert");
    SetFrameworkTextLookup(nullptr);
    EXPECT_EQ(EFCreateError::ForFile(u"a.cfg").Message(), u"Datei a.cfg kann nicht erstellt werden");
    const EOSError os(u"failed", 5);
    EXPECT_EQ(os.ErrorCode, 5u);
    EXPECT_THROW(throw EFCreateError(u"x"), EStreamError);
}
