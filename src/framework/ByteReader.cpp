#include "framework/ByteReader.h"

#include <bit>
#include <cstring>

bool ByteReader::Seek(uint64_t Position)
{
    if (!ok_ || Position > size_) return Fail();
    pos_ = static_cast<size_t>(Position);
    return true;
}

bool ByteReader::Skip(uint64_t Count)
{
    if (!Has(Count)) return Fail();
    pos_ += static_cast<size_t>(Count);
    return true;
}

bool ByteReader::F32(float& V)
{
    uint32_t bits;
    if (!U32(bits)) return false;
    V = std::bit_cast<float>(bits);
    return true;
}

bool ByteReader::F64(double& V)
{
    uint64_t bits;
    if (!U64(bits)) return false;
    V = std::bit_cast<double>(bits);
    return true;
}

bool ByteReader::Bytes(void* Out, uint64_t Count)
{
    if (!Has(Count)) return Fail();
    if (Count > 0) std::memcpy(Out, data_ + pos_, static_cast<size_t>(Count));
    pos_ += static_cast<size_t>(Count);
    return true;
}

std::span<const uint8_t> ByteReader::Take(uint64_t Count)
{
    if (!Has(Count)) {
        Fail();
        return {};
    }
    std::span<const uint8_t> bytes(data_ + pos_, static_cast<size_t>(Count));
    pos_ += static_cast<size_t>(Count);
    return bytes;
}

ByteReader ByteReader::Sub(uint64_t Count)
{
    std::span<const uint8_t> bytes = Take(Count);
    if (!ok_) {
        ByteReader failed;
        failed.ok_ = false;
        return failed;
    }
    return ByteReader(bytes);
}
