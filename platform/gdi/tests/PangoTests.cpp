// Text through pango with the pinned fonts.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string_view>
#include <vector>

#include "gdi/BitmapBits.h"
#include "gdi/Gdi.h"
#include "gdi/PangoBackend.h"
#include "runtime/TestRenders.h"

namespace gdi {
namespace {

class PangoTest : public ::testing::Test {
 protected:
  PangoTest() { UsePangoMetrics(); }
};

TEST_F(PangoTest, WindowsFacesResolveToThePinnedFonts) {
  FontBackend& backend = CurrentFontBackend();
  EXPECT_EQ(backend.ResolveFamily("Tahoma"), "DejaVu Sans Condensed");
  EXPECT_EQ(backend.ResolveFamily("MS Sans Serif"), "Liberation Sans Narrow");
  EXPECT_EQ(backend.ResolveFamily("Arial"), "Liberation Sans");
  EXPECT_EQ(backend.ResolveFamily("Verdana"), "DejaVu Sans");
  EXPECT_EQ(backend.ResolveFamily("Times New Roman"), "Liberation Serif");
  EXPECT_EQ(backend.ResolveFamily("Courier New"), "Liberation Mono");
  EXPECT_EQ(backend.ResolveFamily("No Such Face"), "Liberation Sans");
}

// Dialogs are laid out for the widths of the Windows faces at 8 pt and 96
// dpi; the faces standing in for them must measure close to those widths,
// or captions overflow their buttons and check boxes. The widths in pixels
// are those of fonts made to the Windows faces' metrics.
TEST_F(PangoTest, DialogFacesMeasureCloseToTheWindowsWidths) {
  struct Sample {
    const char* text;
    int tahoma;
    int msSansSerif;
  };
  const Sample samples[] = {
      {"OK", 14, 13},
      {"Wiederholen", 62, 49},
      {"Abbrechen", 52, 45},
      {"Ignorieren", 51, 40},
      {"Details >>", 53, 39},
      {"Meldung in die Zwischenablage kopieren", 197, 158},
      {"Diese Meldung nicht mehr anzeigen", 173, 141},
      {"Cancel", 33, 28},
      {"Copy this message to clipboard", 152, 124},
      {"Don't show this message again", 150, 124},
      {"The main database could not be created.", 199, 161},
      {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 310, 286},
  };
  OwnedDC dc(CreateSurfaceDC(10, 10));
  for (const char* face : {"Tahoma", "MS Sans Serif"}) {
    OwnedFont font(CreatePointFont(face, 8));
    SelectObject(dc.Get(), font.Get());
    double sum = 0;
    for (const Sample& sample : samples) {
      const int original = std::string_view(face) == "Tahoma" ? sample.tahoma : sample.msSansSerif;
      SIZE size{};
      ASSERT_TRUE(GetTextExtentPoint32A(dc.Get(), sample.text, -1, &size));
      const double deviation = double(size.cx - original) / original;
      sum += deviation;
      EXPECT_LE(std::abs(size.cx - original), std::max(3, original / 8)) << face << ": " << sample.text;
    }
    const double mean = sum / std::size(samples);
    EXPECT_LT(std::abs(mean), 0.05) << face;
  }
}

// Text a user types or a server returns shows in some pinned font, never
// as boxes with the character codes.
TEST_F(PangoTest, EveryScriptAndEmojiHasAGlyph) {
  for (const char* face : {"Tahoma", "MS Sans Serif", "Courier New"}) {
    LOGFONT font;
    font.lfFaceName = face;
    font.lfHeight = -11;
    EXPECT_EQ(detail::PangoMissingGlyphs(font,
                                         "\xE4\xB8\xAD\xE6\x96\x87 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E"
                                         " \xE3\x81\x8B\xE3\x81\xAA \xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4"),
              0)
        << face;  // Chinese, Japanese, Korean
    EXPECT_EQ(detail::PangoMissingGlyphs(font, "\xF0\x9F\x98\x80 \xF0\x9F\x91\x8D \xE2\x9D\xA4 \xE2\x82\xAC \xC5\x82"),
              0)
        << face;                                                                 // emoji, euro sign, Polish l
    EXPECT_EQ(detail::PangoMissingGlyphs(font, "\xF4\x8F\xBF\xBD"), 1) << face;  // a private code point
  }
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

// Small interface text stays crisp: each stem of a narrow glyph ("l",
// "i") lands on whole pixels, so the darkest column of every stem is near
// the text colour, and neighbouring stems keep a light column between them
// instead of running together into a grey smudge.
TEST_F(PangoTest, SmallTextHasSharpStems) {
  for (const char* face : {"Tahoma", "MS Sans Serif", "Arial", "Verdana"}) {
    for (const char* text : {"ll", "il", "li", "lil"}) {
      constexpr int kWidth = 40, kHeight = 20;
      OwnedDC dc(CreateSurfaceDC(kWidth, kHeight));
      OwnedFont font(CreatePointFont(face, 8.25));
      SelectObject(dc.Get(), font.Get());
      SetTextColor(dc.Get(), RGB(0, 0, 0));
      RECT r{2, 0, kWidth, kHeight};
      DrawTextA(dc.Get(), text, -1, &r, DT_SINGLELINE | DT_VCENTER);
      // The darkness of each column: the darkest pixel in it.
      std::vector<int> column(kWidth, 0);
      for (int x = 0; x < kWidth; ++x)
        for (int y = 0; y < kHeight; ++y)
          column[x] = std::max(column[x], 255 - int(GetRValue(GetPixel(dc.Get(), x, y))));
      // Stems are runs of inked columns; each holds a column of nearly full ink.
      int stems = 0;
      for (int x = 0; x < kWidth;) {
        if (column[x] < 96) {
          ++x;
          continue;
        }
        int darkest = 0;
        for (; x < kWidth && column[x] >= 96; ++x) darkest = std::max(darkest, column[x]);
        ++stems;
        EXPECT_GE(darkest, 200) << face << " \"" << text << "\": a stem is grey";
      }
      EXPECT_EQ(stems, int(std::string_view(text).size())) << face << " \"" << text << "\": stems run together";
    }
  }
}

// The first and last inked pixel column of each glyph of a line of text
// drawn in black from x = 2 (no glyph for a blank): what the glyph adds to
// the drawing of the text before it.
struct GlyphInk {
  bool blank;
  int left, right;
};
std::vector<GlyphInk> InksOfGlyphs(const char* face, double points, bool bold, std::string_view text) {
  OwnedFont font(CreatePointFont(face, points, bold));
  OwnedDC measure(CreateSurfaceDC(1, 1));
  SelectObject(measure.Get(), font.Get());
  SIZE size{};
  GetTextExtentPoint32A(measure.Get(), text, static_cast<int>(text.size()), &size);
  const int width = size.cx + size.cy + 4, height = size.cy + 4;
  auto draw = [&](std::string_view part) {
    OwnedDC dc(CreateSurfaceDC(width, height));
    SelectObject(dc.Get(), font.Get());
    SetTextColor(dc.Get(), RGB(0, 0, 0));
    TextOutA(dc.Get(), 2, 2, part, static_cast<int>(part.size()));
    SIZE bitmapSize{};
    return GetBitmapArgb(static_cast<HBITMAP>(GetCurrentObject(dc.Get(), OBJ_BITMAP)), &bitmapSize);
  };
  std::vector<GlyphInk> inks;
  std::vector<uint32_t> before = draw("");
  for (size_t n = 1; n <= text.size(); ++n) {
    if (text[n - 1] == ' ') {
      inks.push_back({true, 0, 0});
      continue;
    }
    std::vector<uint32_t> after = draw(text.substr(0, n));
    GlyphInk ink{false, width, -1};
    for (int x = 0; x < width; ++x)
      for (int y = 0; y < height; ++y)
        if (std::abs(int(after[y * width + x] & 0xFF) - int(before[y * width + x] & 0xFF)) >= 96) {
          ink.left = std::min(ink.left, x);
          ink.right = std::max(ink.right, x);
        }
    inks.push_back(ink);
    before = std::move(after);
  }
  return inks;
}

// Words keep their shape. Glyphs stand at the fonts' own unrounded
// advances, each hinted glyph on a whole pixel near its place, so a gap
// between two letters stays within a pixel and a half of the gap the same
// letters have when drawn eight times as large (the font's design), and the
// gaps of a word stray from the design alike instead of opening the word
// apart where rounded advances add up ("Quorv elle", "Passw ord:"). A word
// space stays wider than any letter gap. (Letter gaps themselves differ by
// design: "rv" nearly touch, a colon stands apart.)
TEST_F(PangoTest, LettersOfAWordAreEvenlySpaced) {
  struct Face {
    const char* name;
    double points;
    bool bold;
  };
  const Face faces[] = {
      {"MS Sans Serif", 8.25, false}, {"MS Sans Serif", 8.25, true}, {"Tahoma", 8.25, false}, {"Tahoma", 8.25, true},
      {"Tahoma", 10, false},          {"Tahoma", 12, true},          {"Arial", 8, false},     {"Arial", 10, false},
      {"Verdana", 8, false},          {"Verdana", 10, false}};
  const char* texts[] = {"Quorvelle",         "A new version", "Update-Server",
                         "Check for updates", "Password:",     "Description:"};
  constexpr int kScale = 8;
  for (const Face& face : faces) {
    for (std::string_view text : texts) {
      std::vector<GlyphInk> drawn = InksOfGlyphs(face.name, face.points, face.bold, text);
      std::vector<GlyphInk> large = InksOfGlyphs(face.name, face.points * kScale, face.bold, text);
      std::string what = std::string(face.name) + " " + std::to_string(face.points).substr(0, 4) +
                         (face.bold ? " bold" : "") + " \"" + std::string(text) + "\", gaps drawn/design:";
      int widestLetterGap = -kScale, narrowestWordGap = 100;
      double leastOff = 100, mostOff = -100, farthestOff = 0;
      for (size_t i = 1; i < text.size(); ++i) {
        if (drawn[i].blank) continue;
        size_t before = i - 1;
        while (drawn[before].blank) --before;
        const int gap = drawn[i].left - drawn[before].right - 1;
        const double design = (large[i].left - large[before].right - 1) / double(kScale);
        const bool wordGap = before + 1 < i;
        what += std::string(wordGap ? " | " : " ") + std::to_string(gap) + "/" + std::to_string(design).substr(0, 4);
        farthestOff = std::max(farthestOff, std::abs(gap - design));
        if (wordGap) {
          narrowestWordGap = std::min(narrowestWordGap, gap);
          continue;
        }
        widestLetterGap = std::max(widestLetterGap, gap);
        leastOff = std::min(leastOff, gap - design);
        mostOff = std::max(mostOff, gap - design);
      }
      EXPECT_LE(farthestOff, 1.5) << what;
      EXPECT_LE(mostOff - leastOff, 1.75) << what;
      if (narrowestWordGap < 100) {
        EXPECT_GE(narrowestWordGap, std::max(2, widestLetterGap + 1)) << what;
      }
    }
  }
}

// What is drawn agrees with what is measured: the ink of a text in the
// interface faces stays inside the width GetTextExtentPoint32A gives it,
// whatever pixels its glyphs were moved to, so labels sized to their text
// and words set side by side neither clip nor touch.
TEST_F(PangoTest, DrawnTextStaysInsideItsMeasuredWidth) {
  for (const char* face : {"MS Sans Serif", "Tahoma", "Arial", "Verdana"}) {
    for (double points : {8.25, 10.0, 12.0}) {
      for (bool bold : {false, true}) {
        OwnedFont font(CreatePointFont(face, points, bold));
        for (const char* text : {"Quorvelle", "Passw", "Update-Server", "Check for updates", "Willkommen", "WAVY",
                                 "effort 7", "Description:", "ill", "x"}) {
          OwnedDC dc(CreateSurfaceDC(300, 40));
          SelectObject(dc.Get(), font.Get());
          SetTextColor(dc.Get(), RGB(0, 0, 0));
          SIZE size{};
          GetTextExtentPoint32A(dc.Get(), text, -1, &size);
          TextOutA(dc.Get(), 10, 2, text, -1);
          int right = -1;
          for (int x = 0; x < 300; ++x)
            for (int y = 0; y < 40; ++y)
              if (GetRValue(GetPixel(dc.Get(), x, y)) < 160) right = x;
          EXPECT_LE(right, 10 + size.cx - 1) << face << " " << points << (bold ? " bold \"" : " \"") << text << "\"";
        }
      }
    }
  }
}

}  // namespace
}  // namespace gdi

namespace gdi {
namespace {

// A sample of the drawing calls with the pinned fonts, written to the
// build folder to be looked at.
TEST_F(PangoTest, RendersASampleToLookAt) {
  DrawingSurface surface(320, 124);
  surface.SetScaleMode(vbPixels);
  surface.SetFont(SurfaceFont{"Tahoma", 8});
  surface.SetCurrentX(8);
  surface.SetCurrentY(6);
  surface.Print("Tahoma 8: The quick brown fox jumps over the lazy dog.");
  surface.SetFont(SurfaceFont{"MS Sans Serif", 8.25, true});
  surface.SetCurrentX(8);
  surface.Print("MS Sans Serif bold: Löschbestätigung erforderlich!");
  surface.SetFont(SurfaceFont{"Tahoma", 8});
  surface.SetCurrentX(8);
  surface.Print(
      "\xE4\xB8\xAD\xE6\x96\x87 \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E \xED\x95\x9C\xEA\xB5\xAD\xEC\x96\xB4 "
      "\xF0\x9F\x98\x80 \xF0\x9F\x91\x8D \xE2\x82\xAC \xC5\x82");
  HDC dc = surface.hDC();
  RECT edge{8, 60, 150, 116};
  DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST);
  RECT text = edge;
  DrawTextA(dc, "&Details >> with a word-wrapped caption text", -1, &text, DT_WORDBREAK | DT_CENTER);
  GradientFillRect(dc, RECT{160, 44, 312, 64}, RGB(0xD9, 0xDF, 0xE3), RGB(0x80, 0x80, 0x80), GRADIENT_FILL_RECT_H);
  OwnedPen pen(CreatePen(PS_SOLID, 1, RGB(0, 0, 128)));
  ScopedSelect<HPEN> usePen(dc, pen.Get());
  RoundRect(dc, 160, 70, 312, 110, 10, 10);
  Ellipse(dc, 170, 75, 200, 105);
  const std::string path = rt::TestRenderPath("gdi-pango-sample.png");
  EXPECT_TRUE(surface.SavePng(path));
}

}  // namespace
}  // namespace gdi
