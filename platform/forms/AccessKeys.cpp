#include "forms/AccessKeys.h"

#include <cctype>

namespace forms {

namespace {

// The code point starting at `i` of UTF-8 text and its length in bytes.
char32_t CodePointAt(std::string_view s, size_t i, size_t& length) {
  const auto b = static_cast<unsigned char>(s[i]);
  length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
  if (i + length > s.size()) length = 1;
  if (length == 1) return b;
  char32_t cp = b & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
  return cp;
}

char32_t Lower(char32_t c) {
  if (c < 128) return static_cast<char32_t>(std::tolower(static_cast<int>(c)));
  if ((c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 0x20;  // Latin-1 capitals
  return c;
}

}  // namespace

char32_t AccessKeyOf(std::string_view caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    size_t length = 0;
    return Lower(CodePointAt(caption, i + 1, length));
  }
  return 0;
}

std::string StripAccessKey(std::string_view caption) {
  std::string out;
  out.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    else if (caption[i] == '&') continue;
    out += caption[i];
  }
  return out;
}

}  // namespace forms
