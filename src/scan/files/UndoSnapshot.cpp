#include "scan/files/UndoSnapshot.h"

#include "framework/ByteReader.h"
#include "framework/FileUtils.h"
#include "framework/LittleEndianBytes.h"
#include "framework/Streams.h"
#include "scan/model/_TScanData.h"

#include <cmath>
#include <cstdint>
#include <exception>
#include <new>
#include <utility>
#include <vector>

namespace {

// The start of every snapshot's name, after which RemoveAbandoned knows them.
constexpr char16_t SnapshotPrefix[] = u"l3d";
constexpr size_t ValueSize = 4;
// Values move through a buffer of this many bytes: a snapshot is never held whole in memory.
constexpr size_t ChunkBytes = 64 * 1024;

bool WriteValues(TStream& Stream, TScanData& Scan)
{
    std::vector<uint8_t> chunk(ChunkBytes);
    size_t used = 0;
    // After the first chunk that fails the snapshot is lost: nothing more is written.
    bool written = true;
    auto flush = [&] {
        written = written && (used == 0 || Stream.Write(chunk.data(), static_cast<int32_t>(used)) == int32_t(used));
        used = 0;
    };
    Scan.ForEachInColumnOrder([&](const TScanPoint& p) {
        if (used == ChunkBytes)
            flush();
        le::PutF32(chunk.data() + used, p.Value);
        used += ValueSize;
    });
    flush();
    return written;
}

// Fills Buffer as far as the stream goes, so that only the last chunk of a file is short and
// no value is split between two chunks.
size_t ReadChunk(TStream& Stream, std::vector<uint8_t>& Buffer)
{
    size_t got = 0;
    while (got < Buffer.size()) {
        const int32_t n = Stream.Read(Buffer.data() + got, static_cast<int32_t>(Buffer.size() - got));
        if (n <= 0)
            break;
        got += static_cast<size_t>(n);
    }
    return got;
}

} // namespace

TUndoSnapshot::TWriteResult TUndoSnapshot::WriteNew(TScanData& Scan, TNewSnapshot& NewFile) const
{
    try {
        if (TempFolder().empty())
            return TWriteResult::NoTempFolder;
        // A partial snapshot would restore a mixture of values: a file that fails goes whole.
        THeldTempFile fresh;
        if (!fresh.Create(SnapshotPrefix))
            return TWriteResult::Failed;
        THandleStream stream(fresh.Handle());
        if (!WriteValues(stream, Scan))
            return TWriteResult::Failed;
        NewFile.File.Swap(fresh);
        return TWriteResult::Written;
    } catch (const std::exception&) {
        // No memory, or a temporary folder whose name the system cannot convert.
    }
    return TWriteResult::Failed;
}

void TUndoSnapshot::Replace(TNewSnapshot& NewFile) noexcept
{
    file_.Swap(NewFile.File);
    Discard(NewFile);
}

void TUndoSnapshot::Discard(TNewSnapshot& NewFile) noexcept
{
    NewFile.File = THeldTempFile();
}

bool TUndoSnapshot::Create(TScanData& Scan)
{
    TNewSnapshot fresh;
    if (WriteNew(Scan, fresh) == TWriteResult::Written) {
        Replace(fresh);
        return true;
    }
    file_ = THeldTempFile();
    return false;
}

bool TUndoSnapshot::Restore(TScanData& Scan) const
{
    if (!file_.Held())
        return false;
    try {
        THandleStream stream(file_.Handle());
        if (stream.Seek(0, soBeginning) != 0)
            return false;
        std::vector<uint8_t> chunk(ChunkBytes);
        ByteReader values;
        TScanPoint* p = Scan.FirstColumnPoint();
        while (p) {
            float v;
            if (!values.F32(v)) {
                // A value cut short by the end of the file ends the restore with the rest.
                values = ByteReader(chunk.data(), ReadChunk(stream, chunk));
                if (!values.F32(v))
                    break;
            }
            p->Value = v;
            p->DisplayValue = v;
            p->Invalid = std::isnan(v) ? 1 : 0;
            p = Scan.NextColumnPoint();
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void TUndoSnapshot::RemoveAbandoned()
{
    try {
        RemoveUnheldTempFiles(SnapshotPrefix);
    } catch (const std::exception&) {
        // No memory for the search: what is left waits for the next start.
    }
}
