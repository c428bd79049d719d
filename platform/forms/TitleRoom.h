// The width a window needs to show its whole title: the window manager
// draws the title in its frame beside its icon and its buttons (close, and
// for other windows minimise and maximise), and cuts a title that does not
// fit in the middle. Message boxes and dialogs that size themselves to
// their content are at least this wide.
#pragma once

#include <string_view>

#include "com/StdFont.h"

namespace forms {

// Client pixels for `title` in the bold variant of `font` (the caption
// font) and the frame's icon, buttons and edges beside it.
int WidthForTitle(std::string_view title, const com::StdFontPtr& font);

}  // namespace forms
