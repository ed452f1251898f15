// The undo snapshot: taken at each open, restored fully after any number of edits, held by its
// program until it ends, and what a start removes.
#include "filemanager_fixture.h"

namespace {

std::vector<float> Values(TScanData& Scan)
{
    std::vector<float> v;
    for (TScanPoint* p = Scan.FirstColumnPoint(); p; p = Scan.NextColumnPoint()) v.push_back(p->Value);
    return v;
}

bool SameValues(const std::vector<float>& A, const std::vector<float>& B)
{
    if (A.size() != B.size())
        return false;
    for (size_t i = 0; i < A.size(); ++i)
        if (!SameFloat(A[i], B[i]))
            return false;
    return true;
}

TEST_F(FileManagerTest, SnapshotHoldsTheValuesInColumnSerpentineOrder)
{
    ASSERT_TRUE(Open(WriteExample(MakeFieldExample())));
    const std::u16string name = Manager.TempFileName();
    ASSERT_FALSE(name.empty());
    EXPECT_NE(WideToUtf8(name).find("l3d"), std::string::npos);
    const std::vector<uint8_t> bytes = ReadFileBytes(name);
    const std::vector<float> values = Values(Scan);
    ASSERT_EQ(bytes.size(), values.size() * 4);
    for (size_t i = 0; i < values.size(); ++i) {
        float v;
        std::memcpy(&v, bytes.data() + 4 * i, 4);  // little-endian on both test machines
        ASSERT_TRUE(SameFloat(v, values[i])) << i;
    }

    // A new open replaces the file: under the same name, or the old one is gone.
    ASSERT_TRUE(Open(WriteExample(MakeTarnwellScanExample())));
    EXPECT_TRUE(Manager.TempFileName() == name || !FileExists(name));
    EXPECT_EQ(ReadFileBytes(Manager.TempFileName()).size(), size_t(10 * 12 * 4));
}

TEST_F(FileManagerTest, TheManagersEndDeletesItsSnapshot)
{
    ASSERT_TRUE(Open(WriteExample(MakeFieldExample())));
    std::u16string name;
    {
        TFileManager other([this] { return &Scan; }, Views, &Messages);
        EXPECT_TRUE(other.CreateTempSnapshot());
        name = other.TempFileName();
        ASSERT_TRUE(FileExists(name));
    }
    EXPECT_FALSE(FileExists(name));
}

TEST_F(FileManagerTest, RestoreAfterEditsBringsBackTheLoadedValuesNaNIncluded)
{
    ASSERT_TRUE(Open(WriteExample(MakeFieldExample())));
    const std::vector<float> loaded = Values(Scan);
    Scan.CorrectFaultSignals(false);  // first edit
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint()) {  // second edit
        p->Value = std::isnan(p->Value) ? 5.0f : p->Value * 2;  // fills the missing readings
        p->DisplayValue = p->Value + 1;
        p->Invalid = 0;
    }
    Manager.RestoreTempSnapshot();
    EXPECT_TRUE(SameValues(Values(Scan), loaded));
    int invalid = 0;
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint()) {
        ASSERT_TRUE(SameFloat(p->DisplayValue, p->Value));
        ASSERT_EQ(p->Invalid, std::isnan(p->Value) ? 1 : 0);
        invalid += p->Invalid;
    }
    EXPECT_EQ(invalid, 5);

    // Restoring again gives the same values: the snapshot stays.
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint()) p->Value = 0;
    Manager.RestoreTempSnapshot();
    EXPECT_TRUE(SameValues(Values(Scan), loaded));
}

// A snapshot of a smaller scan (the file cannot be cut short while its program holds it).
TEST_F(FileManagerTest, ShortSnapshotRestoresOnlyTheLeadingPoints)
{
    ASSERT_TRUE(Open(WriteExample(MakeTarnwellScanExample())));
    TUndoSnapshot small;
    ASSERT_TRUE(small.Create(Scan));
    const std::vector<float> smallValues = Values(Scan);
    ASSERT_TRUE(Open(WriteExample(MakeFieldExample())));
    const std::vector<float> loaded = Values(Scan);
    ASSERT_GT(loaded.size(), smallValues.size());
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint()) p->Value = -1;
    EXPECT_TRUE(small.Restore(Scan));
    const std::vector<float> now = Values(Scan);
    EXPECT_TRUE(SameValues(std::vector<float>(now.begin(), now.begin() + smallValues.size()), smallValues));
    for (size_t i = smallValues.size(); i < now.size(); ++i) ASSERT_EQ(now[i], -1.0f);

    // Without the file, restoring does nothing.
    Manager.RestoreTempSnapshot();
    EXPECT_TRUE(SameValues(Values(Scan), loaded));
    Manager.DeleteTempSnapshot();
    EXPECT_FALSE(FileExists(Manager.TempFileName()));
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint()) p->Value = -1;
    Manager.RestoreTempSnapshot();
    EXPECT_EQ(Values(Scan)[0], -1.0f);
}

// What a program's start removes (RemoveAbandoned): the snapshots that no program holds, left
// by a program the system could not clean up after or by one that did not hold its file, named
// as this program or the system names them. The snapshots in force - of this program and of
// another that runs - stay whole and can be restored; so do files of other names.
TEST_F(FileManagerOwnTempTest, AStartRemovesOnlyTheSnapshotsNoProgramHolds)
{
    ASSERT_TRUE(Open(WriteExample(MakeFieldExample())));
    const std::vector<float> loaded = Values(Scan);
    const std::u16string held = Manager.TempFileName();
    const std::vector<uint8_t> heldBytes = ReadFileBytes(held);
    TFileManager second([this] { return &Scan; }, Views, &Messages);
    ASSERT_TRUE(second.CreateTempSnapshot());

    const std::u16string dir = Temp + PathDelimiter();
    const std::vector<uint8_t> bytes = {1, 2, 3, 4};
    for (const char16_t* abandoned : {u"l3d0a1f.tmp", u"l3dBEEF.tmp"})
        WriteFileBytes(dir + abandoned, bytes);
    const auto nameOf = [](const std::u16string& Path) { return std::filesystem::path(Path).filename().u16string(); };
    std::vector<std::u16string> kept = {nameOf(held), nameOf(second.TempFileName())};
    for (const char16_t* other : {u"l3d12345.tmp", u"l3dx0a1.tmp", u"l3d0a1f.txt", u"fwt0a1f.tmp"}) {
        WriteFileBytes(dir + other, bytes);
        kept.push_back(other);
    }
    ASSERT_TRUE(ForceDirectories(dir + u"l3d0000.tmp"));
    kept.push_back(u"l3d0000.tmp");
    std::sort(kept.begin(), kept.end());

    TUndoSnapshot::RemoveAbandoned();
    EXPECT_EQ(TempFiles(), kept);
    EXPECT_EQ(ReadFileBytes(held), heldBytes);
#ifdef _WIN32
    // Nobody else may change a snapshot in force.
    EXPECT_FALSE(FileDelete(held));
    EXPECT_EQ(OsFileOpen(held, AccessWrite, ShareRead | ShareWrite | ShareDelete), InvalidHandle);
#endif
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint()) p->Value = -1;
    Manager.RestoreTempSnapshot();
    EXPECT_TRUE(SameValues(Values(Scan), loaded));
}

} // namespace
