#include "main/MsgIcons.h"

#include "gdi/Bitmaps.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/Owned.h"
#include "gdi/Shapes.h"
#include "gdi/SysColors.h"

namespace qvadmin {

namespace {

constexpr int kSize = 32;
constexpr gdi::COLORREF kRed = 0x0000C8;
constexpr gdi::COLORREF kDarkRed = 0x000080;
constexpr gdi::COLORREF kWhite = 0xFFFFFF;
constexpr gdi::COLORREF kGrey = 0x808080;
constexpr gdi::COLORREF kLightGrey = 0xD8D8D8;

// Drawn this many times larger and shrunk with averaging: smooth edges.
constexpr int kScale = 4;

int S(int v) { return v * kScale; }

// A picture drawn by `paint` (in the coordinates of the large drawing) on
// the button-face colour.
template <class Paint>
com::StdPicturePtr DrawPicture(Paint paint) {
  gdi::DrawingSurface large(S(kSize), S(kSize));
  large.SetAutoRedraw(true);
  large.SetBackColor(gdi::SysColor(15));
  large.Cls();
  paint(large.hDC());
  gdi::OwnedBitmap bitmap(gdi::CreateFilledBitmap(kSize, kSize, gdi::SysColor(15)));
  {
    gdi::OwnedDC small(gdi::CreateCompatibleDC());
    gdi::ScopedSelect<gdi::HBITMAP> selected(small.Get(), bitmap.Get());
    gdi::SetStretchBltMode(small.Get(), gdi::HALFTONE);
    gdi::StretchBlt(small.Get(), 0, 0, kSize, kSize, large.hDC(), 0, 0, S(kSize), S(kSize), gdi::SRCCOPY);
  }
  return com::StdPicture::FromBitmap(std::move(bitmap));
}

void Shape(gdi::HDC hdc, gdi::COLORREF outline, gdi::COLORREF fill, int width, auto draw) {
  gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_SOLID, S(width), outline));
  gdi::OwnedBrush brush(gdi::CreateSolidBrush(fill));
  gdi::ScopedSelect<gdi::HPEN> selectPen(hdc, pen.Get());
  gdi::ScopedSelect<gdi::HBRUSH> selectBrush(hdc, brush.Get());
  draw();
}

void Cross(gdi::HDC hdc, int left, int top, int right, int bottom, gdi::COLORREF color, int width) {
  gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_SOLID, S(width), color));
  gdi::ScopedSelect<gdi::HPEN> select(hdc, pen.Get());
  gdi::MoveToEx(hdc, S(left), S(top), nullptr);
  gdi::LineTo(hdc, S(right), S(bottom));
  gdi::MoveToEx(hdc, S(right), S(top), nullptr);
  gdi::LineTo(hdc, S(left), S(bottom));
}

}  // namespace

com::StdPicturePtr DrawMsgErrorPicture() {
  return DrawPicture([](gdi::HDC hdc) {
    Shape(hdc, kDarkRed, kRed, 1, [hdc] { gdi::Ellipse(hdc, S(1), S(1), S(kSize - 1), S(kSize - 1)); });
    Cross(hdc, 10, 10, 21, 21, kWhite, 3);
  });
}

com::StdPicturePtr DrawMsgDeletePicture() {
  return DrawPicture([](gdi::HDC hdc) {
    Shape(hdc, kGrey, kLightGrey, 1, [hdc] {
      gdi::Rectangle(hdc, S(8), S(9), S(24), S(30));  // the bin
      gdi::Rectangle(hdc, S(5), S(5), S(27), S(9));   // its lid
      gdi::Rectangle(hdc, S(13), S(2), S(19), S(5));  // the handle
    });
    Cross(hdc, 11, 13, 20, 26, kRed, 3);
  });
}

}  // namespace qvadmin
