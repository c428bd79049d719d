#include <gtest/gtest.h>

#include "gdi/DrawingSurface.h"
#include "gdi/SysColors.h"

namespace {

// Circles on a white 60 x 60 pixel surface in pixel units.
gdi::DrawingSurface White() {
  gdi::DrawingSurface s(60, 60);
  s.SetBackColor(0xFFFFFF);
  s.SetAutoRedraw(true);
  s.SetScaleMode(gdi::vbPixels);
  return s;
}

TEST(SurfaceCircle, TheAspectPicksTheLongerHalfAxisAndTheFillFollowsFillStyle) {
  struct Case {
    double aspect;
    int halfWidth, halfHeight;
  } cases[] = {{1, 10, 10}, {5, 2, 10}, {0.5, 10, 5}};
  for (const Case& c : cases) {
    gdi::DrawingSurface s = White();
    s.SetFillStyle(gdi::vbFSSolid);
    s.SetFillColor(0xFF0000);
    s.Circle(30, 30, 10, 0x0000FF, c.aspect);
    EXPECT_EQ(s.Point(30, 30), 0xFF0000) << c.aspect;  // filled
    EXPECT_EQ(s.Point(30 + c.halfWidth, 30), 0x0000FF) << c.aspect;
    EXPECT_EQ(s.Point(30 + c.halfWidth + 1, 30), 0xFFFFFF) << c.aspect;
    EXPECT_EQ(s.Point(30, 30 - c.halfHeight), 0x0000FF) << c.aspect;
    EXPECT_EQ(s.Point(30, 30 - c.halfHeight - 1), 0xFFFFFF) << c.aspect;
    EXPECT_EQ(s.CurrentX(), 30);
  }
  gdi::DrawingSurface hollow = White();  // FillStyle transparent: outline only
  hollow.Circle(30, 30, 10);
  EXPECT_EQ(hollow.Point(30, 30), 0xFFFFFF);
  EXPECT_EQ(hollow.Point(40, 30), gdi::OleTranslateColor(hollow.ForeColor()));
}

}  // namespace
