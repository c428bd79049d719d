// The pixels of a bitmap, for layers that hand an image to something
// outside the drawing layer (a cursor of the window layer, a display).
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/Types.h"

namespace gdi {

// The pixels as 32-bit ARGB with the colour premultiplied by alpha (opaque
// pixels have alpha 255), rows top to bottom; empty (and size 0 x 0) for a
// null or unknown handle.
std::vector<uint32_t> GetBitmapArgb(HBITMAP bitmap, SIZE* size);

}  // namespace gdi
