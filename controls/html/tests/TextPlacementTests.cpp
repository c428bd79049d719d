// Where text lands on real pages: no text is drawn over other text, no
// word is lost, nothing lies left of the page's margin, and the page (with
// its scroll bars) reaches everything drawn. Fixed metrics: 7 pixels a
// character, 13 pixels high, padding 4.
#include <gtest/gtest.h>

#include "TestView.h"
#include "html/KVXHTML.h"

namespace kvctl2 {
namespace {

using testing::DrawnText;
using testing::TestView;

struct Case {
  const char* what;
  std::string source;
  std::vector<std::string> words;  // drawn, each in a text of its own or with its neighbours
};

bool Drawn(const std::vector<DrawnText>& drawn, const std::string& word) {
  return std::any_of(drawn.begin(), drawn.end(), [&](const DrawnText& d) { return d.text.find(word) != std::string::npos; });
}

void ExpectPlacedSoundly(const Case& c, int widthPixels = 300) {
  TestView view(widthPixels, 200);
  view.html.SetEnableScroll(htmScrollBars::Beide);
  const std::vector<DrawnText> drawn = view.Drawn(c.source);
  for (const std::string& word : c.words) EXPECT_TRUE(Drawn(drawn, word)) << c.what << ": lost " << word;
  for (size_t i = 0; i < drawn.size(); ++i) {
    const DrawnText& d = drawn[i];
    EXPECT_GE(d.x, 4) << c.what << ": '" << d.text << "' left of the margin";
    EXPECT_LE(d.Right(), view.html.PageWidth()) << c.what << ": '" << d.text << "' beyond the page";
    EXPECT_LE(d.Bottom(), view.html.PageHeight()) << c.what << ": '" << d.text << "' below the page";
    for (size_t j = i + 1; j < drawn.size(); ++j) {
      EXPECT_FALSE(testing::Overlap(d, drawn[j]))
          << c.what << ": '" << d.text << "' at " << d.x << "," << d.y << " and '" << drawn[j].text << "' at "
          << drawn[j].x << "," << drawn[j].y;
    }
  }
}

TEST(TextPlacement, TagsThatLeaveThePenAloneDoNotEndTheLine) {
  // Each of these ends a text run without moving the pen: the next run
  // goes on after the text before it, on the same line.
  for (const char* tag : {"<!-- c -->", "<thead>", "</tbody>", "<tfoot>", "<form>", "<head>", "<td>", "<tr>",
                          "<center>", "<style></style>"}) {
    const std::string source = std::string("<p>first words ") + tag + " second</p>";
    ExpectPlacedSoundly({tag, source, {"first", "words", "second"}});
    TestView view;
    const auto drawn = view.Drawn(source);
    EXPECT_EQ(TestView::Find(drawn, "second").y, TestView::Find(drawn, "words").y) << tag;
  }
  // A stray cell end closes the paragraph (the parser inserts its end).
  ExpectPlacedSoundly({"</td>", "<p>first words </td> second</p>", {"first", "words", "second"}});
}

TEST(TextPlacement, FaultyInputKeepsItsWordsApart) {
  std::string deepLists;
  for (int i = 0; i < 40; ++i) deepLists += "<ul><li>item" + std::to_string(i);
  for (int i = 0; i < 40; ++i) deepLists += "</ul>";
  deepLists += "after";
  const Case cases[] = {
      // A lone CR inside a word is a blank: the line goes on.
      {"lone CR", "<p>alpha be\rta gamma delta epsilon</p>", {"alpha", "be ta", "gamma", "delta", "epsilon"}},
      // References beyond the code page show their character; the run keeps its words.
      {"references", "<p>one &#256;two &#999; three</p>", {"one", "\u0100two", "\u03E7", "three"}},
      {"stray quote ends", "</blockquote></blockquote></blockquote>text<p>more</p>", {"text", "more"}},
      {"forty nested lists", deepLists, {"item0", "item20", "item39", "after"}},
      {"a table after text in a cell",
       "<table><tr><td>outer words<table bgcolor=red><tr><td>inner</td></tr></table>tail</td></tr></table>",
       {"outer", "inner", "tail"}},
  };
  for (const Case& c : cases) ExpectPlacedSoundly(c);
}

TEST(TextPlacement, TextRunningPastTheViewIsWithinTheScrollablePage) {
  // Forty nested lists indent past the right edge: the page grows to the
  // deepest item and the horizontal bar lets it be reached.
  std::string deep;
  for (int i = 0; i < 40; ++i) deep += "<ul><li>item" + std::to_string(i);
  TestView view;
  view.html.SetEnableScroll(htmScrollBars::Beide);
  const auto drawn = view.Drawn(deep);
  const DrawnText last = TestView::Find(drawn, "item39");
  ASSERT_GT(last.Right(), 300);
  EXPECT_TRUE(view.html.Constituent("panH")->Visible());
  EXPECT_LE(last.Right(), view.html.PageWidth());
  EXPECT_EQ(view.html.Page().PixelWidth(), view.html.PageWidth());
  EXPECT_GE(view.html.Page().PixelHeight(), last.Bottom());
}

TEST(TextPlacement, AWordWiderThanItsShareOfTheTableWidensItsColumn) {
  TestView view;
  const auto drawn = view.Drawn("<table width=100%><tr><td>configurationsettings</td><td>x</td></tr></table>");
  const DrawnText next = TestView::Find(drawn, "x");
  const DrawnText wide = TestView::Find(drawn, "configurationsettings");
  // The word shows whole (6 x 10 pixels of ink a character), and the next
  // cell starts after it.
  EXPECT_EQ(view.Pixels(wide.x, wide.y, wide.Right(), wide.Bottom(), 0x000000), 60 * 21);
  EXPECT_LT(wide.Right(), next.x);
  EXPECT_GT(view.Pixels(next.x, next.y, next.Right(), next.Bottom(), 0x000000), 0);
}

TEST(TextPlacement, TheAlignmentOfATablesLastCellStaysInTheTable) {
  TestView view;
  for (const char* align : {"center", "right"}) {
    const std::string table = std::string("<table><tr><td colspan=2 align=") + align + ">Title</td></tr></table>";
    const auto drawn = view.Drawn(table + "<h3>Heading</h3>text");
    EXPECT_EQ(TestView::Find(drawn, "Heading").x, 4) << align;
    EXPECT_EQ(TestView::Find(drawn, "text").x, 4) << align;
  }
}

TEST(TextPlacement, TheLayoutDependsOnlyOnTheDocumentAndTheView) {
  std::string source = "<h1>Title</h1><p>intro <img src=tall height=400> after</p>";
  for (int i = 0; i < 12; ++i) {
    source += "<table border=" + std::to_string(i % 2) + "><tr><td valign=" + (i % 3 ? "top" : "bottom") +
              ">cell " + std::to_string(i) + "<table bgcolor=yellow><tr><td><font size=" + std::to_string(1 + i % 6) +
              ">nested</font></td></tr></table></td><td><img src=p" + std::to_string(i) +
              ">more</td></tr></table><ul><li>a<ol><li>b</ol></ul>";
  }
  auto picture = com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateFilledBitmap(20, 30, 0x00FF00)));
  auto boxes = [&](KVXHTML& html) {
    std::vector<int32_t> out{html.PageWidth(), html.PageHeight()};
    for (int i = 0; i < html.ElementCount(); ++i) {
      const HTMLElement& e = html.Element(i);
      out.insert(out.end(), {e.BoxLeft, e.BoxTop, e.BoxRight, e.BoxBottom, e.RowHeight, e.PixelHeight});
    }
    return out;
  };
  for (bool realFonts : {false, true}) {
    std::vector<std::vector<int32_t>> loads;
    for (int view = 0; view < 2; ++view) {
      TestView test(400, 300);
      if (realFonts) gdi::UsePangoMetrics();
      test.html.SetEnableScroll(htmScrollBars::Beide);
      test.html.Events().Connect("LoadImage", [&](com::Args& args) { args[1] = com::ToVariant(picture); });
      test.html.SetText(source);
      loads.push_back(boxes(test.html));
      test.html.SetText(source);
      loads.push_back(boxes(test.html));
    }
    for (size_t i = 1; i < loads.size(); ++i) EXPECT_EQ(loads[i], loads[0]) << "load " << i << " real fonts " << realFonts;
  }
}

}  // namespace
}  // namespace kvctl2
