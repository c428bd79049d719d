// The clipboard: text only, shared with the programs of the display
// (win/Clipboard.h).
#pragma once

#include <string>
#include <string_view>

namespace forms::Clipboard {

void Clear();
void SetText(std::string_view text);
std::string GetText();
// Whether the clipboard holds text.
bool HasText();

}  // namespace forms::Clipboard
