#include "html/HtmlSource.h"

#include <algorithm>
#include <array>
#include <map>
#include <utility>

#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace kvctl2::html {

namespace {

constexpr std::string_view kCrLf = "\r\n";
// Positions in the source and element indexes are 16-bit: the tokenizer
// stops where either would pass this.
constexpr size_t kMaxPosition = 32767;
constexpr size_t kMaxElements = 32767;
// A character reference's number from here on names no character.
constexpr int64_t kNoCharacter = 0x110000;

bool Contains(std::string_view text, std::string_view find) { return text.find(find) != std::string_view::npos; }

// Upper case as the runtime's UCase, quick for the usual ASCII names.
std::string Upper(std::string_view text) {
  if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; }))
    return rt::UCase(text);
  std::string out(text);
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return out;
}

// Whether `text` holds `find` (upper-case ASCII) without regard to case.
bool ContainsAnyCase(std::string_view text, std::string_view find) {
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  for (size_t at = text.find('<'); at != std::string_view::npos && at + find.size() <= text.size();
       at = text.find('<', at + 1)) {
    size_t i = 1;
    while (i < find.size() && upper(text[at + i]) == find[i]) ++i;
    if (i == find.size()) return true;
  }
  return false;
}

// Every occurrence, case-sensitive. The patterns are ASCII, so the bytes of
// the UTF-8 text can be searched directly.
std::string ReplaceAscii(std::string_view text, std::string_view find, std::string_view with) {
  size_t at = text.find(find);
  if (at == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  size_t from = 0;
  for (; at != std::string_view::npos; at = text.find(find, from)) {
    out.append(text, from, at - from).append(with);
    from = at + find.size();
  }
  return out.append(text, from);
}

// 1-based character positions of byte offsets in UTF-8 text, for offsets
// that only grow (the tokenizer's scan), in time linear in the text.
class CharacterPositions {
 public:
  explicit CharacterPositions(std::string_view text) : m_text(text) {}
  size_t Of(size_t offset) {
    for (; m_offset < offset && m_offset < m_text.size(); ++m_offset) {
      if ((static_cast<unsigned char>(m_text[m_offset]) & 0xC0) != 0x80) ++m_chars;
    }
    return m_chars + 1;
  }

 private:
  std::string_view m_text;
  size_t m_offset = 0;
  size_t m_chars = 0;
};

// The next "<" at or after `from` that starts a tag: one followed by a
// letter, "/", "!" or "?". Any other "<" (as in "a < b") is text.
size_t NextTagStart(std::string_view text, size_t from) {
  for (size_t at = text.find('<', from); at != std::string_view::npos; at = text.find('<', at + 1)) {
    if (at + 1 >= text.size()) return std::string_view::npos;
    const char c = text[at + 1];
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '/' || c == '!' || c == '?') return at;
  }
  return std::string_view::npos;
}

// The value of a digit in base 10 or 16; -1 for none.
int DigitValue(char c, int base) {
  if (c >= '0' && c <= '9') return c - '0';
  if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// What a numeric reference shows: up to 255 the character of the code
// page, above it the Unicode character; nothing for 0 and for numbers
// that name no character.
std::string CharacterOfReference(int64_t number) {
  if (number <= 0) return {};
  if (number <= 255) return rt::Chr(static_cast<uint8_t>(number));
  if (number >= kNoCharacter || (number >= 0xD800 && number <= 0xDFFF)) return {};
  return rt::ChrW(static_cast<char32_t>(number));
}

// A named reference at the start of `text` ("&name;"): what it shows and
// its length; length 0 for a name that is not known. "&nbsp;" stays as it
// is written: the text drawing shows it as an unbreakable blank.
std::pair<std::string, size_t> NamedReference(std::string_view text) {
  // The Latin-1 names, for the characters 160 to 255 in order.
  static constexpr std::array<std::string_view, 96> kLatin1{
      "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",    "copy",   "ordf",
      "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn", "sup2",   "sup3",   "acute",  "micro",
      "para",   "middot", "cedil",  "sup1",   "ordm",   "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave",
      "Aacute", "Acirc",  "Atilde", "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",
      "Igrave", "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde", "Ouml",
      "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",  "szlig",  "agrave", "aacute",
      "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil", "egrave", "eacute", "ecirc",  "euml",   "igrave",
      "iacute", "icirc",  "iuml",   "eth",    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide",
      "oslash", "ugrave", "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml"};
  static const std::map<std::string_view, char32_t, std::less<>> kOthers{
      {"amp", U'&'},         {"lt", U'<'},          {"gt", U'>'},          {"quot", U'"'},        {"apos", U'\''},
      {"euro", U'\u20AC'},   {"ndash", U'\u2013'},  {"mdash", U'\u2014'},  {"hellip", U'\u2026'}, {"lsquo", U'\u2018'},
      {"rsquo", U'\u2019'},  {"sbquo", U'\u201A'},  {"ldquo", U'\u201C'},  {"rdquo", U'\u201D'},  {"bdquo", U'\u201E'},
      {"bull", U'\u2022'},   {"trade", U'\u2122'},  {"dagger", U'\u2020'}, {"Dagger", U'\u2021'}, {"permil", U'\u2030'},
      {"lsaquo", U'\u2039'}, {"rsaquo", U'\u203A'}, {"OElig", U'\u0152'},  {"oelig", U'\u0153'},  {"Scaron", U'\u0160'},
      {"scaron", U'\u0161'}, {"Yuml", U'\u0178'},   {"fnof", U'\u0192'},   {"circ", U'\u02C6'},   {"tilde", U'\u02DC'},
      {"ensp", U'\u2002'},   {"emsp", U'\u2003'},   {"thinsp", U'\u2009'}, {"minus", U'\u2212'},  {"larr", U'\u2190'},
      {"uarr", U'\u2191'},   {"rarr", U'\u2192'},   {"darr", U'\u2193'},   {"harr", U'\u2194'},   {"le", U'\u2264'},
      {"ge", U'\u2265'},     {"ne", U'\u2260'},     {"infin", U'\u221E'}};
  // The longest name is six letters.
  const size_t semicolon = text.substr(0, 8).find(';');
  if (semicolon == std::string_view::npos || semicolon < 2) return {{}, 0};
  const std::string_view name = text.substr(1, semicolon - 1);
  if (name == "nbsp") return {{}, 0};
  for (size_t k = 1; k < kLatin1.size(); ++k) {
    if (kLatin1[k] == name) return {rt::ChrW(static_cast<char32_t>(160 + k)), semicolon + 1};
  }
  if (auto it = kOthers.find(name); it != kOthers.end()) return {rt::ChrW(it->second), semicolon + 1};
  return {{}, 0};
}

}  // namespace

std::string WrapSource(std::string_view source) {
  std::string v(source);
  if (!ContainsAnyCase(v, "<BODY")) v = "<BODY>" + v + "</BODY>";
  if (!ContainsAnyCase(v, "<HTML>")) v = "<HTML>" + v + "</HTML>";
  return v;
}

std::string NormaliseSource(std::string_view source) {
  static const std::array<std::pair<std::string_view, std::string_view>, 22> kSteps{{
      {"&lt;", "&#060;"},
      {"&gt;", "&#062;"},
      {"&quot;", "&#034;"},
      {"&copy;", "&#169;"},
      {"&deg;", "&#176;"},
      {"&amp;", "&#038;"},
      {"&middot;", "&#183;"},
      {"&agrave;", "&#224;"},
      {"&aacute;", "&#225;"},
      {"&egrave;", "&#232;"},
      {"&eacute;", "&#233;"},
      {"&euml;", "&#235;"},
      {"&auml;", "\xC3\xA4"},
      {"&ouml;", "\xC3\xB6"},
      {"&uuml;", "\xC3\xBC"},
      {"&Auml;", "\xC3\x84"},
      {"&Ouml;", "\xC3\x96"},
      {"&Uuml;", "\xC3\x9C"},
      {"\t", " "},
      {"  ", " "},
      {"  ", " "},
      {"  ", " "},
  }};
  std::string v(source);
  for (const auto& [find, with] : kSteps) v = ReplaceAscii(v, find, with);
  return v;
}

std::vector<HTMLElement> TokenizeText(std::string_view text) {
  std::vector<HTMLElement> elements;
  // About a tag and a run for every "<".
  elements.reserve(
      std::min<size_t>(2 * static_cast<size_t>(std::count(text.begin(), text.end(), '<')) + 1, kMaxElements));
  CharacterPositions positions(text);
  // A position beyond the 16-bit range ends the scan.
  auto inRange = [&positions](size_t offset) { return positions.Of(offset) <= kMaxPosition; };
  auto append = [&elements](std::string_view raw, bool glue) {
    if (elements.size() >= kMaxElements) return false;
    HTMLElement& e = elements.emplace_back();
    e.Raw = std::string(raw);
    e.IsTag = raw.size() >= 2 && raw.front() == '<' && raw.back() == '>';
    e.NoBlankBefore = glue;
    e.Index = static_cast<int16_t>(elements.size() - 1);
    return true;
  };
  // Whether the next run joins the text before it: no blank stood before
  // any of the tags since the last run (and none between them).
  bool glue = false;
  bool runStored = true;  // no tag stored since the last run
  size_t pos = 0;
  while (pos < text.size()) {
    const size_t start = NextTagStart(text, pos);
    if (start == std::string_view::npos || !inRange(start)) break;
    size_t end;
    if (text.substr(start, 4) == "<!--") {
      const size_t close = text.find("-->", start);
      if (close == std::string_view::npos) break;  // a comment without end ends the document
      end = close + 2;
    } else {
      end = text.find('>', start);
    }
    if (end == std::string_view::npos) {
      pos = start + 1;  // that "<" is dropped
    } else {
      // The position one past the ">" must fit as well.
      if (!inRange(end + 1) || !append(text.substr(start, end - start + 1), false)) break;
      if (start > 0) {
        const bool joined = text[start - 1] != ' ';
        glue = runStored ? joined : glue && joined;
        runStored = false;
      }
      pos = end + 1;
    }
    size_t next = NextTagStart(text, pos);
    // Text after the last tag is kept like any run (when it lies within
    // the positions the document holds).
    if (next == std::string_view::npos && inRange(text.size())) next = text.size();
    if (next == std::string_view::npos || !inRange(next)) break;
    if (next > pos) {
      const std::string_view run = text.substr(pos, next - pos);
      if (run.find_first_not_of(' ') != std::string_view::npos) {
        if (!append(run, glue)) break;
        runStored = true;
      }
    }
    pos = next;
  }
  return elements;
}

std::string TagName(std::string_view tag) {
  std::string name;
  const size_t blank = tag.find(' ');
  if (blank != std::string_view::npos) {
    name = blank > 1 ? std::string(tag.substr(1, blank - 1)) : std::string();
  } else {
    const std::string trimmed = rt::Trim(tag);
    name = trimmed.size() > 2 ? trimmed.substr(1, trimmed.size() - 2) : std::string();
  }
  return Upper(rt::Trim(name));
}

int32_t ElementTypeOfName(std::string_view name) {
  static const std::map<std::string, int32_t, std::less<>> kOpeners{
      {"HEAD", 2},    {"TITLE", 4},       {"BODY", 6},   {"NOFRAMES", 6}, {"STRONG", 10}, {"B", 10},   {"EM", 12},
      {"I", 12},      {"U", 14},          {"P", 16},     {"DIV", 18},     {"UL", 22},     {"OL", 24},  {"TABLE", 27},
      {"THEAD", 29},  {"TBODY", 31},      {"TFOOT", 33}, {"TR", 35},      {"TD", 37},     {"TH", 37},  {"FONT", 39},
      {"A", 41},      {"BLOCKQUOTE", 44}, {"H1", 46},    {"H2", 46},      {"H3", 46},     {"H4", 46},  {"H5", 46},
      {"H6", 46},     {"BIG", 48},        {"SMALL", 50}, {"CENTER", 52},  {"SUB", 54},    {"SUP", 56}, {"FORM", 58},
      {"SCRIPT", 60}, {"STYLE", 62},
  };
  static const std::map<std::string, int32_t, std::less<>> kSingles{{"!--", 8}, {"--", 9},  {"BR", 20},
                                                                    {"HR", 21}, {"LI", 26}, {"IMG", 43}};
  // A slash right after the name ("<br/>") closes nothing: the tag is the
  // one its name says.
  if (name.size() > 1 && name.back() == '/' && name.front() != '/') name.remove_suffix(1);
  if (auto it = kSingles.find(name); it != kSingles.end()) return it->second;
  if (auto it = kOpeners.find(name); it != kOpeners.end()) return it->second;
  if (!name.empty() && name.front() == '/') {
    if (auto it = kOpeners.find(name.substr(1)); it != kOpeners.end()) return it->second + 1;
  }
  return 1;
}

void ExtractTagAttributes(std::string_view tag, std::vector<std::string>& names, std::vector<std::string>& values) {
  names.clear();
  values.clear();
  size_t p = tag.find(' ');
  if (p == std::string_view::npos) return;
  while (true) {
    const size_t e = tag.find('=', p);
    if (e == std::string_view::npos) return;
    names.push_back(ReplaceAscii(rt::Trim(Upper(tag.substr(p, e - p))), "\t", ""));
    size_t v = e + 1;
    while (v < tag.size() && tag[v] == ' ') ++v;
    const char delimiter = v < tag.size() && (tag[v] == '\'' || tag[v] == '"') ? tag[v] : ' ';
    size_t end = v < tag.size() ? tag.find(delimiter, v + 1) : std::string_view::npos;
    if (end == std::string_view::npos) end = tag.empty() ? 0 : tag.size() - 1;
    std::string value = end > v ? rt::Trim(tag.substr(v, end - v)) : std::string();
    if (!value.empty() && value.front() == delimiter) value.erase(0, 1);
    values.push_back(std::move(value));
    p = end + 1;
  }
}

std::string DecodeText(std::string_view text) {
  std::string result;
  if (Contains(text, "&")) {
    result.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
      if (text.substr(i, 2) == "&#" && text.find(';', i) != std::string_view::npos) {
        const bool hex = i + 2 < text.size() && (text[i + 2] == 'x' || text[i + 2] == 'X');
        size_t j = i + (hex ? 3 : 2);
        int64_t number = 0;
        while (j < text.size()) {
          const int digit = DigitValue(text[j], hex ? 16 : 10);
          if (digit < 0) break;
          number = std::min<int64_t>(number * (hex ? 16 : 10) + digit, kNoCharacter);
          ++j;
        }
        result += CharacterOfReference(number);
        i = j + 1;  // the character after the digits (normally ";") is skipped
      } else if (text[i] == '&') {
        const auto [shown, length] = NamedReference(text.substr(i));
        if (length > 0) {
          result += shown;
          i += length;
        } else {
          result += text[i++];
        }
      } else {
        result += text[i++];
      }
    }
  } else {
    result = text;
  }
  result = ReplaceAscii(result, kCrLf, " ");
  result = ReplaceAscii(result, "\n", " ");
  return ReplaceAscii(result, "\t", " ");
}

std::string RawTextOf(std::string_view text) {
  std::string v(text);
  for (std::string_view tag : {"</HTML>", "<HTML>", "</BODY>", "<BODY>"})
    v = rt::Replace(v, tag, "", rt::CompareMethod::Text);
  return rt::Replace(v, "<BR>", kCrLf, rt::CompareMethod::Text);
}

}  // namespace kvctl2::html
