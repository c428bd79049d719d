// An HTML view on the fixed-metrics backend for layout tests: the default
// font (Arial 10 = 13 pixels) advances 7 pixels a character, a line step
// is 13 + DefaultSpacing 4 = 17 pixels and the indent step 14. Drawn()
// lays a document out and returns what the last (drawing) pass printed
// and drew on the page.
#pragma once

#include <algorithm>
#include <regex>
#include <string>
#include <vector>

#include "gdi/FontBackend.h"
#include "gdi/Recording.h"
#include "html/KVXHTML.h"

namespace kvctl2::testing {

struct DrawnText {
  std::string text;
  int x = 0;
  int y = 0;
  // The text's cell with the fixed metrics of the default font.
  int Right() const { return x + 7 * static_cast<int>(CodePoints()); }
  int Bottom() const { return y + 13; }
  size_t CodePoints() const {
    return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
  }
};

// Whether two drawn texts cover a pixel in common.
inline bool Overlap(const DrawnText& a, const DrawnText& b) {
  return a.x < b.Right() && b.x < a.Right() && a.y < b.Bottom() && b.y < a.Bottom();
}

// Paragraphs enough for a page taller than the view, after `extra`.
inline std::string LongPage(int paragraphs, const std::string& extra = "") {
  std::string text = extra;
  for (int i = 0; i < paragraphs; ++i) text += "<p>Paragraph " + std::to_string(i) + "</p>";
  return text;
}

class TestView {
 public:
  explicit TestView(int widthPixels = 300, int heightPixels = 200) {
    html.SetEnableAnchors(true);
    html.Move(0, 0, widthPixels * 15, heightPixels * 15);
  }

  // The drawing calls that draw the page after a repaint (the whole page
  // from its display list, after clearing it); as it stands without one.
  std::vector<std::string> Calls(bool repaint = true) { return CallsOf(html, repaint); }

  static std::vector<std::string> CallsOf(KVXHTML& html, bool repaint = true) {
    if (repaint) html.Refresh(true);
    const html::PageImage& page = html.Page();
    gdi::DrawingSurface surface(page.PixelWidth(), page.PixelHeight());
    surface.SetScaleMode(gdi::vbPixels);
    surface.SetAutoRedraw(true);
    const gdi::HDC dc = surface.hDC();
    gdi::StartRecording(dc);
    if (page.DisplayList()) page.DisplayList()->Draw(surface, 0, 0, page.PixelWidth(), page.PixelHeight());
    std::vector<std::string> calls = gdi::RecordedCalls(dc);
    gdi::StopRecording(dc);
    const std::string clear = "FillRect 0,0,";
    const auto first =
        std::find_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(clear, 0) == 0; });
    return {first == calls.end() ? calls.begin() : first + 1, calls.end()};
  }

  // What the last pass printed, blanks left out.
  std::vector<DrawnText> Texts(bool repaint = true) { return TextsOf(html, repaint); }

  static std::vector<DrawnText> TextsOf(KVXHTML& html, bool repaint = true) {
    static const std::regex textOut("^TextOut '(.*)' (-?\\d+),(-?\\d+) .*");
    std::vector<DrawnText> out;
    for (const std::string& call : CallsOf(html, repaint)) {
      std::smatch m;
      if (!std::regex_match(call, m, textOut) || m[1].str().find_first_not_of(' ') == std::string::npos) continue;
      out.push_back({m[1].str(), std::stoi(m[2].str()), std::stoi(m[3].str())});
    }
    return out;
  }

  std::vector<DrawnText> Drawn(const std::string& source) {
    html.SetText(source);
    return Texts();
  }

  // The number of page pixels of a colour in a rectangle (right and
  // bottom exclusive).
  int Pixels(int left, int top, int right, int bottom, int64_t color) {
    int count = 0;
    for (int y = top; y < bottom; ++y) {
      for (int x = left; x < right; ++x) count += html.Page().Point(x, y) == color ? 1 : 0;
    }
    return count;
  }

  // Where a printed text was drawn; {"", -1, -1} when it was not.
  static DrawnText Find(const std::vector<DrawnText>& drawn, const std::string& text) {
    for (const DrawnText& d : drawn) {
      if (d.text == text) return d;
    }
    return {"", -1, -1};
  }

  gdi::ScopedFixedMetrics metrics;
  KVXHTML html;
};

}  // namespace kvctl2::testing
