// Little-endian fields on a stream, assembled byte by byte so that no layout of a struct
// is ever cast. Readers return false on a short read and then leave Value unchanged; the
// position is wherever the short read stopped.
#pragma once

#include "framework/Streams.h"

#include <cstdint>
#include <cstring>

namespace le {

template <class T>
bool ReadUnsigned(TStream& Stream, T& Value)
{
    uint8_t Bytes[sizeof(T)];
    if (Stream.Read(Bytes, sizeof(T)) != static_cast<int32_t>(sizeof(T)))
        return false;
    T V = 0;
    for (size_t i = 0; i < sizeof(T); ++i)
        V = static_cast<T>(V | static_cast<T>(static_cast<T>(Bytes[i]) << (8 * i)));
    Value = V;
    return true;
}

template <class T>
bool WriteUnsigned(TStream& Stream, T Value)
{
    uint8_t Bytes[sizeof(T)];
    for (size_t i = 0; i < sizeof(T); ++i)
        Bytes[i] = static_cast<uint8_t>(Value >> (8 * i));
    return Stream.Write(Bytes, sizeof(T)) == static_cast<int32_t>(sizeof(T));
}

inline bool ReadU8(TStream& S, uint8_t& V) { return ReadUnsigned(S, V); }
inline bool ReadU16(TStream& S, uint16_t& V) { return ReadUnsigned(S, V); }
inline bool ReadU32(TStream& S, uint32_t& V) { return ReadUnsigned(S, V); }

inline bool ReadI32(TStream& S, int32_t& V)
{
    uint32_t U;
    if (!ReadUnsigned(S, U))
        return false;
    V = static_cast<int32_t>(U);
    return true;
}

inline bool ReadI64(TStream& S, int64_t& V)
{
    uint64_t U;
    if (!ReadUnsigned(S, U))
        return false;
    V = static_cast<int64_t>(U);
    return true;
}

inline bool ReadF32(TStream& S, float& V)
{
    uint32_t U;
    if (!ReadUnsigned(S, U))
        return false;
    std::memcpy(&V, &U, sizeof V);
    return true;
}

inline bool WriteU8(TStream& S, uint8_t V) { return WriteUnsigned(S, V); }
inline bool WriteU16(TStream& S, uint16_t V) { return WriteUnsigned(S, V); }
inline bool WriteU32(TStream& S, uint32_t V) { return WriteUnsigned(S, V); }
inline bool WriteI32(TStream& S, int32_t V) { return WriteUnsigned(S, static_cast<uint32_t>(V)); }
inline bool WriteI64(TStream& S, int64_t V) { return WriteUnsigned(S, static_cast<uint64_t>(V)); }

inline bool WriteF32(TStream& S, float V)
{
    uint32_t U;
    std::memcpy(&U, &V, sizeof U);
    return WriteUnsigned(S, U);
}

// Bytes between the position and the end; 0 for a stream that cannot tell.
inline int64_t BytesLeft(TStream& S)
{
    int64_t Pos = S.Position();
    int64_t Size = S.Size();
    return (Pos < 0 || Size < Pos) ? 0 : Size - Pos;
}

} // namespace le
