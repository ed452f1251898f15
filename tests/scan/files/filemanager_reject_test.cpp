// A file that cannot be loaded shows its message and changes nothing: scan, views, remarks,
// snapshot, recent list, file name and the Tarnwell flag stay as they were.
#include "filemanager_fixture.h"

namespace {

class FileManagerRejectTest : public FileManagerTest {
protected:
    void SetUp() override
    {
        FileManagerTest::SetUp();
        // Something loaded to lose: a Tarnwell scan (FileContent 1) with its views.
        ASSERT_TRUE(Open(WriteExample(MakeTarnwellSampleExample())));
        Views[1].Translation.Y = 7.0f;
        Before = State();
        ASSERT_FALSE(Before.TempBytes.empty());
        Messages.Messages.clear();
    }

    // Opens Bytes under Name and expects a rejection with Text that changes nothing.
    void ExpectRejected(const std::string& Name, const std::vector<uint8_t>& Bytes, const std::u16string& Text)
    {
        SCOPED_TRACE(Name);
        Messages.Messages.clear();
        EXPECT_FALSE(Open(Write(Name, Bytes)));
        ASSERT_EQ(Messages.Messages.size(), 1u);
        EXPECT_EQ(Messages.Messages[0].Text, Text);
        EXPECT_TRUE(State() == Before);
    }

    TFileManagerState Before;
};

const std::u16string NotRecognised = u"The file format is not recognised.";

std::vector<uint8_t> WithBlock(TScanFileSource Source, int32_t LinesPerBlock, int32_t Count)
{
    Source.LinesPerBlock = LinesPerBlock;
    Source.Count = Count;
    return EncodeScanFile(Source);
}

TEST_F(FileManagerRejectTest, MissingFileReturnsTheNoMatchMagic)
{
    Messages.Messages.clear();
    EXPECT_FALSE(Open(Folder + u"nothing.dmo"));
    EXPECT_EQ(Magic, std::string(1, '\0'));
    ASSERT_EQ(Messages.Messages.size(), 1u);
    EXPECT_EQ(Messages.Messages[0].Text, u"File not found.");
    EXPECT_EQ(Messages.Messages[0].Caption, u"Error");
    EXPECT_TRUE(State() == Before);
}

#ifdef _WIN32
// Only Windows enforces sharing; a file another program holds exclusively cannot be read.
TEST_F(FileManagerRejectTest, FileHeldExclusivelyElsewhereIsReportedAndChangesNothing)
{
    const std::u16string path = WriteExample(MakeFieldExample());
    TElFileStream holder(path, fmOpenReadWrite | fmShareExclusive);
    Messages.Messages.clear();
    EXPECT_FALSE(Open(path));
    EXPECT_EQ(Magic, std::string(1, '\0'));
    ASSERT_EQ(Messages.Messages.size(), 1u);
    // Not "File not found.": the file is there. The framework's open error says why it failed.
    EXPECT_EQ(Messages.Messages[0].Text.find(u"Datei " + path + u" kann nicht geöffnet werden. "), 0u);
    EXPECT_TRUE(State() == Before);
}
#endif

TEST_F(FileManagerRejectTest, UnknownMagicOrMagicWithoutNul)
{
    std::vector<uint8_t> bytes = EncodeScanFile(MakeFieldExample().Source);
    bytes[0] = 'X';
    ExpectRejected("unknown.dmo", bytes, NotRecognised);
    EXPECT_EQ(Magic, "XMO.L3D.01");
    bytes[0] = 'D';
    bytes[10] = 'Z';  // no NUL inside the 11 bytes
    ExpectRejected("nonul.dmo", bytes, NotRecognised);
    EXPECT_EQ(Magic, "DMO.L3D.01Z");
    ExpectRejected("tiny.dmo", {'D', 'M', 'O'}, NotRecognised);
    EXPECT_EQ(Magic, "DMO");
    ExpectRejected("zero.dmo", {}, NotRecognised);
    EXPECT_EQ(Magic, "");
}

TEST_F(FileManagerRejectTest, UnusableScanBlocks)
{
    const TScanFileSource field = MakeFieldExample().Source;  // 1200 points
    ExpectRejected("lpb0.dmo", WithBlock(field, 0, 1200), NotRecognised);
    ExpectRejected("lpbneg.dmo", WithBlock(field, -40, 1200), NotRecognised);
    ExpectRejected("count0.dmo", WithBlock(field, 40, 0), NotRecognised);
    ExpectRejected("countneg.dmo", WithBlock(field, 40, -1), NotRecognised);
    ExpectRejected("lpbhuge.dmo", WithBlock(field, 0x7FFFFFFF, 1200), NotRecognised);
    // Padding the last column would invent more points than the file holds.
    ExpectRejected("lpb2401.dmo", WithBlock(field, 2401, 1200), NotRecognised);
    TScanFileSource tnw = MakeTarnwellScanExample().Source;
    ExpectRejected("tnwlpb0.dmo", WithBlock(tnw, 0, 5), NotRecognised);
}

TEST_F(FileManagerRejectTest, PaddingUpToThePointsOfTheFileIsAccepted)
{
    // 1200 points in one column of 2400 lines: 1200 padding points, no more than the file's.
    EXPECT_TRUE(Open(Write("lpb2400.dmo", WithBlock(MakeFieldExample().Source, 2400, 1))));
    EXPECT_EQ(Scan.Count, 2400u);
}

TEST_F(FileManagerRejectTest, CutShortAnywhereInTheFixedBlocksOrRemarks)
{
    for (TScanFileKind kind : {TScanFileKind::L3DDemo, TScanFileKind::TNW01}) {
        TScanFileSource source = MakeFieldExample().Source;
        source.Kind = kind;
        source.Records.clear();
        source.TNWPoints.clear();
        const std::vector<uint8_t> whole = EncodeScanFile(source);
        // Every length short of the end of the remarks; the remarks end where the file does
        // for L3D (no points), and 6 bytes before for the Tarnwell kind.
        const size_t remarksEnd = whole.size() - (IsTNWKind(kind) ? TNWAreaLeadSize : 0);
        for (size_t length = 0; length < remarksEnd; ++length) {
            std::vector<uint8_t> cut(whole.begin(), whole.begin() + long(length));
            SCOPED_TRACE(length);
            Messages.Messages.clear();
            ASSERT_FALSE(Open(Write(kind == TScanFileKind::TNW01 ? "cut.tnw" : "cut.dmo", cut)));
            ASSERT_EQ(Messages.Messages.size(), 1u);
            ASSERT_TRUE(State() == Before);
        }
    }
}

TEST_F(FileManagerRejectTest, ImpossibleStringLengthInTheRemarks)
{
    TScanFileSource source = MakeFieldExample().Source;
    std::vector<uint8_t> bytes = EncodeScanFile(source);
    const size_t projectLength = 379 + 8;
    for (uint32_t length : {0x7FFFFFFFu, 0xFFFFFFFFu, 0x80000000u, uint32_t(bytes.size())}) {
        for (int i = 0; i < 4; ++i) bytes[projectLength + size_t(i)] = uint8_t(length >> (8 * i));
        ExpectRejected("badstring.dmo", bytes, NotRecognised);
    }
}

TEST_F(FileManagerRejectTest, RejectedOpenDoesNotTakeTheSnapshotOrTheRecentSlot)
{
    // The rejected path is not listed, and the snapshot still holds the loaded scan.
    ExpectRejected("wrong.scan", EncodeScanFile(MakeFieldExample().Source), NotRecognised);
    for (const std::u16string& slot : Manager.RecentFiles().Slots())
        EXPECT_EQ(slot.find(u"wrong.scan"), std::u16string::npos);
}

} // namespace
