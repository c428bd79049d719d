// The pixels of a bitmap: 32 bits each, alpha in the top byte and the
// colour premultiplied by it, rows without padding (the layout that cairo
// calls ARGB32, so the rasteriser can draw straight into it).
#pragma once

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gdi/Types.h"

namespace gdi::detail {

constexpr uint32_t ToPixel(COLORREF c) noexcept {
  return 0xFF000000u | (static_cast<uint32_t>(GetRValue(c)) << 16) | (static_cast<uint32_t>(GetGValue(c)) << 8) |
         GetBValue(c);
}

// The colour of a pixel as RGB (un-premultiplied).
COLORREF FromPixel(uint32_t pixel) noexcept;

struct PixelBuffer {
  PixelBuffer() = default;
  PixelBuffer(int w, int h, uint32_t fill)
      : width(std::max(w, 0)), height(std::max(h, 0)), pixels(static_cast<size_t>(width) * height, fill) {}

  uint32_t* Row(int y) noexcept { return pixels.data() + static_cast<size_t>(y) * width; }
  const uint32_t* Row(int y) const noexcept { return pixels.data() + static_cast<size_t>(y) * width; }
  bool Contains(int x, int y) const noexcept { return x >= 0 && y >= 0 && x < width && y < height; }
  RECT Bounds() const noexcept { return RECT{0, 0, width, height}; }
  // True when some pixel is not fully opaque.
  bool AnyTransparent() const noexcept;

  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;
  bool hasAlpha = false;  // drawn through its alpha (pictures and icons)
};

// Rectangle arithmetic used by the raster code.
RECT Intersect(const RECT& a, const RECT& b) noexcept;
inline bool IsEmptyRect(const RECT& r) noexcept { return r.right <= r.left || r.bottom <= r.top; }
RECT Normalized(const RECT& r) noexcept;

// Fills a rectangle (clipped) with an opaque colour.
void FillPixels(PixelBuffer& target, const RECT& clip, RECT rect, uint32_t pixel);
// Draws `src` over `dst` through alpha ("over"); both premultiplied.
inline uint32_t BlendOver(uint32_t dst, uint32_t src) noexcept {
  uint32_t a = src >> 24;
  if (a == 255) return src;
  if (a == 0) return dst;
  uint32_t inv = 255 - a;
  auto ch = [&](int shift) {
    uint32_t s = (src >> shift) & 0xFF;
    uint32_t d = (dst >> shift) & 0xFF;
    return std::min<uint32_t>(255, s + (d * inv + 127) / 255) << shift;
  };
  return ch(24) | ch(16) | ch(8) | ch(0);
}

}  // namespace gdi::detail
