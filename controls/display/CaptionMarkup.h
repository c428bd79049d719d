// The caption markup of the markup label: a caption cut into styled runs
// (Parts) by the tags <b> <i> <u> <s> (and their closing tags), <br> and
// <c number> ... </c>, compared without regard to case; optionally
// word-wrapped at blanks to a width; and the line string whose text height
// is the label's height. Widths are twips, measured by the label.
//
// Runs and positions are 1-based as the label uses them: Part(1) is the
// first run.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kvctl2 {

struct CaptionPart {
  std::string Text;  // printed as it stands, blanks included
  bool Bold = false;
  bool Italic = false;
  bool Underline = false;
  bool Strike = false;
  bool NewLine = false;  // the run begins a new line
  int32_t Color = 0;     // RGB, or a system colour (high bit set)
};

struct TagInfo {
  int16_t Kind = 1;  // 1 none, 2 b, 3 i, 4 u, 5 s, 6 colour, 7 br
  std::string Value;
  int16_t StartPos = 0;  // 1-based position of "<"
  int16_t EndPos = 0;    // position of ">"
};

// The colour number of a colour tag's text (what follows "<c"): hexadecimal
// "&h" or octal "&o" literals (16-bit signed unless they need more digits
// or end in "&"), else a decimal number read as far as it goes; no number
// gives 0. Blanks are skipped. False when the value does not fit 32 bits.
bool ColorNumber(std::string_view text, int32_t& value);

class CaptionMarkup {
 public:
  // Width in twips of a text in the label's font with these flags.
  using TextWidth = std::function<double(std::string_view text, bool bold, bool italic)>;

  // What the parse starts from.
  std::string Caption;
  bool Bold = false, Italic = false, Underline = false, Strike = false;
  int32_t DefaultColor = 0;  // the label's ForeColor, system colours resolved
  bool WordWrap = false;
  double ScaleWidth = 0;  // twips

  std::vector<CaptionPart> Parts;
  CaptionPart& Part(int index) { return Parts.at(static_cast<size_t>(index - 1)); }
  int Count() const { return static_cast<int>(Parts.size()); }

  // Rebuilds Parts from Caption and word-wraps when WordWrap is set. A
  // colour beyond 32 bits ends the parse at its tag with error 6; the runs
  // built so far stay.
  bool ParseCaption(const TextWidth& measure);
  TagInfo FindTag(int index) const;
  bool WrapParts(const TextWidth& measure);
  // Splits run `index` after the last whole word that fits `avail`; the
  // third result is "novyradek" when not even the first word fits.
  std::array<std::string, 3> SplitToWidth(int index, int32_t avail, const TextWidth& measure);
  // Inserts a copy of run `index` after it.
  bool InsertPart(int index);
  // "ABCD" and CR LF for every run after the first that begins a line.
  std::string LineString() const;

 private:
  void ApplyTag(const TagInfo& tag, CaptionPart& part) const;
};

}  // namespace kvctl2
