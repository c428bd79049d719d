#include "msgbox/MsgIcons.h"

#include <string_view>

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/Owned.h"
#include "gdi/Shapes.h"
#include "gdi/SysColors.h"
#include "gdi/Text.h"
#include "msgbox/Msg.h"

namespace kvctl2 {
namespace {

constexpr int kSize = 32;
// Drawn this many times larger and shrunk with averaging: smooth edges.
constexpr int kScale = 4;

int S(int v) { return v * kScale; }

// Draws a filled shape in a colour with a darker outline, in the
// coordinates of the 32-pixel icon.
class Painter {
 public:
  explicit Painter(gdi::HDC hdc) : m_hdc(hdc) {}
  void Circle(gdi::COLORREF fill, gdi::COLORREF line) {
    Use(fill, line);
    gdi::Ellipse(m_hdc, S(1), S(1), S(kSize - 1), S(kSize - 1));
  }
  void Triangle(gdi::COLORREF fill, gdi::COLORREF line) {
    Use(fill, line);
    const gdi::POINT points[] = {{S(kSize / 2), S(1)}, {S(kSize - 2), S(kSize - 3)}, {S(1), S(kSize - 3)}};
    gdi::Polygon(m_hdc, points, 3);
  }
  void Page(gdi::COLORREF fill, gdi::COLORREF line) {
    Use(fill, line);
    gdi::Rectangle(m_hdc, S(5), S(2), S(kSize - 5), S(kSize - 2));
  }
  void Glyph(std::string_view text, gdi::COLORREF color, int top, int points) {
    gdi::OwnedFont font(gdi::CreatePointFont("Arial", S(points), true));
    gdi::ScopedSelect<gdi::HFONT> selected(m_hdc, font.Get());
    gdi::SetTextColor(m_hdc, color);
    gdi::SetBkMode(m_hdc, gdi::TRANSPARENT);
    gdi::RECT rect{0, S(top), S(kSize), S(kSize)};
    gdi::DrawTextA(m_hdc, text, -1, &rect, gdi::DT_CENTER | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX);
  }
  void Cross(gdi::COLORREF color, int inset) {
    gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_SOLID, S(3), color));
    gdi::ScopedSelect<gdi::HPEN> selected(m_hdc, pen.Get());
    gdi::MoveToEx(m_hdc, S(inset), S(inset));
    gdi::LineTo(m_hdc, S(kSize - inset), S(kSize - inset));
    gdi::MoveToEx(m_hdc, S(kSize - inset), S(inset));
    gdi::LineTo(m_hdc, S(inset), S(kSize - inset));
  }

 private:
  void Use(gdi::COLORREF fill, gdi::COLORREF line) {
    m_brush = gdi::OwnedBrush(gdi::CreateSolidBrush(fill));
    m_pen = gdi::OwnedPen(gdi::CreatePen(gdi::PS_SOLID, kScale, line));
    gdi::SelectObject(m_hdc, m_brush.Get());
    gdi::SelectObject(m_hdc, m_pen.Get());
  }
  gdi::HDC m_hdc;
  gdi::OwnedBrush m_brush;
  gdi::OwnedPen m_pen;
};

void DrawIcon(gdi::HDC hdc, int slot) {
  Painter paint(hdc);
  const auto white = gdi::RGB(255, 255, 255);
  switch (slot) {
    case kSlotCritical:
      paint.Circle(gdi::RGB(214, 40, 40), gdi::RGB(140, 20, 20));
      paint.Cross(white, 10);
      break;
    case kSlotQuestion:
      paint.Circle(gdi::RGB(40, 100, 200), gdi::RGB(20, 60, 140));
      paint.Glyph("?", white, 6, 15);
      break;
    case kSlotExclamation:
      paint.Triangle(gdi::RGB(250, 200, 40), gdi::RGB(150, 110, 0));
      paint.Glyph("!", gdi::RGB(0, 0, 0), 9, 14);
      break;
    case kSlotInformation:
      paint.Circle(gdi::RGB(40, 100, 200), gdi::RGB(20, 60, 140));
      paint.Glyph("i", white, 5, 16);
      break;
    case kSlotDelete:
      paint.Page(white, gdi::RGB(110, 110, 110));
      paint.Cross(gdi::RGB(214, 40, 40), 9);
      break;
    default:
      break;
  }
  // Leave no object of this function selected when the painter goes.
  gdi::SelectObject(hdc, gdi::HBRUSH(gdi::GetStockObject(gdi::NULL_BRUSH)));
  gdi::SelectObject(hdc, gdi::HPEN(gdi::GetStockObject(gdi::NULL_PEN)));
}

}  // namespace

com::StdPicturePtr StandardMsgIcon(int slot) {
  if (slot < kSlotCritical || slot > kSlotDelete) return nullptr;
  const gdi::COLORREF face = gdi::GetSysColor(gdi::COLOR_BTNFACE);
  gdi::OwnedBitmap large(gdi::CreateFilledBitmap(S(kSize), S(kSize), face));
  gdi::OwnedBitmap bitmap(gdi::CreateFilledBitmap(kSize, kSize, face));
  {
    gdi::OwnedDC big(gdi::CreateCompatibleDC());
    gdi::ScopedSelect<gdi::HBITMAP> selectedLarge(big.Get(), large.Get());
    DrawIcon(big.Get(), slot);
    gdi::OwnedDC small(gdi::CreateCompatibleDC());
    gdi::ScopedSelect<gdi::HBITMAP> selected(small.Get(), bitmap.Get());
    gdi::SetStretchBltMode(small.Get(), gdi::HALFTONE);
    gdi::StretchBlt(small.Get(), 0, 0, kSize, kSize, big.Get(), 0, 0, S(kSize), S(kSize), gdi::SRCCOPY);
  }
  return com::StdPicture::FromBitmap(std::move(bitmap));
}

void UseStandardMsgIcons(Msg& msg) {
  for (int slot = kSlotCritical; slot <= kSlotDelete; ++slot) msg.SetSlotPicture(slot, StandardMsgIcon(slot));
}

}  // namespace kvctl2
