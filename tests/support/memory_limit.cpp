#include "support/memory_limit.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

enum class TMode { Off, Bytes, Nth };

std::atomic<TMode> mode{TMode::Off};
std::atomic<size_t> held{0};
std::atomic<size_t> base{0};
std::atomic<size_t> peak{0};
std::atomic<size_t> extraAllowed{0};
std::atomic<uint64_t> countdown{0};
std::atomic<uint64_t> refusals{0};

// Each block carries its size in front, so that delete knows what it gives back.
constexpr size_t HeaderSize = 16;

bool Refuse(size_t Size)
{
    switch (mode.load()) {
    case TMode::Off:
        return false;
    case TMode::Bytes:
        return held.load() + Size > base.load() + extraAllowed.load();
    case TMode::Nth:
        return countdown.fetch_sub(1) == 1;
    }
    return false;
}

void* Allocate(size_t Size) noexcept
{
    if (Refuse(Size)) {
        refusals.fetch_add(1);
        return nullptr;
    }
    auto* block = static_cast<unsigned char*>(std::malloc(Size + HeaderSize));
    if (!block)
        return nullptr;
    *reinterpret_cast<size_t*>(block) = Size;
    const size_t now = held.fetch_add(Size) + Size;
    if (mode.load() != TMode::Off && now > base.load()) {
        size_t seen = peak.load();
        while (now - base.load() > seen && !peak.compare_exchange_weak(seen, now - base.load())) {
        }
    }
    return block + HeaderSize;
}

void Release(void* P) noexcept
{
    if (!P)
        return;
    auto* block = static_cast<unsigned char*>(P) - HeaderSize;
    held.fetch_sub(*reinterpret_cast<size_t*>(block));
    std::free(block);
}

void* AllocateOrThrow(size_t Size)
{
    void* p = Allocate(Size);
    if (!p)
        throw std::bad_alloc();
    return p;
}

} // namespace

TMemoryLimit TMemoryLimit::Bytes(size_t ExtraBytes)
{
    TMemoryLimit limit;
    refusals = 0;
    peak = 0;
    base = held.load();
    extraAllowed = ExtraBytes;
    mode = TMode::Bytes;
    limit.active_ = true;
    return limit;
}

TMemoryLimit TMemoryLimit::FailingAllocation(uint64_t N)
{
    TMemoryLimit limit;
    refusals = 0;
    peak = 0;
    base = held.load();
    countdown = N;
    mode = TMode::Nth;
    limit.active_ = true;
    return limit;
}

TMemoryLimit::TMemoryLimit(TMemoryLimit&& Other) noexcept : active_(Other.active_)
{
    Other.active_ = false;
}

TMemoryLimit::~TMemoryLimit()
{
    if (active_)
        mode = TMode::Off;
}

uint64_t TMemoryLimit::Refusals() const { return refusals.load(); }
size_t TMemoryLimit::PeakExtraBytes() const { return peak.load(); }
size_t HeldBytes() { return held.load(); }

void* operator new(size_t Size) { return AllocateOrThrow(Size); }
void* operator new[](size_t Size) { return AllocateOrThrow(Size); }
void* operator new(size_t Size, const std::nothrow_t&) noexcept { return Allocate(Size); }
void* operator new[](size_t Size, const std::nothrow_t&) noexcept { return Allocate(Size); }
void operator delete(void* P) noexcept { Release(P); }
void operator delete[](void* P) noexcept { Release(P); }
void operator delete(void* P, size_t) noexcept { Release(P); }
void operator delete[](void* P, size_t) noexcept { Release(P); }
void operator delete(void* P, const std::nothrow_t&) noexcept { Release(P); }
void operator delete[](void* P, const std::nothrow_t&) noexcept { Release(P); }
