// The VB-style drawing surface, with fixed metrics: its default font
// (MS Sans Serif 8.25 = 11 pixels) advances 6 pixels (90 twips) per
// character and a line is 11 pixels (165 twips) high.
#include <gtest/gtest.h>

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

}  // namespace
}  // namespace gdi
