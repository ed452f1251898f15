// How much memory the process can still take. A 32-bit program runs out of address space long
// before the machine runs out of memory, so what it can hold is asked here before large work
// starts (a file read, a display list built).
#pragma once

#include <cstdint>

// The process's address space: its size (0 when it sets no bound that can be read), the bytes
// the process could still allocate (UINT64_MAX when nothing bounds them), and the part in use
// now and at its peak (reserved or committed, the libraries' and drivers' mappings included; 0
// when unknown).
struct TAddressSpace {
    uint64_t Total = 0;
    uint64_t Left = 0;
    uint64_t InUse = 0;
    uint64_t PeakInUse = 0;
};

// The address space now: what is left is the smaller of the free part of the address space
// and what the system can still commit. Under Wine the free part is the address space less
// what the process holds in memory (Wine's own figure, which counts reserved and swapped-out
// memory as free); the part in use is the Linux process's virtual size there, Wine's own
// reservations and the mappings of the OpenGL driver and other Linux libraries included.
TAddressSpace ProcessAddressSpace();
