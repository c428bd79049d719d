// The document model: classification with typed attributes, colours,
// the inserted closing tags, the tree and its navigation, and the data
// model's limits.
#include <gtest/gtest.h>

#include "gdi/FontBackend.h"
#include "html/HtmlDocument.h"
#include "html/HtmlSource.h"
#include "html/KVXHTML.h"
#include "runtime/Strings.h"

namespace kvctl2::html {
namespace {

namespace et = htmlElementType;

Document Parse(std::string_view source, ParseSettings settings = {}) {
  Document doc;
  ParseDocument(NormaliseSource(WrapSource(source)), settings, doc);
  return doc;
}

// The first element of that type.
const HTMLElement& First(const Document& doc, int32_t type) {
  for (const HTMLElement& e : doc.Elements) {
    if (e.ElementType == type) return e;
  }
  static const HTMLElement none;
  ADD_FAILURE() << "no element of type " << type;
  return none;
}

std::string Raws(const Document& doc) {
  std::string out;
  for (const HTMLElement& e : doc.Elements) out += e.Raw;
  return out;
}

TEST(HtmlParser, TypesOfTagNames) {
  struct Case {
    const char* tag;
    int32_t type;
  };
  const Case cases[] = {{"<B>", 10},     {"</strong>", 11}, {"<em>", 12},       {"<th align=x>", 37},
                        {"</TD>", 38},   {"<h4>", 46},      {"</H6>", 47},      {"<noframes>", 6},
                        {"<br />", 20},  {"<BR/>", 20},      {"<!-- c -->", 8},  {"<sup>", 56},
                        {"</form>", 59}, {"<blink>", 1},    {"<!DOCTYPE x>", 1}};
  for (const Case& c : cases) {
    HTMLElement e;
    e.Raw = c.tag;
    e.IsTag = true;
    ParseSettings settings;
    Document doc;
    ClassifyElement(e, settings, doc);
    EXPECT_EQ(e.ElementType, c.type) << c.tag;
  }
}

TEST(HtmlParser, DefaultsOfTheTypes) {
  ParseSettings settings;
  settings.DefaultFontName = "Tahoma";
  settings.DefaultFontSize = 8;
  settings.DefaultTextColor = 0x112233;
  settings.BackColor = 0xABCDEF;
  const Document doc = Parse(
      "<table><tr><td>x</td></tr></table><font>f</font><h1>a</h1><h6>b</h6><big>c</big>"
      "<small>d</small><a>e</a><img>",
      settings);
  const HTMLElement& table = First(doc, et::Table);
  EXPECT_EQ(table.CellPadding, 2);
  EXPECT_EQ(table.CellSpacing, 2);
  EXPECT_FLOAT_EQ(table.Width, 1.0f);
  const HTMLElement& td = First(doc, et::Td);
  EXPECT_EQ(td.ColSpan, 1);
  EXPECT_EQ(td.VAlign, kVAlignTop);
  EXPECT_EQ(td.BgColor, 0xABCDEF);
  EXPECT_FALSE(td.HasBgColor);
  const HTMLElement& font = First(doc, et::Font);
  EXPECT_EQ(font.FontFace, "Tahoma");
  EXPECT_FLOAT_EQ(font.FontSize, 8);
  EXPECT_EQ(font.Color, 0x112233);
  EXPECT_FLOAT_EQ(First(doc, et::Heading).FontSize, 8 + 7.2f);
  EXPECT_FLOAT_EQ(doc.Elements[static_cast<size_t>(First(doc, et::Heading).Index + 3)].FontSize, 8 + 1.2f);  // H6
  EXPECT_FLOAT_EQ(First(doc, et::Big).FontSize, 9);
  EXPECT_FLOAT_EQ(First(doc, et::Small).FontSize, 7);
  EXPECT_EQ(First(doc, et::A).BoxLeft, -1);
  EXPECT_EQ(First(doc, et::Img).HSpace, 2);
  EXPECT_EQ(First(doc, et::Img).VSpace, 2);
}

TEST(HtmlParser, AttributesAndTheirFailures) {
  struct Case {
    const char* tag;
    float width, height;
    int32_t imageWidth;
    int16_t border;
  };
  // A failing attribute ends the tag's classification: what follows it
  // keeps its default.
  const Case cases[] = {
      {"<td width=50%>", 0.5f, 0, 0, 0},
      {"<td width=200px>", 200, 0, 0, 0},
      {"<td height=200px border=3>", 1.0f, 0, 0, 0},
      {"<td height=25% border=3>", 1.0f, 0.25f, 0, 3},
      {"<td NOWRAP WIDTH=50%>", 1.0f, 0, 0, 0},
      {"<td border=thin width=10>", 1.0f, 0, 0, 0},
      {"<td border=40000 width=10>", 1.0f, 0, 0, 0},
      {"<img width=32 height='7'>", 0, 0, 32, 0},
  };
  for (const Case& c : cases) {
    const Document doc = Parse(c.tag);
    const HTMLElement& e = doc.Elements[2];
    EXPECT_FLOAT_EQ(e.Width, c.width) << c.tag;
    EXPECT_FLOAT_EQ(e.Height, c.height) << c.tag;
    EXPECT_EQ(e.ImageWidth, c.imageWidth) << c.tag;
    EXPECT_EQ(e.Border, c.border) << c.tag;
  }
}

TEST(HtmlParser, ColourValues) {
  struct Case {
    const char* value;
    uint32_t color;
  };
  const Case cases[] = {{"#FF0000", 0x0000FF}, {"red", 0x0000FF},     {"Red", 0x0000FF},
                        {"reddish", 0},        {"#00FF80", 0x80FF00}, {"navy", 0x800000},
                        {"teal", 0x808000},    {"FFF", 0xFF0FFF},     {"#123456", 0x563412}};
  for (const Case& c : cases) EXPECT_EQ(ColorValue(c.value), c.color) << c.value;
  EXPECT_ANY_THROW(ColorValue("#F"));  // too few digits to read a colour from
}

TEST(HtmlParser, FontSizesFacesAndPageColour) {
  ParseSettings settings;
  settings.DefaultFontSize = 10;
  settings.BackColor = 0x8000000F;
  struct Case {
    const char* tag;
    float size;
    const char* face;
  };
  const Case cases[] = {{"<font size=+1>", 11.2f, "Arial"},
                        {"<font size=4>", 11.2f, "Arial"},
                        {"<font size=3>", 10, "Arial"},
                        {"<font size=big>", 10, "Arial"},
                        {"<font face='Verdana, Arial'>", 10, "Verdana"},
                        {"<font face=',Arial'>", 10, ",Arial"}};
  for (const Case& c : cases) {
    const Document doc = Parse(c.tag, settings);
    EXPECT_FLOAT_EQ(doc.Elements[2].FontSize, c.size) << c.tag;
    EXPECT_EQ(doc.Elements[2].FontFace, c.face) << c.tag;
  }
  Document doc;
  ParseDocument(NormaliseSource(WrapSource("<body bgcolor=red text=#00FF00>x</body>")), settings, doc);
  EXPECT_EQ(doc.PageColor, 0x0000FFu);  // BODY's colour is the page's, not a cell colour
  EXPECT_FALSE(doc.Elements[1].HasBgColor);
  EXPECT_EQ(settings.DefaultTextColor, 0x00FF00u);
}

TEST(HtmlParser, TextRunsAndTheirWords) {
  struct Case {
    const char* source;
    std::vector<std::string> words;
  };
  const Case cases[] = {
      {"<b>a&#65;b</b>", {"aAb"}},      {"<b>x&#1234;y</b>", {"x\u04D2y"}},
      {"<b>&#65 ;</b>", {"A;"}},  // the character after the digits is swallowed
      {"<b> a  b</b>", {"", "a", "b"}}, {"<b>\r\n</b>", {"", ""}},
      // A reference beyond the code page shows the character it names
      // (browsers do the same); one that names no character is dropped,
      // the run stays.
      {"<b>&#256;x &#999;</b>", {"\u0100x", "\u03E7"}},
      {"<b>a &#1114112;b &#xD800;c</b>", {"a", "b", "c"}},
      {"<b>149,00 &#8364; &#x20AC; &#X20ac;</b>", {"149,00", "\u20AC", "\u20AC", "\u20AC"}},
      {"<b>a&#0;b &#x0;</b>", {"ab", ""}},  // character 0 draws nothing
      // Named references: all of the Latin-1 set and the common others.
      {"<b>Stra&szlig;e &sect;3 &Auml;rger &nbsp;x</b>", {"Stra\u00DFe", "\u00A73", "\u00C4rger", "&nbsp;x"}},
      {"<b>&iexcl;&yuml;&THORN;&frac34;&times;&divide;&shy;</b>", {"\u00A1\u00FF\u00DE\u00BE\u00D7\u00F7\u00AD"}},
      {"<b>&euro; &ndash; &mdash; &hellip; &bdquo;q&ldquo; &trade;</b>",
       {"\u20AC", "\u2013", "\u2014", "\u2026", "\u201Eq\u201C", "\u2122"}},
      {"<b>&amp;lt; &unknown; &Szlig; &szlig</b>", {"&lt;", "&unknown;", "&Szlig;", "&szlig"}},
      {"<b>a < b <= c <3 x<1</b>", {"a", "<", "b", "<=", "c", "<3", "x<1"}},
  };
  for (const Case& c : cases) {
    const Document doc = Parse(c.source);
    ASSERT_EQ(doc.Elements[3].ElementType, et::TextRun) << c.source;
    EXPECT_EQ(doc.Elements[3].Words, c.words) << c.source;
  }
  EXPECT_EQ(Parse("<b>   </b>").Count(), 6);  // blanks only: no element
}

TEST(HtmlParser, ClosingTagsAreInserted) {
  struct Case {
    const char* source;
    const char* completed;
  };
  const Case cases[] = {
      {"<P>one<P>two</P>", "<P>one</P><P>two</P>"},
      {"<P>a</P><P>b<TABLE>", "<P>a</P><P>b<TABLE>"},  // the P right after a closing P is passed over
      {"<TR><TD>a<TD>b</TABLE>", "<TR><TD>a</TD><TD>b</TD></TR></TABLE>"},
      {"<TR><TD>a<TABLE><TR><TD>b</TABLE>c</TR>", "<TR><TD>a<TABLE><TR><TD>b</TD></TR></TABLE>c</TD></TR>"},
  };
  for (const Case& c : cases) {
    const Document doc = Parse(c.source);
    EXPECT_EQ(Raws(doc), std::string("<HTML><BODY>") + c.completed + "</BODY></HTML>") << c.source;
    for (int i = 0; i < doc.Count(); ++i) ASSERT_EQ(doc.Elements[static_cast<size_t>(i)].Index, i);
  }
}

TEST(HtmlParser, AClosingTagEndsItsOwnElementAndOnlyThat) {
  const Document doc = Parse("<B><I>x</B></I>");
  // 0 HTML, 1 BODY, 2 B, 3 I, 4 x, 5 /B, 6 /I, 7 /BODY, 8 /HTML
  const auto& e = doc.Elements;
  EXPECT_EQ(e[3].Parent, 2);
  EXPECT_EQ(e[4].Parent, 3);
  EXPECT_EQ(e[3].ChildCount, 1);
  EXPECT_EQ(e[3].Children, (std::vector<int16_t>{4}));     // the closing B ends I's list with B's
  EXPECT_EQ(e[2].Children, (std::vector<int16_t>{3, 5}));  // and stays recorded in B
  EXPECT_EQ(e[1].Children, (std::vector<int16_t>{2, 6, 7}));  // the closing I has nothing left to end
  EXPECT_EQ(e[6].ElementType, et::Em + 1);  // it still ends the italics that the closing B left on
  EXPECT_EQ(e[0].ChildCount, 2);            // BODY and the closing HTML (an ordinary tag)
  EXPECT_EQ(GetParentElement(e, 4), 3);
  EXPECT_EQ(GetParentElement(e, 2), 1);
  EXPECT_EQ(GetParentElement(e, 1), -1);  // children of the root have no parent
  EXPECT_EQ(FindAncestorOfType(e, 4, et::Strong), 2);
  EXPECT_EQ(FindAncestorOfType(e, 4, et::Td), -1);
  EXPECT_EQ(GetFirstChildElement(e, 3), 4);
  EXPECT_EQ(GetFirstChildElement(e, 4), -1);
  EXPECT_EQ(GetNextSiblingElement(e, 4), -1);
}

TEST(HtmlParser, StrayClosingTagsLeaveTheTreeWhole) {
  const char* cases[] = {
      "<p>one </b></i> two</p><table border=1><tr><td>cell one</td><td>cell two</td></tr></table><p>after</p>",
      "<p>one </ul></ul> two</p><table border=1><tr><td>cell one</td><td>cell two</td></tr></table><p>after</p>",
      "<p>one </b></i> two</p><table border=1><td>cell one</td><td>cell two</td></table><p>after</p>",
      "<table border=1><tr><td>cell one</td></tr></td><td>cell two</td></table></div><p>after</p>",
  };
  for (const char* source : cases) {
    const Document doc = Parse(source);
    const auto& e = doc.Elements;
    for (int i = 2; i < doc.Count(); ++i) {
      // Everything after BODY lies within BODY, the closing HTML aside.
      if (e[static_cast<size_t>(i)].Raw != "</HTML>") {
        EXPECT_GE(FindAncestorOfType(e, i, et::Body), 1) << source << " " << i;
      }
      if (e[static_cast<size_t>(i)].ElementType == et::Td) {
        EXPECT_EQ(e[static_cast<size_t>(GetParentElement(e, i))].ElementType, et::Tr) << source;
        EXPECT_GE(FindAncestorOfType(e, i, et::Table), 1) << source;
      }
      // A closer ends its own element or none.
      const int32_t type = e[static_cast<size_t>(i)].ElementType;
      if (type == et::Td + 1 || type == et::Tr + 1 || type == et::Table + 1 || type == et::Ul + 1 ||
          type == et::Div + 1) {
        EXPECT_TRUE(IsMatchedCloser(e, i)) << source << " " << i;
      }
    }
  }
}

TEST(HtmlParser, ThousandsOfUnclosedTagsBuildATreeWithoutDeepRecursion) {
  std::string source;
  for (int i = 0; i < 10000; ++i) source += "<b>";
  const Document doc = Parse(source + "x");
  ASSERT_EQ(doc.Count(), 10005);
  EXPECT_EQ(doc.Elements[10002].Parent, 10001);
  EXPECT_EQ(doc.Elements[10001].ChildCount, 1);
}

TEST(HtmlParser, TheDataModelsLimitsCutTheDocumentWithoutError) {
  // A text longer than 32,767 characters: tags past that position are not
  // part of the document.
  std::string longText = "<p>";
  while (longText.size() < 40000) longText += "word <b>bold</b> ";
  const Document cut = Parse(longText);
  ASSERT_GT(cut.Count(), 1000);
  size_t reached = 0;
  for (const HTMLElement& e : cut.Elements) reached += e.Raw.size();
  EXPECT_LE(reached, 32767u);
  EXPECT_GT(reached, 32000u);

  // Positions count characters, not bytes.
  std::string umlauts;
  while (umlauts.size() < 80000) umlauts += "\xC3\xA4\xC3\xB6<b>";
  size_t characters = 0;
  for (const HTMLElement& e : Parse(umlauts).Elements) characters += rt::Len(e.Raw);
  EXPECT_GT(characters, 32000u);
  EXPECT_LE(characters, 32767u);
}

TEST(HtmlParser, TitleAndAnchors) {
  gdi::ScopedFixedMetrics metrics;
  KVXHTML html;
  html.SetText("<head><title>Report &#169; 2024</title></head><a href=x>l</a>");
  EXPECT_EQ(html.DocumentTitle(), "Report \xC2\xA9 2024");
  EXPECT_TRUE(html.Anchors().empty());  // EnableAnchors is off
  html.SetEnableAnchors(true);
  html.SetText("<title></title><a href=x>l</a><a name=n></a>");
  EXPECT_EQ(html.DocumentTitle(), "</title>");
  EXPECT_EQ(html.Anchors().size(), 2u);
}

}  // namespace
}  // namespace kvctl2::html
