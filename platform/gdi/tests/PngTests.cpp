// Pictures written to PNG and read back.
#include <gtest/gtest.h>


#include "gdi/Gdi.h"
#include "runtime/TestRenders.h"

namespace gdi {
namespace {

TEST(Png, SurfaceWrittenAndReadBack) {
  ScopedFixedMetrics fixed;
  DrawingSurface surface(40, 30);
  surface.SetScaleMode(vbPixels);
  surface.Line(5, 5, 9, 9, RGB(200, 10, 20), LineBox::BoxFilled);
  surface.Print("ok");
  const std::string path = rt::TestRenderPath("gdi-surface.png");
  ASSERT_TRUE(surface.SavePng(path));
  OwnedBitmap read(LoadBitmapFromPngFile(path));
  ASSERT_TRUE(read);
  SIZE size = GetBitmapSize(read.Get());
  EXPECT_EQ(size.cx, 40);
  EXPECT_EQ(size.cy, 30);
  OwnedDC dc(CreateCompatibleDC());
  SelectObject(dc.Get(), read.Get());
  EXPECT_EQ(GetPixel(dc.Get(), 7, 7), RGB(200, 10, 20));
  EXPECT_EQ(GetPixel(dc.Get(), 20, 20), GetSysColor(COLOR_BTNFACE));
  SelectObject(dc.Get(), HBITMAP(GetStockObject(0)));
}

TEST(Png, IconFromPngBytesDrawsAtItsPlace) {
  OwnedBitmap bmp(CreateFilledBitmap(2, 1, RGB(255, 0, 0)));
  std::vector<uint8_t> bytes = EncodePng(bmp.Get());
  ASSERT_FALSE(bytes.empty());
  OwnedIcon icon(LoadIconFromPngBytes(bytes));
  ASSERT_TRUE(icon);
  EXPECT_EQ(GetIconSize(icon.Get()).cx, 2);
  OwnedDC target(CreateSurfaceDC(4, 4));
  DrawIconEx(target.Get(), 1, 1, icon.Get(), 0, 0, 0, HBRUSH{}, DI_NORMAL);
  EXPECT_EQ(GetPixel(target.Get(), 1, 1), RGB(255, 0, 0));
  EXPECT_EQ(GetPixel(target.Get(), 0, 0), RGB(255, 255, 255));
}

TEST(Png, UnreadableDataGivesNoBitmap) {
  EXPECT_FALSE(OwnedBitmap(LoadBitmapFromPngBytes({1, 2, 3})));
  EXPECT_FALSE(OwnedBitmap(LoadBitmapFromPngFile("/nonexistent/x.png")));
}

}  // namespace
}  // namespace gdi
