#include "forms/controls/Shape.h"

#include <algorithm>
#include <type_traits>

#include "com/ControlFactory.h"
#include "com/PropertyBag.h"
#include "gdi/Gdi.h"
#include "runtime/Error.h"

namespace forms {

namespace {

com::ControlRegistration<Shape> registration{"VB.Shape", "Shape"};

[[noreturn]] void InvalidValue() { rt::Raise(com::errInvalidPropertyValue, "Shape", "Invalid property value"); }

void CheckRange(int16_t value, int16_t low, int16_t high) {
  if (value < low || value > high) InvalidValue();
}

// The pen of a border style: 1 solid, 2 dash, 3 dot, 4 dash-dot,
// 5 dash-dot-dot, 6 inside solid.
int PenStyle(int16_t borderStyle) {
  switch (borderStyle) {
    case 2:
      return gdi::PS_DASH;
    case 3:
      return gdi::PS_DOT;
    case 4:
      return gdi::PS_DASHDOT;
    case 5:
      return gdi::PS_DASHDOTDOT;
    default:
      return gdi::PS_SOLID;
  }
}

}  // namespace

Shape::Shape() {
  SetTabStop(false);
  auto int16Property = [this](const char* name, int16_t Shape::*field, void (Shape::*set)(int16_t)) {
    DefineProperty(
        name, [this, field] { return rt::Variant(this->*field); },
        [this, set](const rt::Variant& v) { (this->*set)(v.ToInteger()); });
  };
  auto colorProperty = [this](const char* name, uint32_t Shape::*field, void (Shape::*set)(uint32_t)) {
    DefineProperty(
        name, [this, field] { return rt::Variant(static_cast<int32_t>(this->*field)); },
        [this, set](const rt::Variant& v) { (this->*set)(static_cast<uint32_t>(v.ToLong())); });
  };
  int16Property("Shape", &Shape::m_shape, &Shape::SetShapeKind);
  int16Property("BackStyle", &Shape::m_backStyle, &Shape::SetBackStyle);
  colorProperty("BackColor", &Shape::m_backColor, &Shape::SetBackColor);
  int16Property("FillStyle", &Shape::m_fillStyle, &Shape::SetFillStyle);
  colorProperty("FillColor", &Shape::m_fillColor, &Shape::SetFillColor);
  int16Property("BorderStyle", &Shape::m_borderStyle, &Shape::SetBorderStyle);
  colorProperty("BorderColor", &Shape::m_borderColor, &Shape::SetBorderColor);
  int16Property("BorderWidth", &Shape::m_borderWidth, &Shape::SetBorderWidth);
}

// Stores a value after checking its range (raising 380 outside it) and
// repaints.
template <class T>
void Shape::Store(T& field, T value, int16_t low, int16_t high) {
  if constexpr (std::is_same_v<T, int16_t>) CheckRange(value, low, high);
  field = value;
  Invalidate();
}

void Shape::SetShapeKind(int16_t value) { Store(m_shape, value, vbShapeRectangle, vbShapeRoundedSquare); }
void Shape::SetBackStyle(int16_t value) { Store(m_backStyle, value, int16_t{0}, int16_t{1}); }
void Shape::SetBackColor(uint32_t color) { Store(m_backColor, color); }
void Shape::SetFillStyle(int16_t value) { Store(m_fillStyle, value, int16_t{0}, int16_t{7}); }
void Shape::SetFillColor(uint32_t color) { Store(m_fillColor, color); }
void Shape::SetBorderStyle(int16_t value) { Store(m_borderStyle, value, int16_t{0}, int16_t{6}); }
void Shape::SetBorderColor(uint32_t color) { Store(m_borderColor, color); }
void Shape::SetBorderWidth(int16_t value) { Store(m_borderWidth, value, int16_t{1}, int16_t{8192}); }

void Shape::Draw(gdi::HDC hdc, int x, int y) {
  int w = PixelWidth();
  int h = PixelHeight();
  if (w <= 0 || h <= 0) return;
  const bool square = m_shape == vbShapeSquare || m_shape == vbShapeCircle || m_shape == vbShapeRoundedSquare;
  if (square) {
    const int side = std::min(w, h);
    x += (w - side) / 2;
    y += (h - side) / 2;
    w = h = side;
  }
  // The rounded kinds round their corners by a sixth of the shorter side.
  const int corner = std::min(w, h) / 3;
  auto outline = [&] {
    switch (m_shape) {
      case vbShapeOval:
      case vbShapeCircle:
        gdi::Ellipse(hdc, x, y, x + w, y + h);
        break;
      case vbShapeRoundedRectangle:
      case vbShapeRoundedSquare:
        gdi::RoundRect(hdc, x, y, x + w, y + h, corner, corner);
        break;
      default:
        gdi::Rectangle(hdc, x, y, x + w, y + h);
        break;
    }
  };
  gdi::ScopedSelect<gdi::HPEN> noPen(hdc, gdi::HPEN(gdi::GetStockObject(gdi::NULL_PEN)));
  for (auto [fill, color] : {std::pair{m_backStyle == 1, m_backColor}, std::pair{m_fillStyle == 0, m_fillColor}}) {
    if (!fill) continue;
    gdi::OwnedBrush brush(gdi::CreateSolidBrush(gdi::OleTranslateColor(color)));
    gdi::ScopedSelect<gdi::HBRUSH> useBrush(hdc, brush.Get());
    outline();
  }
  if (m_borderStyle == 0) return;
  gdi::OwnedPen pen(gdi::CreatePen(PenStyle(m_borderStyle), m_borderWidth, gdi::OleTranslateColor(m_borderColor)));
  gdi::ScopedSelect<gdi::HPEN> usePen(hdc, pen.Get());
  gdi::ScopedSelect<gdi::HBRUSH> noBrush(hdc, gdi::HBRUSH(gdi::GetStockObject(gdi::NULL_BRUSH)));
  outline();
}

void Shape::ReadProperties(const com::PropertyBag& bag) {
  m_shape = bag.ReadProperty("Shape", int16_t{0}).ToInteger();
  m_backStyle = bag.ReadProperty("BackStyle", int16_t{0}).ToInteger();
  m_backColor = static_cast<uint32_t>(bag.ReadProperty("BackColor", static_cast<int32_t>(0x8000000F)).ToLong());
  m_fillStyle = bag.ReadProperty("FillStyle", int16_t{1}).ToInteger();
  m_fillColor = static_cast<uint32_t>(bag.ReadProperty("FillColor", 0).ToLong());
  m_borderStyle = bag.ReadProperty("BorderStyle", int16_t{1}).ToInteger();
  m_borderColor = static_cast<uint32_t>(bag.ReadProperty("BorderColor", static_cast<int32_t>(0x80000008)).ToLong());
  m_borderWidth = std::max<int16_t>(1, bag.ReadProperty("BorderWidth", int16_t{1}).ToInteger());
  Invalidate();
}

void Shape::WriteProperties(com::PropertyBag& bag) {
  bag.WriteProperty("Shape", m_shape, int16_t{0});
  bag.WriteProperty("BackStyle", m_backStyle, int16_t{0});
  bag.WriteProperty("BackColor", static_cast<int32_t>(m_backColor), static_cast<int32_t>(0x8000000F));
  bag.WriteProperty("FillStyle", m_fillStyle, int16_t{1});
  bag.WriteProperty("FillColor", static_cast<int32_t>(m_fillColor), 0);
  bag.WriteProperty("BorderStyle", m_borderStyle, int16_t{1});
  bag.WriteProperty("BorderColor", static_cast<int32_t>(m_borderColor), static_cast<int32_t>(0x80000008));
  bag.WriteProperty("BorderWidth", m_borderWidth, int16_t{1});
}

}  // namespace forms
