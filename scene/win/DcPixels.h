// Moving pixels between a device context and a top-down 32-bit buffer (the CBmp pixel format),
// through a temporary memory context and DIB section that live for one call.
#pragma once

#include <windows.h>

#include <cstdint>

// Copies the rectangle (x, y, width, height) of dc into buf (width * height * 4 bytes).
bool ReadDcPixels(HDC dc, int x, int y, int width, int height, std::uint8_t* buf);
// Copies buf to the rectangle (x, y, width, height) of dc (SRCCOPY, no blending).
bool WriteDcPixels(HDC dc, int x, int y, int width, int height, const std::uint8_t* buf);
// A BITMAPINFO for a top-down 32-bit BI_RGB picture of width x height.
BITMAPINFO TopDown32(int width, int height);
