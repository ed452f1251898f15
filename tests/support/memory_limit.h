// A memory limit for tests. memory_limit.cpp replaces the global operator new and delete, so it
// must be compiled into the test program itself (list it among the test's SOURCES). While a
// limit is in force, operator new refuses what the limit forbids by throwing std::bad_alloc,
// exactly as it does when the system runs out of memory; memory freed under the limit is
// available again, so a program that gives up a failed task can go on.
#pragma once

#include <cstddef>
#include <cstdint>

class TMemoryLimit {
public:
    // Refuses every allocation that would take the bytes held through operator new more than
    // ExtraBytes above what is held now.
    static TMemoryLimit Bytes(size_t ExtraBytes);
    // Refuses only the Nth allocation from now (1 = the next one).
    static TMemoryLimit FailingAllocation(uint64_t N);

    TMemoryLimit(const TMemoryLimit&) = delete;
    TMemoryLimit& operator=(const TMemoryLimit&) = delete;
    TMemoryLimit(TMemoryLimit&& Other) noexcept;
    // Lifts the limit.
    ~TMemoryLimit();

    // How many allocations the limit refused so far.
    uint64_t Refusals() const;
    // The most bytes held above the level at the start of the limit.
    size_t PeakExtraBytes() const;

private:
    TMemoryLimit() = default;
    bool active_ = false;
};

// Bytes held through operator new now.
size_t HeldBytes();
