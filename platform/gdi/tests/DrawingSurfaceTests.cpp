// The VB-style drawing surface, with fixed metrics: its default font
// (MS Sans Serif 8.25 = 11 pixels) advances 6 pixels (90 twips) per
// character and a line is 11 pixels (165 twips) high.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "gdi/Gdi.h"
#include "runtime/Error.h"

namespace gdi {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);

class DrawingSurfaceTest : public ::testing::Test {
 protected:
  ScopedFixedMetrics m_fixed;
  DrawingSurface m_surface{100, 50};
};

TEST_F(DrawingSurfaceTest, StartsInTwipsWithTheControlDefaults) {
  EXPECT_EQ(m_surface.ScaleMode(), vbTwips);
  EXPECT_DOUBLE_EQ(m_surface.ScaleWidth(), 1500);
  EXPECT_DOUBLE_EQ(m_surface.ScaleHeight(), 750);
  EXPECT_EQ(m_surface.Point(10, 10), static_cast<int64_t>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(m_surface.Font().Name, "MS Sans Serif");
}

TEST_F(DrawingSurfaceTest, MeasuresTextInTheCurrentScale) {
  EXPECT_DOUBLE_EQ(m_surface.TextWidth("Hello"), 450);
  EXPECT_DOUBLE_EQ(m_surface.TextHeight("Hello"), 165);
  EXPECT_DOUBLE_EQ(m_surface.TextWidth("ab\r\nlonger"), 540);  // the widest line
  EXPECT_DOUBLE_EQ(m_surface.TextHeight("ab\r\nlonger"), 330);
  m_surface.SetScaleMode(vbPixels);
  EXPECT_DOUBLE_EQ(m_surface.ScaleWidth(), 100);
  EXPECT_DOUBLE_EQ(m_surface.TextWidth("Hello"), 30);
  m_surface.SetFont(SurfaceFont{"Tahoma", 12, true});  // 16 pixels
  EXPECT_DOUBLE_EQ(m_surface.TextHeight("x"), 16);
}

TEST_F(DrawingSurfaceTest, PrintMovesTheCurrentPosition) {
  m_surface.SetCurrentX(300);
  m_surface.Print("Hi");
  EXPECT_DOUBLE_EQ(m_surface.CurrentX(), 0);
  EXPECT_DOUBLE_EQ(m_surface.CurrentY(), 165);
  m_surface.Print("ab", false);
  EXPECT_DOUBLE_EQ(m_surface.CurrentX(), 180);
  EXPECT_DOUBLE_EQ(m_surface.CurrentY(), 165);
  m_surface.Print("c\r\nd");
  EXPECT_DOUBLE_EQ(m_surface.CurrentY(), 495);
  // "Hi" was drawn at 300 twips = 20 pixels in the fore colour.
  EXPECT_EQ(m_surface.Point(300, 0), static_cast<int64_t>(GetSysColor(COLOR_BTNTEXT)));
  EXPECT_EQ(m_surface.Point(285, 0), static_cast<int64_t>(GetSysColor(COLOR_BTNFACE)));
}

TEST_F(DrawingSurfaceTest, LineDrawsLinesAndBoxes) {
  m_surface.SetScaleMode(vbPixels);
  m_surface.Line(10, 10, 20, 20, kRed, LineBox::BoxFilled);
  EXPECT_EQ(m_surface.Point(10, 10), kRed);
  EXPECT_EQ(m_surface.Point(20, 20), kRed);  // a box covers both corners
  EXPECT_NE(m_surface.Point(21, 20), kRed);
  EXPECT_DOUBLE_EQ(m_surface.CurrentX(), 20);
  m_surface.SetForeColor(kBlue);
  m_surface.LineTo(30, 20);
  EXPECT_EQ(m_surface.Point(25, 20), kBlue);
  m_surface.Line(40, 10, 50, 20, std::nullopt, LineBox::Box);  // outline only (FillStyle transparent)
  EXPECT_EQ(m_surface.Point(40, 15), kBlue);
  EXPECT_NE(m_surface.Point(45, 15), kBlue);
  m_surface.PSet(60, 5, kRed);
  EXPECT_EQ(m_surface.Point(60, 5), kRed);
}

TEST_F(DrawingSurfaceTest, PersistentDrawingSurvivesClsWithoutAutoRedraw) {
  m_surface.SetScaleMode(vbPixels);
  m_surface.SetAutoRedraw(true);
  m_surface.Line(0, 0, 9, 9, kRed, LineBox::BoxFilled);
  m_surface.SetAutoRedraw(false);
  m_surface.Line(20, 0, 29, 9, kBlue, LineBox::BoxFilled);
  EXPECT_EQ(m_surface.Point(25, 5), kBlue);
  m_surface.Cls();
  EXPECT_EQ(m_surface.Point(5, 5), kRed);    // persistent
  EXPECT_NE(m_surface.Point(25, 5), kBlue);  // gone
  m_surface.SetAutoRedraw(true);
  m_surface.Cls();
  EXPECT_NE(m_surface.Point(5, 5), kRed);
}

TEST_F(DrawingSurfaceTest, HdcDrawsOnTheSurfaceWithItsProperties) {
  m_surface.SetForeColor(kBlue);
  EXPECT_EQ(GetTextColor(m_surface.hDC()), kBlue);
  EXPECT_EQ(GetBkMode(m_surface.hDC()), TRANSPARENT);  // FontTransparent
  OwnedBrush brush(CreateSolidBrush(kRed));
  FillRect(m_surface.hDC(), RECT{0, 0, 5, 5}, brush.Get());
  m_surface.SetScaleMode(vbPixels);
  EXPECT_EQ(m_surface.Point(4, 4), kRed);
}

TEST_F(DrawingSurfaceTest, ResizeKeepsTheContent) {
  m_surface.SetScaleMode(vbPixels);
  HDC before = m_surface.hDC();
  m_surface.PSet(5, 5, kRed);
  m_surface.Resize(200, 80);
  EXPECT_EQ(m_surface.hDC(), before);
  EXPECT_DOUBLE_EQ(m_surface.ScaleWidth(), 200);
  EXPECT_EQ(m_surface.Point(5, 5), kRed);
  EXPECT_EQ(m_surface.Point(150, 70), static_cast<int64_t>(GetSysColor(COLOR_BTNFACE)));
  EXPECT_EQ(m_surface.Point(250, 70), -1);
}

TEST_F(DrawingSurfaceTest, UserScaleMapsOntoThePixels) {
  m_surface.Scale(0, 0, 10, 5);
  EXPECT_EQ(m_surface.ScaleMode(), vbUser);
  EXPECT_EQ(m_surface.ToPixelX(5), 50);
  EXPECT_EQ(m_surface.ToPixelY(5), 50);
  EXPECT_DOUBLE_EQ(m_surface.ScaleX(1, vbUser, vbTwips), 150);
  EXPECT_THROW(m_surface.Scale(0, 0, 0, 5), rt::Error);
  m_surface.ScaleDefault();
  EXPECT_DOUBLE_EQ(m_surface.ScaleWidth(), 1500);
}

TEST_F(DrawingSurfaceTest, PaintPictureDrawsThroughAlpha) {
  m_surface.SetScaleMode(vbPixels);
  OwnedBitmap picture(CreateFilledBitmap(4, 4, kBlue));
  m_surface.PaintPicture(picture.Get(), 10, 10);
  EXPECT_EQ(m_surface.Point(13, 13), kBlue);
  EXPECT_NE(m_surface.Point(14, 13), kBlue);
  m_surface.PaintPicture(picture.Get(), 20, 20, 8.0, 8.0);  // stretched
  EXPECT_EQ(m_surface.Point(27, 27), kBlue);
}

TEST_F(DrawingSurfaceTest, PicturesOfAnySizeDrawWhereTheyStand) {
  // Sizes up to the int range (an IMG of width 2147483647): the picture
  // starts at its point, nothing is drawn before it.
  m_surface.SetScaleMode(vbPixels);
  OwnedBitmap picture(CreateFilledBitmap(2, 2, kBlue));
  OwnedIcon icon(CreateIconFromBitmap(picture.Get()));
  const double huge = 2147483647.0;
  const std::function<void()> paints[] = {
      [&] { m_surface.PaintPicture(picture.Get(), 30, 20, huge, huge); },
      [&] { m_surface.PaintPicture(picture.Get(), 30, 20, huge, 4.0); },
      [&] { m_surface.PaintPicture(icon.Get(), 30, 20, huge, huge); },
  };
  for (const auto& paint : paints) {
    m_surface.Cls();
    paint();
    EXPECT_EQ(m_surface.Point(30, 20), kBlue);
    EXPECT_EQ(m_surface.Point(99, 23), kBlue);
    EXPECT_NE(m_surface.Point(29, 20), kBlue);
    EXPECT_NE(m_surface.Point(30, 19), kBlue);
  }
}

TEST_F(DrawingSurfaceTest, CurrentPointRules) {
  m_surface.SetScaleMode(vbPixels);
  struct Step {
    std::function<void(DrawingSurface&)> draw;
    double x, y;
  };
  const Step steps[] = {
      {[](DrawingSurface& s) { s.SetCurrentX(10), s.SetCurrentY(7), s.Print("abc", false); }, 10 + 18, 7},
      {[](DrawingSurface& s) { s.Print("   ", false); }, 28 + 18, 7},  // blanks advance as any text
      {[](DrawingSurface& s) { s.Line(1, 2, 30, 40); }, 30, 40},
      {[](DrawingSurface& s) { s.Line(50, 5, 60, 9, kRed, LineBox::BoxFilled); }, 60, 9},
      {[](DrawingSurface& s) { s.Line(8, 8, 3, 3, std::nullopt, LineBox::Box); }, 3, 3},
      {[](DrawingSurface& s) { s.PaintPicture(OwnedBitmap(CreateFilledBitmap(2, 2, kRed)).Get(), 40, 40); }, 3, 3},
      {[](DrawingSurface& s) { s.Print("x"); }, 0, 3 + 11},  // with a new line
      {[](DrawingSurface& s) { s.Cls(); }, 0, 0},
  };
  for (const Step& step : steps) {
    step.draw(m_surface);
    EXPECT_DOUBLE_EQ(m_surface.CurrentX(), step.x);
    EXPECT_DOUBLE_EQ(m_surface.CurrentY(), step.y);
  }
}

TEST_F(DrawingSurfaceTest, ConvertsHimetric) {
  EXPECT_DOUBLE_EQ(m_surface.ScaleX(2540, vbHimetric, vbPixels), 96);
  EXPECT_DOUBLE_EQ(m_surface.ScaleY(2540, vbHimetric, vbTwips), 1440);
  m_surface.SetScaleMode(vbPixels);
  EXPECT_NEAR(m_surface.ScaleX(529, vbHimetric, vbUser), 20, 0.01);  // a 20-pixel picture's width
}

TEST_F(DrawingSurfaceTest, PersistentPictureFollowsAResizeWhileAutoRedrawIsOn) {
  m_surface.SetScaleMode(vbPixels);
  m_surface.SetAutoRedraw(true);
  m_surface.Resize(200, 300);
  m_surface.Line(150, 250, 160, 260, kRed, LineBox::BoxFilled);
  m_surface.SetAutoRedraw(false);  // shows the persistent picture, at its size
  EXPECT_EQ(m_surface.Point(155, 255), kRed);
  m_surface.Line(0, 0, 5, 5, kBlue, LineBox::BoxFilled);
  EXPECT_EQ(m_surface.Point(2, 2), kBlue);
  m_surface.Refresh();
  EXPECT_NE(m_surface.Point(2, 2), kBlue);
  EXPECT_EQ(m_surface.Point(155, 255), kRed);
}

TEST_F(DrawingSurfaceTest, BlockCopyOfAWindowOfAnotherSurface) {
  DrawingSurface page(100, 400);
  page.SetScaleMode(vbPixels);
  page.SetAutoRedraw(true);
  page.Line(0, 300, 99, 309, kRed, LineBox::BoxFilled);
  m_surface.SetScaleMode(vbPixels);
  // The window (0, 295) of the page, into the surface at (0, 0).
  ASSERT_TRUE(BitBlt(m_surface.hDC(), 0, 0, 100, 50, page.hDC(), 0, 295, SRCCOPY));
  EXPECT_NE(m_surface.Point(10, 4), kRed);
  EXPECT_EQ(m_surface.Point(10, 5), kRed);
  EXPECT_EQ(m_surface.Point(10, 14), kRed);
  EXPECT_NE(m_surface.Point(10, 15), kRed);
  // Onto itself, overlapping: the source is read before it is written.
  ASSERT_TRUE(BitBlt(page.hDC(), 0, 305, 100, 10, page.hDC(), 0, 300, SRCCOPY));
  EXPECT_EQ(page.Point(10, 314), kRed);
  EXPECT_NE(page.Point(10, 315), kRed);
}

TEST(DrawingSurfacePango, TextMeasuresAreWholePixelsOfTheCell) {
  DrawingSurface surface(100, 50);
  surface.SetScaleMode(vbPixels);
  surface.SetFont(SurfaceFont{"Tahoma", 9});
  const double cell = surface.TextHeight("X");
  EXPECT_EQ(cell, std::floor(cell));
  // The cell, not the ink: the same for capitals, descenders and nothing.
  EXPECT_DOUBLE_EQ(surface.TextHeight("g"), cell);
  EXPECT_DOUBLE_EQ(surface.TextHeight(""), cell);
  for (const char* text : {"W", "il", "Quarterly report"}) {
    const double width = surface.TextWidth(text);
    EXPECT_EQ(width, std::floor(width)) << text;
    EXPECT_GT(width, 0) << text;
  }
}

}  // namespace
}  // namespace gdi
