#include "scan/render/GLPixels.h"

void ConvertGLFrame(const uint8_t* Rgba, int Width, int Height, bool MakeWhite, uint8_t R, uint8_t G, uint8_t B,
                    const std::function<uint32_t*(int Y)>& Row)
{
    for (int y = 0; y < Height; ++y) {
        const uint8_t* src = Rgba + static_cast<size_t>(Height - 1 - y) * static_cast<size_t>(Width) * 4;
        uint32_t* dst = Row(y);
        for (int x = 0; x < Width; ++x, src += 4) {
            if (MakeWhite && src[0] == R && src[1] == G && src[2] == B)
                dst[x] = 0x00FFFFFFu;
            else
                dst[x] = (uint32_t{src[0]} << 16) | (uint32_t{src[1]} << 8) | src[2];
        }
    }
}
