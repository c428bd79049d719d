// Where text lands on real pages: no text is drawn over other text, no
// word is lost, nothing lies left of the page's margin, and the page (with
// its scroll bars) reaches everything drawn. Fixed metrics: 7 pixels a
// character, 13 pixels high, padding 4.
#include <gtest/gtest.h>

#include <algorithm>

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
      {"text after the last tag", "<body>first<br>last words", {"first", "last", "words"}},
      {"a less-than sign", "<p>if a < b and b<=c then</p>", {"if", "a", "<", "b", "b<=c", "then"}},
      {"a table after text in a cell",
       "<table><tr><td>outer words<table bgcolor=red><tr><td>inner</td></tr></table>tail</td></tr></table>",
       {"outer", "inner", "tail"}},
  };
  for (const Case& c : cases) ExpectPlacedSoundly(c);
}

TEST(TextPlacement, StrayClosingTagsHideNoText) {
  const std::string table = "<table border=1><tr><td>cell one</td><td>cell two</td></tr></table><p>after</p>";
  const std::string noRow = "<table border=1><td>cell one</td><td>cell two</td></table><p>after</p>";
  const Case cases[] = {
      {"closing b and i", "<p>one </b></i> two</p>" + table, {"one", "two", "cell", "after"}},
      {"two closing ul", "<p>one </ul></ul> two</p>" + table, {"one", "two", "cell", "after"}},
      {"a table without rows", "<p>one </b></i> two</p>" + noRow, {"one", "two", "cell", "after"}},
      {"a closing div in a cell", "<table border=1><tr><td>cell one</div></td><td>cell two</td></tr></table><p>after</p>",
       {"cell", "after"}},
  };
  for (int width : {100, 300, 800}) {
    for (const Case& c : cases) {
      ExpectPlacedSoundly(c, width);
      TestView view(width, 200);
      const auto drawn = view.Drawn(c.source);
      // Both cells side by side on one row; the text after the table below it.
      const DrawnText one = TestView::Find(drawn, "one");
      const DrawnText two = TestView::Find(drawn, "two");
      ASSERT_NE(one.x, -1) << c.what;
      ASSERT_NE(two.x, -1) << c.what;
      int cellsBottom = 0, firstCellRight = 0, secondCellLeft = 0, rowY = -1;
      for (const DrawnText& d : drawn) {
        if (d.text.find("cell") == std::string::npos) continue;
        cellsBottom = std::max(cellsBottom, d.Bottom());
        if (rowY < 0) {
          rowY = d.y;
          firstCellRight = d.Right();
        } else if (secondCellLeft == 0 && d.x >= firstCellRight) {
          secondCellLeft = d.x;
          EXPECT_EQ(d.y, rowY) << c.what << " at " << width;
        }
      }
      EXPECT_GT(secondCellLeft, 0) << c.what << " at " << width << ": no second cell beside the first";
      EXPECT_GE(TestView::Find(drawn, "after").y, cellsBottom) << c.what << " at " << width;
    }
  }
}

TEST(TextPlacement, AStrayCellEndLaysOutTheSameOnEveryLoad) {
  const std::string source =
      "<TABLE BORDER=1><TR><TD>cell one</TD></TR></TD></TABLE>after the table<BR><IMG WIDTH=50 HEIGHT=300>";
  std::vector<int> heights;
  for (int load = 0; load < 3; ++load) {
    TestView view(400, 200);
    view.html.SetEnableScroll(htmScrollBars::Beide);
    for (int again = 0; again < 2; ++again) {
      const auto drawn = view.Drawn(source);
      const DrawnText cell = TestView::Find(drawn, "cell");
      const DrawnText after = TestView::Find(drawn, "after");
      ASSERT_NE(after.x, -1);
      EXPECT_GE(after.y, cell.Bottom()) << "load " << load << "." << again;
      heights.push_back(view.html.PageHeight());
    }
  }
  for (size_t i = 1; i < heights.size(); ++i) EXPECT_EQ(heights[i], heights[0]) << "load " << i;
}

// The distinct line tops of the drawn texts, top down.
std::vector<int> LineTops(const std::vector<DrawnText>& drawn) {
  std::vector<int> tops;
  for (const DrawnText& d : drawn) tops.push_back(d.y);
  std::sort(tops.begin(), tops.end());
  tops.erase(std::unique(tops.begin(), tops.end()), tops.end());
  return tops;
}

// The texts drawn on the line at `y`, left to right.
std::vector<DrawnText> OnLine(const std::vector<DrawnText>& drawn, int y) {
  std::vector<DrawnText> out;
  for (const DrawnText& d : drawn) {
    if (d.y == y) out.push_back(d);
  }
  std::sort(out.begin(), out.end(), [](const DrawnText& a, const DrawnText& b) { return a.x < b.x; });
  return out;
}

TEST(TextPlacement, EachLineIsAsTallAsWhatStandsOnIt) {
  const std::string wrap =
      " words that wrap onto a second line and then onto a third line and a fourth one too, with a few words "
      "more to be sure of it";
  TestView view;
  view.html.Events().Connect("LoadImage", [](com::Args&) {});
  // A large font on the first line only: the later lines take the default step.
  auto tops = LineTops(view.Drawn("<p><font size=7>Big</font>" + wrap + "</p>"));
  ASSERT_GE(tops.size(), 4u);
  EXPECT_GT(tops[1] - tops[0], 17);
  EXPECT_EQ(tops[2] - tops[1], 17);
  EXPECT_EQ(tops[3] - tops[2], 17);
  // A small font at the end does not squeeze the lines of larger text above it.
  tops = LineTops(view.Drawn("<p><font size=6>Large" + wrap + "</font><font size=1>tiny</font></p>"));
  ASSERT_GE(tops.size(), 3u);
  EXPECT_GT(tops[1] - tops[0], 17);
  EXPECT_GT(tops[2] - tops[1], 17);
  // After a picture on the first line the rest of the paragraph takes the
  // text's step, and its lines start at the margin.
  for (const char* before : {"<img width=40 height=150>", "<p>text <img width=40 height=150>"}) {
    const auto drawn = view.Drawn(std::string(before) + " after the picture" + wrap);
    tops = LineTops(drawn);
    const size_t k = static_cast<size_t>(
        std::find(tops.begin(), tops.end(), TestView::Find(drawn, "after").y) - tops.begin());
    ASSERT_GE(tops.size(), k + 3) << before;
    EXPECT_GE(tops[k + 1] - tops[k], 154) << before;
    EXPECT_EQ(tops[k + 2] - tops[k + 1], 17) << before;
    EXPECT_EQ(OnLine(drawn, tops[k + 1]).front().x, 4) << before;
    EXPECT_EQ(OnLine(drawn, tops[k + 2]).front().x, 4) << before;
  }
  // The same after a comment in the middle of a line.
  const auto commented = view.Drawn("<p>text <!-- note -->" + wrap + "</p>");
  for (int top : LineTops(commented)) EXPECT_EQ(OnLine(commented, top).front().x, 4) << top;
}

TEST(TextPlacement, AWordThatDoesNotFitBesideAPictureGoesBelowIt) {
  for (int width : {100, 120}) {
    ExpectPlacedSoundly({"picture", "<img width=60 height=90> text after the picture", {"text", "after", "picture"}},
                        width);
    ExpectPlacedSoundly({"comment", "<p>some words <!-- c -->following after</p>", {"some", "following", "after"}},
                        width);
    // Every word fits in the view on a line of its own: none runs past it.
    TestView view(width, 200);
    for (const DrawnText& d : view.Drawn("<img width=60 height=90> text after the picture"))
      EXPECT_LE(d.Right(), width - 4) << d.text << " at " << width;
  }
}

TEST(TextPlacement, BlocksAfterAPictureOrTextStartBelowIt) {
  TestView view;
  struct Case {
    const char* source;
    const char* word;
    int atLeast;  // the word's top
  };
  const Case cases[] = {
      {"<img width=40 height=60><h2>Heading</h2>", "Heading", 4 + 64},
      {"<img width=40 height=60><table border=1><tr><td>cell</td></tr></table>", "cell", 4 + 64},
      {"<p>text <img width=40 height=60><h2>Heading</h2>", "Heading", 21 + 64},
      {"<table><tr><td>text<h3>Heading</h3></td></tr></table>", "Heading", 4 + 2 + 13},
  };
  for (const Case& c : cases) {
    const auto drawn = view.Drawn(c.source);
    EXPECT_GE(TestView::Find(drawn, c.word).y, c.atLeast) << c.source;
  }
}

// The top of a cell is the start of a line, whatever the cell before held:
// a picture there stays at the top, and a list leaves one empty line as
// it does at the top of the page, not two.
TEST(TextPlacement, ACellStartsAtTheStartOfALine) {
  TestView view;
  auto drawn = view.Drawn("<table><tr><td>x<br>y</td></tr></table>");
  const int line = TestView::Find(drawn, "y").y - TestView::Find(drawn, "x").y;
  drawn = view.Drawn("<table><tr><td>left</td><td><img width=40 height=10>pic</td></tr></table>");
  EXPECT_EQ(TestView::Find(drawn, "pic").y, TestView::Find(drawn, "left").y);
  drawn = view.Drawn("<table><tr><td>left</td><td><ul><li>Item</ul></td></tr></table>");
  EXPECT_LE(TestView::Find(drawn, "Item").y - TestView::Find(drawn, "left").y, line);
}

TEST(TextPlacement, AlignmentEndsWithItsDiv) {
  TestView view;
  const auto drawn = view.Drawn("<div align=center>centred</div>plain text<div>plain div</div><p>para</p>");
  EXPECT_GT(TestView::Find(drawn, "centred").x, 100);
  for (const char* word : {"text", "div", "para"}) EXPECT_LT(TestView::Find(drawn, word).x, 60) << word;
}

TEST(TextPlacement, ListAndQuoteLinesLineUp) {
  const std::string wrap = " with words that wrap onto a second line and a third line in the item";
  struct Case {
    const char* what;
    std::string source;
    const char* first;  // the first word of the wrapped text
  };
  const Case cases[] = {
      {"bullet", "<ul><li>Item" + wrap + "</ul>", "Item"},
      {"number", "<ol><li>Item" + wrap + "</ol>", "Item"},
      {"nested", "<ul><li>a<ul><li>Item" + wrap + "</ul></ul>", "Item"},
      {"source lines", "<p>Para</p>\n<ul>\n  <li>Item" + wrap + "\n</ul>", "Item"},
      {"right cell", "<table width=100%><tr><td>left</td><td><ul><li>Item" + wrap + "</ul></td></tr></table>", "Item"},
      {"quote", "<blockquote>Quoted" + wrap + "</blockquote>", "Quoted"},
  };
  for (const Case& c : cases) {
    for (int width : {200, 400}) {
      TestView view(width, 200);
      const auto drawn = view.Drawn(c.source);
      const DrawnText first = TestView::Find(drawn, c.first);
      ASSERT_NE(first.x, -1) << c.what;
      const std::vector<int> tops = LineTops(drawn);
      size_t lines = 0;
      for (int top : tops) {
        if (top <= first.y) continue;
        const std::vector<DrawnText> line = OnLine(drawn, top);
        EXPECT_EQ(line.front().x, first.x) << c.what << " at " << width << ", line at " << top;
        // Words of a line keep a blank between them.
        for (size_t k = 1; k < line.size(); ++k) EXPECT_GT(line[k].x, line[k - 1].Right()) << c.what;
        ++lines;
      }
      EXPECT_GE(lines, 1u) << c.what << " at " << width;
    }
  }
  // No gap of more than one empty line between a paragraph and its list.
  TestView view;
  const auto drawn = view.Drawn("<p>Para</p>\n<ul>\n  <li>Item\n  <li>Next\n</ul>\n<p>After</p>");
  EXPECT_LE(TestView::Find(drawn, "Item").y - TestView::Find(drawn, "Para").y, 34);
  EXPECT_EQ(TestView::Find(drawn, "Next").y - TestView::Find(drawn, "Item").y, 17);
}

TEST(TextPlacement, AlignedLinesStayWithinTheirIndentAndLimit) {
  const std::string words = "words that wrap onto a few more lines in a narrow view of the page";
  struct Case {
    const char* what;
    std::string source;
    int left;  // where the indented text starts
  };
  const Case cases[] = {
      {"right-aligned quote", "<blockquote><p align=right>" + words + "</p></blockquote>", 18},
      {"centred quote", "<blockquote><p align=center>" + words + "</p></blockquote>", 18},
      {"centred list item", "<center><ul><li>" + words + "</ul></center>", 39},
      {"plain glued run", "<p>" + words + "</p>", 4},
  };
  for (const Case& c : cases) {
    for (int width = 150; width <= 420; width += 9) {
      TestView view(width, 200);
      const auto drawn = view.Drawn(c.source);
      for (const DrawnText& d : drawn) {
        if (d.text.find("\u2022") != std::string::npos || d.text.find('\x95') != std::string::npos) continue;
        if (d.x < c.left) {
          ADD_FAILURE() << c.what << " at " << width << ": '" << d.text << "' at " << d.x;
        }
        // Lines end at the right limit (width - 9) at the most.
        if (d.Right() > width - 9) {
          ADD_FAILURE() << c.what << " at " << width << ": '" << d.text << "' ends at " << d.Right();
        }
      }
    }
  }
}

TEST(TextPlacement, ListNumbersNeverTouchTheirText) {
  TestView view;
  std::string items;
  for (int i = 1; i <= 120; ++i) items += "<li>t" + std::to_string(i);
  const auto drawn = view.Drawn("<ol>" + items + "</ol>");
  for (int i : {9, 10, 99, 100, 120}) {
    const DrawnText number = TestView::Find(drawn, std::to_string(i) + ". ");
    const DrawnText text = TestView::Find(drawn, "t" + std::to_string(i));
    ASSERT_NE(number.x, -1) << i;
    // The number's digits and dot end before the text (its blank may touch it).
    EXPECT_LE(number.Right() - 7, text.x) << i;
  }
}

TEST(TextPlacement, SourceIndentationAddsNoEmptyLine) {
  for (int length = 30; length <= 41; ++length) {
    TestView view;
    const std::string word(static_cast<size_t>(length), 'a');
    for (const char* after : {"<br>next", "</p><p>next", "<b>next</b>"}) {
      const auto drawn = view.Drawn("<p>" + word + "\n            " + after + "</p>");
      const int gap = TestView::Find(drawn, "next").y - TestView::Find(drawn, word).y;
      EXPECT_LE(gap, std::string(after) == "</p><p>next" ? 34 : 17) << length << " " << after;
    }
  }
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
