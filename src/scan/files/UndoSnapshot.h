// The undo snapshot: the values of every point of a scan, as Singles (little-endian) in the
// column serpentine order of the grid, in a temporary file named "l3d...". Restoring brings
// back the values as they were when the snapshot was taken, however many edits came since.
#pragma once

#include <string>

class TScanData;

class TUndoSnapshot {
public:
    TUndoSnapshot() = default;
    TUndoSnapshot(const TUndoSnapshot&) = delete;
    TUndoSnapshot& operator=(const TUndoSnapshot&) = delete;
    // Keeps the file: its owner decides when it goes (Remove).
    ~TUndoSnapshot() = default;

    // Deletes the previous file and writes a new one under a fresh unique name (the previous
    // name when the system gives none). A write that fails leaves no file and no name, so
    // that restoring does nothing. True when the snapshot was written.
    bool Create(TScanData& Scan);

    // Gives every point its snapshot value back: Value and DisplayValue, and Invalid exactly
    // where the value is NaN. Points beyond the end of a short file keep their values. True
    // when a snapshot was read.
    bool Restore(TScanData& Scan) const;

    // Deletes the file; the name stays.
    void Remove() const;

    const std::u16string& FileName() const { return fileName_; }

private:
    std::u16string fileName_;
};
