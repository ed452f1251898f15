#include "widgets/el/foundation/ElRegionRuns.h"

std::vector<TRect> OpaqueRuns(const uint32_t* Pixels, int32_t Width, int32_t Height, uint32_t Transparent)
{
    std::vector<TRect> runs;
    if (!Pixels || Width <= 0 || Height <= 0)
        return runs;
    Transparent &= 0x00FFFFFFu;
    for (int32_t y = 0; y < Height; ++y) {
        const uint32_t* row = Pixels + static_cast<size_t>(y) * static_cast<size_t>(Width);
        int32_t x = 0;
        while (x < Width) {
            while (x < Width && (row[x] & 0x00FFFFFFu) == Transparent)
                ++x;
            const int32_t start = x;
            while (x < Width && (row[x] & 0x00FFFFFFu) != Transparent)
                ++x;
            if (x > start)
                runs.push_back({start, y, x, y + 1});
        }
    }
    return runs;
}
