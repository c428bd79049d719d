// Rectangle helpers of user32 (SetRect, SetRectEmpty, ...).
#pragma once

#include "gdi/Types.h"

namespace gdi {

inline bool SetRect(RECT* r, int left, int top, int right, int bottom) {
  if (r == nullptr) return false;
  *r = RECT{left, top, right, bottom};
  return true;
}
inline bool SetRectEmpty(RECT* r) { return SetRect(r, 0, 0, 0, 0); }
inline bool IsRectEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }
inline bool OffsetRect(RECT* r, int dx, int dy) {
  if (r == nullptr) return false;
  *r = RECT{r->left + dx, r->top + dy, r->right + dx, r->bottom + dy};
  return true;
}
inline bool InflateRect(RECT* r, int dx, int dy) {
  if (r == nullptr) return false;
  *r = RECT{r->left - dx, r->top - dy, r->right + dx, r->bottom + dy};
  return true;
}
inline bool PtInRect(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}
// The overlap of a and b; false (and an empty rectangle) when they do not overlap.
bool IntersectRect(RECT* out, const RECT& a, const RECT& b);
bool EqualRect(const RECT& a, const RECT& b);

}  // namespace gdi
