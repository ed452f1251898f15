// Little-endian fields on a stream, assembled byte by byte so that no layout of a struct
// is ever cast. Readers return false on a short read and then leave Value unchanged; the
// position is wherever the short read stopped.
#pragma once

#include "framework/LittleEndianBytes.h"
#include "framework/Streams.h"

#include <bit>
#include <cstdint>

namespace le {

template <class T>
bool ReadUnsigned(TStream& Stream, T& Value)
{
    uint8_t Bytes[sizeof(T)];
    if (Stream.Read(Bytes, sizeof(T)) != static_cast<int32_t>(sizeof(T)))
        return false;
    Value = UnsignedAt<T>(Bytes);
    return true;
}

template <class T>
bool WriteUnsigned(TStream& Stream, T Value)
{
    uint8_t Bytes[sizeof(T)];
    PutUnsigned(Bytes, Value);
    return Stream.Write(Bytes, sizeof(T)) == static_cast<int32_t>(sizeof(T));
}

inline bool ReadU8(TStream& S, uint8_t& V) { return ReadUnsigned(S, V); }
inline bool ReadU16(TStream& S, uint16_t& V) { return ReadUnsigned(S, V); }
inline bool ReadU32(TStream& S, uint32_t& V) { return ReadUnsigned(S, V); }

// A signed or floating field: the unsigned field of its size, taken bit for bit.
template <class T, class TBits>
bool ReadBitsAs(TStream& Stream, T& Value)
{
    static_assert(sizeof(T) == sizeof(TBits));
    TBits Bits;
    if (!ReadUnsigned(Stream, Bits))
        return false;
    Value = std::bit_cast<T>(Bits);
    return true;
}

inline bool ReadI32(TStream& S, int32_t& V) { return ReadBitsAs<int32_t, uint32_t>(S, V); }
inline bool ReadI64(TStream& S, int64_t& V) { return ReadBitsAs<int64_t, uint64_t>(S, V); }
inline bool ReadF32(TStream& S, float& V) { return ReadBitsAs<float, uint32_t>(S, V); }
inline bool ReadF64(TStream& S, double& V) { return ReadBitsAs<double, uint64_t>(S, V); }

inline bool WriteU8(TStream& S, uint8_t V) { return WriteUnsigned(S, V); }
inline bool WriteU16(TStream& S, uint16_t V) { return WriteUnsigned(S, V); }
inline bool WriteU32(TStream& S, uint32_t V) { return WriteUnsigned(S, V); }
inline bool WriteI32(TStream& S, int32_t V) { return WriteUnsigned(S, static_cast<uint32_t>(V)); }
inline bool WriteI64(TStream& S, int64_t V) { return WriteUnsigned(S, static_cast<uint64_t>(V)); }

inline bool WriteF32(TStream& S, float V) { return WriteUnsigned(S, std::bit_cast<uint32_t>(V)); }
inline bool WriteF64(TStream& S, double V) { return WriteUnsigned(S, std::bit_cast<uint64_t>(V)); }

// Bytes between the position and the end; 0 for a stream that cannot tell.
inline int64_t BytesLeft(TStream& S)
{
    int64_t Pos = S.Position();
    int64_t Size = S.Size();
    return (Pos < 0 || Size < Pos) ? 0 : Size - Pos;
}

} // namespace le
