// The undo snapshot: the values of every point of a scan, as Singles (little-endian) in the
// column serpentine order of the grid, in a temporary file named "l3d...". Restoring brings
// back the values as they were when the snapshot was taken, however many edits came since.
//
// The file goes with the program that wrote it: it is held open for as long as it is in force
// and the system deletes it when the program ends, however it ends, so that no snapshot of a
// killed or frozen program fills the temporary folder. While held, no other program may write
// or delete it.
//
// A new snapshot is written to a new file before the one in force is given up, so that a
// snapshot that cannot be written (no memory, a full disk) costs nothing: the caller keeps
// the previous scan and its snapshot (WriteNew, then Replace once the new scan is in force).
#pragma once

#include "framework/FileUtils.h"

#include <string>

class TScanData;

// A snapshot file written but not yet in force.
struct TNewSnapshot {
    THeldTempFile File;
};

class TUndoSnapshot {
public:
    enum class TWriteResult {
        Written,
        NoTempFolder,  // the system has no temporary folder: there can be no snapshot at all
        Failed,        // no unique name, no memory, or the write failed
    };

    TUndoSnapshot() = default;
    TUndoSnapshot(const TUndoSnapshot&) = delete;
    TUndoSnapshot& operator=(const TUndoSnapshot&) = delete;
    // The file goes with the object, if Remove has not taken it before.
    ~TUndoSnapshot() = default;

    // Writes the values of Scan to a new file under a fresh unique name; the snapshot in force
    // stays as it is. NewFile receives the file when the result is Written; otherwise nothing
    // is left on disk. Never throws.
    TWriteResult WriteNew(TScanData& Scan, TNewSnapshot& NewFile) const;
    // Puts NewFile (written by WriteNew) in force and deletes the previous file. Cannot fail.
    void Replace(TNewSnapshot& NewFile) noexcept;
    // Deletes a file written by WriteNew that is not wanted after all; NewFile becomes empty.
    static void Discard(TNewSnapshot& NewFile) noexcept;

    // WriteNew then Replace, for a scan that is already in force. When no snapshot can be
    // written the previous one goes too, since it holds another scan's values, and restoring
    // does nothing. True when the snapshot was written.
    bool Create(TScanData& Scan);

    // Gives every point its snapshot value back: Value and DisplayValue, and Invalid exactly
    // where the value is NaN. Points beyond the end of a short file keep their values. True
    // when a snapshot was read.
    bool Restore(TScanData& Scan) const;

    // Deletes the file; the name stays.
    void Remove() noexcept { file_.Close(); }

    const std::u16string& FileName() const { return file_.FileName(); }

    // Deletes the snapshots in the temporary folder that no running program holds: those left
    // where the system could not delete them (a power cut, an earlier version of the program).
    // A program calls it once as it starts.
    static void RemoveAbandoned();

private:
    THeldTempFile file_;
};
