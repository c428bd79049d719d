#include "gdi/Rects.h"

#include "gdi/PixelBuffer.h"

namespace gdi {

bool IntersectRect(RECT* out, const RECT& a, const RECT& b) {
  RECT r = detail::Intersect(a, b);
  if (out != nullptr) *out = r;
  return !IsRectEmpty(r);
}

bool EqualRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace gdi
