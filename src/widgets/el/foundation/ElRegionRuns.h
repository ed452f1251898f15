// The opaque parts of a picture as rectangles, row by row: each run of neighbouring pixels of a
// row whose colour is not the transparent one becomes a rectangle one pixel high. Portable; a
// window region is made of them on the Windows side.
#pragma once

#include "framework/Types.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// Pixels: Height rows of Width 32-bit pixels, top row first; only the low 24 bits count.
// Transparent is compared in the same form.
std::vector<TRect> OpaqueRuns(const uint32_t* Pixels, int32_t Width, int32_t Height, uint32_t Transparent);

// Regions are built from blocks of at most this many rectangles.
constexpr size_t ElRegionBlockSize = 2000;
