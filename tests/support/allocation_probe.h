// Sees what a piece of code allocates: the test binary's operator new records the largest
// single request made on this thread while a probe lives. A reader that checks a length
// against the bytes left before allocating shows a small figure; one that allocates first and
// fails the read afterwards shows the length it believed.
#pragma once

#include <cstddef>

class TAllocationProbe {
public:
    TAllocationProbe();
    ~TAllocationProbe();
    TAllocationProbe(const TAllocationProbe&) = delete;
    TAllocationProbe& operator=(const TAllocationProbe&) = delete;

    // The largest single request since the probe was made (0 when none).
    size_t Largest() const;
};
