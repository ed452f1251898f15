// The main window's scan session on the portable scene its renderer is built on: what an open
// changes and what a failed one leaves, and when Undo all changes acts.
#include "app/ScanSession.h"

#include "ExampleScans.h"
#include "scan/files/MessageSink.h"
#include "scan/files/files_test_support.h"
#include "scan/render/render_support.h"
#include "support/file_bytes.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

using render_test::TColors;
using render_test::TRecordingSink;

// Values and invalid flags in row order, NaN compared as equal.
std::vector<float> Values(TScanData& Scan)
{
    std::vector<float> v;
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint())
        v.push_back(std::isnan(p->Value) ? -1e30f : p->Value);
    return v;
}

class ScanSessionTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Session.MakeFileManager(&Messages);
        Session.SetImage(std::make_unique<TScanScene>(&Colors.Var, Sink));
    }
    std::u16string Write(const TExampleScan& Scan)
    {
        const std::u16string path = Folder.Path(Scan.FileName);
        WriteFileBytes(path, EncodeScanFile(Scan.Source));
        return path;
    }

    TTempFolder Folder;
    TColors Colors;
    TRecordingSink Sink;
    TViewStates Views{};
    TRecordingMessageSink Messages;
    TScanSession<TScanScene> Session{Views};
};

}  // namespace

TEST_F(ScanSessionTest, AnOpenThatFailsChangesNothingAndUndoActsOnlyAfterAnEdit)
{
    TScanScene& image = *Session.Image();
    image.SetRotation(30.0f, 0.0f, 10.0f);
    const TExampleScan example = MakeFieldExample();
    const std::u16string field = Write(example);
    ASSERT_TRUE(Session.Open(field));
    EXPECT_EQ(Session.Magic(), "DMO.L3D.01");
    EXPECT_EQ(Session.FileName(), field);
    EXPECT_FALSE(Session.Edited());
    EXPECT_EQ(std::memcmp(&Views, &example.Source.ViewStates, sizeof Views), 0) << "the file's views";
    EXPECT_EQ(image.Camera.Rotation.X, 0.0f);
    EXPECT_EQ(image.Camera.Rotation.Z, 0.0f);
    TScanData& scan = *Session.Scan();
    const std::vector<float> opened = Values(scan);
    const float openedMax = scan.MaxValue;

    // Before an edit Undo does nothing, however the values came to differ.
    scan.First->Value = openedMax + 100.0f;
    EXPECT_FALSE(Session.CanUndo());
    EXPECT_FALSE(Session.Undo());
    EXPECT_EQ(scan.First->Value, openedMax + 100.0f);

    // After one, the opened values come back with their own statistics, to be drawn anew.
    scan.RecomputeStatistics();
    Session.NoteEdited();
    EXPECT_TRUE(Session.CanUndo());
    image.Rebuild = 0;
    ASSERT_TRUE(Session.Undo());
    EXPECT_EQ(Values(scan), opened);
    EXPECT_EQ(scan.MaxValue, openedMax);
    EXPECT_EQ(image.Rebuild, 1);
    EXPECT_TRUE(Session.Edited()) << "the edit stays noted";

    // A missing file is told and changes nothing, the noted edit included.
    const uint32_t count = scan.Count;
    EXPECT_FALSE(Session.Open(Folder.Path("missing.dmo")));
    EXPECT_FALSE(Messages.Messages.empty());
    EXPECT_EQ(Session.Magic(), "DMO.L3D.01");
    EXPECT_EQ(Session.FileName(), field);
    EXPECT_TRUE(Session.Edited());
    EXPECT_EQ(Session.Scan()->Count, count);

    // The next scan that loads brings its own magic and no edit.
    ASSERT_TRUE(Session.Open(Write(MakeTarnwellSampleExample())));
    EXPECT_EQ(Session.Magic(), "DMO.TNW.01");
    EXPECT_FALSE(Session.Edited());
    EXPECT_FALSE(Session.CanUndo());
}
