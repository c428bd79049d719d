// HTML Help as the programs call it: HtmlHelpA shows a topic of a help
// "file" in the help window. The help file is a folder of HTML pages
// (the name a program passes, "QV_Admin.chm", names the folder
// "QV_Admin.chm" or, without it, "QV_Admin"): index.html, the contents,
// and one page for each help context, listed in contexts.txt as lines
// "context page.html" ("#" starts a comment). A window name may follow the
// file after ">" and is not used. A context without a page (or with a
// missing page) shows the contents; a missing folder shows nothing and
// returns 0. Links between pages stay in the window; links to other
// places open with the desktop's handler.
//
// The forms layer's F1 (Form::SetHelpHandler) is wired to it: F1 opens the
// application's help file at the help context of the control or form.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "win/Types.h"

namespace help {

inline constexpr uint32_t HH_DISPLAY_TOPIC = 0x0000;
inline constexpr uint32_t HH_HELP_CONTEXT = 0x000F;
inline constexpr uint32_t HH_CLOSE_ALL = 0x0012;

// HH_HELP_CONTEXT: `data` is the context number; HH_DISPLAY_TOPIC: the
// contents; HH_CLOSE_ALL closes the help window. Returns the help window,
// 0 when nothing is shown.
win::HWND HtmlHelpA(win::HWND owner, std::string_view file, uint32_t command, uintptr_t data);

// The folder of a help file's pages, "" when there is none.
std::string HelpFolder(std::string_view file);
// The page of a context in a help folder ("index.html" when it has none or
// the page is missing).
std::string PageOfContext(const std::string& folder, int32_t context);

}  // namespace help
