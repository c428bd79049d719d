// The recorder and the pixels of the basic drawing calls.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "gdi/Gdi.h"

namespace gdi {
namespace {

using ::testing::ElementsAre;

TEST(Recorder, LogsCallsWithTheirArguments) {
  ScopedFixedMetrics fixed;
  OwnedDC dc(CreateSurfaceDC(50, 50));
  OwnedBrush red(CreateSolidBrush(RGB(255, 0, 0)));
  OwnedFont font(CreateFontA(-11, 0, 0, 0, FW_BOLD, false, false, false, "Tahoma"));
  SelectObject(dc.Get(), font.Get());
  FillRect(dc.Get(), RECT{0, 0, 5, 5}, red.Get());  // before recording: not logged
  StartRecording(dc.Get());
  FillRect(dc.Get(), RECT{0, 0, 10, 10}, red.Get());
  RECT r{10, 20, 110, 40};
  DrawTextA(dc.Get(), "Hello", -1, &r, DT_CALCRECT);  // measuring draws nothing
  r = RECT{10, 20, 110, 40};
  DrawTextA(dc.Get(), "Hello", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  MoveToEx(dc.Get(), 0, 0);
  LineTo(dc.Get(), 10, 5);
  StopRecording(dc.Get());
  FillRect(dc.Get(), RECT{0, 0, 5, 5}, red.Get());
  EXPECT_THAT(RecordedCalls(dc.Get()),
              ElementsAre("FillRect 0,0,10,10 #FF0000",
                          "DrawText 'Hello' 10,20,110,40 flags=0x25 #000000 font='Tahoma' h=-11 bold",
                          "LineTo 0,0-10,5 #000000 w=1"));
}

TEST(Pixels, RectanglesCoverLeftToRightMinusOne) {
  OwnedDC dc(CreateSurfaceDC(20, 20));
  OwnedBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
  FillRect(dc.Get(), RECT{2, 2, 6, 6}, blue.Get());
  EXPECT_EQ(GetPixel(dc.Get(), 2, 2), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc.Get(), 5, 5), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc.Get(), 6, 5), RGB(255, 255, 255));
  FrameRect(dc.Get(), RECT{10, 10, 15, 15}, blue.Get());
  EXPECT_EQ(GetPixel(dc.Get(), 14, 12), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(dc.Get(), 12, 12), RGB(255, 255, 255));
  EXPECT_EQ(GetPixel(dc.Get(), 40, 40), CLR_INVALID);
}

TEST(Pixels, LineLeavesOutItsEndPoint) {
  OwnedDC dc(CreateSurfaceDC(20, 20));
  OwnedPen pen(CreatePen(PS_SOLID, 1, RGB(0, 128, 0)));
  SelectObject(dc.Get(), pen.Get());
  MoveToEx(dc.Get(), 1, 1);
  LineTo(dc.Get(), 8, 1);
  EXPECT_EQ(GetPixel(dc.Get(), 1, 1), RGB(0, 128, 0));
  EXPECT_EQ(GetPixel(dc.Get(), 7, 1), RGB(0, 128, 0));
  EXPECT_EQ(GetPixel(dc.Get(), 8, 1), RGB(255, 255, 255));
  EXPECT_EQ(GetCurrentPosition(dc.Get()).x, 8);
}

TEST(Pixels, DrawEdgeUsesTheSystemColoursAndAdjusts) {
  OwnedDC dc(CreateSurfaceDC(20, 20));
  RECT r{0, 0, 10, 10};
  DrawEdge(dc.Get(), &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  EXPECT_EQ(GetPixel(dc.Get(), 0, 5), GetSysColor(COLOR_3DLIGHT));       // outer top-left
  EXPECT_EQ(GetPixel(dc.Get(), 9, 5), GetSysColor(COLOR_3DDKSHADOW));    // outer bottom-right
  EXPECT_EQ(GetPixel(dc.Get(), 1, 5), GetSysColor(COLOR_BTNHIGHLIGHT));  // inner top-left
  EXPECT_EQ(GetPixel(dc.Get(), 8, 5), GetSysColor(COLOR_BTNSHADOW));     // inner bottom-right
  EXPECT_TRUE(EqualRect(r, RECT{2, 2, 8, 8}));
}

TEST(Pixels, GradientRunsFromStartToEndColour) {
  OwnedDC dc(CreateSurfaceDC(256, 4));
  GradientFillRect(dc.Get(), RECT{0, 0, 256, 4}, RGB(0, 0, 0), RGB(255, 0, 0), GRADIENT_FILL_RECT_H);
  EXPECT_EQ(GetPixel(dc.Get(), 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(dc.Get(), 128, 3), RGB(127, 0, 0));
  EXPECT_EQ(GetPixel(dc.Get(), 255, 0), RGB(254, 0, 0));
}

TEST(Colours, OleColoursTranslateThroughTheSystemTable) {
  EXPECT_EQ(OleTranslateColor(0x8000000Fu), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(OleTranslateColor(0x80000005u), RGB(255, 255, 255));
  EXPECT_EQ(OleTranslateColor(RGB(1, 2, 3)), RGB(1, 2, 3));
  EXPECT_EQ(GetSysColor(99), 0u);
}

TEST(Objects, DeletedObjectStaysUsableWhereSelected) {
  OwnedDC dc(CreateSurfaceDC(10, 10));
  HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
  HBRUSH previous = SelectObject(dc.Get(), brush);
  EXPECT_TRUE(DeleteObject(brush));
  EXPECT_FALSE(DeleteObject(brush));  // already gone
  EXPECT_TRUE(Rectangle(dc.Get(), 0, 0, 5, 5));
  EXPECT_EQ(GetPixel(dc.Get(), 2, 2), RGB(1, 2, 3));
  SelectObject(dc.Get(), previous);
  EXPECT_TRUE(DeleteObject(GetStockObject(WHITE_BRUSH)));  // stock objects stay
  EXPECT_TRUE(FillRect(dc.Get(), RECT{0, 0, 1, 1}, HBRUSH(GetStockObject(WHITE_BRUSH))));
}

TEST(Objects, BitBltCopiesBetweenDCs) {
  OwnedDC src(CreateSurfaceDC(4, 4));
  OwnedDC dst(CreateSurfaceDC(10, 10));
  SetPixel(src.Get(), 1, 2, RGB(9, 8, 7));
  BitBlt(dst.Get(), 5, 5, 4, 4, src.Get(), 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(dst.Get(), 6, 7), RGB(9, 8, 7));
  StretchBlt(dst.Get(), 0, 0, 8, 8, src.Get(), 0, 0, 4, 4, SRCCOPY);
  EXPECT_EQ(GetPixel(dst.Get(), 2, 4), RGB(9, 8, 7));
  EXPECT_EQ(GetPixel(dst.Get(), 3, 5), RGB(9, 8, 7));
}

// Shrinking with HALFTONE averages what each pixel covers; the default
// takes one pixel of it.
TEST(Objects, HalftoneStretchAveragesWhatItShrinks) {
  OwnedDC src(CreateSurfaceDC(4, 2));
  FillRect(src.Get(), RECT{0, 0, 4, 2}, HBRUSH(GetStockObject(WHITE_BRUSH)));
  SetPixel(src.Get(), 0, 0, RGB(0, 0, 0));  // one pixel of four in the left half is black
  OwnedDC dst(CreateSurfaceDC(2, 1));
  EXPECT_EQ(SetStretchBltMode(dst.Get(), HALFTONE), COLORONCOLOR);
  StretchBlt(dst.Get(), 0, 0, 2, 1, src.Get(), 0, 0, 4, 2, SRCCOPY);
  EXPECT_EQ(GetPixel(dst.Get(), 0, 0), RGB(191, 191, 191));
  EXPECT_EQ(GetPixel(dst.Get(), 1, 0), RGB(255, 255, 255));
  EXPECT_EQ(SetStretchBltMode(dst.Get(), COLORONCOLOR), HALFTONE);
  StretchBlt(dst.Get(), 0, 0, 2, 1, src.Get(), 0, 0, 4, 2, SRCCOPY);
  EXPECT_EQ(GetPixel(dst.Get(), 0, 0), RGB(255, 255, 255));
}

}  // namespace
}  // namespace gdi
