// Little-endian fields in a memory buffer, assembled byte by byte so that the result is the
// same on any host and no layout of a struct is ever cast. The caller has checked that the
// bytes exist; nothing here knows the buffer's length.
#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace le {

template <class T>
T UnsignedAt(const uint8_t* Bytes)
{
    static_assert(std::is_unsigned_v<T>);
    T V = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        V = static_cast<T>(V | static_cast<T>(static_cast<T>(Bytes[i]) << (8 * i)));
    return V;
}

template <class T>
void PutUnsigned(uint8_t* Bytes, T Value)
{
    static_assert(std::is_unsigned_v<T>);
    for (size_t i = 0; i < sizeof(T); ++i)
        Bytes[i] = static_cast<uint8_t>(Value >> (8 * i));
}

inline uint16_t U16At(const uint8_t* P) { return UnsignedAt<uint16_t>(P); }
inline uint32_t U32At(const uint8_t* P) { return UnsignedAt<uint32_t>(P); }
inline int32_t I32At(const uint8_t* P) { return static_cast<int32_t>(UnsignedAt<uint32_t>(P)); }
inline float F32At(const uint8_t* P) { return std::bit_cast<float>(UnsignedAt<uint32_t>(P)); }
inline double F64At(const uint8_t* P) { return std::bit_cast<double>(UnsignedAt<uint64_t>(P)); }

inline void PutU16(uint8_t* P, uint16_t V) { PutUnsigned(P, V); }
inline void PutU32(uint8_t* P, uint32_t V) { PutUnsigned(P, V); }
inline void PutI32(uint8_t* P, int32_t V) { PutUnsigned(P, static_cast<uint32_t>(V)); }
inline void PutF32(uint8_t* P, float V) { PutUnsigned(P, std::bit_cast<uint32_t>(V)); }
inline void PutF64(uint8_t* P, double V) { PutUnsigned(P, std::bit_cast<uint64_t>(V)); }

} // namespace le
