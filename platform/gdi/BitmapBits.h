// The pixels of a bitmap, for layers that hand an image to something
// outside the drawing layer (a cursor of the window layer, a display), and
// bitmaps made from pixels (images that a program carries as data).
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/Types.h"

namespace gdi {

// The pixels as 32-bit ARGB with the colour premultiplied by alpha (opaque
// pixels have alpha 255), rows top to bottom; empty (and size 0 x 0) for a
// null or unknown handle.
std::vector<uint32_t> GetBitmapArgb(HBITMAP bitmap, SIZE* size);
// A bitmap from such pixels (drawn through its alpha when a pixel is not
// opaque); null when the size does not match the pixels.
HBITMAP CreateBitmapFromArgb(int width, int height, const std::vector<uint32_t>& argb);

}  // namespace gdi
