// A link that leaves the program: a "mailto:" link or an address for
// another program, handed to the desktop's program for it. When there is
// none, a plain message box says so.
#pragma once

#include <string>

namespace forms {

// Whether the address is a "mailto:" link (any case).
bool IsMailLink(const std::string& address);

// Opens the address with the desktop's program; false, after the box that
// says so, when there is none.
bool OpenLinkOnDesktop(const std::string& address);

}  // namespace forms
