// Points, sizes, rectangles and horizontal alignment; portable.
#pragma once

#include <cstdint>

struct TPoint {
    int32_t X = 0, Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int32_t cx = 0, cy = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    int32_t Width() const { return Right - Left; }
    int32_t Height() const { return Bottom - Top; }
    bool Contains(const TPoint& P) const { return P.X >= Left && P.X < Right && P.Y >= Top && P.Y < Bottom; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    friend bool operator==(const TRect&, const TRect&) = default;
};

inline TRect Bounds(int32_t Left, int32_t Top, int32_t Width, int32_t Height)
{
    return {Left, Top, Left + Width, Top + Height};
}

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
