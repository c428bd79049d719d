// DrawTextA layout with the fixed-metrics backend: a character height of
// 10 pixels gives 5 pixels per character, ascent 8, line height 10.
#include <gtest/gtest.h>

#include "gdi/Gdi.h"

namespace gdi {
namespace {

class DrawTextTest : public ::testing::Test {
 protected:
  DrawTextTest()
      : m_dc(CreateSurfaceDC(200, 100)), m_font(CreateFontA(-10, 0, 0, 0, FW_NORMAL, false, false, false, "Tahoma")) {
    SelectObject(m_dc.Get(), m_font.Get());
    SetBkMode(m_dc.Get(), TRANSPARENT);
    SetTextColor(m_dc.Get(), RGB(255, 0, 0));
  }
  RECT Calc(std::string_view text, RECT r, uint32_t flags) {
    DrawTextA(m_dc.Get(), text, -1, &r, flags | DT_CALCRECT);
    return r;
  }
  bool Red(int x, int y) { return GetPixel(m_dc.Get(), x, y) == RGB(255, 0, 0); }

  ScopedFixedMetrics m_fixed;
  OwnedDC m_dc;
  OwnedFont m_font;
};

TEST_F(DrawTextTest, CalcRectBoundsTheText) {
  struct Case {
    const char* text;
    RECT rect;
    uint32_t flags;
    RECT expected;
  };
  const Case cases[] = {
      {"Hello world", {10, 20, 300, 40}, DT_SINGLELINE, {10, 20, 65, 30}},
      {"Hello world", {0, 0, 30, 0}, DT_WORDBREAK, {0, 0, 25, 20}},                  // two lines of 5 characters
      {"Hello big world", {0, 0, 40, 0}, DT_WORDBREAK, {0, 0, 25, 30}},              // "Hello" / "big" / "world"
      {"Hello big world", {0, 0, 45, 0}, DT_WORDBREAK, {0, 0, 45, 20}},              // "Hello big" just fits
      {"abcdefghij xy", {0, 0, 30, 0}, DT_WORDBREAK, {0, 0, 50, 20}},                // a long word widens the rectangle
      {"abcdefghij", {0, 0, 30, 0}, DT_WORDBREAK | DT_EDITCONTROL, {0, 0, 30, 20}},  // ... or breaks with EDITCONTROL
      {"one\r\ntwo three\nx", {0, 0, 100, 0}, 0, {0, 0, 45, 30}},                    // line ends break lines
      {"one\r\ntwo", {0, 0, 100, 0}, DT_SINGLELINE, {0, 0, 30, 10}},                 // ... but not a single line
      {"&Save && exit", {0, 0, 100, 0}, DT_SINGLELINE, {0, 0, 55, 10}},              // prefixes take no room
      {"&Save", {0, 0, 100, 0}, DT_SINGLELINE | DT_NOPREFIX, {0, 0, 25, 10}},
      {"a\tb", {0, 0, 100, 0}, DT_SINGLELINE | DT_EXPANDTABS, {0, 0, 45, 10}},  // tab stop every 8 characters
      {"Hello world", {0, 0, 30, 0}, DT_SINGLELINE | DT_END_ELLIPSIS, {0, 0, 30, 10}},
  };
  for (const Case& c : cases) {
    RECT r = Calc(c.text, c.rect, c.flags);
    EXPECT_TRUE(EqualRect(r, c.expected))
        << c.text << ": " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
  }
}

TEST_F(DrawTextTest, ReturnsTheTextHeight) {
  RECT r{0, 0, 30, 0};
  EXPECT_EQ(DrawTextA(m_dc.Get(), "Hello world", -1, &r, DT_WORDBREAK | DT_CALCRECT), 20);
  r = RECT{0, 0, 100, 100};
  EXPECT_EQ(DrawTextA(m_dc.Get(), "Hello", 3, &r, DT_LEFT), 10);
}

TEST_F(DrawTextTest, CentresHorizontallyAndVertically) {
  RECT r{0, 0, 100, 30};
  DrawTextA(m_dc.Get(), "Hi", -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  // "Hi" is 10 pixels wide and 10 high: it starts at (45, 10).
  EXPECT_TRUE(Red(45, 10));
  EXPECT_FALSE(Red(44, 10));
  EXPECT_FALSE(Red(45, 9));
  EXPECT_TRUE(Red(54 - 1, 17));
  EXPECT_FALSE(Red(55, 17));
}

TEST_F(DrawTextTest, RightAlignsAndBottomAligns) {
  RECT r{0, 0, 100, 40};
  DrawTextA(m_dc.Get(), "ab", -1, &r, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
  EXPECT_TRUE(Red(90, 30));
  EXPECT_FALSE(Red(89, 30));
  EXPECT_FALSE(Red(90, 29));
}

TEST_F(DrawTextTest, WrappedLinesFollowEachOther) {
  RECT r{0, 0, 20, 100};
  DrawTextA(m_dc.Get(), "ab cd", -1, &r, DT_WORDBREAK);
  EXPECT_TRUE(Red(0, 0));
  EXPECT_TRUE(Red(0, 10));   // "cd" on the second line at the left
  EXPECT_FALSE(Red(15, 0));  // the blank at the break is not drawn on the first line
}

TEST_F(DrawTextTest, LongWordIsClippedToTheRectangle) {
  RECT r{0, 0, 30, 100};
  DrawTextA(m_dc.Get(), "abcdefghij", -1, &r, DT_WORDBREAK);
  EXPECT_TRUE(Red(25, 0));
  EXPECT_FALSE(Red(30, 0));
  DrawTextA(m_dc.Get(), "abcdefghij", -1, &r, DT_WORDBREAK | DT_NOCLIP);
  EXPECT_TRUE(Red(30, 0));
}

TEST_F(DrawTextTest, PrefixUnderlinesItsCharacter) {
  RECT r{0, 0, 100, 20};
  DrawTextA(m_dc.Get(), "a&bc", -1, &r, DT_SINGLELINE);
  // Underline below the base line (ascent 8 + 1) under "b" only.
  EXPECT_TRUE(Red(5, 9));
  EXPECT_TRUE(Red(9, 9));
  EXPECT_FALSE(Red(4, 9));
  EXPECT_FALSE(Red(10, 9));
}

TEST_F(DrawTextTest, EllipsesShortenLinesThatDoNotFit) {
  std::string path = "C:\\Programme\\Quorvelle\\QVAdmin.exe";  // 35 characters
  EXPECT_TRUE(PathCompactPathA(m_dc.Get(), path, 125));
  EXPECT_EQ(path, "C:\\Program...\\QVAdmin.exe");
  std::string caption = "Caption";
  EXPECT_TRUE(PathCompactPathA(m_dc.Get(), caption, 30));
  EXPECT_EQ(caption, "Cap...");
  std::string tooNarrow = "C:\\a\\file.txt";
  EXPECT_FALSE(PathCompactPathA(m_dc.Get(), tooNarrow, 10));
}

TEST_F(DrawTextTest, CountLimitsTheText) {
  RECT r{0, 0, 100, 0};
  DrawTextA(m_dc.Get(), "abcdef", 2, &r, DT_SINGLELINE | DT_CALCRECT);
  EXPECT_EQ(r.right, 10);
}

}  // namespace
}  // namespace gdi
