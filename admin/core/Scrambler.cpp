#include "core/Scrambler.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/CoreMessage.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace qvadmin {
namespace {

constexpr int32_t errOverflow = 6;

// 16-bit signed arithmetic as the original: a result outside the range is
// an overflow error.
int16_t I16(int32_t v) {
  if (v < INT16_MIN || v > INT16_MAX) rt::Raise(errOverflow);
  return static_cast<int16_t>(v);
}

// Conversion of a double to a 16-bit integer: nearest, halves to even.
int16_t CInt(double v) {
  double r = std::nearbyint(v);  // default rounding mode: to nearest, ties to even
  if (!(r >= INT16_MIN && r <= INT16_MAX)) rt::Raise(errOverflow);
  return static_cast<int16_t>(r);
}

int16_t Clamp(int16_t v, int16_t lo, int16_t hi) { return v > hi ? hi : (v < lo ? lo : v); }

int16_t Half(int16_t v) { return static_cast<int16_t>(std::floor(v / 2.0)); }

// The running key and coefficients; their course never depends on the text.
class KeyStream {
 public:
  KeyStream(int16_t& key, const std::array<int16_t, 9>& c) : m_key(key), m_c(c) {
    m_key = Clamp(m_key, 1, 255);
    for (auto& x : m_c) x = Clamp(x, 1, 100);
  }

  int16_t Key() const { return m_key; }

  void Advance() {
    auto& c = m_c;
    double k1 = (static_cast<double>(I16(c[0] + c[1] - m_key)) / c[2]) * I16(c[3] - c[4] - c[5]) +
                (static_cast<double>(c[6]) / c[7] + c[8]);
    m_key = CInt(k1);
    double w = (static_cast<double>(I16(c[7] + c[8])) / c[6]) * I16(c[5] - c[3] - c[4]) +
               (static_cast<double>(c[2]) / c[1] + c[0]);
    int16_t next = CInt(static_cast<double>(m_key) - std::floor(w));
    while (next >= 256) next = static_cast<int16_t>(next - 255);
    m_key = next;

    c[0] = I16(c[0] + Half(c[1]));
    c[1] = I16(c[1] - 2 * c[2]);
    c[2] = I16(c[2] + Half(c[3]));
    c[3] = I16(c[3] - 2 * c[4]);
    c[4] = I16(c[4] + Half(c[5]));
    c[5] = I16(c[5] - 2 * c[6]);
    c[6] = I16(c[6] + Half(c[7]));
    c[7] = I16(c[7] - 2 * c[8]);
    c[8] = I16(c[8] + Half(c[0]));
    for (auto& x : c) x = Clamp(x, 1, 100);
  }

 private:
  int16_t& m_key;
  std::array<int16_t, 9> m_c;
};

// A code the character set has no character for: the orderly error of a
// running key that fell to 0 or below.
char CodeToChar(int32_t code) {
  if (code < 0 || code > 255) rt::Raise(rt::errInvalidProcedureCall);
  return static_cast<char>(static_cast<uint8_t>(code));
}

// The characters of `text` that have no code in Windows-1252 (and, with
// `withCodeZero`, the character with code 0), each once, in order.
std::vector<std::string> UnscramblableCharacters(std::string_view text, bool withCodeZero) {
  std::vector<std::string> found;
  for (size_t i = 0; i < text.size();) {
    size_t length = 1;
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xF0)
      length = 4;
    else if (lead >= 0xE0)
      length = 3;
    else if (lead >= 0xC0)
      length = 2;
    const std::string character(text.substr(i, length));
    i += length;
    const std::string ansi = rt::ToAnsi(character);
    const bool kept = ansi.size() == 1 && (ansi[0] != '\0' || !withCodeZero) && rt::FromAnsi(ansi) == character;
    if (!kept && std::find(found.begin(), found.end(), character) == found.end()) found.push_back(character);
  }
  return found;
}

template <class Substitute>
std::string Run(std::string_view text, int16_t& key, const std::array<int16_t, 9>& c, Substitute substitute) {
  KeyStream stream(key, c);
  std::string ansi = rt::ToAnsi(text);
  std::string out;
  out.reserve(ansi.size());
  for (char ch : ansi) {
    out += CodeToChar(substitute(static_cast<uint8_t>(ch), stream.Key()));
    stream.Advance();
  }
  return rt::FromAnsi(out);
}

}  // namespace

bool SurvivesScrambling(std::string_view text) { return UnscramblableCharacters(text, true).empty(); }

bool CheckScramblable(const std::string& text, const std::string& what) {
  const std::vector<std::string> found = UnscramblableCharacters(text, true);
  if (found.empty()) return true;
  std::string list;
  for (const std::string& character : found) {
    if (!list.empty()) list += " ";
    list += character == std::string(1, '\0') ? std::string("(code 0)") : "\"" + character + "\"";
  }
  ShowCoreMessage("The " + what + " contains characters that can't be stored: " + list +
                      ".\r\rPlease use only letters, digits and signs of Western European languages.",
                  vbExclamation, "Characters that can't be stored");
  return false;
}

std::string ScrambleText(std::string_view text, int16_t& key, int16_t c0, int16_t c1, int16_t c2,
                         int16_t c3, int16_t c4, int16_t c5, int16_t c6, int16_t c7, int16_t c8) {
  // A character without a code would be scrambled as "?" and come back
  // changed. (Code 0 keeps the arithmetic of stored data.)
  if (!UnscramblableCharacters(text, false).empty()) {
    rt::Raise(rt::errInvalidProcedureCall, "ScrambleText", "The text holds characters that can't be scrambled.");
  }
  return Run(text, key, {c0, c1, c2, c3, c4, c5, c6, c7, c8}, [](int32_t a, int32_t k) {
    int32_t s = a + k;
    return s > 255 ? s - 255 : s;
  });
}

std::string UnscrambleText(std::string_view text, int16_t& key, int16_t c0, int16_t c1, int16_t c2,
                           int16_t c3, int16_t c4, int16_t c5, int16_t c6, int16_t c7, int16_t c8) {
  return Run(text, key, {c0, c1, c2, c3, c4, c5, c6, c7, c8}, [](int32_t a, int32_t k) {
    int32_t s = a - k;
    return s < 1 ? s + 255 : s;
  });
}

std::string ScrambleText(std::string_view text, const ScrambleKeySet& k) {
  int16_t key = k.key;
  return ScrambleText(text, key, k.c[0], k.c[1], k.c[2], k.c[3], k.c[4], k.c[5], k.c[6], k.c[7], k.c[8]);
}

std::string UnscrambleText(std::string_view text, const ScrambleKeySet& k) {
  int16_t key = k.key;
  return UnscrambleText(text, key, k.c[0], k.c[1], k.c[2], k.c[3], k.c[4], k.c[5], k.c[6], k.c[7], k.c[8]);
}

}  // namespace qvadmin
