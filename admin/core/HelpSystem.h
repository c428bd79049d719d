// Help: the program's help file, beside the program, opened at a help
// context.
#pragma once

#include <cstdint>
#include <string>

namespace qvadmin {

// The help file as the help layer is given it: the program's folder, the
// file "QV_Admin.chm" and, after ">", the help window `window`.
std::string HelpFilePath(const std::string& window);

// Opens the help file at `context` in the help window `window` ("" is
// "Main"), owned by the main window. Errors are ignored: a missing help
// file shows nothing.
void ShowHelp(int32_t context, const std::string& window);

}  // namespace qvadmin
