#include "forms/dialogs/MsgBoxIcon.h"

#include <cmath>
#include <string_view>

#include "forms/Constants.h"
#include "gdi/Gdi.h"

namespace forms {

namespace {

// Painted this many times larger, then shrunk with averaging.
constexpr int kOversample = 4;

enum class Outline { Disc, Triangle };
enum class Mark { Cross, Question, Exclamation, Info };

struct IconLook {
  Outline outline;
  gdi::COLORREF fill;
  gdi::COLORREF edge;
  Mark mark;
  gdi::COLORREF markColor;
};

const IconLook* LookOf(int32_t buttons) {
  static const IconLook critical{Outline::Disc, gdi::RGB(218, 38, 38), gdi::RGB(150, 18, 18), Mark::Cross,
                                 gdi::RGB(255, 255, 255)};
  static const IconLook question{Outline::Disc, gdi::RGB(38, 104, 204), gdi::RGB(20, 62, 140), Mark::Question,
                                 gdi::RGB(255, 255, 255)};
  static const IconLook exclamation{Outline::Triangle, gdi::RGB(252, 204, 44), gdi::RGB(170, 120, 0), Mark::Exclamation,
                                    gdi::RGB(0, 0, 0)};
  static const IconLook information{Outline::Disc, gdi::RGB(38, 104, 204), gdi::RGB(20, 62, 140), Mark::Info,
                                    gdi::RGB(255, 255, 255)};
  switch (buttons & 0x70) {
    case vbCritical:
      return &critical;
    case vbQuestion:
      return &question;
    case vbExclamation:
      return &exclamation;
    case vbInformation:
      return &information;
    default:
      return nullptr;
  }
}

// Draws in the coordinates of a 32-unit square onto a DC `size` pixels wide.
class IconCanvas {
 public:
  IconCanvas(gdi::HDC hdc, int size) : m_hdc(hdc), m_unit(size / 32.0) {}

  int At(double units) const { return static_cast<int>(std::lround(units * m_unit)); }

  void Shape(const IconLook& look) {
    gdi::OwnedBrush brush(gdi::CreateSolidBrush(look.fill));
    gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_SOLID, std::max(1, At(1)), look.edge));
    gdi::ScopedSelect<gdi::HBRUSH> selectBrush(m_hdc, brush.Get());
    gdi::ScopedSelect<gdi::HPEN> selectPen(m_hdc, pen.Get());
    if (look.outline == Outline::Disc) {
      gdi::Ellipse(m_hdc, At(1), At(1), At(31), At(31));
    } else {
      const gdi::POINT corners[] = {{At(16), At(2)}, {At(31), At(29)}, {At(1), At(29)}};
      gdi::Polygon(m_hdc, corners, 3);
    }
  }

  void Bar(double left, double top, double right, double bottom, gdi::COLORREF color) {
    gdi::OwnedBrush brush(gdi::CreateSolidBrush(color));
    gdi::FillRect(m_hdc, gdi::RECT{At(left), At(top), At(right), At(bottom)}, brush.Get());
  }

  void Dot(double cx, double cy, double radius, gdi::COLORREF color) {
    gdi::OwnedBrush brush(gdi::CreateSolidBrush(color));
    gdi::ScopedSelect<gdi::HBRUSH> selectBrush(m_hdc, brush.Get());
    gdi::ScopedSelect<gdi::HPEN> selectPen(m_hdc, gdi::HPEN(gdi::GetStockObject(gdi::NULL_PEN)));
    gdi::Ellipse(m_hdc, At(cx - radius), At(cy - radius), At(cx + radius), At(cy + radius));
  }

  void Line(double x1, double y1, double x2, double y2, double width, gdi::COLORREF color) {
    gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_SOLID, At(width), color));
    gdi::ScopedSelect<gdi::HPEN> selectPen(m_hdc, pen.Get());
    gdi::MoveToEx(m_hdc, At(x1), At(y1));
    gdi::LineTo(m_hdc, At(x2), At(y2));
  }

  // A glyph of a bold face centred on the icon, its cell starting at `top`.
  void Glyph(std::string_view glyph, double top, double points, gdi::COLORREF color) {
    gdi::OwnedFont font(gdi::CreatePointFont("Arial", points * m_unit, true));
    gdi::ScopedSelect<gdi::HFONT> selectFont(m_hdc, font.Get());
    gdi::SetTextColor(m_hdc, color);
    gdi::SetBkMode(m_hdc, gdi::TRANSPARENT);
    gdi::RECT cell{0, At(top), At(32), At(32)};
    gdi::DrawTextA(m_hdc, glyph, -1, &cell, gdi::DT_CENTER | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX);
  }

 private:
  gdi::HDC m_hdc;
  double m_unit;
};

void PaintIcon(gdi::HDC hdc, int size, const IconLook& look) {
  IconCanvas canvas(hdc, size);
  canvas.Shape(look);
  switch (look.mark) {
    case Mark::Cross:
      canvas.Line(10.5, 10.5, 21.5, 21.5, 3.5, look.markColor);
      canvas.Line(21.5, 10.5, 10.5, 21.5, 3.5, look.markColor);
      break;
    case Mark::Question:
      canvas.Glyph("?", 4.5, 16, look.markColor);
      break;
    case Mark::Exclamation:
      canvas.Bar(14.5, 10, 17.5, 21, look.markColor);
      canvas.Dot(16, 24.5, 1.9, look.markColor);
      break;
    case Mark::Info:
      canvas.Dot(16, 9, 2.2, look.markColor);
      canvas.Bar(14.2, 13, 17.8, 25, look.markColor);
      break;
  }
}

}  // namespace

com::StdPicturePtr MsgBoxIcon(int32_t buttons, int pixels) {
  const IconLook* look = LookOf(buttons);
  if (!look || pixels <= 0) return nullptr;
  const gdi::COLORREF face = gdi::GetSysColor(gdi::COLOR_BTNFACE);
  const int large = pixels * kOversample;
  gdi::OwnedBitmap big(gdi::CreateFilledBitmap(large, large, face));
  gdi::OwnedBitmap icon(gdi::CreateFilledBitmap(pixels, pixels, face));
  {
    gdi::OwnedDC bigDc(gdi::CreateCompatibleDC());
    gdi::ScopedSelect<gdi::HBITMAP> selectBig(bigDc.Get(), big.Get());
    PaintIcon(bigDc.Get(), large, *look);
    gdi::OwnedDC iconDc(gdi::CreateCompatibleDC());
    gdi::ScopedSelect<gdi::HBITMAP> selectIcon(iconDc.Get(), icon.Get());
    gdi::SetStretchBltMode(iconDc.Get(), gdi::HALFTONE);
    gdi::StretchBlt(iconDc.Get(), 0, 0, pixels, pixels, bigDc.Get(), 0, 0, large, large, gdi::SRCCOPY);
  }
  return com::StdPicture::FromBitmap(std::move(icon));
}

}  // namespace forms
