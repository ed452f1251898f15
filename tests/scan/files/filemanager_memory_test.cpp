// Opening a scan under a memory limit: a file that cannot be loaded for lack of memory is
// refused with a message that says so and changes nothing: scan, views, remarks, file name,
// snapshot, recent list and menus stay as they were, and no file is left behind in the
// temporary folder. A file far too large is refused before its points are read. A scan whose
// undo snapshot cannot be written opens without one, and the user is told once.
#include "filemanager_fixture.h"
#include "support/memory_limit.h"
#include "support/sanitizers.h"

#include "scan/files/bkStrings.h"

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

const std::u16string NoSnapshot =
    u"The scan is open, but its values could not be saved for Undo: the temporary folder is full, "
    u"write-protected or missing. Changes to this scan cannot be undone.";

std::u16string NoMemoryFor(const std::u16string& Path)
{
    return u"There is not enough memory to open \"" + WideExtractFileName(Path) + u"\".";
}

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

class FileManagerMemoryTest : public FileManagerOwnTempTest {
protected:
    TFullState Full()
    {
        TFullState s;
        s.Base = State();
        for (int i = 0; i < Manager.PopupMenu()->Items()->Count(); ++i)
            s.Captions.push_back(Manager.PopupMenu()->Items()->Items(i)->Caption());
        for (int i = 0; i < MainMenu.Count(); ++i)
            s.Captions.push_back(MainMenu.Items(i)->Caption());
        s.TempFiles = TempFiles();
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

    void ExpectRefusedWithNothingChanged(bool Opened, const TFullState& Before, const std::u16string& Path)
    {
        EXPECT_FALSE(Opened);
        EXPECT_TRUE(Full() == Before);
        ASSERT_EQ(Messages.Messages.size(), 1u);
        EXPECT_EQ(Messages.Messages[0].Kind, 1);
        EXPECT_EQ(Messages.Messages[0].Text, NoMemoryFor(Path));
        Messages.Messages.clear();
    }

    // The scan opened without a snapshot: Undo has nothing, no snapshot file is left, and the
    // user is told once.
    void ExpectOpenWithoutSnapshotToldOnce(bool Opened, const std::u16string& Path)
    {
        EXPECT_TRUE(Opened);
        EXPECT_EQ(Manager.FileName(), Path);
        EXPECT_FALSE(Manager.HasSnapshot());
        EXPECT_TRUE(Full().TempFiles.empty());
        EXPECT_TRUE(Messages.Messages.empty());
        Manager.TellMissingSnapshot();
        Manager.TellMissingSnapshot();
        ASSERT_EQ(Messages.Messages.size(), 1u);
        EXPECT_EQ(Messages.Messages[0].Kind, 2);
        EXPECT_EQ(Messages.Messages[0].Text, NoSnapshot);
        Messages.Messages.clear();
    }
};

// Each allocation an open makes is refused in turn, the first to the last: wherever memory runs
// out, the open is refused and leaves everything as it was - except while the snapshot is
// written, which only costs the snapshot - and once every allocation succeeds the file loads
// whole.
TEST_F(FileManagerMemoryTest, AnAllocationRefusedAnywhereInAnOpenChangesNothing)
{
    OpenFirst();
    const std::u16string first = Manager.FileName();
    const TExampleScan second = MakeTarnwellScanExample();
    const std::u16string path = WriteExample(second);
    TFullState before = Full();

    uint64_t n = 1;
    int withoutSnapshot = 0;
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
        if (opened) {
            ++withoutSnapshot;
            EXPECT_EQ(Scan.Count, uint32_t(second.Columns * second.Rows));
            ExpectOpenWithoutSnapshotToldOnce(opened, path);
            // The first scan again, for the next allocation.
            ASSERT_TRUE(Open(first));
            before = Full();
        } else {
            ExpectRefusedWithNothingChanged(opened, before, path);
        }
        if (HasFailure())
            return;
    }
    EXPECT_GT(n, 10u);  // the sweep went through the open's allocations
    EXPECT_GT(withoutSnapshot, 0);
    EXPECT_TRUE(Manager.HasSnapshot());
    Manager.TellMissingSnapshot();
    EXPECT_TRUE(Messages.Messages.empty());

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
        ExpectRefusedWithNothingChanged(opened, before, path);

        // With the memory back, the same file loads.
        ASSERT_TRUE(Open(path));
        EXPECT_EQ(Scan.Count, points);
        EXPECT_EQ(Manager.Remarks().Project, u"large");
        ASSERT_TRUE(Open(Manager.RecentFiles().Slot(TRecentFileList::SlotCount - 2)));  // the first file again
        Messages.Messages.clear();
    }
}

// A snapshot that cannot be written leaves nothing of the old one: not the file, and not its
// name, which another file may well take once it is free and which the snapshot must then
// leave alone, when removed and when a new snapshot comes into force.
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

    WriteFileBytes(old, std::vector<uint8_t>(8, 0));
    snapshot.Remove();
    ASSERT_TRUE(snapshot.Create(Scan));
    EXPECT_EQ(ReadFileBytes(old), std::vector<uint8_t>(8, 0));
    EXPECT_TRUE(FileExists(snapshot.FileName()));
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

// A disk that takes no more bytes: the new snapshot cannot be written, so the scan opens
// without one. The part of it that was written goes, the old snapshot goes too (it holds the
// other scan's values), Undo restores nothing, and the user is told once.
TEST_F(FileManagerMemoryTest, AScanWhoseSnapshotCannotBeWrittenOpensWithoutOne)
{
    OpenFirst();
    // A snapshot of several chunks, and a disk that fills after the first.
    const std::u16string large = WriteSparseScan("large.dmo", TScanFileKind::L3DDemo, 40000);
    ASSERT_GT(Full().Base.TempBytes.size(), 100u);
    auto toldOnce = [&] {
        const bool quiet = Messages.Messages.empty();
        Manager.TellMissingSnapshot();
        Manager.TellMissingSnapshot();
        return quiet && Messages.Messages.size() == 1 && Messages.Messages[0].Kind == 2 &&
               Messages.Messages[0].Text == NoSnapshot;
    };
    ExpectInChildUnderLimit(RLIMIT_FSIZE, 100000, [&] {
        const bool opened = Open(large) && Manager.FileName() == large && Scan.Count == 40000;
        const bool none = !Manager.HasSnapshot() && Full().TempFiles.empty();
        // The chunk that filled the disk was written in part; no chunk was tried after it.
        const bool stopped = writesBeyondLimit == 0;
        Scan.First->Value = 7.0f;
        Manager.RestoreTempSnapshot();
        const bool kept = Scan.First->Value == 7.0f;
        const bool told = toldOnce();
        if (!opened || !none || !stopped || !kept || !told)
            std::fprintf(stderr, "opened %d, none %d, stopped %d, kept %d, told %d\n", opened, none, stopped, kept, told);
        return opened && none && stopped && kept && told;
    });
    // A snapshot of the scan in force that cannot be written takes the old one with it, and is
    // told as well.
    ExpectInChildUnderLimit(RLIMIT_FSIZE, 100, [&] {
        const bool dropped = !Manager.CreateTempSnapshot() && Manager.TempFileName().empty() && Full().TempFiles.empty();
        const bool told = toldOnce();
        if (!dropped || !told)
            std::fprintf(stderr, "dropped %d, told %d\n", dropped, told);
        return dropped && told;
    });
}

// The program's own address space has too little left, as for a large file in 32 bits.
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

// The 32-bit address space has too little left for a large Tarnwell file.
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
    ExpectRefusedWithNothingChanged(opened, before, path);
    ASSERT_TRUE(Open(path));
    EXPECT_EQ(Scan.Count, points);
}

#endif

// Files far beyond what a process can hold - scans of 3 GB and 5 GB, more points than a 32-bit
// address space takes - are refused before a point is made: nothing of the scan is allocated,
// and the message says that memory is short.
TEST_F(FileManagerMemoryTest, AFileTooLargeForMemoryIsRefusedBeforeItsPointsAreMade)
{
#if L3D_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer reserves more address space than any limit leaves";
#else
    OpenFirst();
    for (const uint64_t gigabytes : {3u, 5u}) {
        SCOPED_TRACE(std::to_string(gigabytes) + " GB");
        const uint32_t points = uint32_t((gigabytes << 30) / ScanRecordSize);
        const std::u16string path =
            WriteSparseScan("radar" + std::to_string(gigabytes) + ".dmo", TScanFileKind::L3DDemo, points);
        const TFullState before = Full();
        auto refusedUntouched = [&] {
            // A limit far below the scan, which the open must never come near.
            TMemoryLimit limit = TMemoryLimit::Bytes(size_t(64) << 20);
            const bool opened = Open(path);
            const bool untried = limit.Refusals() == 0 && limit.PeakExtraBytes() < (size_t(8) << 20);
            if (opened || !untried)
                std::fprintf(stderr, "opened %d, refusals %llu, peak %zu\n", opened,
                             (unsigned long long)limit.Refusals(), limit.PeakExtraBytes());
            return !opened && untried;
        };
#ifdef _WIN32
        EXPECT_TRUE(refusedUntouched());
        ExpectRefusedWithNothingChanged(false, before, path);
#else
        // A 64-bit process holds these: it gets an address space of 32-bit size here.
        ExpectInChildUnderLimit(RLIMIT_AS, rlim_t(4) << 30, [&] {
            const bool refused = refusedUntouched();
            const bool told = Messages.Messages.size() == 1 && Messages.Messages[0].Text == NoMemoryFor(path);
            const bool unchanged = Full() == before;
            if (!told || !unchanged)
                std::fprintf(stderr, "told %d, unchanged %d\n", told, unchanged);
            return refused && told && unchanged;
        });
#endif
    }
#endif
}

} // namespace
