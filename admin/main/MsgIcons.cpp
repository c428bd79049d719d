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

// A picture drawn by `paint` on a surface of the button-face colour.
template <class Paint>
com::StdPicturePtr DrawPicture(Paint paint) {
  gdi::DrawingSurface surface(kSize, kSize);
  surface.SetAutoRedraw(true);
  surface.SetBackColor(gdi::SysColor(15));
  surface.Cls();
  paint(surface.hDC());
  return com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CopyBitmap(surface.Image())));
}

void Shape(gdi::HDC hdc, gdi::COLORREF outline, gdi::COLORREF fill, int width, auto draw) {
  gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_SOLID, width, outline));
  gdi::OwnedBrush brush(gdi::CreateSolidBrush(fill));
  gdi::ScopedSelect<gdi::HPEN> selectPen(hdc, pen.Get());
  gdi::ScopedSelect<gdi::HBRUSH> selectBrush(hdc, brush.Get());
  draw();
}

void Cross(gdi::HDC hdc, int left, int top, int right, int bottom, gdi::COLORREF color, int width) {
  gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_SOLID, width, color));
  gdi::ScopedSelect<gdi::HPEN> select(hdc, pen.Get());
  gdi::MoveToEx(hdc, left, top, nullptr);
  gdi::LineTo(hdc, right, bottom);
  gdi::MoveToEx(hdc, right, top, nullptr);
  gdi::LineTo(hdc, left, bottom);
}

}  // namespace

com::StdPicturePtr DrawMsgErrorPicture() {
  return DrawPicture([](gdi::HDC hdc) {
    Shape(hdc, kDarkRed, kRed, 1, [hdc] { gdi::Ellipse(hdc, 1, 1, kSize - 1, kSize - 1); });
    Cross(hdc, 10, 10, 21, 21, kWhite, 3);
  });
}

com::StdPicturePtr DrawMsgDeletePicture() {
  return DrawPicture([](gdi::HDC hdc) {
    Shape(hdc, kGrey, kLightGrey, 1, [hdc] {
      gdi::Rectangle(hdc, 8, 9, 24, 30);   // the bin
      gdi::Rectangle(hdc, 5, 5, 27, 9);    // its lid
      gdi::Rectangle(hdc, 13, 2, 19, 5);   // the handle
    });
    Cross(hdc, 11, 13, 20, 26, kRed, 3);
  });
}

}  // namespace qvadmin
