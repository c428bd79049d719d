// Sends keystrokes to the active form (the runtime's SendKeys): plain
// characters, and the key names {ENTER}, {ESC}, {TAB}, {BACKSPACE} and
// {F1} .. {F12}. Raises 5 for an unknown key name; does nothing when no
// form is active.
#pragma once

#include <string_view>

namespace forms {

void SendKeys(std::string_view keys);

}  // namespace forms
