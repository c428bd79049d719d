#include <gtest/gtest.h>

#include "display/CaptionMarkup.h"
#include "runtime/Error.h"

namespace kvctl2 {
namespace {

// 100 twips a character, 120 in bold.
double Width(std::string_view text, bool bold, bool) { return static_cast<double>(text.size()) * (bold ? 120 : 100); }

// The runs as text: each run's text in quotes, its styles (b i u s), its
// colour when not the default 1, and "|" before a run that starts a line.
std::string Runs(const std::string& caption, bool wrap = false, double width = 0) {
  CaptionMarkup m;
  m.Caption = caption;
  m.DefaultColor = 1;
  m.WordWrap = wrap;
  m.ScaleWidth = width;
  try {
    m.ParseCaption(Width);
  } catch (const rt::Error& e) {
    if (e.Number() != 6) throw;
  }
  std::string out;
  for (int i = 1; i <= m.Count(); ++i) {
    const CaptionPart& p = m.Part(i);
    if (i > 1) out += p.NewLine ? " | " : " ";
    out += "'" + p.Text + "'";
    if (p.Bold) out += "b";
    if (p.Italic) out += "i";
    if (p.Underline) out += "u";
    if (p.Strike) out += "s";
    if (p.Color != 1) out += "#" + std::to_string(p.Color);
  }
  return out;
}

TEST(CaptionMarkup, TagsCutTheCaptionIntoStyledRuns) {
  struct Case {
    const char* caption;
    const char* runs;
  } cases[] = {
      {"Hello <b>World</b> again", "'Hello ' 'World'b ' again'"},
      {"<B>x</B>", "'x'b"},
      {"<b><i>X", "'X'bi"},
      {"A<br><br>B", "'A' | '' | 'B'"},
      {"<br>B", "'' | 'B'"},
      {"X <b> <i>Y", "'X  ' 'Y'bi"},
      {"Hi<br>  ", "'Hi'"},
      {"   ", "'   '"},
      {"<<b>x", "'<' 'x'b"},
      {"a<x>b <b >c <font>d", "'a<x>b <b >c <font>d'"},
      {"<u>u</u><s>s", "'u'u 's's"},
      {"<b>bold</b> and </b>more", "'bold'b ' and ' 'more'"},
      {"unbalanced <b>open and </i>closed", "'unbalanced ' 'open and 'b 'closed'b"},
      {"no end <b", "'no end <b'"},
  };
  for (const Case& c : cases) EXPECT_EQ(Runs(c.caption), c.runs) << c.caption;
}

TEST(CaptionMarkup, ColourTagsReadTheirNumbers) {
  struct Case {
    const char* caption;
    const char* runs;
  } cases[] = {
      {"<c&hff&>red</c> default", "'red'#255 ' default'"},
      {"<c255>red", "'red'#255"},
      {"<c&h00ff00&>g", "'g'#65280"},
      {"<c&hff00&>g", "'g'#65280"},
      {"<c&hff00>x", "'x'#-256"},
      {"<c&hffff>x", "'x'"},  // -1: the default colour
      {"<c&o177777&>x", "'x'#65535"},
      {"<c12ab>x", "'x'#12"},
      {"<c 1 2>x", "'x'#12"},
      {"<c>x", "'x'#0"},
      {"<center>x", "'x'#0"},
      {"<cff0000>x", "'x'#0"},
      {"<c-1>x", "'x'"},
      {"<c2.5>x", "'x'#2"},
      {"<c0000000000000255>x", "'x'#255"},
      {"<c00000000000000255>x", "'<c00000000000000255>x'"},
      {"A <c99999999999>B<b>C", "'A ' 'B<b>C'"},
  };
  for (const Case& c : cases) EXPECT_EQ(Runs(c.caption), c.runs) << c.caption;
}

TEST(CaptionMarkup, WordWrapBreaksAfterTheLastWholeWord) {
  struct Case {
    const char* caption;
    double width;
    const char* runs;
  } cases[] = {
      {"aaa bbb ccc", 700, "'aaa bbb' | 'ccc'"},
      {"aaa bbb ccc", 1100, "'aaa bbb ccc'"},
      {"aaaaaaaaaa bb", 500, "'aaaaaaaaaa' | 'bb'"},  // a word wider than the line stands alone
      {"xx<b>aaaaaaaaaa</b>y", 500, "'xx' | 'aaaaaaaaaa'b | 'y'"},
      {"aa <b>bb cc</b> dd ee", 700, "'aa ' 'bb'b | 'cc'b ' dd' | 'ee'"},
  };
  for (const Case& c : cases) EXPECT_EQ(Runs(c.caption, true, c.width), c.runs) << c.caption;
}

TEST(CaptionMarkup, TheLineStringHasALineForEveryLineStart) {
  CaptionMarkup m;
  m.Caption = "a<br>b<b>c</b><br>d";
  m.ParseCaption(Width);
  EXPECT_EQ(m.LineString(), "ABCD\r\nABCD\r\n");
  m.Caption = "";
  m.ParseCaption(Width);
  EXPECT_EQ(m.LineString(), "");
}

}  // namespace
}  // namespace kvctl2
