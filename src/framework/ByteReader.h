// A reader over bytes in memory that carries their length and checks every read: nothing reads
// through a bare pointer into file data. A read that does not fit fails, leaves the output and
// the position unchanged, and makes Ok() false for good, so a run of reads can be checked once
// at the end. Little-endian fields are assembled byte by byte.
#pragma once

#include "framework/LittleEndianBytes.h"

#include <cstddef>
#include <cstdint>
#include <span>

class ByteReader {
public:
    ByteReader() = default;
    ByteReader(const uint8_t* Data, size_t Size) : data_(Data), size_(Data ? Size : 0) {}
    explicit ByteReader(std::span<const uint8_t> Bytes) : ByteReader(Bytes.data(), Bytes.size()) {}

    size_t Size() const { return size_; }
    size_t Position() const { return pos_; }
    size_t Remaining() const { return size_ - pos_; }
    bool Ok() const { return ok_; }
    // True when Count more bytes can be read (Count may come straight from a file).
    bool Has(uint64_t Count) const { return ok_ && Count <= Remaining(); }

    // Moves to an absolute position; fails beyond the end.
    bool Seek(uint64_t Position);
    bool Skip(uint64_t Count);

    bool U8(uint8_t& V) { return Field(V); }
    bool U16(uint16_t& V) { return Field(V); }
    bool U32(uint32_t& V) { return Field(V); }
    bool U64(uint64_t& V) { return Field(V); }
    bool I16(int16_t& V) { return Signed<uint16_t>(V); }
    bool I32(int32_t& V) { return Signed<uint32_t>(V); }
    bool I64(int64_t& V) { return Signed<uint64_t>(V); }
    bool F32(float& V);
    bool F64(double& V);
    bool Bytes(void* Out, uint64_t Count);
    // The next Count bytes without copying; an empty span (and a failed reader) when they are
    // not all there.
    std::span<const uint8_t> Take(uint64_t Count);
    // A reader over the next Count bytes, advancing past them; a failed reader when they are
    // not all there.
    ByteReader Sub(uint64_t Count);

private:
    bool Fail()
    {
        ok_ = false;
        return false;
    }
    template <class T>
    bool Field(T& V)
    {
        if (!Has(sizeof(T))) return Fail();
        V = le::UnsignedAt<T>(data_ + pos_);
        pos_ += sizeof(T);
        return true;
    }
    template <class TBits, class T>
    bool Signed(T& V)
    {
        TBits bits;
        if (!Field(bits)) return false;
        V = static_cast<T>(bits);
        return true;
    }

    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t pos_ = 0;
    bool ok_ = true;
};
