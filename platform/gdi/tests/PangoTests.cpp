// Text through pango with the pinned fonts.
#include <gtest/gtest.h>

#include "gdi/Gdi.h"

namespace gdi {
namespace {

class PangoTest : public ::testing::Test {
 protected:
  PangoTest() { UsePangoMetrics(); }
};

TEST_F(PangoTest, WindowsFacesResolveToThePinnedFonts) {
  FontBackend& backend = CurrentFontBackend();
  EXPECT_EQ(backend.ResolveFamily("Tahoma"), "DejaVu Sans");
  EXPECT_EQ(backend.ResolveFamily("MS Sans Serif"), "Liberation Sans");
  EXPECT_EQ(backend.ResolveFamily("Times New Roman"), "Liberation Serif");
  EXPECT_EQ(backend.ResolveFamily("Courier New"), "Liberation Mono");
  EXPECT_EQ(backend.ResolveFamily("No Such Face"), "Liberation Sans");
}

TEST_F(PangoTest, MeasuredWidthIsStableAndPlausible) {
  OwnedDC dc(CreateSurfaceDC(200, 40));
  OwnedFont font(CreatePointFont("Tahoma", 8));
  SelectObject(dc.Get(), font.Get());
  SIZE a{}, b{}, wider{};
  ASSERT_TRUE(GetTextExtentPoint32A(dc.Get(), "Hello world", -1, &a));
  ASSERT_TRUE(GetTextExtentPoint32A(dc.Get(), "Hello world", -1, &b));
  ASSERT_TRUE(GetTextExtentPoint32A(dc.Get(), "Hello world, again", -1, &wider));
  EXPECT_GT(a.cx, 40);
  EXPECT_LT(a.cx, 100);
  EXPECT_EQ(a.cx, b.cx);
  EXPECT_GT(wider.cx, a.cx);
  TEXTMETRIC tm;
  ASSERT_TRUE(GetTextMetrics(dc.Get(), &tm));
  EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
  EXPECT_GE(tm.tmHeight, 11);
  EXPECT_LE(tm.tmHeight, 16);
  EXPECT_EQ(a.cy, tm.tmHeight);
}

TEST_F(PangoTest, DrawsGlyphsInTheTextColourInsideTheRectangle) {
  OwnedDC dc(CreateSurfaceDC(100, 30));
  OwnedFont font(CreatePointFont("Arial", 10, true));
  SelectObject(dc.Get(), font.Get());
  SetTextColor(dc.Get(), RGB(0, 0, 0));
  RECT r{0, 0, 50, 30};
  DrawTextA(dc.Get(), "MMMMMMMMMMMM", -1, &r, DT_SINGLELINE | DT_VCENTER);
  int dark = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 100; ++x) {
      COLORREF c = GetPixel(dc.Get(), x, y);
      if (GetRValue(c) < 64) {
        ++dark;
        EXPECT_LT(x, 50) << "drawn outside the rectangle";
      }
    }
  EXPECT_GT(dark, 50);
}

}  // namespace
}  // namespace gdi

namespace gdi {
namespace {

// A sample of the drawing calls with the pinned fonts, written to the
// build folder to be looked at.
TEST_F(PangoTest, RendersASampleToLookAt) {
  DrawingSurface surface(320, 120);
  surface.SetScaleMode(vbPixels);
  surface.SetFont(SurfaceFont{"Tahoma", 8});
  surface.SetCurrentX(8);
  surface.SetCurrentY(6);
  surface.Print("Tahoma 8: The quick brown fox jumps over the lazy dog.");
  surface.SetFont(SurfaceFont{"MS Sans Serif", 8.25, true});
  surface.SetCurrentX(8);
  surface.Print("MS Sans Serif bold: Löschbestätigung erforderlich!");
  HDC dc = surface.hDC();
  RECT edge{8, 44, 150, 110};
  DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  RECT text = edge;
  DrawTextA(dc, "&Details >> with a word-wrapped caption text", -1, &text, DT_WORDBREAK | DT_CENTER);
  GradientFillRect(dc, RECT{160, 44, 312, 64}, RGB(0xD9, 0xDF, 0xE3), RGB(0x80, 0x80, 0x80), GRADIENT_FILL_RECT_H);
  OwnedPen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 128)));
  ScopedSelect<HPEN> usePen(dc, pen.Get());
  RoundRect(dc, 160, 70, 312, 110, 10, 10);
  Ellipse(dc, 170, 75, 200, 105);
  const char* out = std::getenv("QV_BUILD_DIR");
  std::string path = std::string(out != nullptr ? out : "/tmp") + "/gdi-pango-sample.png";
  EXPECT_TRUE(surface.SavePng(path));
}

}  // namespace
}  // namespace gdi
