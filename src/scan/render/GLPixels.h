// Conversion of a frame read from OpenGL into bitmap pixels.
#pragma once

#include <cstdint>
#include <functional>

// Rgba holds Height rows of Width pixels, 4 bytes each, the bottom row first (as OpenGL reads
// them). Each row is written through Row(y), y counted from the top, as 0x00RRGGBB values (blue
// in the low byte). With MakeWhite, pixels whose red, green and blue equal R, G, B exactly
// become white.
void ConvertGLFrame(const uint8_t* Rgba, int Width, int Height, bool MakeWhite, uint8_t R, uint8_t G, uint8_t B,
                    const std::function<uint32_t*(int Y)>& Row);
