#include "gdi/ImageFile.h"

#include <gdk-pixbuf/gdk-pixbuf.h>

#include <memory>

#include "gdi/ObjectTable.h"
#include "gdi/PixelBuffer.h"

namespace gdi {

using namespace detail;

namespace {

struct PixbufDeleter {
  void operator()(GdkPixbuf* pixbuf) const { g_object_unref(pixbuf); }
};

// The image as the layer's premultiplied pixels.
std::shared_ptr<PixelBuffer> Decode(const std::string& path) {
  GError* error = nullptr;
  std::unique_ptr<GdkPixbuf, PixbufDeleter> pixbuf(gdk_pixbuf_new_from_file(path.c_str(), &error));
  if (error) g_error_free(error);
  if (!pixbuf || gdk_pixbuf_get_colorspace(pixbuf.get()) != GDK_COLORSPACE_RGB ||
      gdk_pixbuf_get_bits_per_sample(pixbuf.get()) != 8) {
    return nullptr;
  }
  const int width = gdk_pixbuf_get_width(pixbuf.get());
  const int height = gdk_pixbuf_get_height(pixbuf.get());
  const int channels = gdk_pixbuf_get_n_channels(pixbuf.get());
  const int stride = gdk_pixbuf_get_rowstride(pixbuf.get());
  const bool alpha = gdk_pixbuf_get_has_alpha(pixbuf.get()) && channels == 4;
  const guchar* pixels = gdk_pixbuf_read_pixels(pixbuf.get());
  auto buffer = std::make_shared<PixelBuffer>(width, height, 0);
  for (int y = 0; y < height; ++y) {
    const guchar* row = pixels + static_cast<ptrdiff_t>(y) * stride;
    uint32_t* out = buffer->Row(y);
    for (int x = 0; x < width; ++x) {
      const guchar* p = row + static_cast<ptrdiff_t>(x) * channels;
      const uint32_t a = alpha ? p[3] : 255;
      auto pre = [a](uint32_t c) { return (c * a + 127) / 255; };
      out[x] = (a << 24) | (pre(p[0]) << 16) | (pre(p[1]) << 8) | pre(p[2]);
    }
  }
  buffer->hasAlpha = alpha && buffer->AnyTransparent();
  return buffer;
}

}  // namespace

HBITMAP LoadBitmapFromImageFile(const std::string& path) {
  auto buffer = Decode(path);
  return buffer ? HBITMAP{AddObject(std::move(buffer))} : HBITMAP{};
}

HICON LoadIconFromImageFile(const std::string& path) {
  auto buffer = Decode(path);
  if (!buffer) return HICON{};
  buffer->hasAlpha = true;
  return HICON{AddObject(std::make_shared<IconObj>(IconObj{std::move(buffer)}))};
}

}  // namespace gdi
