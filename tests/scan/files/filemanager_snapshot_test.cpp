// The undo snapshot: taken at each open, restored fully after any number of edits.
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

TEST_F(FileManagerTest, ShortSnapshotRestoresOnlyTheLeadingPoints)
{
    ASSERT_TRUE(Open(WriteExample(MakeFieldExample())));
    const std::vector<float> loaded = Values(Scan);
    std::vector<uint8_t> bytes = ReadFileBytes(Manager.TempFileName());
    bytes.resize(10 * 4 + 3);
    WriteFileBytes(Manager.TempFileName(), bytes);
    for (TScanPoint* p = Scan.FirstPoint(); p; p = Scan.NextPoint()) p->Value = -1;
    Manager.RestoreTempSnapshot();
    const std::vector<float> now = Values(Scan);
    EXPECT_TRUE(SameValues(std::vector<float>(now.begin(), now.begin() + 10),
                           std::vector<float>(loaded.begin(), loaded.begin() + 10)));
    for (size_t i = 10; i < now.size(); ++i) ASSERT_EQ(now[i], -1.0f);

    // Without the file, restoring does nothing.
    Manager.DeleteTempSnapshot();
    EXPECT_FALSE(FileExists(Manager.TempFileName()));
    Manager.RestoreTempSnapshot();
    EXPECT_EQ(Values(Scan)[0], loaded[0]);
}

} // namespace
