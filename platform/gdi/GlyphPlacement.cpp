#include "gdi/GlyphPlacement.h"

#include <hb.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace gdi::detail {

namespace {

// A pixel column counts as inked from this coverage (of 255) on: the
// faint edge of an anti-aliased curve does not.
constexpr int kInkCoverage = 96;

}  // namespace

GlyphPlacement::Face& GlyphPlacement::FaceOf(PangoFont* font) {
  auto it = m_faces.find(font);
  if (it != m_faces.end()) return it->second;
  FontDescriptionOwner description(pango_font_describe_with_absolute_size(font));
  PangoFont* drawing = pango_font_map_load_font(pango_context_get_font_map(m_drawing), m_drawing, description.ptr);
  g_object_ref(font);
  if (drawing == nullptr) drawing = PANGO_FONT(g_object_ref(font));
  return m_faces.try_emplace(font, font, drawing).first->second;
}

const GlyphPlacement::Ink& GlyphPlacement::InkOf(Face& face, PangoGlyph glyph) {
  auto [it, added] = face.glyphs.try_emplace(glyph);
  Ink& ink = it->second;
  if (!added || (glyph & PANGO_GLYPH_UNKNOWN_FLAG) != 0 || glyph == PANGO_GLYPH_EMPTY) return ink;
  hb_glyph_extents_t outline{};
  if (!hb_font_get_glyph_extents(pango_font_get_hb_font(face.laidOut.ptr), glyph, &outline) || outline.width <= 0)
    return ink;
  // The hinted glyph as it is drawn: its pixel columns with enough ink.
  cairo_scaled_font_t* scaled = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(face.drawing.ptr));
  cairo_glyph_t g{glyph, 0, 0};
  cairo_text_extents_t extents{};
  cairo_scaled_font_glyph_extents(scaled, &g, 1, &extents);
  const int left = static_cast<int>(std::floor(extents.x_bearing)) - 2;
  const int top = static_cast<int>(std::floor(extents.y_bearing)) - 2;
  const int width = static_cast<int>(std::ceil(extents.width)) + 5;
  const int height = static_cast<int>(std::ceil(extents.height)) + 5;
  SurfaceOwner surface(cairo_image_surface_create(CAIRO_FORMAT_A8, width, height));
  {
    ContextOwner cr(cairo_create(surface.ptr));
    cairo_set_scaled_font(cr.ptr, scaled);
    g.x = -left;
    g.y = -top;
    cairo_show_glyphs(cr.ptr, &g, 1);
  }
  cairo_surface_flush(surface.ptr);
  const unsigned char* data = cairo_image_surface_get_data(surface.ptr);
  const int stride = cairo_image_surface_get_stride(surface.ptr);
  int first = width, last = -1;
  for (int x = 0; data != nullptr && x < width; ++x)
    for (int y = 0; y < height; ++y)
      if (data[y * stride + x] >= kInkCoverage) {
        first = std::min(first, x);
        last = std::max(last, x);
        break;
      }
  if (last < 0) return ink;
  ink.inked = true;
  ink.left = first + left;
  ink.right = last + left;
  ink.idealLeft = double(outline.x_bearing) / PANGO_SCALE;
  ink.idealRight = double(outline.x_bearing + outline.width) / PANGO_SCALE;
  return ink;
}

void GlyphPlacement::Show(cairo_t* cr, PangoLayoutLine* line, int x, int y) {
  std::vector<Spot> spots;
  int pen = 0;  // pango units from x
  for (GSList* r = line->runs; r != nullptr; r = r->next) {
    auto* run = static_cast<PangoLayoutRun*>(r->data);
    Face& face = FaceOf(run->item->analysis.font);
    for (int i = 0; i < run->glyphs->num_glyphs; ++i) {
      const PangoGlyphInfo& info = run->glyphs->glyphs[i];
      const double origin = x + double(pen + info.geometry.x_offset) / PANGO_SCALE;
      spots.push_back({&InkOf(face, info.glyph), origin, std::round(origin)});
      pen += info.geometry.width;
    }
  }
  ChooseSpots(spots);
  pen = 0;
  size_t n = 0;
  for (GSList* r = line->runs; r != nullptr; r = r->next) {
    auto* run = static_cast<PangoLayoutRun*>(r->data);
    GlyphStringOwner glyphs(pango_glyph_string_copy(run->glyphs));
    for (int i = 0; i < glyphs.ptr->num_glyphs; ++i, ++n)
      glyphs.ptr->glyphs[i].geometry.x_offset +=
          static_cast<int>(std::lround((spots[n].placed - spots[n].origin) * PANGO_SCALE));
    cairo_move_to(cr, x + double(pen) / PANGO_SCALE, y);
    pango_cairo_show_glyph_string(cr, FaceOf(run->item->analysis.font).drawing.ptr, glyphs.ptr);
    pen += pango_glyph_string_get_width(run->glyphs);
  }
}

// Each inked glyph goes to one of the three whole pixels around the spot
// that centres its hinted ink on its unhinted ink. Hinting makes a glyph's
// ink a little narrower or wider than its outline, so the gap wanted
// between two inks lies halfway between the unhinted gap and the gap of the
// two inks both centred; of the three pixels, the one whose gap to the ink
// before comes closest to it, not far from the centred spot. A glyph's
// place depends only on the glyphs before it, so the beginning of a text is
// drawn the same as the whole.
void GlyphPlacement::ChooseSpots(std::vector<Spot>& spots) {
  constexpr double kDriftWeight = 1;
  const Spot* previous = nullptr;
  double previousCentred = 0;
  for (Spot& spot : spots) {
    const Ink& ink = *spot.ink;
    if (!ink.inked) continue;
    const double centred = spot.origin + (ink.idealLeft + ink.idealRight) / 2 - (ink.left + ink.right + 1) / 2.0;
    double wanted = 0;
    if (previous != nullptr) {
      const double unhinted = (spot.origin + ink.idealLeft) - (previous->origin + previous->ink->idealRight);
      const double bothCentred = (centred + ink.left) - (previousCentred + previous->ink->right) - 1;
      wanted = (unhinted + bothCentred) / 2;
    }
    const double nearest = std::round(centred);
    double best = 0;
    for (double at = nearest - 1; at <= nearest + 1; ++at) {
      double cost = kDriftWeight * (at - centred) * (at - centred);
      if (previous != nullptr) {
        const double gap = (at + ink.left) - (previous->placed + previous->ink->right) - 1;
        cost += (gap - wanted) * (gap - wanted);
      }
      if (at == nearest - 1 || cost < best) {
        best = cost;
        spot.placed = at;
      }
    }
    previous = &spot;
    previousCentred = centred;
  }
}

}  // namespace gdi::detail
