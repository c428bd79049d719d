// Small pictures for the gallery and the tests: icons drawn with the
// drawing layer (no picture files needed), and the path of a gallery PNG
// in the build folder.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "com/StdPicture.h"
#include "gdi/Gdi.h"
#include "gdi/PixelBuffer.h"
#include "gdi/Png.h"
#include "runtime/TestRenders.h"

namespace forms::test {

inline std::string GalleryPath(const std::string& name) {
  return rt::TestRenderPath("gallery-" + name + ".png");
}

enum class GalleryIcon { UserCard, Group, Folder, FolderOpen, Database, Server, Delete, Refresh };

// A 16 x 16 icon of a kind, drawn in simple shapes.
inline com::StdPicturePtr GalleryPicture(GalleryIcon kind) {
  // Drawn into transparent pixels, then made an icon through PNG.
  gdi::detail::PixelBuffer pixels(16, 16, 0);
  pixels.hasAlpha = true;
  {
    auto fill = [&](int l, int t, int r, int b, gdi::COLORREF c) {
      gdi::detail::FillPixels(pixels, pixels.Bounds(), gdi::RECT{l, t, r, b}, gdi::detail::ToPixel(c));
    };
    auto frame = [&](int l, int t, int r, int b, gdi::COLORREF c) {
      fill(l, t, r, t + 1, c);
      fill(l, b - 1, r, b, c);
      fill(l, t, l + 1, b, c);
      fill(r - 1, t, r, b, c);
    };
    switch (kind) {
      case GalleryIcon::UserCard:
        fill(1, 3, 15, 13, gdi::RGB(255, 255, 255));
        frame(1, 3, 15, 13, gdi::RGB(64, 64, 128));
        fill(3, 5, 7, 9, gdi::RGB(230, 170, 120));
        fill(3, 9, 7, 11, gdi::RGB(40, 80, 160));
        fill(9, 6, 13, 7, gdi::RGB(64, 64, 64));
        fill(9, 9, 13, 10, gdi::RGB(64, 64, 64));
        break;
      case GalleryIcon::Group:
        fill(2, 3, 7, 8, gdi::RGB(230, 170, 120));
        fill(1, 8, 8, 14, gdi::RGB(40, 120, 40));
        fill(9, 2, 14, 7, gdi::RGB(230, 170, 120));
        fill(8, 7, 15, 14, gdi::RGB(40, 80, 160));
        break;
      case GalleryIcon::Folder:
      case GalleryIcon::FolderOpen:
        fill(1, 3, 7, 5, gdi::RGB(200, 160, 40));
        fill(1, 5, 15, 14, gdi::RGB(240, 200, 80));
        frame(1, 5, 15, 14, gdi::RGB(150, 110, 20));
        if (kind == GalleryIcon::FolderOpen) fill(3, 8, 15, 14, gdi::RGB(255, 230, 140));
        break;
      case GalleryIcon::Database:
        fill(3, 2, 13, 14, gdi::RGB(90, 140, 210));
        frame(3, 2, 13, 14, gdi::RGB(30, 60, 120));
        fill(3, 5, 13, 6, gdi::RGB(30, 60, 120));
        fill(3, 9, 13, 10, gdi::RGB(30, 60, 120));
        break;
      case GalleryIcon::Server:
        fill(4, 1, 12, 15, gdi::RGB(160, 160, 170));
        frame(4, 1, 12, 15, gdi::RGB(60, 60, 70));
        fill(6, 3, 10, 4, gdi::RGB(40, 200, 40));
        fill(6, 6, 10, 7, gdi::RGB(60, 60, 70));
        break;
      case GalleryIcon::Delete:
        fill(3, 3, 13, 13, gdi::RGB(200, 40, 40));
        fill(5, 7, 11, 9, gdi::RGB(255, 255, 255));
        break;
      case GalleryIcon::Refresh:
        frame(3, 3, 13, 13, gdi::RGB(40, 140, 40));
        fill(10, 1, 14, 5, gdi::RGB(40, 140, 40));
        break;
    }
  }
  return com::StdPicture::FromIcon(gdi::OwnedIcon(gdi::LoadIconFromPngBytes(gdi::detail::EncodePngBytes(pixels))));
}

}  // namespace forms::test
