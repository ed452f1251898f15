// The ten most recently opened scan files. Slot 1 (index 0) holds the oldest path, slot 10
// (index 9) the newest; an empty string is a free slot. Paths compare exactly.
#pragma once

#include "framework/Streams.h"

#include <array>
#include <string>

class TRecentFileList {
public:
    static constexpr int SlotCount = 10;

    // False when Path is already listed (nothing moves); otherwise the oldest path is dropped,
    // the others move one slot towards slot 1 and Path takes slot 10.
    bool Add(const std::u16string& Path);

    // Writes the ten slots in order as stream wide strings, empty ones included. Raises
    // EWriteError when the stream refuses, so that the settings file is not replaced.
    void Save(TStream& Stream) const;
    // Reads ten slots; a damaged or missing string leaves its slot empty. False when any
    // string was damaged.
    bool Load(TStream& Stream);

    const std::u16string& Slot(int Index) const { return slots_[static_cast<size_t>(Index)]; }
    const std::array<std::u16string, SlotCount>& Slots() const { return slots_; }

private:
    std::array<std::u16string, SlotCount> slots_;
};
