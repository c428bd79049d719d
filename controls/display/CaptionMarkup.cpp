#include "display/CaptionMarkup.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace kvctl2 {

namespace {

constexpr const char* kNoRoom = "novyradek";

bool IsBlank(std::string_view s) { return s.find_first_not_of(' ') == std::string_view::npos; }

// The number at the start of a text as the runtime's Val reads it: blanks
// anywhere are skipped; "&h" and "&o" literals are 16-bit signed when their
// value fits 16 bits and no "&" follows, else 32-bit signed; otherwise a
// decimal number as far as it goes. False for a literal beyond 32 bits.
bool Val(std::string_view text, double& number) {
  std::string s;
  for (char c : text) {
    if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
      s += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  }
  number = 0;
  if (s.size() >= 2 && s[0] == '&' && (s[1] == 'h' || s[1] == 'o')) {
    const int base = s[1] == 'h' ? 16 : 8;
    uint64_t value = 0;
    size_t i = 2;
    for (; i < s.size(); ++i) {
      const char c = s[i];
      int digit = -1;
      if (c >= '0' && c <= '9') digit = c - '0';
      if (base == 16 && c >= 'a' && c <= 'f') digit = c - 'a' + 10;
      if (digit < 0 || digit >= base) break;
      value = value * static_cast<uint64_t>(base) + static_cast<uint64_t>(digit);
      if (value > 0xFFFFFFFFu) return false;
    }
    const bool long32 = (i < s.size() && s[i] == '&') || value > 0xFFFFu;
    number = long32 ? static_cast<double>(static_cast<int32_t>(static_cast<uint32_t>(value)))
                    : static_cast<double>(static_cast<int16_t>(static_cast<uint16_t>(value)));
    return true;
  }
  // Sign, digits, a decimal point and an exponent, as far as they go.
  size_t end = 0;
  auto digits = [&] {
    const size_t start = end;
    while (end < s.size() && std::isdigit(static_cast<unsigned char>(s[end]))) ++end;
    return end > start;
  };
  if (end < s.size() && (s[end] == '+' || s[end] == '-')) ++end;
  bool any = digits();
  if (end < s.size() && s[end] == '.') {
    ++end;
    any = digits() || any;
  }
  if (!any) return true;
  std::string literal = s.substr(0, end);
  if (end < s.size() && (s[end] == 'e' || s[end] == 'd')) {
    size_t mark = end + 1;
    if (mark < s.size() && (s[mark] == '+' || s[mark] == '-')) ++mark;
    const size_t exponentStart = mark;
    while (mark < s.size() && std::isdigit(static_cast<unsigned char>(s[mark]))) ++mark;
    if (mark > exponentStart) literal += "e" + s.substr(end + 1, mark - end - 1);
  }
  number = std::strtod(literal.c_str(), nullptr);
  return true;
}

// A number as a 32-bit integer, rounded to the nearest (halves to even).
bool ToLong(double number, int32_t& value) {
  const double rounded = std::nearbyint(number);
  if (!(rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max())) return false;
  value = static_cast<int32_t>(rounded);
  return true;
}

std::string NumberText(double number) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.17g", number);
  return buffer;
}

}  // namespace

bool ColorNumber(std::string_view text, int32_t& value) {
  double number = 0;
  return Val(text, number) && ToLong(number, value);
}

TagInfo CaptionMarkup::FindTag(int index) const {
  const std::string& text = Parts.at(static_cast<size_t>(index - 1)).Text;
  size_t p = 0;
  while (true) {
    const size_t lt = text.find('<', p);
    if (lt == std::string::npos) return TagInfo{};
    const size_t gt = text.find('>', lt);
    if (gt == std::string::npos) return TagInfo{};
    const std::string tag = rt::LCase(std::string_view(text).substr(lt, gt - lt + 1));
    TagInfo info;
    info.StartPos = static_cast<int16_t>(lt + 1);
    info.EndPos = static_cast<int16_t>(gt + 1);
    auto style = [&](int16_t kind, std::string_view open, std::string_view close) {
      if (tag != open && tag != close) return false;
      info.Kind = kind;
      info.Value = tag == open ? "True" : "False";
      return true;
    };
    if (style(2, "<b>", "</b>") || style(3, "<i>", "</i>") || style(4, "<u>", "</u>") || style(5, "<s>", "</s>")) {
      return info;
    }
    if (tag == "<br>") {
      info.Kind = 7;
      return info;
    }
    if (tag == "</c>") {
      info.Kind = 6;
      info.Value = "-1";
      return info;
    }
    if (tag.size() < 20 && tag.rfind("<c", 0) == 0) {
      info.Kind = 6;
      double number = 0;
      info.Value = Val(std::string_view(tag).substr(2, tag.size() - 3), number) ? NumberText(number) : "overflow";
      return info;
    }
    p = lt + 1;
  }
}

void CaptionMarkup::ApplyTag(const TagInfo& tag, CaptionPart& part) const {
  switch (tag.Kind) {
    case 2:
      part.Bold = tag.Value == "True";
      break;
    case 3:
      part.Italic = tag.Value == "True";
      break;
    case 4:
      part.Underline = tag.Value == "True";
      break;
    case 5:
      part.Strike = tag.Value == "True";
      break;
    case 6: {
      int32_t color = 0;
      // A colour beyond 32 bits ends the parse here.
      if (tag.Value == "overflow" || !ToLong(std::strtod(tag.Value.c_str(), nullptr), color))
        rt::Raise(6, "KVXColorLabel");
      part.Color = color == -1 ? DefaultColor : color;
      break;
    }
    case 7:
      part.NewLine = true;
      break;
    default:
      break;
  }
}

bool CaptionMarkup::ParseCaption(const TextWidth& measure) {
  Parts.clear();
  Parts.push_back(CaptionPart{Caption, Bold, Italic, Underline, Strike, true, DefaultColor});
  TagInfo tag = FindTag(1);
  int i = 2;
  while (tag.Kind != 1) {
    CaptionPart& current = Part(i - 1);
    const std::string text = current.Text;
    const std::string before = text.substr(0, static_cast<size_t>(tag.StartPos - 1));
    const std::string after = text.substr(static_cast<size_t>(tag.EndPos));
    if (IsBlank(before) && tag.Kind != 7) {
      // The tag styles this run itself; blanks before it go to the run
      // before (the first run drops them).
      if (i - 1 != 1) Part(i - 2).Text += before;
      current.Text = after;
      ApplyTag(tag, current);
      tag = FindTag(i - 1);
      continue;
    }
    current.Text = before;
    if (IsBlank(after)) {
      tag = FindTag(i - 1);
      continue;
    }
    CaptionPart next = current;
    next.Text = after;
    next.NewLine = false;
    Parts.push_back(next);
    ApplyTag(tag, Part(i));
    tag = FindTag(i);
    ++i;
  }
  if (WordWrap) WrapParts(measure);
  return true;
}

bool CaptionMarkup::WrapParts(const TextWidth& measure) {
  const double width = ScaleWidth;
  float line = 0;
  int i = 1;
  while (i <= Count()) {
    CaptionPart& part = Part(i);
    const double textWidth = measure(part.Text, part.Bold, part.Italic);
    if (part.NewLine) line = 0;
    line = static_cast<float>(line + textWidth);
    if (line <= width) {
      ++i;
      continue;
    }
    const auto avail = static_cast<int32_t>(std::nearbyint(width - (line - textWidth)));
    const std::array<std::string, 3> split = SplitToWidth(i, avail, measure);
    const bool firstBlank = IsBlank(split[0]);
    if (!firstBlank && split[2] == kNoRoom && !Part(i).NewLine) {
      Part(i).NewLine = true;  // try again on a line of its own
    } else if (!firstBlank) {
      InsertPart(i);
      Part(i).Text = split[0];
      Part(i + 1).Text = split[1];
      Part(i + 1).NewLine = true;
      ++i;
    } else if (!Part(i).NewLine) {
      Part(i).NewLine = true;
    } else if (i == Count()) {
      break;
    } else {
      Part(i + 1).NewLine = true;
      ++i;
    }
  }
  return true;
}

std::array<std::string, 3> CaptionMarkup::SplitToWidth(int index, int32_t avail, const TextWidth& measure) {
  const CaptionPart& part = Part(index);
  const std::string& text = part.Text;
  const size_t n = text.size();
  // Positions are 1-based; n + 1 stands for "no further blank".
  auto nextBlank = [&](size_t q) {
    const size_t found = text.find(' ', q);
    return found == std::string::npos ? n + 1 : found + 1;
  };
  auto trimLeft = [](const std::string& s) {
    const size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
  };
  auto trimRight = [](std::string s) {
    const size_t last = s.find_last_not_of(' ');
    return last == std::string::npos ? std::string() : s.substr(0, last + 1);
  };
  size_t p1 = nextBlank(0);
  size_t p2 = p1 <= n ? nextBlank(p1) : n + 1;
  while (true) {
    if (p1 == n + 1) {
      const size_t blank = text.find(' ');
      if (blank == std::string::npos) return {"", "", kNoRoom};
      return {text.substr(0, blank), trimLeft(text.substr(blank + 1)), kNoRoom};
    }
    const std::string a = text.substr(0, p1 - 1);
    const std::string b = text.substr(0, p2 - 1);
    if (measure(a, part.Bold, part.Italic) <= avail && measure(b, part.Bold, part.Italic) > avail) {
      return {trimRight(a), trimLeft(text.substr(p1)), ""};
    }
    p1 = p2;
    p2 = p1 <= n ? nextBlank(p1) : n + 1;
  }
}

bool CaptionMarkup::InsertPart(int index) {
  Parts.insert(Parts.begin() + index, Parts.at(static_cast<size_t>(index - 1)));
  return true;
}

std::string CaptionMarkup::LineString() const {
  std::string lines;
  for (size_t i = 1; i < Parts.size(); ++i) {
    if (Parts[i].NewLine) lines += "ABCD\r\n";
  }
  return lines;
}

}  // namespace kvctl2
