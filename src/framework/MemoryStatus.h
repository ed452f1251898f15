// How much memory the process can still take: the smaller of the address space it has left
// and what the system can still commit. A 32-bit program runs out of address space long before
// the machine runs out of memory, so what it can hold is asked here before large work starts.
#pragma once

#include <cstdint>

// Bytes the process could still allocate, as far as the system tells; UINT64_MAX when it
// sets no bound that can be read.
uint64_t MemoryLeftForProcess();
