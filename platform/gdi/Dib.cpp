#include "gdi/Dib.h"

#include <algorithm>
#include <cstdlib>

#include "gdi/ObjectTable.h"

namespace gdi {

using namespace detail;

uint32_t DibStride(int32_t width, uint16_t bitCount) {
  const uint64_t bitsPerRow = static_cast<uint64_t>(std::abs(static_cast<int64_t>(width))) * bitCount;
  return static_cast<uint32_t>(((bitsPerRow + 31) / 32) * 4);
}

int SetDIBits(HDC /*hdc*/, HBITMAP bitmap, uint32_t startScan, uint32_t scanLines, const std::vector<uint8_t>& bits,
              const BITMAPINFO& info, uint32_t /*usage*/) {
  auto target = Find<PixelBuffer>(ToInt(bitmap));
  const BITMAPINFOHEADER& h = info.bmiHeader;
  const uint16_t depth = h.biBitCount;
  if (!target || h.biCompression != BI_RGB || (depth != 8 && depth != 24 && depth != 32) || h.biWidth <= 0 ||
      h.biHeight == 0) {
    return 0;
  }
  const int64_t rows = std::abs(static_cast<int64_t>(h.biHeight));
  if (startScan >= rows) return 0;
  const int64_t lines = std::min<int64_t>(scanLines, rows - startScan);
  const uint64_t stride = DibStride(h.biWidth, depth);
  if (static_cast<uint64_t>(lines) * stride > bits.size()) return 0;

  const bool bottomUp = h.biHeight > 0;
  const int width = std::min<int>(h.biWidth, target->width);
  for (int64_t line = 0; line < lines; ++line) {
    const int64_t stored = startScan + line;
    const int64_t y = bottomUp ? rows - 1 - stored : stored;
    if (y >= target->height) continue;
    const uint8_t* src = bits.data() + line * stride;
    uint32_t* row = target->Row(static_cast<int>(y));
    for (int x = 0; x < width; ++x) {
      uint8_t b = 0, g = 0, r = 0;
      if (depth == 8) {
        const size_t index = src[x];
        if (index < info.bmiColors.size()) {
          const RGBQUAD& q = info.bmiColors[index];
          b = q.rgbBlue;
          g = q.rgbGreen;
          r = q.rgbRed;
        }
      } else {
        const uint8_t* p = src + static_cast<size_t>(x) * (depth / 8);
        b = p[0];
        g = p[1];
        r = p[2];
      }
      row[x] = ToPixel(RGB(r, g, b));
    }
  }
  target->hasAlpha = false;
  return static_cast<int>(lines);
}

}  // namespace gdi
