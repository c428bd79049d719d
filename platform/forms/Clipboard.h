// The clipboard, kept inside the process: text only.
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
