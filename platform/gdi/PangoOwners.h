// Owners of the cairo and pango objects the font backend makes: each frees
// its object when it goes out of scope.
#pragma once

#include <cairo.h>
#include <pango/pangocairo.h>

namespace gdi::detail {

template <class T, void (*Free)(T*)>
struct Owner {
  explicit Owner(T* p = nullptr) : ptr(p) {}
  ~Owner() {
    if (ptr != nullptr) Free(ptr);
  }
  Owner(const Owner&) = delete;
  Owner& operator=(const Owner&) = delete;
  T* ptr;
};

inline void UnrefFont(PangoFont* font) { g_object_unref(font); }

using FontDescriptionOwner = Owner<PangoFontDescription, pango_font_description_free>;
using FontMetricsOwner = Owner<PangoFontMetrics, pango_font_metrics_unref>;
using FontOwner = Owner<PangoFont, UnrefFont>;
using GlyphStringOwner = Owner<PangoGlyphString, pango_glyph_string_free>;
using SurfaceOwner = Owner<cairo_surface_t, cairo_surface_destroy>;
using ContextOwner = Owner<cairo_t, cairo_destroy>;

}  // namespace gdi::detail
