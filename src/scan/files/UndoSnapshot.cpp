#include "scan/files/UndoSnapshot.h"

#include "framework/ByteReader.h"
#include "framework/Exceptions.h"
#include "framework/FileUtils.h"
#include "framework/LittleEndianBytes.h"
#include "scan/model/_TScanData.h"
#include "widgets/el/foundation/ElFileStream.h"

#include <cmath>
#include <cstdint>
#include <new>
#include <utility>
#include <vector>

namespace {

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
    TNewSnapshot fresh;
    try {
        if (TempFolder().empty())
            return TWriteResult::NoTempFolder;
        fresh.FileName = CreateTempFile(u"l3d");
        if (fresh.FileName.empty())
            return TWriteResult::Failed;
        fresh.File = TFileToDelete(fresh.FileName);
        bool written;
        {
            TElFileStream stream(fresh.FileName, fmCreate);
            written = WriteValues(stream, Scan);
        }
        if (written) {
            std::swap(NewFile.FileName, fresh.FileName);
            NewFile.File.Swap(fresh.File);
            return TWriteResult::Written;
        }
    } catch (const Exception&) {
    } catch (const std::bad_alloc&) {
    }
    // A partial snapshot would restore a mixture of values: none is better.
    if (fresh.File.Empty() && !fresh.FileName.empty()) {
        try {
            FileDelete(fresh.FileName);
        } catch (const std::bad_alloc&) {
        }
    }
    Discard(fresh);
    return TWriteResult::Failed;
}

void TUndoSnapshot::Replace(TNewSnapshot& NewFile) noexcept
{
    fileName_.swap(NewFile.FileName);
    file_.Swap(NewFile.File);
    if (NewFile.FileName != fileName_)
        NewFile.File.Delete();
    NewFile.FileName.clear();
    NewFile.File = TFileToDelete();
}

void TUndoSnapshot::Discard(TNewSnapshot& NewFile) noexcept
{
    NewFile.File.Delete();
    NewFile.FileName.clear();
    NewFile.File = TFileToDelete();
}

bool TUndoSnapshot::Create(TScanData& Scan)
{
    TNewSnapshot fresh;
    if (WriteNew(Scan, fresh) == TWriteResult::Written) {
        Replace(fresh);
        return true;
    }
    Remove();
    fileName_.clear();
    file_ = TFileToDelete();
    return false;
}

bool TUndoSnapshot::Restore(TScanData& Scan) const
{
    if (fileName_.empty() || !FileExists(fileName_))
        return false;
    try {
        TElFileStream stream(fileName_, fmOpenRead | fmShareExclusive);
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
    } catch (const Exception&) {
        return false;
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

void TUndoSnapshot::Remove() const
{
    if (!fileName_.empty() && FileExists(fileName_))
        FileDelete(fileName_);
}
