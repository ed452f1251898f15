// Copies a rectangle of the current OpenGL frame into a bitmap, for the image export.
#pragma once

#include <cstdint>

#include "framework/Colors.h"

class TBitmap;

// Reads the rectangle (X, Y, Width, Height), in OpenGL window coordinates from the bottom left,
// from the back buffer of the current context: the caller draws the view without swapping,
// calls this, then swaps. When the context draws into the renderer's drawing window the
// rectangle is taken in the coordinates of that window's parent, as the viewports are. The
// bitmap becomes Width x Height, 32 bits per pixel; with MakeWhite = 1 pixels of exactly the
// colour Color (system colours resolved) turn white. False for no bitmap or an empty rectangle.
bool ReadGLPixelsToBitmap(TBitmap* Bitmap, int X, int Y, int Width, int Height, TColor Color, uint8_t MakeWhite);
