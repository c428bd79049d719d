// The clipboard's text, shared with the other programs of the display
// (the CLIPBOARD selection as UTF-8 text); without a display it lives in
// the process.
#pragma once

#include <optional>
#include <string>

namespace win {

// Puts text on the clipboard; nullopt empties it.
void SetClipboardText(std::optional<std::string> text);
// The clipboard's text; nullopt when it holds none.
std::optional<std::string> GetClipboardText();

}  // namespace win
