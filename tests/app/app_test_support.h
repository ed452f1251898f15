// Helpers of the program's tests: bytes laid out by hand, field by field, little-endian.
#pragma once

#include <bit>
#include <cstdint>
#include <string>
#include <vector>

class TBytes {
public:
    TBytes& U8(uint8_t V) { b_.push_back(V); return *this; }
    TBytes& U16(uint16_t V) { return U8(uint8_t(V)).U8(uint8_t(V >> 8)); }
    TBytes& U32(uint32_t V) { return U16(uint16_t(V)).U16(uint16_t(V >> 16)); }
    TBytes& I32(int32_t V) { return U32(static_cast<uint32_t>(V)); }
    // A Single given by its bit pattern, so that the layout does not depend on the code's floats.
    TBytes& F32Bits(uint32_t Bits) { return U32(Bits); }
    TBytes& WStr(const std::u16string& S)
    {
        I32(int32_t(S.size()));
        for (char16_t C : S) U16(C);
        return *this;
    }
    TBytes& AStr(const std::string& S)
    {
        I32(int32_t(S.size()));
        for (char C : S) U8(uint8_t(C));
        return *this;
    }
    size_t Size() const { return b_.size(); }
    const std::vector<uint8_t>& Bytes() const { return b_; }

private:
    std::vector<uint8_t> b_;
};
