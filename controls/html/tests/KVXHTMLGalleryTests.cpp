// Characteristic documents rendered with the real fonts to html-*.png in
// the build folder's renders/, to be looked at; each also checks the one
// thing its picture is about.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "PageCheck.h"
#include "forms/Form.h"
#include "forms/PictureBox.h"
#include "gdi/Gdi.h"
#include "html/KVXHTML.h"
#include "runtime/TestRenders.h"

namespace kvctl2 {
namespace {

std::string GalleryPath(const std::string& name) { return rt::TestRenderPath("html-" + name + ".png"); }

class Gallery : public ::testing::Test {
 protected:
  void SetUp() override {
    form = std::make_shared<forms::Form>("frmGallery");
    form->SetBorderStyle(0);
    form->SetClientSize(6000, 4200);
    form->Load();
    html = std::dynamic_pointer_cast<KVXHTML>(form->AddControl("Kvctl2.KVXHTML", "html"));
    html->SetBackColor(0xFFFFFF);
    html->SetBorderStyle(htmlBorder::Fest);
    html->SetEnabled(true);
    html->SetEnableAnchors(true);
    html->SetHoverEnabled(true);
    html->SetDefaultFontName("Tahoma");
    html->SetDefaultFontSize(9);
    html->Move(120, 120, 5760, 3960);
    html->SetVisible(true);
  }
  void TearDown() override { form->Unload(); }

  void Save(const std::string& name) { EXPECT_TRUE(form->RenderToPng(GalleryPath(name), false)); }

  std::shared_ptr<forms::Form> form;
  std::shared_ptr<KVXHTML> html;
};

TEST_F(Gallery, HeadingsAndParagraphs) {
  html->SetText(
      "<h1>Quarterly report</h1><p>The memo databases grew by twelve percent. Most new entries came from the "
      "<b>support</b> group, which now keeps its <i>call notes</i> here as well.</p>"
      "<h3>Details</h3><p align=center>A centred paragraph between two others.</p>"
      "<p align=right>Right-aligned closing words.</p><hr><p>After the rule.</p>");
  Save("paragraphs");
}

TEST_F(Gallery, NestedLists) {
  html->SetText(
      "<p>Steps:</p><ol><li>Open the database<li>Choose the users<ul><li>Active ones<li>Inactive ones</ul>"
      "<li>Save</ol><p>Notes:</p><ul><li>A bullet item with a longer text that wraps onto a second line inside "
      "the list item.<li>Another</ul>");
  Save("lists");
}

TEST_F(Gallery, TableWithBordersColoursAndVAlign) {
  html->SetText(
      "<table border=1 cellpadding=3 cellspacing=2 width=100%>"
      "<tr><td bgcolor=#FFFFCC>Name</td><td bgcolor=#CCFFCC>Group</td><td bgcolor=#CCCCFF>Notes</td></tr>"
      "<tr><td valign=top>top</td><td valign=center>centre</td>"
      "<td>A cell with enough text to make this row taller than the others in the table.</td></tr>"
      "<tr><td valign=bottom>bottom</td><td bgcolor=silver valign=center>grey</td>"
      "<td>The last row, also taller than one line.</td></tr></table>"
      "<p>Text after the table.</p>");
  Save("table");
}

TEST_F(Gallery, ReleaseNotesTableWithRowColoursAndLongWords) {
  html->SetEnableScroll(htmScrollBars::Beide);
  html->SetText(
      "<h3>Release notes</h3><table border=1 cellpadding=3 width=100% bgcolor=white>"
      "<tr bgcolor=#336699><td width=60><font color=white><b>Version</b></font></td>"
      "<td><font color=white><b>Changes</b></font></td></tr>"
      "<tr><td>2023-11-02</td><td>Kontenverwaltungsoberflaeche moved to \\\\fileserver01\\Software</td></tr>"
      "<tr><td>2023-08-14</td><td><ul><li>Memo databases can be archived from the list.<li>Users of removed "
      "groups keep their rights.</ul></td></tr></table><p>Text after the table.</p>");
  // Nothing cut, hidden or drawn over anything.
  EXPECT_EQ(testing::PageFaults(*html), std::vector<std::string>{});
  Save("release-notes");
}

TEST_F(Gallery, PageLargerThanTheViewportWithBothBars) {
  html->SetEnableScroll(htmScrollBars::Beide);
  std::string text =
      "<table border=1 width=900><tr><td>A table wider than the view</td><td>second column</td></tr></table>";
  for (int i = 1; i <= 30; ++i) text += "<p>Paragraph " + std::to_string(i) + " of a long page.</p>";
  html->SetText(text);
  EXPECT_TRUE(html->VerticalScrollBar()->Visible());
  EXPECT_TRUE(html->HorizontalScrollBar()->Visible());
  Save("scrollbars");
}

TEST_F(Gallery, HoveredLink) {
  html->SetText("<p>Open <a href=\"http://example.org\">the project page</a> or <a href=\"#x\">jump</a>.</p>");
  int x = 0, y = 0;
  ASSERT_TRUE(html->LinkPoint(0, x, y));
  com::Args args{int16_t{0}, int16_t{0}, static_cast<double>(x), static_cast<double>(y)};
  html->ViewPort()->Events().Raise("MouseMove", args);
  EXPECT_EQ(html->HoverAnchor(), html->Anchors()[0]);
  Save("hover");
}

TEST_F(Gallery, TiledBackgroundPicture) {
  // A 24 x 24 picture of two colours, tiled over the page.
  gdi::DrawingSurface tile(24, 24);
  tile.SetScaleMode(gdi::vbPixels);
  tile.SetAutoRedraw(true);
  tile.SetBackColor(0xF0E8E0);
  tile.Line(0, 0, 11, 11, 0xE0D0C0, gdi::LineBox::BoxFilled);
  tile.Line(12, 12, 23, 23, 0xE0D0C0, gdi::LineBox::BoxFilled);
  auto picture = com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CopyBitmap(tile.Image())));
  html->Events().Connect("LoadImage", [&](com::Args& args) { args[1] = com::ToVariant(picture); });
  html->SetText("<body background=\"tile.png\"><h2>Tiled</h2><p>A page over a tiled background picture.</p></body>");
  Save("background");
}

TEST_F(Gallery, BrokenMarkupAndMixedFlowAtSeveralWidths) {
  auto picture = com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateFilledBitmap(60, 90, 0x3399CC)));
  html->Events().Connect("LoadImage", [&](com::Args& args) { args[1] = com::ToVariant(picture); });
  html->SetEnableScroll(htmScrollBars::Beide);
  const std::string page =
      "<p>one </b></i> two</p><table border=1><tr><td>cell one</td><td>cell two</td></tr></table>"
      "<table border=1><td>no row one</td><td>no row two</td></table><p>after </ul></ul>the tables: a &lt; b, "
      "a < b and 3<4<br/>Stra&szlig;e &sect;&nbsp;3, &Auml;rger, 149,00 &#8364; &#x20AC; &ndash; &hellip;</p>"
      "<p><font size=5>Large</font> text with a <font size=1>small</font> word and more words that wrap onto "
      "further lines at narrow widths</p><img width=60 height=90> text after the picture that wraps onto more "
      "lines below it<h3>Heading after the picture</h3>Text before a rule<hr><div align=center>centred "
      "div</div>plain again<ul><li>A list item with words that wrap onto a second line<li>Second</ul>"
      "<ol><li>a<li>b<li>c<li>d<li>e<li>f<li>g<li>h<li>i<li>ten<li>eleven</ol>"
      "<blockquote>A quotation long enough to wrap onto a second line in the view</blockquote>";
  for (const int width : {100, 400, 1600}) {
    form->SetClientSize((width + 16) * 15, 916 * 15);
    html->Move(120, 120, width * 15, 900 * 15);
    html->SetText(page);
    // The view scrolls to everything: no page is narrower than its content.
    EXPECT_GE(html->PageWidth(), width - 20) << width;
    Save("flow-" + std::to_string(width));
  }
}

}  // namespace
}  // namespace kvctl2
