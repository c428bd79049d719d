// CGradient: the library's two-colour linear gradient painter. A caller
// sets Angle, Color1 and Color2 and lets Draw paint the whole client area of
// a window object, read late-bound through its hWnd and hDC.
//
// The gradient runs from Color1 to Color2 along the direction of Angle,
// counted in degrees anticlockwise from the positive x axis (0: left to
// right, 90: bottom to top): every line across that direction has one
// colour, Color1 at the corner where the direction starts and Color2 at the
// opposite one.
#pragma once

#include <cstdint>

#include "com/Dispatch.h"
#include "gdi/Types.h"

namespace kvctl2 {

class CGradient {
 public:
  // Degrees reduced to 0..360 as value - Int(value / 360) * 360.
  float Angle() const { return m_angle; }
  void SetAngle(float value);
  // OLE colours; a system colour (a negative value whose low 31 bits are
  // below 25) becomes the colour the system reports for that index.
  uint32_t Color1() const { return m_color1; }
  void SetColor1(uint32_t value) { m_color1 = Resolve(value); }
  uint32_t Color2() const { return m_color2; }
  void SetColor2(uint32_t value) { m_color2 = Resolve(value); }

  // Paints the gradient over the client area of obj's window into obj's
  // device context; False when obj has no window or device context, or its
  // client area is 1 pixel or less in width or height.
  bool Draw(com::Dispatch& obj) const;
  // The same into a device context over a rectangle.
  bool Paint(gdi::HDC hdc, const gdi::RECT& area) const;
  // The part of that gradient that lies within `visible` (a caller that
  // shows a window of a large area paints only what it shows).
  bool Paint(gdi::HDC hdc, const gdi::RECT& area, const gdi::RECT& visible) const;

 private:
  static uint32_t Resolve(uint32_t color);

  float m_angle = 315;
  uint32_t m_color1 = 0xFFFFD0;
  uint32_t m_color2 = 0x400000;
};

}  // namespace kvctl2
