#include "forms/Clipboard.h"

#include <optional>

namespace forms::Clipboard {

namespace {
std::optional<std::string>& Text() {
  static std::optional<std::string> text;
  return text;
}
}  // namespace

void Clear() { Text().reset(); }
void SetText(std::string_view text) { Text() = std::string(text); }
std::string GetText() { return Text().value_or(std::string()); }
bool HasText() { return Text().has_value(); }

}  // namespace forms::Clipboard
