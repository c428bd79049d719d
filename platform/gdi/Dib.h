// Device-independent bitmaps: pixel rows as a file or a clip stores them,
// described by a BITMAPINFO, copied into a bitmap of this layer. Rows are
// padded to four bytes; a positive height stores the bottom row first, a
// negative one the top row first. Uncompressed rows of 8 bits (colour
// table indexes), 24 bits (blue, green, red) or 32 bits (blue, green, red,
// unused) are understood.
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/Types.h"

namespace gdi {

inline constexpr uint32_t BI_RGB = 0;
inline constexpr uint32_t BI_RLE8 = 1;
inline constexpr uint32_t DIB_RGB_COLORS = 0;

struct RGBQUAD {
  uint8_t rgbBlue = 0;
  uint8_t rgbGreen = 0;
  uint8_t rgbRed = 0;
  uint8_t rgbReserved = 0;
};

struct BITMAPINFOHEADER {
  uint32_t biSize = 40;
  int32_t biWidth = 0;
  int32_t biHeight = 0;
  uint16_t biPlanes = 1;
  uint16_t biBitCount = 0;
  uint32_t biCompression = BI_RGB;
  uint32_t biSizeImage = 0;
  int32_t biXPelsPerMeter = 0;
  int32_t biYPelsPerMeter = 0;
  uint32_t biClrUsed = 0;
  uint32_t biClrImportant = 0;
};

// The header and its colour table (the table is held by value here).
struct BITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  std::vector<RGBQUAD> bmiColors;
};

// Bytes of one stored row: the bits of `width` pixels padded to four bytes.
uint32_t DibStride(int32_t width, uint16_t bitCount);

// Copies `scanLines` stored rows, starting with stored row `startScan`,
// from `bits` into `bitmap` (the DC is not needed here and may be null).
// The bitmap keeps its size; what falls outside it is dropped. An 8-bit
// index beyond the colour table reads as black. Returns the number of rows
// copied; 0 for an unknown bitmap, a compressed or unsupported format, or
// too few bytes in `bits`.
int SetDIBits(HDC hdc, HBITMAP bitmap, uint32_t startScan, uint32_t scanLines, const std::vector<uint8_t>& bits,
              const BITMAPINFO& info, uint32_t usage = DIB_RGB_COLORS);

}  // namespace gdi
