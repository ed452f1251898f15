#include <gtest/gtest.h>

#include <stdexcept>

#include "files_test_support.h"
#include "scan/model/LittleEndian.h"
#include "scan/files/MessageSink.h"
#include "scan/files/_TSettings.h"
#include "widgets/el/foundation/ElFileStream.h"

namespace {

// A payload like the main window's: a wide string, a number and an 8-bit string.
struct TPayload {
    std::u16string Folder = u"C:\\Scans\\Ü";
    int32_t Index = -1;
    std::string Port = "COM12";
};

class SettingsFile : public ::testing::Test {
protected:
    SettingsFile()
    {
        Settings.Messages = &Sink;
        Settings.OnWriteFile = [this](TStream& S) {
            ++Writes;
            WriteWideStringToStream(S, Written.Folder);
            le::WriteI32(S, Written.Index);
            WriteStringToStream(S, Written.Port);
        };
        Settings.OnReadFile = [this](TStream& S) {
            ++Reads;
            EXPECT_EQ(S.Position(), TSettings::HeaderSize);
            ReadWideStringFromStream(S, Read.Folder);
            le::ReadI32(S, Read.Index);
            ReadStringFromStream(S, Read.Port);
        };
    }

    std::vector<std::u16string> Texts() const
    {
        std::vector<std::u16string> T;
        for (const auto& M : Sink.Messages)
            T.push_back(M.Text);
        return T;
    }

    TTempFolder Temp;
    std::u16string Name = Temp.Path("settings.cfg");
    TRecordingMessageSink Sink;
    TSettings Settings{nullptr};
    TPayload Written, Read{u"untouched", 99, "untouched"};
    int Writes = 0, Reads = 0;
};

uint32_t WordAt(const std::vector<uint8_t>& B, size_t Offset)
{
    return B[Offset] | B[Offset + 1] << 8 | B[Offset + 2] << 16 | uint32_t(B[Offset + 3]) << 24;
}

TEST_F(SettingsFile, HeaderHoldsVersionKeyIndexAndSize)
{
    EXPECT_EQ(MakeVersion(1, 0, 0, 1), 0x01000001u);
    Settings.Reserved = 7;  // as read from an older file: written back as 0 all the same
    Settings.SaveToFile(Name);
    std::vector<uint8_t> B = ReadBytes(Name);
    ASSERT_GT(B.size(), 49u);
    EXPECT_EQ(WordAt(B, 0), 0x01000001u);
    uint8_t Key = B[4];
    ASSERT_LE(Key, 9);
    for (int i = 0; i < 10; ++i) {
        uint32_t Word = WordAt(B, 5 + 4 * i);
        if (i == Key)
            EXPECT_EQ(Word, B.size());
        else
            EXPECT_LE(Word, 0x7FFFFFFEu);
    }
    EXPECT_EQ(WordAt(B, 45), 0u);
    EXPECT_FALSE(Exists(Name + u".tmp"));
}

TEST_F(SettingsFile, PayloadRoundTripsAndTwoSavesDifferButBothLoad)
{
    Settings.SaveToFile(Name);
    std::vector<uint8_t> First = ReadBytes(Name);
    Settings.SaveToFile(Name);
    std::vector<uint8_t> Second = ReadBytes(Name);
    ASSERT_EQ(First.size(), Second.size());
    EXPECT_NE(std::vector<uint8_t>(First.begin(), First.begin() + 45),
              std::vector<uint8_t>(Second.begin(), Second.begin() + 45));
    EXPECT_EQ(std::vector<uint8_t>(First.begin() + 45, First.end()),
              std::vector<uint8_t>(Second.begin() + 45, Second.end()));

    for (const auto& Bytes : {First, Second}) {
        WriteBytes(Name, Bytes);
        Read = TPayload{u"x", 0, "x"};
        Settings.LoadFromFile(Name);
        EXPECT_EQ(Read.Folder, Written.Folder);
        EXPECT_EQ(Read.Index, Written.Index);
        EXPECT_EQ(Read.Port, Written.Port);
    }
    EXPECT_TRUE(Sink.Messages.empty());
}

TEST_F(SettingsFile, MissingFileIsCreatedWithItsFoldersAndReadBack)
{
    std::u16string Deep = Temp.Path("Roaming/Lorvane 3D/settings.cfg");
    Settings.LoadFromFile(Deep);
    EXPECT_TRUE(Exists(Deep));
    EXPECT_EQ(Writes, 1);
    EXPECT_EQ(Reads, 1);
    EXPECT_EQ(Read.Folder, Written.Folder);
    EXPECT_TRUE(Sink.Messages.empty());
}

TEST_F(SettingsFile, WrongVersionOrSizeIsReportedAndPayloadNotRead)
{
    Settings.SaveToFile(Name);
    const std::vector<uint8_t> Good = ReadBytes(Name);
    const std::u16string Quoted = u"\"" + Name + u"\"";

    std::vector<uint8_t> B = Good;
    B[3] = 2; // version 0x02000001
    WriteBytes(Name, B);
    Settings.LoadFromFile(Name);
    EXPECT_EQ(Texts(), std::vector<std::u16string>{u"Invalid file version: " + Quoted});

    // One byte more or less anywhere fails the size test.
    for (size_t At : {size_t(49), Good.size() / 2, Good.size()}) {
        Sink.Messages.clear();
        B = Good;
        B.insert(B.begin() + At, 0x55);
        WriteBytes(Name, B);
        Settings.LoadFromFile(Name);
        EXPECT_EQ(Texts(), std::vector<std::u16string>{u"Invalid file size: " + Quoted});
        Sink.Messages.clear();
        B = Good;
        B.erase(B.begin() + At - 1);
        WriteBytes(Name, B);
        Settings.LoadFromFile(Name);
        EXPECT_EQ(Texts(), std::vector<std::u16string>{u"Invalid file size: " + Quoted});
    }
    EXPECT_EQ(Reads, 0);
    EXPECT_EQ(Read.Folder, u"untouched");

    // Settings without a sink of their own report through the program's default sink; taking
    // that away leaves a silent one, never none.
    TRecordingMessageSink Program;
    SetDefaultMessageSink(&Program);
    TSettings Plain(nullptr);
    Plain.LoadFromFile(Name);
    SetDefaultMessageSink(nullptr);
    EXPECT_EQ(Program.Messages.size(), 1u);
    Plain.LoadFromFile(Name);
    EXPECT_EQ(Program.Messages.size(), 1u);
    EXPECT_EQ(DefaultMessageSink().ShowInfoDialog(0, u"", u"", 4), 2) << "as if closed without an answer";
}

TEST_F(SettingsFile, KeyIndexAboveNineOrFailingReaderShowFileNotFound)
{
    Settings.SaveToFile(Name);
    const std::vector<uint8_t> Good = ReadBytes(Name);
    const std::u16string Message = u"File not found: \"" + Name + u"\"";

    std::vector<uint8_t> B = Good;
    B[4] = 10;
    WriteBytes(Name, B);
    Settings.LoadFromFile(Name);
    EXPECT_EQ(Texts(), std::vector<std::u16string>{Message});
    EXPECT_EQ(Reads, 0);

    Sink.Messages.clear();
    WriteBytes(Name, Good);
    Settings.OnReadFile = [](TStream&) { throw std::runtime_error("payload"); };
    Settings.LoadFromFile(Name);
    EXPECT_EQ(Texts(), std::vector<std::u16string>{Message});
}

TEST_F(SettingsFile, FailedSaveKeepsTheOldFileAndLeavesNoTemporaryFile)
{
    Settings.SaveToFile(Name);
    const std::vector<uint8_t> Old = ReadBytes(Name);
    Settings.OnWriteFile = [](TStream& S) {
        le::WriteU32(S, 7);
        throw std::runtime_error("disk full");
    };
    EXPECT_THROW(Settings.SaveToFile(Name), std::runtime_error);
    EXPECT_EQ(ReadBytes(Name), Old);
    EXPECT_FALSE(Exists(Name + u".tmp"));
    Settings.OnWriteFile = nullptr;
    Settings.LoadFromFile(Name);
    EXPECT_TRUE(Sink.Messages.empty());
    EXPECT_EQ(Read.Folder, Written.Folder);
}

TEST_F(SettingsFile, SecondReaderMayOpenTheFileWhileItIsRead)
{
    Settings.SaveToFile(Name);
    Settings.OnReadFile = [this](TStream&) {
        ++Reads;
        TElFileStream Other(Name, fmOpenRead | fmShareDenyWrite);
        EXPECT_EQ(Other.Size(), static_cast<int64_t>(ReadBytes(Name).size()));
    };
    Settings.LoadFromFile(Name);
    EXPECT_EQ(Reads, 1);
    EXPECT_TRUE(Sink.Messages.empty());
}

} // namespace
