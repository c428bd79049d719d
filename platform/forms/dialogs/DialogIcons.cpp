#include "forms/dialogs/DialogIcons.h"

#include <functional>

#include "gdi/Gdi.h"
#include "gdi/PixelBuffer.h"
#include "gdi/Png.h"

namespace forms {

namespace {

// A 16 x 16 icon painted with filled rectangles on transparent pixels.
com::StdPicturePtr Paint(const std::function<void(const std::function<void(int, int, int, int, gdi::COLORREF)>&)>& draw) {
  gdi::detail::PixelBuffer pixels(16, 16, 0);
  pixels.hasAlpha = true;
  draw([&](int l, int t, int r, int b, gdi::COLORREF c) {
    gdi::detail::FillPixels(pixels, pixels.Bounds(), gdi::RECT{l, t, r, b}, gdi::detail::ToPixel(c));
  });
  return com::StdPicture::FromIcon(gdi::OwnedIcon(gdi::LoadIconFromPngBytes(gdi::detail::EncodePngBytes(pixels))));
}

}  // namespace

com::StdPicturePtr FolderIcon() {
  static const com::StdPicturePtr icon = Paint([](const auto& fill) {
    fill(1, 3, 7, 5, gdi::RGB(190, 150, 40));
    fill(1, 5, 15, 14, gdi::RGB(150, 110, 20));
    fill(2, 6, 14, 13, gdi::RGB(245, 205, 90));
  });
  return icon;
}

com::StdPicturePtr DocumentIcon() {
  static const com::StdPicturePtr icon = Paint([](const auto& fill) {
    fill(3, 1, 13, 15, gdi::RGB(110, 110, 110));
    fill(4, 2, 12, 14, gdi::RGB(255, 255, 255));
    for (int y = 5; y < 13; y += 2) fill(6, y, 11, y + 1, gdi::RGB(120, 140, 190));
  });
  return icon;
}

}  // namespace forms
