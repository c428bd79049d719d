#include <gtest/gtest.h>

#include "CGradient.h"
#include "gdi/Gdi.h"
#include "win/Window.h"

namespace {

using kvctl2::CGradient;

// A window object as the painter sees it: a window of w x h pixels and a
// device context drawing into a bitmap of that size.
class WindowObject : public com::Dispatch {
 public:
  WindowObject(int w, int h) : dc(gdi::CreateSurfaceDC(std::max(w, 1), std::max(h, 1))) {
    window = win::CreateWindowExA(0, "STATIC", "", 0, 0, 0, w, h, win::kNoWindow);
    DefineReadOnly("hWnd", [this] { return rt::Variant(win::ToInt(window)); });
    DefineReadOnly("hDC", [this] { return rt::Variant(gdi::ToInt(dc.Get())); });
  }
  ~WindowObject() override { win::DestroyWindow(window); }
  gdi::COLORREF Pixel(int x, int y) const { return gdi::GetPixel(dc.Get(), x, y); }
  win::HWND window;
  gdi::OwnedDC dc;
};

TEST(CGradient, AngleIsReducedAndSystemColoursResolved) {
  CGradient g;
  EXPECT_EQ(g.Angle(), 315);
  EXPECT_EQ(g.Color1(), 0xFFFFD0u);
  EXPECT_EQ(g.Color2(), 0x400000u);
  for (auto [in, out] : {std::pair{370.0f, 10.0f}, {-30.0f, 330.0f}, {720.0f, 0.0f}, {130.0f, 130.0f}}) {
    g.SetAngle(in);
    EXPECT_FLOAT_EQ(g.Angle(), out) << in;
  }
  g.SetColor1(0x8000000F);  // button face
  EXPECT_EQ(g.Color1(), gdi::GetSysColor(gdi::COLOR_BTNFACE));
  g.SetColor2(0x80000019);  // index 25: not a system colour for the painter
  EXPECT_EQ(g.Color2(), 0x80000019u);
}

TEST(CGradient, PaintsFromColor1TowardsColor2AlongTheAngle) {
  const gdi::COLORREF red = gdi::RGB(255, 0, 0), blue = gdi::RGB(0, 0, 255);
  struct Case {
    float angle;
    gdi::POINT start, end;  // pixels nearest to Color1 and to Color2
  } cases[] = {
      {0, {0, 20}, {99, 20}},   {90, {50, 39}, {50, 0}}, {180, {99, 20}, {0, 20}},
      {270, {50, 0}, {50, 39}}, {315, {0, 0}, {99, 39}},
  };
  for (const Case& c : cases) {
    WindowObject obj(100, 40);
    CGradient g;
    g.SetAngle(c.angle);
    g.SetColor1(red);
    g.SetColor2(blue);
    ASSERT_TRUE(g.Draw(obj)) << c.angle;
    EXPECT_GE(gdi::GetRValue(obj.Pixel(c.start.x, c.start.y)), 245) << c.angle;
    EXPECT_GE(gdi::GetBValue(obj.Pixel(c.end.x, c.end.y)), 245) << c.angle;
  }
}

TEST(CGradient, NothingIsPaintedOnATinyAreaOrWithoutAWindow) {
  for (auto [w, h] : {std::pair{1, 40}, {40, 1}, {0, 0}}) {
    WindowObject obj(w, h);
    EXPECT_FALSE(CGradient().Draw(obj)) << w << "x" << h;
    EXPECT_EQ(obj.Pixel(0, 0), gdi::RGB(255, 255, 255));
  }
  com::Dispatch noWindow;
  EXPECT_FALSE(CGradient().Draw(noWindow));
}

}  // namespace
