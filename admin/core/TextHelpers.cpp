#include "core/TextHelpers.h"

#include <cctype>
#include <utility>

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

std::string HtmlToPlainText(std::string_view html) {
  static constexpr std::pair<std::string_view, std::string_view> kEntities[] = {
      {"&lt;", "<"}, {"&gt;", ">"}, {"&quot;", "\""}, {"&nbsp;", " "}, {"&amp;", "&"}};
  std::string out;
  for (size_t i = 0; i < html.size();) {
    const char c = html[i];
    if (c == '<' && i + 1 < html.size() &&
        (std::isalpha(static_cast<unsigned char>(html[i + 1])) || html[i + 1] == '/')) {
      const size_t close = html.find('>', i);
      if (close != std::string_view::npos) {
        std::string name;
        for (size_t j = i + 1; j < close && std::isalpha(static_cast<unsigned char>(html[j])); ++j) {
          name += static_cast<char>(std::tolower(static_cast<unsigned char>(html[j])));
        }
        if (name == "br") out += "\r\n";
        i = close + 1;
        continue;
      }
    }
    if (c == '&') {
      bool decoded = false;
      for (const auto& [entity, text] : kEntities) {
        if (html.substr(i, entity.size()) == entity) {
          out += text;
          i += entity.size();
          decoded = true;
          break;
        }
      }
      if (decoded) continue;
    }
    out += c;
    ++i;
  }
  return out;
}

}  // namespace qvadmin
