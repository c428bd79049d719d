// Text, RawText and Caption of the HTML view, and the element model that a
// Text assignment builds.
#include <gtest/gtest.h>

#include "com/ControlFactory.h"
#include "gdi/FontBackend.h"
#include "html/KVXHTML.h"

namespace kvctl2 {
namespace {

struct RawCase {
  const char* text;
  const char* raw;
};

class RawTextOfText : public ::testing::TestWithParam<RawCase> {};

TEST_P(RawTextOfText, StripsWrappersAndTurnsBrIntoCrLf) {
  gdi::ScopedFixedMetrics metrics;
  KVXHTML html;
  html.SetText(GetParam().text);
  EXPECT_EQ(html.RawText(), GetParam().raw);
}

INSTANTIATE_TEST_SUITE_P(Cases, RawTextOfText,
                         ::testing::Values(RawCase{"a<BR>b", "a\r\nb"}, RawCase{"a<br>b<Br>c", "a\r\nb\r\nc"},
                                           RawCase{"<html><body>q</body></html>", "q"},
                                           // Only "<BR>" itself is a line break; other spellings stay.
                                           RawCase{"x<br />y", "x<br />y"},
                                           // A BODY tag with attributes is no wrapper and stays.
                                           RawCase{"<BODY bgcolor=red>z</BODY>", "<BODY bgcolor=red>z"},
                                           // The normalised source: tabs, blank runs, named entities.
                                           RawCase{"a\tb   c", "a b c"}, RawCase{"1 &lt; 2", "1 &#060; 2"},
                                           RawCase{"a         b", "a  b"}, RawCase{"a        b", "a b"}));

TEST(KVXHTMLText, RawTextLetStoresCrLfAsBrAndReadsBack) {
  gdi::ScopedFixedMetrics metrics;
  KVXHTML html;
  html.SetRawText("a\r\nb");
  EXPECT_EQ(html.Text(), "<HTML><BODY>a<BR>b</BODY></HTML>");
  EXPECT_EQ(html.RawText(), "a\r\nb");
}

TEST(KVXHTMLText, SqlScriptSurvivesTheRoundTrip) {
  gdi::ScopedFixedMetrics metrics;
  KVXHTML html;
  const std::string script = "CREATE TABLE [Memos@DBListID@] (ID int)\r\nGO\r\nUSE master;\r\nGO\r\n";
  html.SetRawText(script);
  EXPECT_EQ(html.RawText(), script);
}

TEST(KVXHTMLText, TextIsWrappedOnce) {
  gdi::ScopedFixedMetrics metrics;
  KVXHTML html;
  html.SetText("x");
  EXPECT_EQ(html.Text(), "<HTML><BODY>x</BODY></HTML>");
  html.SetText(html.Text());
  EXPECT_EQ(html.Text(), "<HTML><BODY>x</BODY></HTML>");
  html.SetText("<html lang=de><body>y</body></html>");
  EXPECT_EQ(html.Text(), "<HTML><html lang=de><body>y</body></html></HTML>");
}

TEST(KVXHTMLText, LateBoundMembersAnswerByName) {
  gdi::ScopedFixedMetrics metrics;
  com::ControlPtr control = com::CreateControl("Kvctl2.KVXHTML");
  control->Let("Text", "a<br>b");
  EXPECT_EQ(control->Get("RawText").ToString(), "a\r\nb");
  EXPECT_EQ(control->Get("Caption").ToString(), "*HTMLCntrl*");
  EXPECT_EQ(control->Get("Text").ToString(), "<HTML><BODY>a<br>b</BODY></HTML>");
  EXPECT_EQ(control->GetIDOfName("RawText"), 0x6803001B);
  control->Let("Text", "<b>bold</b>");
  EXPECT_EQ(control->Get("Caption").ToString(), "*HTMLCntrl*");
}

TEST(KVXHTMLText, HelloGivesFiveElements) {
  gdi::ScopedFixedMetrics metrics;
  KVXHTML html;
  html.SetText("Hello");
  ASSERT_EQ(html.ElementCount(), 5);
  const int types[] = {1, 6, 0, 7, 1};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(html.Element(i).ElementType, types[i]) << i;
    EXPECT_EQ(html.Element(i).Index, i);
  }
  EXPECT_EQ(html.Element(2).Words, std::vector<std::string>{"Hello"});
  EXPECT_EQ(html.BodyIndex(), 1);
  EXPECT_EQ(html.DocumentTitle(), "Unknown");
}

TEST(KVXHTMLText, TokenizerGlueAndDroppedTail) {
  gdi::ScopedFixedMetrics metrics;
  KVXHTML html;
  html.SetText("<b>bold</b>, more <i>x");
  // <HTML> <BODY> <b> bold </b> ", more " <i> "x</BODY>..." is cut at tags.
  std::vector<std::string> raws;
  for (int i = 0; i < html.ElementCount(); ++i) raws.push_back(html.Element(i).Raw);
  ASSERT_EQ(raws, (std::vector<std::string>{"<HTML>", "<BODY>", "<b>", "bold", "</b>", ", more ", "<i>", "x", "</BODY>",
                                            "</HTML>"}));
  EXPECT_TRUE(html.Element(5).NoBlankBefore);
  EXPECT_FALSE(html.Element(7).NoBlankBefore);  // "<i>" follows a blank
  // A blank before any of the tags between two runs keeps them apart.
  for (const char* source : {"word <b><i>x", "word </ul></ul>x", "word<b> <i>x"}) {
    html.SetText(source);
    EXPECT_FALSE(html.Element(html.ElementCount() - 3).NoBlankBefore) << source;
  }
  html.SetText("word<b><i>x");
  EXPECT_TRUE(html.Element(html.ElementCount() - 3).NoBlankBefore);

  html.SetText("<HTML><BODY>abc");
  ASSERT_EQ(html.ElementCount(), 3);  // text after the last tag is kept
  EXPECT_EQ(html.Element(2).Words, (std::vector<std::string>{"abc"}));
  html.SetText("<HTML><BODY>abc<br>  ");
  EXPECT_EQ(html.ElementCount(), 4);  // blanks only are not
}

TEST(KVXHTMLText, DecodesNumericReferencesInWords) {
  gdi::ScopedFixedMetrics metrics;
  KVXHTML html;
  html.SetText("a&#65;b &#1234;c &amp;lt;");
  EXPECT_EQ(html.Element(2).Words, (std::vector<std::string>{"aAb", "\u04D2c", "&lt;"}));
}

TEST(KVXHTMLText, TagNamesAndAttributes) {
  EXPECT_EQ(KVXHTML::mstrTagID("<br />"), "BR");
  EXPECT_EQ(KVXHTML::mstrTagID("<BR/>"), "BR/");
  EXPECT_EQ(KVXHTML::mstrTagID("<!-- note -->"), "!--");
  KVXHTML html;
  EXPECT_EQ(html.mintExtractTagAttributes("<A HREF=\"x y\" id='l1' title=t>"), 3);
  EXPECT_EQ(html.AttributeNames(), (std::vector<std::string>{"HREF", "ID", "TITLE"}));
  EXPECT_EQ(html.AttributeValues(), (std::vector<std::string>{"x y", "l1", "t"}));
  EXPECT_EQ(html.mintExtractTagAttributes("<TD NOWRAP WIDTH=50%>"), 1);
  EXPECT_EQ(html.AttributeNames()[0], "NOWRAP WIDTH");
  EXPECT_EQ(html.mintExtractTagAttributes("<P>"), 0);
}

TEST(KVXHTMLText, ASourceBeyondTheLimitsIsShownUpToThemAndKeptWhole) {
  gdi::ScopedFixedMetrics metrics;
  KVXHTML html;
  html.Move(0, 0, 9000, 3000);
  std::string source;
  for (int i = 0; source.size() < 40000; ++i)
    source += "INSERT INTO T VALUES (" + std::to_string(i) + ")" + (i % 8 == 7 ? "\r\n" : "; ");
  html.SetRawText(source);
  EXPECT_EQ(html.RawText(), source);  // the whole script, as the script holders need it
  EXPECT_GT(html.Text().size(), 40000u);
  EXPECT_GT(html.PageHeight(), 1000);  // laid out up to the limit
  // Cut inside the text: the closing tags are not reached.
  EXPECT_NE(html.Element(html.ElementCount() - 1).Raw, "</HTML>");
}

}  // namespace
}  // namespace kvctl2
