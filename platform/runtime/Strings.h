// String functions of the runtime. Text is UTF-8 inside the program;
// "text compare" ignores case the way the system's ANSI code page
// (Windows-1252) does, "binary compare" compares bytes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rt {

enum class CompareMethod { Binary = 0, Text = 1 };

std::string LCase(std::string_view s);
std::string UCase(std::string_view s);
std::string Trim(std::string_view s);   // blanks only, as the runtime's Trim
std::string LTrim(std::string_view s);
std::string RTrim(std::string_view s);

// Left, Right and Mid count characters (code points), 1-based for Mid.
std::string Left(std::string_view s, size_t count);
std::string Right(std::string_view s, size_t count);
std::string Mid(std::string_view s, size_t start, size_t count = std::string::npos);
size_t Len(std::string_view s);  // characters

// -1, 0 or 1.
int StrComp(std::string_view a, std::string_view b, CompareMethod method = CompareMethod::Binary);
// 1-based character position of `find` in `s` from `start`, 0 when absent.
size_t InStr(size_t start, std::string_view s, std::string_view find, CompareMethod method = CompareMethod::Binary);
size_t InStr(std::string_view s, std::string_view find, CompareMethod method = CompareMethod::Binary);
std::string Replace(std::string_view s, std::string_view find, std::string_view with,
                    CompareMethod method = CompareMethod::Binary);
std::vector<std::string> Split(std::string_view s, std::string_view delimiter);
std::string Join(const std::vector<std::string>& items, std::string_view delimiter);
std::string Hex(uint32_t value);  // upper case, no leading zeros
// `text` with every byte other than an ASCII letter, a digit, "-", "_",
// "." and "~" and the characters of `keep` written as "%" and two upper-case
// hexadecimal digits, as addresses and the desktop's files want it.
std::string PercentEncode(std::string_view text, std::string_view keep = {});

// Reserves room for `capacity` bytes in `s`. A large reserve is backed by
// huge pages where the system offers them on request, so filling it takes
// a page fault every 2 MB instead of every 4 KB.
void ReserveLarge(std::string& s, size_t capacity);
// Numbers as the runtime prints them: integers without a decimal point,
// others with up to 15 significant digits.
std::string FormatNumber(double value);

// Windows-1252, the system's ANSI code page: every code 1..255 maps to one
// character and back without loss; the five codes the code page leaves
// undefined map to the control characters of the same value.
std::string ToAnsi(std::string_view utf8);     // UTF-8 -> Windows-1252 bytes ("?" for what has no code)
std::string FromAnsi(std::string_view ansi);   // Windows-1252 bytes -> UTF-8
uint8_t Asc(std::string_view utf8);            // ANSI code of the first character
std::string Chr(uint8_t code);                 // character of an ANSI code, as UTF-8
std::string ChrW(char32_t codePoint);          // character of a Unicode code point, as UTF-8

}  // namespace rt
