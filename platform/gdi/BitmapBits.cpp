#include "gdi/BitmapBits.h"

#include "gdi/ObjectTable.h"

namespace gdi {

std::vector<uint32_t> GetBitmapArgb(HBITMAP bitmap, SIZE* size) {
  auto buffer = detail::Find<detail::PixelBuffer>(ToInt(bitmap));
  if (size != nullptr) *size = buffer ? SIZE{buffer->width, buffer->height} : SIZE{};
  return buffer ? buffer->pixels : std::vector<uint32_t>{};
}

HBITMAP CreateBitmapFromArgb(int width, int height, const std::vector<uint32_t>& argb) {
  if (width <= 0 || height <= 0 || argb.size() != static_cast<size_t>(width) * static_cast<size_t>(height)) {
    return HBITMAP{};
  }
  auto buffer = std::make_shared<detail::PixelBuffer>(width, height, 0u);
  buffer->pixels = argb;
  buffer->hasAlpha = buffer->AnyTransparent();
  return HBITMAP{detail::AddObject(std::move(buffer))};
}

}  // namespace gdi
