#include <gtest/gtest.h>

#include "forms/controls/Shape.h"
#include "gdi/Gdi.h"
#include "runtime/ErrorNumberOf.h"

namespace {

using forms::Shape;

// A shape of w x h pixels drawn at (0, 0) of a white bitmap.
struct Drawn {
  Drawn(Shape& shape, int w, int h) : dc(gdi::CreateSurfaceDC(w, h)) {
    shape.Move(0, 0, w * 15, h * 15);
    shape.Draw(dc.Get(), 0, 0);
  }
  gdi::COLORREF operator()(int x, int y) const { return gdi::GetPixel(dc.Get(), x, y); }
  gdi::OwnedDC dc;
};

TEST(Shapes, EachKindFillsAndOutlinesItsBounds) {
  const gdi::COLORREF white = gdi::RGB(255, 255, 255), red = gdi::RGB(255, 0, 0), blue = gdi::RGB(0, 0, 255), black = 0;
  struct Probe {
    int x, y;
    gdi::COLORREF color;
  };
  struct Case {
    int16_t kind;
    std::vector<Probe> probes;
  } cases[] = {
      {forms::vbShapeRectangle, {{0, 0, black}, {39, 19, black}, {20, 10, red}}},
      {forms::vbShapeSquare, {{10, 0, black}, {9, 0, white}, {29, 19, black}, {20, 10, red}}},
      {forms::vbShapeOval, {{0, 0, white}, {0, 10, black}, {20, 0, black}, {20, 10, red}}},
      {forms::vbShapeCircle, {{10, 10, black}, {11, 1, white}, {20, 0, black}, {20, 10, red}}},
      {forms::vbShapeRoundedRectangle, {{0, 0, white}, {20, 0, black}, {0, 10, black}, {20, 10, red}}},
  };
  for (const Case& c : cases) {
    Shape shape;
    shape.SetShapeKind(c.kind);
    shape.SetBorderColor(black);
    shape.SetBackStyle(1);
    shape.SetBackColor(blue);
    shape.SetFillStyle(0);  // solid fill over the back colour
    shape.SetFillColor(red);
    Drawn drawn(shape, 40, 20);
    for (const Probe& p : c.probes) {
      EXPECT_EQ(drawn(p.x, p.y), p.color) << "kind " << c.kind << " at " << p.x << "," << p.y;
    }
  }
}

TEST(Shapes, TransparentPartsLeaveWhatLiesBelow) {
  Shape shape;  // transparent back and fill, a solid window-text border
  Drawn outline(shape, 30, 30);
  EXPECT_EQ(outline(15, 15), gdi::RGB(255, 255, 255));
  EXPECT_EQ(outline(0, 15), gdi::GetSysColor(gdi::COLOR_WINDOWTEXT));
  shape.SetBorderStyle(0);
  shape.SetBackStyle(1);
  Drawn filled(shape, 30, 30);
  EXPECT_EQ(filled(0, 15), gdi::GetSysColor(gdi::COLOR_BTNFACE));
}

TEST(Shapes, RefuseValuesOutsideTheirRangesAndPersistOnlyChanges) {
  Shape shape;
  for (auto [name, value] :
       {std::pair{"Shape", 6}, {"BackStyle", 2}, {"FillStyle", 8}, {"BorderStyle", 7}, {"BorderWidth", 0}}) {
    EXPECT_EQ(rt::ErrorNumberOf([&] { shape.Let(name, value); }), 380) << name;
  }
  com::PropertyBag bag;
  shape.WriteProperties(bag);
  EXPECT_EQ(bag.Count(), 0u);
  shape.Let("Shape", forms::vbShapeOval);
  shape.Let("FillColor", 0xFF);
  shape.WriteProperties(bag);
  Shape copy;
  copy.ReadProperties(bag);
  EXPECT_EQ(copy.ShapeKind(), forms::vbShapeOval);
  EXPECT_EQ(copy.FillColor(), 0xFFu);
}

}  // namespace
