// The shape control: a rectangle, square, oval, circle or rounded
// rectangle or square filling the control's bounds (the square kinds
// centred in them). It is drawn with its back colour when BackStyle is
// opaque, then filled with FillColor when FillStyle is solid (the hatch
// patterns draw nothing here), then outlined with a pen of BorderColor,
// BorderWidth and BorderStyle (0: no outline). Windowless, no events.
#pragma once

#include <cstdint>
#include <string>

#include "com/Control.h"

namespace forms {

// Shape kinds.
inline constexpr int16_t vbShapeRectangle = 0;
inline constexpr int16_t vbShapeSquare = 1;
inline constexpr int16_t vbShapeOval = 2;
inline constexpr int16_t vbShapeCircle = 3;
inline constexpr int16_t vbShapeRoundedRectangle = 4;
inline constexpr int16_t vbShapeRoundedSquare = 5;

class Shape : public com::Control {
 public:
  Shape();
  std::string ClassName() const override { return "Shape"; }

  int16_t ShapeKind() const { return m_shape; }
  void SetShapeKind(int16_t value);
  int16_t BackStyle() const { return m_backStyle; }
  void SetBackStyle(int16_t value);
  uint32_t BackColor() const { return m_backColor; }
  void SetBackColor(uint32_t color);
  int16_t FillStyle() const { return m_fillStyle; }
  void SetFillStyle(int16_t value);
  uint32_t FillColor() const { return m_fillColor; }
  void SetFillColor(uint32_t color);
  int16_t BorderStyle() const { return m_borderStyle; }
  void SetBorderStyle(int16_t value);
  uint32_t BorderColor() const { return m_borderColor; }
  void SetBorderColor(uint32_t color);
  int16_t BorderWidth() const { return m_borderWidth; }
  void SetBorderWidth(int16_t value);

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;

 protected:
  std::string WindowClass() const override { return {}; }

 private:
  template <class T>
  void Store(T& field, T value, int16_t low = 0, int16_t high = 0);

  int16_t m_shape = vbShapeRectangle;
  int16_t m_backStyle = 0;
  uint32_t m_backColor = 0x8000000F;
  int16_t m_fillStyle = 1;
  uint32_t m_fillColor = 0;
  int16_t m_borderStyle = 1;
  uint32_t m_borderColor = 0x80000008;
  int16_t m_borderWidth = 1;
};

}  // namespace forms
