#include "runtime/Strings.h"

#include <sys/mman.h>

#include <array>
#include <cmath>
#include <cstdio>

#include "runtime/Error.h"

namespace rt {

namespace {

// Code points of Windows-1252's bytes 0x80..0x9F.
constexpr std::array<char32_t, 32> kHigh = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

char32_t AnsiToCodePoint(uint8_t b) { return (b >= 0x80 && b < 0xA0) ? kHigh[b - 0x80] : b; }

int CodePointToAnsi(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (size_t i = 0; i < kHigh.size(); ++i)
    if (kHigh[i] == cp) return static_cast<int>(0x80 + i);
  return -1;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes UTF-8; a byte that is not valid UTF-8 is taken as Windows-1252, so
// text that arrives in the code page is not lost.
std::u32string Decode(std::string_view s) {
  std::u32string out;
  out.reserve(s.size());
  for (size_t i = 0; i < s.size();) {
    auto b = static_cast<uint8_t>(s[i]);
    int extra = b < 0x80 ? 0 : (b >> 5) == 6 ? 1 : (b >> 4) == 14 ? 2 : (b >> 3) == 30 ? 3 : -1;
    bool ok = extra >= 0;
    char32_t cp = extra == 0 ? b : extra == 1 ? (b & 0x1F) : extra == 2 ? (b & 0x0F) : (b & 0x07);
    for (int k = 1; ok && k <= extra; ++k) {
      if (i + k >= s.size()) { ok = false; break; }
      auto c = static_cast<uint8_t>(s[i + k]);
      if ((c & 0xC0) != 0x80) ok = false;
      cp = (cp << 6) | (c & 0x3F);
    }
    if (!ok) {
      out += AnsiToCodePoint(b);
      ++i;
    } else {
      out += cp;
      i += static_cast<size_t>(extra) + 1;
    }
  }
  return out;
}

std::string Encode(std::u32string_view s) {
  std::string out;
  out.reserve(s.size());
  for (char32_t cp : s) AppendUtf8(out, cp);
  return out;
}

// Case folding of the code page's letters (ASCII and Latin-1, plus the
// pairs among 0x80..0x9F).
char32_t Lower(char32_t c) {
  if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7)) return c + 32;
  if (c == 0x0160 || c == 0x0152 || c == 0x017D) return c + 1;
  if (c == 0x0178) return 0xFF;
  return c;
}
char32_t Upper(char32_t c) {
  if ((c >= 'a' && c <= 'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 32;
  if (c == 0x0161 || c == 0x0153 || c == 0x017E) return c - 1;
  if (c == 0xFF) return 0x0178;
  return c;
}

std::u32string Fold(std::u32string s) {
  for (auto& c : s) c = Lower(c);
  return s;
}

size_t Find(const std::u32string& hay, const std::u32string& needle, size_t from, CompareMethod m) {
  if (m == CompareMethod::Binary) return hay.find(needle, from);
  return Fold(hay).find(Fold(needle), from);
}

}  // namespace

std::string LCase(std::string_view s) {
  auto u = Decode(s);
  for (auto& c : u) c = Lower(c);
  return Encode(u);
}

std::string UCase(std::string_view s) {
  auto u = Decode(s);
  for (auto& c : u) c = Upper(c);
  return Encode(u);
}

std::string LTrim(std::string_view s) {
  size_t b = s.find_first_not_of(' ');
  return b == std::string_view::npos ? std::string() : std::string(s.substr(b));
}

std::string RTrim(std::string_view s) {
  size_t e = s.find_last_not_of(' ');
  return e == std::string_view::npos ? std::string() : std::string(s.substr(0, e + 1));
}

std::string Trim(std::string_view s) { return LTrim(RTrim(s)); }

std::string Left(std::string_view s, size_t count) {
  auto u = Decode(s);
  return Encode(std::u32string_view(u).substr(0, count));
}

std::string Right(std::string_view s, size_t count) {
  auto u = Decode(s);
  return Encode(std::u32string_view(u).substr(u.size() > count ? u.size() - count : 0));
}

std::string Mid(std::string_view s, size_t start, size_t count) {
  if (start < 1) Raise(errInvalidProcedureCall);
  auto u = Decode(s);
  if (start > u.size()) return {};
  return Encode(std::u32string_view(u).substr(start - 1, count));
}

size_t Len(std::string_view s) { return Decode(s).size(); }

int StrComp(std::string_view a, std::string_view b, CompareMethod method) {
  if (method == CompareMethod::Binary) {
    int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
  }
  auto fa = Fold(Decode(a));
  auto fb = Fold(Decode(b));
  int c = fa.compare(fb);
  return c < 0 ? -1 : c > 0 ? 1 : 0;
}

size_t InStr(size_t start, std::string_view s, std::string_view find, CompareMethod method) {
  if (start < 1) Raise(errInvalidProcedureCall);
  auto hay = Decode(s);
  auto needle = Decode(find);
  if (start > hay.size() + 1) return 0;
  if (needle.empty()) return start;
  size_t p = Find(hay, needle, start - 1, method);
  return p == std::u32string::npos ? 0 : p + 1;
}

size_t InStr(std::string_view s, std::string_view find, CompareMethod method) {
  return InStr(1, s, find, method);
}

std::string Replace(std::string_view s, std::string_view find, std::string_view with, CompareMethod method) {
  auto hay = Decode(s);
  auto needle = Decode(find);
  if (needle.empty()) return std::string(s);
  auto rep = Decode(with);
  std::u32string out;
  size_t pos = 0;
  while (true) {
    size_t p = Find(hay, needle, pos, method);
    if (p == std::u32string::npos) break;
    out.append(hay, pos, p - pos);
    out += rep;
    pos = p + needle.size();
  }
  out.append(hay, pos);
  return Encode(out);
}

std::vector<std::string> Split(std::string_view s, std::string_view delimiter) {
  std::vector<std::string> out;
  if (delimiter.empty()) {
    out.emplace_back(s);
    return out;
  }
  size_t pos = 0;
  while (true) {
    size_t p = s.find(delimiter, pos);
    if (p == std::string_view::npos) break;
    out.emplace_back(s.substr(pos, p - pos));
    pos = p + delimiter.size();
  }
  out.emplace_back(s.substr(pos));
  return out;
}

std::string Join(const std::vector<std::string>& items, std::string_view delimiter) {
  std::string out;
  for (size_t i = 0; i < items.size(); ++i) {
    if (i) out += delimiter;
    out += items[i];
  }
  return out;
}

std::string Hex(uint32_t value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%X", value);
  return buf;
}

std::string FormatNumber(double value) {
  if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.0f", value);
    return buf;
  }
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.15G", value);
  return buf;
}

std::string ToAnsi(std::string_view utf8) {
  std::string out;
  for (char32_t cp : Decode(utf8)) {
    int b = CodePointToAnsi(cp);
    out += static_cast<char>(b < 0 ? '?' : b);
  }
  return out;
}

std::string FromAnsi(std::string_view ansi) {
  std::string out;
  for (char c : ansi) AppendUtf8(out, AnsiToCodePoint(static_cast<uint8_t>(c)));
  return out;
}

uint8_t Asc(std::string_view utf8) {
  auto u = Decode(utf8);
  if (u.empty()) Raise(errInvalidProcedureCall);
  int b = CodePointToAnsi(u[0]);
  return static_cast<uint8_t>(b < 0 ? '?' : b);
}

std::string Chr(uint8_t code) {
  std::string out;
  AppendUtf8(out, AnsiToCodePoint(code));
  return out;
}

std::string ChrW(char32_t codePoint) {
  std::string out;
  AppendUtf8(out, codePoint);
  return out;
}

std::string PercentEncode(std::string_view text, std::string_view keep) {
  static const char* hex = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    const bool plain = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                       c == '_' || c == '.' || c == '~' || keep.find(static_cast<char>(c)) != std::string_view::npos;
    if (plain) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

void ReserveLarge(std::string& s, size_t capacity) {
  s.reserve(capacity);
  constexpr uintptr_t kHugePage = uintptr_t{2} << 20;
  const auto begin = reinterpret_cast<uintptr_t>(s.data());
  const uintptr_t end = begin + s.capacity();
  const uintptr_t first = (begin + kHugePage - 1) & ~(kHugePage - 1);
  const uintptr_t last = end & ~(kHugePage - 1);
  // Advice only: a system without huge pages keeps ordinary ones.
  if (last > first) ::madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

}  // namespace rt
