// A real page with the real fonts: the benchmark's 40 KB release notes
// (tools/bench/html/page-40k.html) in views of several widths, up to a
// wide screen's.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "forms/PictureBox.h"
#include "gdi/FontBackend.h"
#include "gdi/SysColors.h"
#include "html/KVXHTML.h"

namespace kvctl2 {
namespace {

std::string RealPage() {
  std::ifstream in(std::string(QV_SOURCE_DIR) + "/tools/bench/html/page-40k.html", std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(RealPage, CanBeScrolledToItsLastLineAtEveryWidth) {
  gdi::UsePangoMetrics();
  const std::string page = RealPage();
  ASSERT_GT(page.size(), 40000u);
  for (const int width : {300, 600, 1000, 1600}) {
    KVXHTML html;
    html.SetEnableScroll(htmScrollBars::Beide);
    html.Move(0, 0, width * 15, 500 * 15);
    html.SetText(page);
    const gdi::DrawingSurface& shown = html.ViewPort()->Surface();
    const int viewWidth = shown.PixelWidth(), viewHeight = shown.PixelHeight();
    // Ctrl+End: the view shows the page's end.
    com::Args end{int16_t{35}, int16_t{2}};
    html.ViewPort()->Events().Raise("KeyDown", end);
    EXPECT_EQ(html.ScrollY() + viewHeight, html.PageHeight()) << width;
    // The page holds everything drawn on it, and the last line is in view
    // as the page has it.
    const int64_t inkBottom = html.Page().DisplayList()->InkBottom();
    ASSERT_LE(inkBottom, html.PageHeight()) << width;
    const int lastRow = static_cast<int>(inkBottom - html.ScrollY()) - 1;
    ASSERT_GE(lastRow, 12) << width;
    const int64_t background = gdi::OleTranslateColor(html.PageColor());
    int ink = 0, differing = 0;
    for (int y = lastRow - 12; y <= lastRow; ++y) {
      for (int x = 0; x < viewWidth; ++x) {
        ink += shown.Point(x, y) != background ? 1 : 0;
        differing += shown.Point(x, y) != html.Page().Point(x, y + html.ScrollY()) ? 1 : 0;
      }
    }
    EXPECT_GT(ink, 20) << width;
    EXPECT_EQ(differing, 0) << width;
  }
}

}  // namespace
}  // namespace kvctl2
