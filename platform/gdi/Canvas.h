// Where a font backend draws: a bitmap's pixels and the clip rectangle of
// the drawing call.
#pragma once

#include "gdi/PixelBuffer.h"
#include "gdi/Types.h"

namespace gdi {

class Canvas {
 public:
  Canvas(detail::PixelBuffer& target, const RECT& clip) : m_target(target), m_clip(clip) {}
  detail::PixelBuffer& Target() noexcept { return m_target; }
  const RECT& Clip() const noexcept { return m_clip; }
  void FillRect(const RECT& r, COLORREF color) { detail::FillPixels(m_target, m_clip, r, detail::ToPixel(color)); }

 private:
  detail::PixelBuffer& m_target;
  RECT m_clip;
};

}  // namespace gdi
