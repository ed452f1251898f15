// The replacement of the global operator new and delete that TAllocationProbe reads. Linked
// only into the tests that use a probe; outside a probe it only forwards to malloc and free.
#include "support/allocation_probe.h"

#include <cstdlib>
#include <new>

namespace {

thread_local int gProbes = 0;
thread_local size_t gLargest = 0;

void* Allocate(size_t Size)
{
    if (gProbes > 0 && Size > gLargest)
        gLargest = Size;
    if (void* p = std::malloc(Size == 0 ? 1 : Size))
        return p;
    throw std::bad_alloc();
}

}  // namespace

TAllocationProbe::TAllocationProbe()
{
    if (gProbes++ == 0)
        gLargest = 0;
}

TAllocationProbe::~TAllocationProbe() { --gProbes; }

size_t TAllocationProbe::Largest() const { return gLargest; }

void* operator new(size_t Size) { return Allocate(Size); }
void* operator new[](size_t Size) { return Allocate(Size); }
void operator delete(void* P) noexcept { std::free(P); }
void operator delete[](void* P) noexcept { std::free(P); }
void operator delete(void* P, size_t) noexcept { std::free(P); }
void operator delete[](void* P, size_t) noexcept { std::free(P); }
