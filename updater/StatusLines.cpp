#include "StatusLines.h"

namespace verscout {

namespace {

constexpr std::string_view kContinuation = "  ";

// The length of the longest start of `rest` that fits behind `lead`;
// breaks at whole UTF-8 characters.
size_t LongestFit(std::string_view lead, std::string_view rest, int width,
                  const std::function<int(std::string_view)>& widthOf) {
  size_t fits = 0;
  for (size_t end = 1; end <= rest.size(); ++end) {
    if (end < rest.size() && (static_cast<unsigned char>(rest[end]) & 0xC0) == 0x80) continue;
    if (widthOf(std::string(lead) + std::string(rest.substr(0, end))) > width) break;
    fits = end;
  }
  return fits;
}

}  // namespace

std::vector<std::string> SplitToWidth(const std::string& text, int width,
                                      const std::function<int(std::string_view)>& widthOf) {
  std::vector<std::string> rows;
  std::string_view rest = text;
  while (!rest.empty()) {
    const std::string_view lead = rows.empty() ? std::string_view() : kContinuation;
    size_t cut = rest.size();
    if (widthOf(std::string(lead) + std::string(rest)) > width) {
      const size_t fits = LongestFit(lead, rest, width, widthOf);
      const std::string_view head = rest.substr(0, fits);
      const size_t blank = head.find_last_of(' ');
      const size_t slash = head.find_last_of('/');
      if (fits < rest.size() && rest[fits] == ' ') {
        cut = fits;
      } else if (blank != std::string_view::npos && blank > 0) {
        cut = blank;
      } else if (slash != std::string_view::npos && slash > 0) {
        cut = slash + 1;
      } else {
        // Not even one character fits: it stands alone.
        cut = fits;
        while (cut == 0 || (cut < rest.size() && (static_cast<unsigned char>(rest[cut]) & 0xC0) == 0x80)) ++cut;
      }
    }
    std::string row(lead);
    row += rest.substr(0, cut);
    while (row.size() > lead.size() && row.back() == ' ') row.pop_back();
    rows.push_back(std::move(row));
    rest.remove_prefix(cut);
    while (!rest.empty() && rest.front() == ' ') rest.remove_prefix(1);
  }
  return rows;
}

}  // namespace verscout
