// Opening a scan under a memory limit: a file that cannot be loaded for lack of memory, or whose
// undo snapshot cannot be written, is refused like a damaged file and changes nothing: scan,
// views, remarks, file name, snapshot, recent list and menus stay as they were, and no file is
// left behind in the temporary folder.
#include "filemanager_fixture.h"
#include "support/memory_limit.h"
#include "support/sanitizers.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#ifdef _WIN32
#include "framework/WinText.h"

#include <windows.h>
#else
#include <csignal>
#include <cstdio>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

const std::u16string NotRecognised = u"The file format is not recognised.";

// The fixture's state with the menu captions and the files of the temporary folder.
struct TFullState {
    TFileManagerState Base;
    std::vector<std::u16string> Captions;
    std::vector<std::u16string> TempFiles;
    bool operator==(const TFullState& O) const
    {
        return Base == O.Base && Captions == O.Captions && TempFiles == O.TempFiles;
    }
};

void SetTempFolderVariable(const std::u16string& Value)
{
#ifdef _WIN32
    SetEnvironmentVariableW(L"TMP", WideChars(Value));
#else
    setenv("TMPDIR", WideToUtf8(Value).c_str(), 1);
#endif
}

std::u16string TempFolderVariable()
{
#ifdef _WIN32
    wchar_t buffer[1024] = {};
    const DWORD n = GetEnvironmentVariableW(L"TMP", buffer, 1024);
    return FromWide(buffer, n < 1024 ? n : 0);
#else
    const char* v = std::getenv("TMPDIR");
    return v ? Utf8ToWide(v) : std::u16string();
#endif
}

// A scan of Points zero-valued points whose point area is a hole in the file, so that a scan
// too large for the memory left costs no disk and little time.
std::vector<uint8_t> SparseScanHead(TScanFileKind Kind)
{
    TScanFileSource source;
    source.Kind = Kind;
    source.LinesPerBlock = 1000;
    source.Count = 1;
    source.Remarks.Project = u"large";
    return EncodeScanFile(source);
}

class FileManagerMemoryTest : public FileManagerTest {
protected:
    void SetUp() override
    {
        FileManagerTest::SetUp();
        // A temporary folder of the test's own, so that its files can be counted.
        savedTemp_ = TempFolderVariable();
        Temp = Folder + u"temp";
        ASSERT_TRUE(ForceDirectories(Temp));
        SetTempFolderVariable(Temp);
        ASSERT_EQ(TempFolder(), Temp + PathDelimiter());
    }
    void TearDown() override
    {
        SetTempFolderVariable(savedTemp_);
        FileManagerTest::TearDown();
    }

    TFullState Full()
    {
        TFullState s;
        s.Base = State();
        for (int i = 0; i < Manager.PopupMenu()->Items()->Count(); ++i)
            s.Captions.push_back(Manager.PopupMenu()->Items()->Items(i)->Caption());
        for (int i = 0; i < MainMenu.Count(); ++i)
            s.Captions.push_back(MainMenu.Items(i)->Caption());
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(Temp)))
            s.TempFiles.push_back(entry.path().filename().u16string());
        std::sort(s.TempFiles.begin(), s.TempFiles.end());
        return s;
    }

    // Something loaded to lose, with views and a snapshot of its own.
    void OpenFirst()
    {
        ASSERT_TRUE(Open(WriteExample(MakeFieldExample())));
        Views[2].Rotation.Z = 12.0f;
        ASSERT_FALSE(State().TempBytes.empty());
        Messages.Messages.clear();
    }

    std::u16string WriteSparseScan(const std::string& Name, TScanFileKind Kind, uint32_t Points)
    {
        const std::u16string path = Write(Name, SparseScanHead(Kind));
        const int64_t area = IsTNWKind(Kind) ? TNWAreaLeadSize + int64_t(Points) * TNWPointHeaderSize
                                             : int64_t(Points) * ScanRecordSize;
        TFileStream file(path, fmOpenReadWrite);
        file.SetSize(file.Size() + area);
        return path;
    }

    void ExpectRefusedWithNothingChanged(bool Opened, const TFullState& Before)
    {
        EXPECT_FALSE(Opened);
        EXPECT_TRUE(Full() == Before);
        ASSERT_EQ(Messages.Messages.size(), 1u);
        EXPECT_EQ(Messages.Messages[0].Text, NotRecognised);
        Messages.Messages.clear();
    }

    std::u16string Temp;

private:
    std::u16string savedTemp_;
};

// Each allocation an open makes is refused in turn, the first to the last: wherever memory runs
// out, the open is refused and leaves everything as it was, and once every allocation succeeds
// the file loads whole.
TEST_F(FileManagerMemoryTest, AnAllocationRefusedAnywhereInAnOpenChangesNothing)
{
    OpenFirst();
    const TExampleScan second = MakeTarnwellScanExample();
    const std::u16string path = WriteExample(second);
    const TFullState before = Full();

    uint64_t n = 1;
    for (;; ++n) {
        bool opened = false;
        bool threw = false;
        uint64_t refusals = 0;
        {
            TMemoryLimit limit = TMemoryLimit::FailingAllocation(n);
            try {
                opened = Open(path);
            } catch (...) {
                threw = true;
            }
            refusals = limit.Refusals();
        }
        ASSERT_FALSE(threw) << "the open let an exception out at allocation " << n;
        if (refusals == 0) {
            ASSERT_TRUE(opened);
            break;
        }
        SCOPED_TRACE("allocation " + std::to_string(n));
        ExpectRefusedWithNothingChanged(opened, before);
        if (HasFailure())
            return;
    }
    EXPECT_GT(n, 10u);  // the sweep went through the open's allocations

    EXPECT_EQ(Manager.FileName(), path);
    EXPECT_EQ(Scan.Count, uint32_t(second.Columns * second.Rows));
    EXPECT_EQ(Manager.RecentFiles().Slot(TRecentFileList::SlotCount - 1), path);
    const TFullState after = Full();
    EXPECT_EQ(after.TempFiles.size(), 1u);  // the new snapshot only
    EXPECT_EQ(after.Base.TempBytes.size(), size_t(Scan.Count) * 4);
    EXPECT_EQ(after.Captions.size(), 4u);  // both files in both menus
}

// A real shortage: the points of the new scan need far more than the memory left.
TEST_F(FileManagerMemoryTest, AScanLargerThanTheMemoryLeftIsRefusedAndTheOldOneStays)
{
    OpenFirst();
    for (TScanFileKind kind : {TScanFileKind::L3DDemo, TScanFileKind::TNWDemo}) {
        SCOPED_TRACE(int(kind));
        const uint32_t points = 200000;  // 14 MB of points or more
        const std::u16string path = WriteSparseScan("large" + std::to_string(int(kind)) + ".dmo", kind, points);
        const TFullState before = Full();
        bool opened = true;
        uint64_t refusals = 0;
        size_t peak = 0;
        {
            TMemoryLimit limit = TMemoryLimit::Bytes(4u << 20);
            opened = Open(path);
            refusals = limit.Refusals();
            peak = limit.PeakExtraBytes();
        }
        EXPECT_GT(refusals, 0u);
        EXPECT_LE(peak, size_t(4u << 20));
        ExpectRefusedWithNothingChanged(opened, before);

        // With the memory back, the same file loads.
        ASSERT_TRUE(Open(path));
        EXPECT_EQ(Scan.Count, points);
        EXPECT_EQ(Manager.Remarks().Project, u"large");
        ASSERT_TRUE(Open(Manager.RecentFiles().Slot(TRecentFileList::SlotCount - 2)));  // the first file again
        Messages.Messages.clear();
    }
}

// A snapshot that cannot be written leaves nothing of the old one: not the file, and not its
// name, which a later snapshot may well get again (names are reused once free) and which must
// then stay when that snapshot comes into force.
TEST_F(FileManagerMemoryTest, AFailedSnapshotForgetsTheOldFileWhoseNameMayComeAgain)
{
    OpenFirst();
    TUndoSnapshot snapshot;
    ASSERT_TRUE(snapshot.Create(Scan));
    const std::u16string old = snapshot.FileName();
    SetTempFolderVariable(Temp + u"missing");
    EXPECT_FALSE(snapshot.Create(Scan));
    SetTempFolderVariable(Temp);
    EXPECT_FALSE(FileExists(old));
    EXPECT_TRUE(snapshot.FileName().empty());

    TNewSnapshot again{old, TFileToDelete(old)};
    WriteFileBytes(old, std::vector<uint8_t>(8, 0));
    snapshot.Replace(again);
    EXPECT_EQ(snapshot.FileName(), old);
    EXPECT_TRUE(FileExists(old));
    snapshot.Remove();
}

#ifndef _WIN32

// Writes the child attempted beyond the file-size limit.
volatile sig_atomic_t writesBeyondLimit = 0;

void CountWriteBeyondLimit(int) { writesBeyondLimit = writesBeyondLimit + 1; }

// Runs Body in a child process under the resource limit and expects it to return true.
template <class TBody>
void ExpectInChildUnderLimit(int Resource, rlim_t Limit, TBody Body)
{
    std::fflush(nullptr);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGXFSZ, CountWriteBeyondLimit);  // a write beyond the file-size limit fails instead
        const rlimit limit{Limit, Limit};
        const bool ok = setrlimit(Resource, &limit) == 0 && Body();
        std::fflush(nullptr);
        _exit(ok ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A disk that takes no more bytes: the new snapshot cannot be written, so the open is refused
// while the previous snapshot is still there and whole.
TEST_F(FileManagerMemoryTest, ASnapshotThatCannotBeWrittenRefusesTheOpenAndKeepsTheOldOne)
{
    OpenFirst();
    const std::u16string path = WriteExample(MakeTarnwellScanExample());
    // A snapshot of several chunks, and a disk that fills after the first.
    const std::u16string large = WriteSparseScan("large.dmo", TScanFileKind::L3DDemo, 40000);
    const TFullState before = Full();
    ASSERT_GT(before.Base.TempBytes.size(), 100u);
    ExpectInChildUnderLimit(RLIMIT_FSIZE, 100000, [&] {
        const bool opened = Open(large);
        // The chunk that filled the disk was written in part; no chunk was tried after it.
        return !opened && Full() == before && Messages.Messages.size() == 1 && writesBeyondLimit == 0;
    });
    ExpectInChildUnderLimit(RLIMIT_FSIZE, 100, [&] {
        const bool opened = Open(path);
        const bool unchanged = !opened && Full() == before && Messages.Messages.size() == 1 &&
                               Messages.Messages[0].Text == NotRecognised;
        // A snapshot of the scan in force that cannot be written takes the old one with it: it
        // would restore another scan's values.
        const bool dropped = !Manager.CreateTempSnapshot() && Manager.TempFileName().empty() && Full().TempFiles.empty();
        if (!unchanged || !dropped)
            std::fprintf(stderr, "unchanged %d, dropped %d\n", unchanged, dropped);
        return unchanged && dropped;
    });
}

// The program's own address space runs out, as it does for a large file in 32 bits.
TEST_F(FileManagerMemoryTest, AddressSpaceRunningOutRefusesTheOpen)
{
#if L3D_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#else
    OpenFirst();
    const uint32_t points = 1000000;  // about 90 MB of points
    const std::u16string path = WriteSparseScan("huge.dmo", TScanFileKind::TNWDemo, points);
    const TFullState before = Full();
    long pages = 0;
    if (FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld", &pages) != 1)
            pages = 0;
        std::fclose(statm);
    }
    ASSERT_GT(pages, 0);
    const rlim_t used = rlim_t(pages) * rlim_t(sysconf(_SC_PAGESIZE));
    ExpectInChildUnderLimit(RLIMIT_AS, used + (32u << 20), [&] {
        const bool opened = Open(path);
        const bool unchanged = !opened && Full() == before && Messages.Messages.size() == 1;
        if (!unchanged)
            std::fprintf(stderr, "opened %d\n", opened);
        return unchanged;
    });
    ASSERT_TRUE(Open(path));
    EXPECT_EQ(Scan.Count, points);
#endif
}

#else

// Takes the address space of the process until only about Free bytes are left in blocks of a
// megabyte or more; gives it back when it goes.
class TAddressSpaceHog {
public:
    explicit TAddressSpaceHog(size_t Free)
    {
        for (size_t block : {size_t(256) << 20, size_t(64) << 20, size_t(16) << 20, size_t(4) << 20, size_t(1) << 20})
            while (void* p = VirtualAlloc(nullptr, block, MEM_RESERVE, PAGE_NOACCESS))
                blocks_.push_back({p, block});
        size_t freed = 0;
        while (freed < Free && !blocks_.empty()) {
            freed += blocks_.back().second;
            VirtualFree(blocks_.back().first, 0, MEM_RELEASE);
            blocks_.pop_back();
        }
    }
    ~TAddressSpaceHog()
    {
        for (auto& block : blocks_)
            VirtualFree(block.first, 0, MEM_RELEASE);
    }
    size_t Taken() const
    {
        size_t total = 0;
        for (const auto& block : blocks_)
            total += block.second;
        return total;
    }

private:
    std::vector<std::pair<void*, size_t>> blocks_;
};

// The 32-bit address space runs out part-way through a large Tarnwell file.
TEST_F(FileManagerMemoryTest, AddressSpaceRunningOutRefusesTheOpen)
{
    OpenFirst();
    const uint32_t points = 1000000;  // about 70 MB of points
    const std::u16string path = WriteSparseScan("huge.dmo", TScanFileKind::TNWDemo, points);
    const TFullState before = Full();
    Messages.Messages.reserve(4);
    bool opened = true;
    size_t taken = 0;
    {
        TAddressSpaceHog hog(24u << 20);
        taken = hog.Taken();
        opened = Open(path);
    }
    EXPECT_GT(taken, size_t(1) << 30);
    ExpectRefusedWithNothingChanged(opened, before);
    ASSERT_TRUE(Open(path));
    EXPECT_EQ(Scan.Count, points);
}

#endif

} // namespace
