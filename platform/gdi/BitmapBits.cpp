#include "gdi/BitmapBits.h"

#include "gdi/ObjectTable.h"

namespace gdi {

std::vector<uint32_t> GetBitmapArgb(HBITMAP bitmap, SIZE* size) {
  auto buffer = detail::Find<detail::PixelBuffer>(ToInt(bitmap));
  if (size != nullptr) *size = buffer ? SIZE{buffer->width, buffer->height} : SIZE{};
  return buffer ? buffer->pixels : std::vector<uint32_t>{};
}

}  // namespace gdi
