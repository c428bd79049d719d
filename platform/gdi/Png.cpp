#include "gdi/Png.h"

#include <cairo.h>

#include <cstring>

namespace gdi::detail {

namespace {

struct SurfaceOwner {
  explicit SurfaceOwner(cairo_surface_t* s) : surface(s) {}
  ~SurfaceOwner() { cairo_surface_destroy(surface); }
  SurfaceOwner(const SurfaceOwner&) = delete;
  SurfaceOwner& operator=(const SurfaceOwner&) = delete;
  cairo_surface_t* surface;
};

std::shared_ptr<PixelBuffer> FromSurface(cairo_surface_t* surface) {
  SurfaceOwner owner(surface);
  if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) return nullptr;
  cairo_surface_flush(surface);
  cairo_format_t format = cairo_image_surface_get_format(surface);
  if (format != CAIRO_FORMAT_ARGB32 && format != CAIRO_FORMAT_RGB24) {
    // Other PNG layouts (grey, palette) are drawn into ARGB32 first.
    int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
    cairo_surface_t* converted = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h);
    cairo_t* cr = cairo_create(converted);
    cairo_set_source_surface(cr, surface, 0, 0);
    cairo_paint(cr);
    cairo_destroy(cr);
    return FromSurface(converted);
  }
  int w = cairo_image_surface_get_width(surface), h = cairo_image_surface_get_height(surface);
  int stride = cairo_image_surface_get_stride(surface);
  const unsigned char* data = cairo_image_surface_get_data(surface);
  auto buffer = std::make_shared<PixelBuffer>(w, h, 0);
  for (int y = 0; y < h; ++y) {
    std::memcpy(buffer->Row(y), data + static_cast<size_t>(y) * stride, static_cast<size_t>(w) * 4);
    if (format == CAIRO_FORMAT_RGB24)
      for (int x = 0; x < w; ++x) buffer->Row(y)[x] |= 0xFF000000u;
  }
  buffer->hasAlpha = buffer->AnyTransparent();
  return buffer;
}

cairo_surface_t* SurfaceFor(const PixelBuffer& buffer) {
  // cairo only reads the data when writing PNG.
  return cairo_image_surface_create_for_data(
      reinterpret_cast<unsigned char*>(const_cast<uint32_t*>(buffer.pixels.data())), CAIRO_FORMAT_ARGB32, buffer.width,
      buffer.height, buffer.width * 4);
}

struct ByteReader {
  const std::vector<uint8_t>* bytes;
  size_t offset;
};

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* r = static_cast<ByteReader*>(closure);
  if (r->offset + length > r->bytes->size()) return CAIRO_STATUS_READ_ERROR;
  std::memcpy(data, r->bytes->data() + r->offset, length);
  r->offset += length;
  return CAIRO_STATUS_SUCCESS;
}

cairo_status_t WriteBytes(void* closure, const unsigned char* data, unsigned int length) {
  auto* out = static_cast<std::vector<uint8_t>*>(closure);
  out->insert(out->end(), data, data + length);
  return CAIRO_STATUS_SUCCESS;
}

}  // namespace

std::shared_ptr<PixelBuffer> DecodePngFile(const std::string& path) {
  return FromSurface(cairo_image_surface_create_from_png(path.c_str()));
}

std::shared_ptr<PixelBuffer> DecodePngBytes(const std::vector<uint8_t>& bytes) {
  ByteReader reader{&bytes, 0};
  return FromSurface(cairo_image_surface_create_from_png_stream(ReadBytes, &reader));
}

bool WritePngFile(const PixelBuffer& buffer, const std::string& path) {
  if (buffer.width <= 0 || buffer.height <= 0) return false;
  SurfaceOwner owner(SurfaceFor(buffer));
  return cairo_surface_write_to_png(owner.surface, path.c_str()) == CAIRO_STATUS_SUCCESS;
}

std::vector<uint8_t> EncodePngBytes(const PixelBuffer& buffer) {
  std::vector<uint8_t> out;
  if (buffer.width <= 0 || buffer.height <= 0) return out;
  SurfaceOwner owner(SurfaceFor(buffer));
  if (cairo_surface_write_to_png_stream(owner.surface, WriteBytes, &out) != CAIRO_STATUS_SUCCESS) out.clear();
  return out;
}

}  // namespace gdi::detail
