// The render pass and its text runs on the fixed-metrics backend: where
// blocks, lists, words, rules and pictures land (see TestView.h for the
// metrics: 7 pixels a character, a line step of 17, an indent step of 14,
// padding 4, a right limit of 300 - 4 - 5 = 291).
#include <gtest/gtest.h>

#include "TestView.h"
#include "gdi/Gdi.h"
#include "html/KVXHTML.h"

namespace kvctl2 {
namespace {

using testing::TestView;

struct Placed {
  const char* source;
  const char* text;
  int x, y;
};

void ExpectPlaced(const Placed& c) {
  TestView view;
  const auto drawn = view.Drawn(c.source);
  const auto at = TestView::Find(drawn, c.text);
  EXPECT_EQ(at.x, c.x) << c.source << " / " << c.text;
  EXPECT_EQ(at.y, c.y) << c.source << " / " << c.text;
}

TEST(RenderPage, BlocksPlaceTheirText) {
  const Placed cases[] = {
      {"Hello", "Hello", 4, 4},
      {"a<br>b", "b", 4, 21},
      {"a<br><br>b", "b", 4, 38},
      // Paragraph ends toggle at-line-start: the second moves nothing.
      {"a</p>b", "b", 4, 21},
      {"a</p></p>b", "b", 4, 21},
      {"a</p></p></p>b", "b", 4, 38},
      // A heading first on the page does not move down; its closer ends
      // the line (the heading font: 23 pixels, a line step of 27).
      {"<h1>T</h1>x", "T", 4, 4},
      {"<h1>T</h1>x", "x", 4, 31},
      {"a<h1>T</h1>", "T", 4, 31},  // its new line already has the heading's step
      {"<blockquote>q</blockquote>z", "q", 18, 38},
      {"<blockquote>q</blockquote>z", "z", 4, 55},
      // Lists: each level indents by one step; markers then text.
      {"<ul><li>a<li>b</ul>", "a", 39, 38},
      {"<ul><li>a<li>b</ul>", "b", 39, 55},
      {"<ol><li>a<li>b</ol>", "2. ", 18, 55},
      {"<ul><li>a<ul><li>b</ul></ul>", "b", 53, 55},
      {"<p align=center>mid</p>", "mid", 137, 21},
      {"<p align=right>end</p>", "end", 266, 21},
      {"<center>c</center>", "c", 144, 4},
  };
  for (const Placed& c : cases) ExpectPlaced(c);
}

TEST(RenderPage, TextRunsFlowAcrossInlineTags) {
  const Placed cases[] = {
      {"a <b>b</b>c", "c", 25, 4},   // written right after the closing B: no blank
      {"a <b>b</b> c", "c", 32, 4},  // one blank in the source: one blank drawn
      {"a<br/>b", "b", 4, 21},       // BR with a slash breaks the line as BR does
      {"H<sub>2</sub>O", "O", 18, 4}, {"x<script>hidden</script>y", "y", 11, 4},
      {"a&nbsp;b c", "a b", 4, 4},    {"a&NBSP;b", "a&NBSP;b", 4, 4},
  };
  for (const Placed& c : cases) ExpectPlaced(c);
  TestView view;
  EXPECT_EQ(TestView::Find(view.Drawn("x<script>hidden</script>y"), "hidden").x, -1);
  EXPECT_EQ(TestView::Find(view.Drawn("<p>x<script>never closed<p>more"), "more").x, -1);
}

TEST(RenderPage, LinesBreakBetweenWordsAtTheRightLimit) {
  TestView view;
  // 40 words of 6 characters: 42 pixels each with the blank.
  std::string text;
  for (int i = 0; i < 40; ++i) text += "word" + std::to_string(10 + i) + " ";
  const auto drawn = view.Drawn(text);
  // The run follows BODY without a blank: only its first word joins what
  // stands before it; every later word counts its blank. The fifth ends at
  // 4 + 42 + 4 * 49 = 242, a sixth (242 + 49 + 4 = 295) passes the limit 291.
  EXPECT_EQ(TestView::Find(drawn, "word14").y, 4);
  EXPECT_EQ(TestView::Find(drawn, "word15").x, 4);
  EXPECT_EQ(TestView::Find(drawn, "word15").y, 21);
  // A word wider than the line stands alone on its line and overflows.
  const auto wide = view.Drawn("a " + std::string(50, 'w') + " b");
  EXPECT_EQ(TestView::Find(wide, std::string(50, 'w')).y, 21);
  EXPECT_EQ(TestView::Find(wide, "b").y, 38);
}

TEST(RenderPage, RuleAndItsMove) {
  TestView view;
  // After text on the line the rule starts a new line, below the text's
  // descenders; then it moves down by DefaultSpacing + 1 only.
  view.html.SetText("ag<hr>b");
  const auto calls = view.Calls();
  EXPECT_NE(std::find(calls.begin(), calls.end(), "LineTo 4,21-287,21 #000000 w=1"), calls.end());
  EXPECT_EQ(TestView::Find(view.Texts(), "b").y, 26);
  view.html.SetText("<hr>b");  // first on the page: at the top
  const auto first = view.Calls();
  EXPECT_NE(std::find(first.begin(), first.end(), "LineTo 4,4-287,4 #000000 w=1"), first.end());
}

TEST(RenderPage, LinksGetTheirBoxesAndColours) {
  TestView view;
  view.html.SetText("x <a href=\"h\" title=\"t\">the link</a> y");
  const HTMLElement& a = view.html.Element(view.html.Anchors()[0]);
  EXPECT_EQ(a.BoxLeft, 18);  // the blank before the link is not part of it
  EXPECT_EQ(a.BoxTop, 4);
  EXPECT_EQ(a.BoxRight, 74);
  EXPECT_EQ(a.BoxBottom, 4 + 17 + 4);
  const auto calls = view.Calls();
  const auto link =
      std::find_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("TextOut 'the'", 0) == 0; });
  ASSERT_NE(link, calls.end());
  EXPECT_NE(link->find("#0000FF"), std::string::npos);  // LinkColor &HFF0000 is blue
  // Without anchors the link is neither boxed nor hit, but still coloured.
  view.html.SetEnableAnchors(false);
  view.html.SetText("<a href=\"h\">l</a>");
  EXPECT_TRUE(view.html.Anchors().empty());
}

TEST(RenderPage, ImagesTakeTheirSizeAndMakeTheirLineTaller) {
  TestView view;
  // A 20 x 10 pixel picture for every source.
  auto picture = com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateFilledBitmap(20, 10, 0x00FF00)));
  int loads = 0;
  view.html.Events().Connect("LoadImage", [&](com::Args& args) {
    ++loads;
    if (args[0].ToString() != "missing") args[1] = com::ToVariant(picture);
  });
  view.html.SetText("<img src=a>x<br><img src=missing width=8 height=6>y<br><center><img src=c></center>");
  EXPECT_EQ(loads, 3);  // once per image and parse, not per pass
  view.html.Refresh(false);
  EXPECT_EQ(loads, 3);
  const HTMLElement& a = view.html.Element(2);
  EXPECT_EQ(a.ImageWidth, 20);
  EXPECT_EQ(a.ImageHeight, 10);
  // x after the picture and its spaces (2 + 20 + 2).
  const auto drawn = view.Texts();
  EXPECT_EQ(TestView::Find(drawn, "x").x, 4 + 24);
  // The missing picture: a 1-pixel frame, its text after the frame.
  const int missing = 5;
  EXPECT_EQ(view.html.Element(missing).Border, 1);
  EXPECT_EQ(TestView::Find(drawn, "y").x, 4 + 2 + 1 + 8 + 1 + 2);  // the frame counts on both sides
  // The centred picture lies between the margin and the right limit.
  const int centred = 9;
  EXPECT_TRUE(view.html.Element(centred).AlignCenter);
}

TEST(RenderPage, SoundLimits) {
  TestView view;
  // A reference that names no character adds nothing to its run.
  EXPECT_EQ(TestView::Find(view.Drawn("a<b>&#1114112;</b>c"), "c").x, 11);
  // Stray closers are ignored: nothing moves left of the margin.
  EXPECT_EQ(TestView::Find(view.Drawn("</ul></ol></tr></td></table>text"), "text").x, 4);
  // Lists nested deeper than the 16 levels of the list table.
  std::string deep;
  for (int i = 0; i < 20; ++i) deep += "<ul>";
  deep += "<li>deep";
  const auto drawn = view.Drawn(deep);
  EXPECT_EQ(TestView::Find(drawn, "deep").x, 4 + 20 * 14 + 21);
  // A FONT size the platform refuses is passed over; the text is drawn.
  const auto huge = view.Drawn("<font size=+5000>big</font> after");
  EXPECT_EQ(TestView::Find(huge, "big").y, 4);
  EXPECT_NE(TestView::Find(huge, "after").x, -1);
  // Thousands of unclosed blocks and as many paragraph ends: each end looks
  // for its enclosing DIV, cell and CENTER without walking the whole tree.
  std::string nesting;
  for (int i = 0; i < 3000; ++i) nesting += "<b>";
  for (int i = 0; i < 3000; ++i) nesting += "</p>";
  EXPECT_NE(TestView::Find(view.Drawn(nesting + "<i>end"), "end").x, -1);
}

TEST(RenderPage, BackgroundPictureIsTiledFromTheTopLeft) {
  TestView view;
  // A 3 x 2 picture, red in its top left pixel and blue elsewhere.
  gdi::DrawingSurface tile(3, 2);
  tile.SetScaleMode(gdi::vbPixels);
  tile.SetAutoRedraw(true);
  tile.SetBackColor(0xFF0000);
  tile.PSet(0, 0, 0x0000FF);
  auto picture = com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CopyBitmap(tile.Image())));
  int loads = 0;
  view.html.Events().Connect("LoadImage", [&](com::Args& args) {
    ++loads;
    args[1] = com::ToVariant(picture);
  });
  view.html.SetText("<body background=t.png></body>");
  EXPECT_GT(loads, 1);  // asked again on every pass
  const html::PageImage& page = view.html.Page();
  for (int x : {0, 3, 150, 297}) {
    for (int y : {0, 2, 100, 198}) {
      EXPECT_EQ(page.Point(x, y), 0x0000FF) << x << "," << y;
      EXPECT_EQ(page.Point(x + 1, y + 1), 0xFF0000) << x << "," << y;
    }
  }
  // Without a picture from the host the page keeps its colour.
  TestView plain;
  plain.html.SetBackColor(0x00FF00);
  plain.html.SetText("<body background=t.png></body>");
  EXPECT_EQ(plain.html.Page().Point(10, 10), 0x00FF00);
}

}  // namespace
}  // namespace kvctl2
