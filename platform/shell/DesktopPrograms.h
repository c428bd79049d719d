// The desktop's own programs, found on the search path and started without
// waiting: a "mailto:" link goes to the mail program (xdg-email, else
// xdg-open), any other address, document or folder to xdg-open.
#pragma once

#include <string>

namespace shell {

// The path of a program of that name in a folder of PATH; "" when there
// is none.
std::string FindProgramOnPath(const std::string& name);

// Starts the desktop's program for `target`; false when there is none to
// start.
bool OpenWithDesktop(const std::string& target);

}  // namespace shell
