// The small pictures of the administration program, drawn by code: the
// entries of the main window's image lists, the icons of its tools and of
// the start page's links, and the pictures of the configuration tree. Each
// is drawn four times larger and shrunk, so its edges are smooth, and has a
// transparent background.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "com/StdPicture.h"

namespace qvadmin {

// The picture `key` at `size` x `size` pixels (16 or 24 as the lists use
// them); raises 35601 for a key without drawing.
com::StdPicturePtr DrawAppIcon(std::string_view key, int size = 16);

// Every key that has a drawing.
std::vector<std::string> AppIconKeys();

}  // namespace qvadmin
