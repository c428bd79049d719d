// The check of laid-out pages (tests/support/PageCheck.h): it sees each
// kind of fault, and it finds none on the test pages and on the pages the
// programs carry, laid out with the real fonts at widths from a narrow
// pane to a wide screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "PageCheck.h"
#include "gdi/Bitmaps.h"
#include "gdi/FontBackend.h"
#include "gdi/Owned.h"
#include "html/KVXHTML.h"
#include "html/PageDisplayList.h"

namespace kvctl2 {
namespace {

using html::PageDisplayList;
using testing::PageFaults;

bool Reports(const std::vector<std::string>& faults, const std::string& start) {
  return std::any_of(faults.begin(), faults.end(), [&](const std::string& f) { return f.rfind(start, 0) == 0; });
}

TEST(PageCheck, SeesEachKindOfFault) {
  auto text = [](PageDisplayList& list, int64_t x, int64_t y, const std::string& word, uint32_t color = 0,
                 int64_t clipRight = PageDisplayList::kNoClipRight) {
    list.Text(x, y, 7 * static_cast<int64_t>(word.size()), 13, word, 0, color, PageDisplayList::kNoLink,
              PageDisplayList::kNoClipLeft, clipRight);
  };
  {
    PageDisplayList sound;
    sound.Background.Color = 0xFFFFFF;
    text(sound, 4, 4, "one");
    text(sound, 32, 4, "two");  // touching "one"'s end
    text(sound, 4, 21, "three");
    EXPECT_EQ(PageFaults(sound, {"one", "two", "three"}), std::vector<std::string>{});
  }
  PageDisplayList list;
  list.Background.Color = 0xFFFFFF;
  text(list, 4, 4, "cut", 0, 20);
  text(list, 4, 30, "over");
  text(list, 20, 34, "text");
  text(list, 4, 60, "white", 0xFFFFFF);
  list.Fill(100, 100, 200, 120, 0x0000FF);
  text(list, 110, 102, "red", 0x0000FF);
  const auto picture = com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateFilledBitmap(20, 20, 0x00FF00)));
  list.Picture(picture, 300, 300, 20, 20);
  text(list, 310, 305, "pictured");
  const auto faults = PageFaults(list, {"cut", "over", "text", "white", "red", "pictured", "lost"});
  EXPECT_TRUE(Reports(faults, "cut by its clip: 'cut'"));
  EXPECT_TRUE(Reports(faults, "text over text: 'over'"));
  EXPECT_TRUE(Reports(faults, "text in the colour under it: 'white'"));
  EXPECT_TRUE(Reports(faults, "text in the colour under it: 'red'"));
  EXPECT_TRUE(Reports(faults, "text over a picture: 'pictured'"));
  EXPECT_TRUE(Reports(faults, "word not shown: 'lost'"));
  EXPECT_EQ(faults.size(), 6u) << ::testing::PrintToString(faults);
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Small pages of the kinds the programs show, each of which once lost text
// or drew it over other text.
const char* const kTestPages[] = {
    "<table border=1 width=200><tr><td width=60>2023-11-02</td><td>Second cell text</td></tr></table>",
    "<table border=1 width=100% bgcolor=white><tr bgcolor=#336699><td><font color=white>Header one</font></td>"
    "<td>Header two</td></tr><tr><td>a</td><td bgcolor=#FFFFCC>b</td></tr></table>",
    "<table border=1 width=100%><tr><td>Left</td><td><ul><li>An item in the right cell that is long enough "
    "to wrap onto more lines<li>Second</ul></td></tr></table>",
    "<table border=1 width=640 cellspacing=2><tr><td width=320>Version</td><td width=320>Date</td></tr>"
    "<tr><td>\\\\fileserver01\\Software\\Quorvelle</td><td>Kontenverwaltungsoberflaeche</td></tr></table>"
    "<p>After the table some text that runs over several lines when the page is narrow.</p><hr>",
    "<table border=1><tr><td>Price</td><td><table border=1 width=300><tr><td colspan=2>Nested wide</td></tr>"
    "<tr><td>one</td><td>two</td></tr></table></td><td>last</td></tr></table>text after",
    "<h3>Release notes</h3><table border=1 cellpadding=4 width=100%><tr><th>Version</th><th>Changes</th></tr>"
    "<tr><td>2.4.1</td><td>Memo databases can be archived. Users of removed groups keep their rights.</td></tr>"
    "<tr><td>2.4.0</td><td bgcolor=#EEEEEE>First release with the update assistant.</td></tr></table>",
    "<p>one </b></i> two</p><table border=1><tr><td>cell one</td><td>cell two</td></tr></table><p>after</p>",
    "<ul><li>x</ul></ul></ul><table border=1><tr><td>cell one</td><td>cell two</td></tr></table><p>after</p>",
    "<table border=1><td>cell one</td><td>cell two</td></table><p>after</p>",
    "<TABLE BORDER=1><TR><TD>cell one</TD></TR></TD></TABLE>after the table<BR><IMG WIDTH=50 HEIGHT=300>",
    "<p>Some text <img src=a width=60 height=90><h2>Heading after a picture</h2>"
    "<img src=b width=60 height=90><table border=1><tr><td>table after a picture</td></tr></table>",
    "<p>Large text at first <font size=1>then small</font> and large again, long enough to wrap over several "
    "lines of the view at every width we try here.</p>",
    "<p>Text before <img src=c width=40 height=150> and the rest of the paragraph after the picture, which is "
    "long enough to wrap onto more lines.</p><p>Next <!-- a comment --> paragraph with a comment in it that "
    "wraps as well.</p>",
    "<p>Descenders gjpqy<hr>after the rule</p>",
    "<div align=center>centred</div>after the div<div>plain div</div>",
    "<p>a < b and c > d, 149,00 &#x20AC; &#8364; &euro; Stra&szlig;e &sect; 3 &Auml;rger &ndash; ok<br/>next</p>",
    "<ol><li>one<li>two<li>three<li>four<li>five<li>six<li>seven<li>eight<li>nine<li>ten<li>eleven</ol>"
    "<blockquote>A quote long enough to wrap onto a second line at the narrow widths of the view.</blockquote>",
    "<table border=1 width=100><tr><td>Some text <img src=a width=80 height=20> more</td><td>next</td></tr>"
    "</table>",
};

struct Page {
  std::string name;
  std::string source;
};

std::vector<Page> Pages() {
  std::vector<Page> pages;
  for (size_t i = 0; i < std::size(kTestPages); ++i) {
    pages.push_back({"test page " + std::to_string(i), kTestPages[i]});
  }
  std::string nested;
  for (int i = 0; i < 30; ++i) nested += "<table border=1><tr><td>w" + std::to_string(i);
  for (int i = 0; i < 30; ++i) nested += "</td></tr></table>";
  pages.push_back({"30 nested tables", nested + "after"});
  const std::filesystem::path root(QV_SOURCE_DIR);
  std::vector<std::filesystem::path> files;
  for (const auto& dir : {root / "admin" / "help", root / "updater" / "res"}) {
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
      // The pages; beside them lie lists and pictures.
      std::string text = entry.is_regular_file() ? ReadFile(entry.path()) : std::string();
      std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
      if (text.find("<body") != std::string::npos) files.push_back(entry.path());
    }
  }
  files.push_back(root / "tools" / "bench" / "html" / "page-40k.html");
  std::sort(files.begin(), files.end());
  for (const auto& file : files) pages.push_back({file.lexically_relative(root).string(), ReadFile(file)});
  return pages;
}

TEST(PageCheck, FindsNothingOnThePagesAtAnyWidth) {
  gdi::UsePangoMetrics();
  const auto picture = com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateFilledBitmap(40, 40, 0x00FF00)));
  for (const Page& page : Pages()) {
    for (const int width : {100, 300, 640, 1024, 1600}) {
      KVXHTML html;
      html.SetEnableScroll(htmScrollBars::Beide);
      html.SetEnableAnchors(true);
      html.Move(0, 0, width * 15, 400 * 15);
      // Every picture is a 40 x 40 square (scaled to its WIDTH and HEIGHT).
      html.Events().Connect("LoadImage", [&](com::Args& args) { args[1] = com::ToVariant(picture); });
      html.SetText(page.source);
      EXPECT_EQ(PageFaults(html), std::vector<std::string>{}) << page.name << " at " << width;
    }
  }
}

}  // namespace
}  // namespace kvctl2
