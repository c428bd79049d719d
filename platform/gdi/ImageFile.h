// Pictures from image files in the formats the system's image loader
// reads (gdk-pixbuf: PNG, ICO, BMP, GIF, JPEG, ...): the first image of the
// file with its transparency. A null handle when the file is missing or no
// readable image.
#pragma once

#include <string>

#include "gdi/Types.h"

namespace gdi {

HBITMAP LoadBitmapFromImageFile(const std::string& path);
HICON LoadIconFromImageFile(const std::string& path);

}  // namespace gdi
