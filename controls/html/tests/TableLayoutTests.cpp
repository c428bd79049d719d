// Tables: the column widths, placing tables, rows and cells, frames,
// backgrounds, vertical alignment, and tables beyond the fixed limits.
#include <gtest/gtest.h>

#include "PageCheck.h"
#include "TestView.h"
#include "gdi/Bitmaps.h"
#include "forms/PictureBox.h"
#include "gdi/Owned.h"
#include "html/KVXHTML.h"
#include "html/PageDisplayList.h"

namespace kvctl2 {
namespace {

using testing::PageFaults;
using testing::TestView;
using Item = html::PageDisplayList::Item;
using Kind = html::PageDisplayList::Kind;

std::vector<Item> Lines(const KVXHTML& html) {
  std::vector<Item> lines;
  for (const Item& item : html.Page().DisplayList()->Items()) {
    if (item.What == Kind::Line) lines.push_back(item);
  }
  return lines;
}

// The PixelWidth of every cell, in document order, and of the first table.
struct Widths {
  int32_t table = 0;
  std::vector<int32_t> cells;
};

Widths WidthsOf(TestView& view, const std::string& source) {
  view.html.SetText(source);
  Widths w;
  for (int i = 0; i < view.html.ElementCount(); ++i) {
    const HTMLElement& e = view.html.Element(i);
    if (e.ElementType == htmlElementType::Table && w.table == 0) w.table = e.PixelWidth;
    if (e.ElementType == htmlElementType::Td) w.cells.push_back(e.PixelWidth);
  }
  return w;
}

TEST(TableLayout, ColumnWidths) {
  struct Case {
    const char* source;
    int32_t table;
    std::vector<int32_t> cells;
  };
  const Case cases[] = {
      // 300 - 4 x 2 = 292 shared by three automatic columns: 97 each, the
      // total 291 stretched to 292.
      {"<table width=300><tr><td>a<td>b<td>c</table>", 300, {97, 97, 97}},
      {"<table width=300><tr><td width=50%>a<td>b<td>c</table>", 300, {146, 73, 73}},
      // No row without spans: equal shares.
      {"<table width=300><tr><td colspan=2>a<td>b</table>", 300, {194, 97}},
      // Pixel columns wider than a pixel table widen it...
      {"<table width=200 cellspacing=0><tr><td width=150>a<td width=120>b</table>", 270, {150, 120}},
      // ... and so do they a table with a share width (140 here), whose
      // frame then holds them.
      {"<table width=50% cellspacing=0><tr><td width=150>a<td width=120>b</table>", 270, {150, 120}},
      {"<table width=220 cellspacing=0><tr><td width=100>a<td width=120>b<tr><td colspan=2>c</table>",
       220,
       {100, 120, 220}},
  };
  for (const Case& c : cases) {
    TestView view;
    const Widths w = WidthsOf(view, c.source);
    EXPECT_EQ(w.table, c.table) << c.source;
    EXPECT_EQ(w.cells, c.cells) << c.source;
  }
}

TEST(TableLayout, DivisionsThatWouldFailAreSkippedAndThePageGoesOn) {
  const char* cases[] = {
      "<table><tr></tr></table>after",                                      // no columns
      "<table width=300><tr><td width=0>a<td width=0>b</table>after",       // all widths 0
      "<table width=8 cellspacing=2><tr><td width=25%>a</table>after",      // a share of exactly 1
      "<table width=300><tr><td colspan=0>a<td colspan=-3>b</table>after",  // spans of none
  };
  for (const char* source : cases) {
    TestView view;
    EXPECT_NE(TestView::Find(view.Drawn(source), "after").x, -1) << source;
  }
}

TEST(TableLayout, TablesBeyondTheFixedLimits) {
  TestView view;
  // 20 nested tables, 20 cells in a row: the stack and the rows grow.
  std::string nested;
  for (int i = 0; i < 20; ++i) nested += "<table cellspacing=0 cellpadding=0><tr><td>";
  nested += "inner";
  for (int i = 0; i < 20; ++i) nested += "</td></tr></table>";
  EXPECT_NE(TestView::Find(view.Drawn(nested + "after"), "inner").x, -1);
  std::string wide = "<table width=280 cellspacing=0 cellpadding=0><tr>";
  for (int i = 0; i < 20; ++i) wide += "<td>c" + std::to_string(i);
  // The columns hold their words (14 and 21 pixels): the table grows to
  // 350 pixels, and the page with it.
  view.html.SetEnableScroll(htmScrollBars::Beide);
  const auto drawn = view.Drawn(wide + "</table>");
  EXPECT_EQ(TestView::Find(drawn, "c19").x, 4 + 10 * 14 + 9 * 21);
}

TEST(TableLayout, PlacesTablesRowsAndCells) {
  TestView view;
  view.html.SetText(
      "<center><table width=100 cellspacing=2 cellpadding=2 border=1><tr><td>a</td></tr></table></center>");
  // Centred between margin and right limit: (291 - 4 - 100) / 2 + 4.
  const auto drawn = view.Texts();
  const int tableLeft = 97;
  // The cell text: table left + the first cell's offset (frame and gap),
  // the frame, the padding and half the gap.
  EXPECT_EQ(TestView::Find(drawn, "a").x, tableLeft + 3 + 1 + 2 + 1);

  // The tallest cell sets the row; the drawing pass aligns the others.
  view.html.SetText(
      "<table width=280 border=0 cellspacing=0 cellpadding=0><tr>"
      "<td valign=top>t</td><td valign=center>m</td><td valign=bottom>b</td>"
      "<td width=20>x x x x</td></tr></table>");
  int row = 0;
  for (int i = 0; i < view.html.ElementCount(); ++i) {
    if (view.html.Element(i).ElementType == htmlElementType::Tr) row = i;
  }
  const auto aligned = view.Texts();
  int lastLine = 0;
  for (const auto& d : aligned) {
    if (d.text == "x") lastLine = std::max(lastLine, d.y);
  }
  EXPECT_GT(lastLine, 4);
  EXPECT_EQ(view.html.Element(row).PixelHeight, lastLine - 4 + 17);  // the narrow cell's lines
  const int top = TestView::Find(aligned, "t").y;
  EXPECT_LT(top, TestView::Find(aligned, "m").y);
  EXPECT_LT(TestView::Find(aligned, "m").y, TestView::Find(aligned, "b").y);
}

TEST(TableLayout, NestedTablesHoldTheirTextInBothPasses) {
  // Each level's word, then the next table; the drawing pass places every
  // word where the measuring pass made room for it.
  for (const int depth : {5, 30}) {
    for (const int border : {0, 1}) {
      std::string source;
      for (int i = 0; i < depth; ++i) source += "<table border=" + std::to_string(border) + "><tr><td>w" + std::to_string(i);
      for (int i = 0; i < depth; ++i) source += "</td></tr></table>";
      TestView view(700, 300);
      const auto drawn = view.Drawn(source + "after");
      std::vector<const HTMLElement*> tables;
      for (int i = 0; i < view.html.ElementCount(); ++i) {
        if (view.html.Element(i).ElementType == htmlElementType::Table) tables.push_back(&view.html.Element(i));
      }
      ASSERT_EQ(tables.size(), static_cast<size_t>(depth));
      const std::string what = "depth " + std::to_string(depth) + " border " + std::to_string(border);
      for (int i = 0; i < depth; ++i) {
        const testing::DrawnText word = TestView::Find(drawn, "w" + std::to_string(i));
        ASSERT_NE(word.x, -1) << what << " w" << i;
        EXPECT_GE(word.y, tables[i]->BoxTop) << what << " w" << i;
        EXPECT_LE(word.Bottom(), tables[i]->BoxTop + tables[i]->RowHeight) << what << " w" << i;
        // The next table starts below the word before it.
        if (i + 1 < depth) {
          EXPECT_GE(tables[i + 1]->BoxTop, word.Bottom()) << what << " w" << i;
        }
      }
      for (int i = 0; i < depth; ++i)
        EXPECT_GE(TestView::Find(drawn, "after").y, TestView::Find(drawn, "w" + std::to_string(i)).Bottom()) << what;
    }
  }
}

TEST(TableLayout, AFillNeverCoversTheTextOnIt) {
  TestView view;
  const auto drawn =
      view.Drawn("<table><tr><td>outer<table bgcolor=red><tr><td>inner</td></tr></table></td></tr></table>");
  // Every character of both words shows whole: a box of 6 x 10 pixels
  // with the fixed metrics.
  for (const char* word : {"outer", "inner"}) {
    const testing::DrawnText d = TestView::Find(drawn, word);
    EXPECT_EQ(view.Pixels(d.x, d.y, d.Right(), d.Bottom(), 0x000000), 60 * static_cast<int>(d.CodePoints())) << word;
  }
  // Under the nested table's text lies its fill.
  const testing::DrawnText inner = TestView::Find(drawn, "inner");
  EXPECT_GT(view.Pixels(inner.x - 2, inner.y, inner.x, inner.Bottom(), 0x0000FF), 0);
}

TEST(TableLayout, BackgroundsFramesAndTheirColours) {
  TestView view;
  view.html.SetBackColor(0xFFFFFF);
  view.html.SetText("<table width=100 border=1 bgcolor=#00FF00><tr><td bgcolor=red>a</td></tr></table>");
  const auto calls = view.Calls();
  auto has = [&](const std::string& start) {
    return std::any_of(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(start, 0) == 0; });
  };
  EXPECT_TRUE(has("FillRect 4,4,104,"));  // the table's background from its left edge, 100 wide
  bool cellFilled = false;
  for (const std::string& c : calls)
    cellFilled = cellFilled || (c.rfind("FillRect", 0) == 0 && c.find("#FF0000") != std::string::npos);
  EXPECT_TRUE(cellFilled);
  // On a white page the light edge of a frame is the button face colour.
  bool faceEdge = false;
  for (const std::string& c : calls)
    faceEdge = faceEdge || (c.rfind("LineTo", 0) == 0 && c.find("#D4D0C8") != std::string::npos);
  EXPECT_TRUE(faceEdge);

  view.html.SetText("<table width=100 border=0><tr><td>a</td></tr></table>");
  for (const std::string& c : view.Calls()) EXPECT_EQ(c.rfind("LineTo", 0), std::string::npos) << c;
}

TEST(TableLayout, AColumnHoldsItsWidestWordPictureOrTable) {
  // Each page at each width: nothing cut, nothing over anything, and the
  // cell "next" starts right of what its neighbour holds.
  struct Case {
    const char* source;
    int blockRight;  // right edge of the widest thing left of "next" (0: none)
  };
  const Case cases[] = {
      {"<table border=1 width=200><tr><td width=60>2023-11-02</td><td>Second cell text</td></tr></table>", 0},
      {"<table border=1 width=100><tr><td width=20>Kontenverwaltungsoberflaeche</td><td>next</td></tr></table>",
       0},
      // A 80-pixel picture in a 20-pixel column.
      {"<table border=1 width=100><tr><td width=20><img src=p width=80 height=20></td><td>next</td></tr></table>",
       80},
      // A 150-pixel table in a 20-pixel column.
      {"<table border=1 width=100><tr><td width=20><table border=1 width=150><tr><td>inner</td></tr></table></td>"
       "<td>next</td></tr></table>",
       150},
      // A word in a cell that spans two narrow columns.
      {"<table border=1 width=60><tr><td colspan=2>\\\\fileserver01\\Software</td></tr>"
       "<tr><td>a</td><td>next</td></tr></table>",
       0},
      // A share table, its column asking for more than the table has.
      {"<table border=1 width=50%><tr><td width=150>Versionsnummer</td><td>next</td></tr></table>", 150},
  };
  const auto picture = com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateFilledBitmap(80, 20, 0x00FF00)));
  for (const Case& c : cases) {
    for (const int width : {100, 300, 640}) {
      TestView view(width);
      view.html.SetEnableScroll(htmScrollBars::Beide);
      view.html.Events().Connect("LoadImage", [&](com::Args& args) { args[1] = com::ToVariant(picture); });
      const auto drawn = view.Drawn(c.source);
      const std::string what = std::string(c.source) + " at " + std::to_string(width);
      EXPECT_EQ(PageFaults(view.html), std::vector<std::string>{}) << what;
      const testing::DrawnText next = TestView::Find(drawn, "next");
      if (c.blockRight > 0) {
        ASSERT_NE(next.x, -1) << what;
        EXPECT_GT(next.x, 4 + c.blockRight) << what;
      }
      // The page is as wide as the table, so that it can be scrolled to.
      for (const Item& line : Lines(view.html)) EXPECT_LE(line.Box.Right, view.html.PageWidth()) << what;
    }
  }
}

TEST(TableLayout, TheFrameHoldsItsColumnsAndTheTextAfterItStandsBelowIt) {
  // Column widths that add up to the table's width, with and without spacing.
  for (const char* source :
       {"<table border=1 width=640 cellspacing=2><tr><td width=320>a</td><td width=320>b</td></tr></table>after",
        "<table border=1 width=200 cellspacing=0><tr><td width=150>a</td><td width=120>b</td></tr></table>after",
        "<table border=1 width=50% cellspacing=4><tr><td width=150>a</td><td width=120>b</td></tr></table>after"}) {
    TestView view(700);
    view.html.SetEnableScroll(htmScrollBars::Beide);
    const auto drawn = view.Drawn(source);
    const std::vector<Item> lines = Lines(view.html);
    ASSERT_GE(lines.size(), 4u) << source;
    // The table's frame comes first: top, left, right, bottom edge.
    const int64_t frameRight = lines[2].Box.Left, frameBottom = lines[3].Box.Top;
    for (size_t i = 4; i < lines.size(); ++i) EXPECT_LT(lines[i].Box.Left, frameRight) << source;
    EXPECT_GT(TestView::Find(drawn, "after").y, frameBottom) << source;
  }
}

TEST(TableLayout, RowColoursFillTheirCells) {
  TestView view;
  view.html.SetBackColor(0xFFFFFF);
  view.html.SetText(
      "<table border=1 width=100% bgcolor=white><tr bgcolor=#336699><td><font color=white>Header one</font></td>"
      "<td bgcolor=#FFFFCC>own</td></tr><tr><td>a</td><td>b</td></tr></table>");
  EXPECT_EQ(PageFaults(view.html), std::vector<std::string>{});
  const auto drawn = view.Texts();
  auto fillUnder = [&](const std::string& word) {
    const testing::DrawnText d = TestView::Find(drawn, word);
    uint32_t color = 0xFFFFFFFF;
    for (const Item& item : view.html.Page().DisplayList()->Items()) {
      if (item.What == Kind::Fill && item.Box.Left <= d.x && d.x < item.Box.Right && item.Box.Top <= d.y &&
          d.y < item.Box.Bottom)
        color = item.Color;
    }
    return color;
  };
  EXPECT_EQ(fillUnder("Header"), 0x996633u);  // the row's colour (OLE: blue in the high byte)
  EXPECT_EQ(fillUnder("own"), 0xCCFFFFu);     // a cell's own colour wins
  EXPECT_EQ(fillUnder("a"), 0xFFFFFFu);       // the next row has none: the table's
}

TEST(TableLayout, AListInALaterColumnKeepsItsBlanksAndItsLeftEdge) {
  for (const char* cell : {"<td width=150>Left</td>", "<td width=100>Left</td><td width=80>Middle</td>"}) {
    TestView view(500);
    const auto drawn = view.Drawn(std::string("<table border=1 width=480><tr>") + cell +
                                  "<td><ul><li>An item in the right cell that wraps onto more lines</ul></td></tr>"
                                  "</table>");
    EXPECT_EQ(PageFaults(view.html), std::vector<std::string>{}) << cell;
    const testing::DrawnText an = TestView::Find(drawn, "An"), item = TestView::Find(drawn, "item");
    ASSERT_NE(an.x, -1) << cell;
    EXPECT_EQ(item.x, an.Right() + 7) << cell;  // one blank between the words
    int lines = 0;
    for (const testing::DrawnText& d : drawn) {
      if (d.y > an.y && d.x < an.x + 7 && d.text != "Left" && d.text != "Middle") {
        EXPECT_EQ(d.x, an.x) << cell << " " << d.text;  // continuation lines start under the first word
        ++lines;
      }
    }
    EXPECT_GT(lines, 0) << cell;
  }
}

TEST(TableLayout, TextAndRulesAfterATableDoNotWidenThePage) {
  for (const char* after : {"Text after the table that runs over several lines at this width of the view.",
                            "<hr>", "Text<hr>", "<p>A paragraph after the table that wraps.</p><hr>"}) {
    for (const int width : {200, 300}) {
      TestView view(width);
      view.html.SetEnableScroll(htmScrollBars::Beide);
      view.html.SetText(std::string("<table border=1 width=100%><tr><td>a</td></tr></table>") + after);
      EXPECT_EQ(view.html.PageWidth(), view.html.ViewPort()->Surface().PixelWidth()) << after << " at " << width;
    }
  }
}

}  // namespace
}  // namespace kvctl2
