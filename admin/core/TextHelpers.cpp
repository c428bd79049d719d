#include "core/TextHelpers.h"

namespace qvadmin {

bool IsTrueValue(int32_t v) { return v == -1; }

std::string CutAtNull(std::string_view s) { return std::string(s.substr(0, s.find('\0'))); }

std::string SqlQuote(std::string_view s) {
  std::string out;
  for (char c : s) {
    out += c;
    if (c == '\'') out += '\'';
  }
  return out;
}

std::string GetToken(std::string_view s, uint8_t n, std::string_view delimiter) {
  if (n == 0 || delimiter.empty()) return kPipeEnd;
  std::string_view rest = s;
  for (uint8_t i = 1;; ++i) {
    size_t cut = rest.find(delimiter);
    if (i == n) return std::string(rest.substr(0, cut));
    if (cut == std::string_view::npos) return kPipeEnd;
    rest.remove_prefix(cut + delimiter.size());
  }
}

}  // namespace qvadmin
