#include "gdi/PixelBuffer.h"

namespace gdi::detail {

COLORREF FromPixel(uint32_t pixel) noexcept {
  uint32_t a = pixel >> 24;
  auto ch = [&](int shift) -> uint8_t {
    uint32_t v = (pixel >> shift) & 0xFF;
    if (a == 0) return 0;
    if (a == 255) return static_cast<uint8_t>(v);
    return static_cast<uint8_t>(std::min<uint32_t>(255, (v * 255 + a / 2) / a));
  };
  return RGB(ch(16), ch(8), ch(0));
}

bool PixelBuffer::AnyTransparent() const noexcept {
  return std::any_of(pixels.begin(), pixels.end(), [](uint32_t p) { return (p >> 24) != 255; });
}

RECT Intersect(const RECT& a, const RECT& b) noexcept {
  RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
  if (IsEmptyRect(r)) return RECT{};
  return r;
}

RECT Normalized(const RECT& r) noexcept {
  return RECT{std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right),
              std::max(r.top, r.bottom)};
}

void FillPixels(PixelBuffer& target, const RECT& clip, RECT rect, uint32_t pixel) {
  RECT r = Intersect(Intersect(rect, clip), target.Bounds());
  if (IsEmptyRect(r)) return;
  if (r.left == 0 && r.right == target.width) {  // whole rows lie side by side
    std::fill(target.Row(r.top), target.Row(r.bottom - 1) + target.width, pixel);
    return;
  }
  for (int y = r.top; y < r.bottom; ++y) std::fill(target.Row(y) + r.left, target.Row(y) + r.right, pixel);
}

}  // namespace gdi::detail
