#include "gdi/Raster.h"

#include <cairo.h>

#include <cmath>
#include <cstdlib>
#include <memory>

namespace gdi::detail {

namespace {

// A cairo context drawing straight into the pixels, clipped.
struct CairoTarget {
  CairoTarget(PixelBuffer& target, const RECT& clip) {
    surface = cairo_image_surface_create_for_data(reinterpret_cast<unsigned char*>(target.pixels.data()),
                                                  CAIRO_FORMAT_ARGB32, target.width, target.height, target.width * 4);
    cr = cairo_create(surface);
    cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_rectangle(cr, clip.left, clip.top, clip.right - clip.left, clip.bottom - clip.top);
    cairo_clip(cr);
  }
  ~CairoTarget() {
    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_surface_destroy(surface);
  }
  CairoTarget(const CairoTarget&) = delete;
  CairoTarget& operator=(const CairoTarget&) = delete;

  void SetColor(COLORREF c) {
    cairo_set_source_rgb(cr, GetRValue(c) / 255.0, GetGValue(c) / 255.0, GetBValue(c) / 255.0);
  }

  cairo_surface_t* surface = nullptr;
  cairo_t* cr = nullptr;
};

void EllipsePath(cairo_t* cr, double l, double t, double r, double b) {
  double w = r - l, h = b - t;
  if (w <= 0 || h <= 0) return;
  cairo_save(cr);
  cairo_translate(cr, l + w / 2, t + h / 2);
  cairo_scale(cr, w / 2, h / 2);
  cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(cr);
}

void RoundRectPath(cairo_t* cr, double l, double t, double r, double b, double ew, double eh) {
  double rx = std::min(ew / 2, (r - l) / 2), ry = std::min(eh / 2, (b - t) / 2);
  if (rx <= 0 || ry <= 0) {
    cairo_rectangle(cr, l, t, r - l, b - t);
    return;
  }
  auto corner = [&](double cx, double cy, double a1, double a2) {
    cairo_save(cr);
    cairo_translate(cr, cx, cy);
    cairo_scale(cr, rx, ry);
    cairo_arc(cr, 0, 0, 1, a1, a2);
    cairo_restore(cr);
  };
  cairo_new_sub_path(cr);
  corner(r - rx, t + ry, -M_PI / 2, 0);
  corner(r - rx, b - ry, 0, M_PI / 2);
  corner(l + rx, b - ry, M_PI / 2, M_PI);
  corner(l + rx, t + ry, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

// The path of a shape, with its outline inset by `inset` pixels.
void ShapePath(cairo_t* cr, const Shape& s, double inset) {
  RECT b = Normalized(s.box);
  switch (s.kind) {
    case ShapeKind::Ellipse:
      EllipsePath(cr, b.left + inset, b.top + inset, b.right - inset, b.bottom - inset);
      break;
    case ShapeKind::RoundRect:
      RoundRectPath(cr, b.left + inset, b.top + inset, b.right - inset, b.bottom - inset, s.ellipseWidth,
                    s.ellipseHeight);
      break;
    case ShapeKind::Polygon:
    case ShapeKind::Polyline:
      for (size_t i = 0; i < s.points.size(); ++i) {
        double x = s.points[i].x + 0.5, y = s.points[i].y + 0.5;
        if (i == 0)
          cairo_move_to(cr, x, y);
        else
          cairo_line_to(cr, x, y);
      }
      if (s.kind == ShapeKind::Polygon) cairo_close_path(cr);
      break;
  }
}

// Dash patterns of the pen styles, in pixels.
std::vector<int> DashPattern(int style) {
  switch (style) {
    case PS_DASH:
      return {18, 6};
    case PS_DOT:
      return {3, 3};
    case PS_DASHDOT:
      return {9, 6, 3, 6};
    case PS_DASHDOTDOT:
      return {9, 3, 3, 3, 3, 3};
    default:
      return {};
  }
}

}  // namespace

void FillShape(PixelBuffer& target, const RECT& clip, const Shape& shape, COLORREF color) {
  if (target.pixels.empty()) return;
  CairoTarget t(target, clip);
  t.SetColor(color);
  ShapePath(t.cr, shape, 0.5);
  cairo_fill(t.cr);
}

void StrokeShape(PixelBuffer& target, const RECT& clip, const Shape& shape, COLORREF color, int width, int style) {
  if (target.pixels.empty() || style == PS_NULL) return;
  CairoTarget t(target, clip);
  t.SetColor(color);
  cairo_set_line_width(t.cr, width);
  cairo_set_line_cap(t.cr, width > 1 ? CAIRO_LINE_CAP_ROUND : CAIRO_LINE_CAP_SQUARE);
  cairo_set_line_join(t.cr, width > 1 ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
  std::vector<int> pattern = width > 1 ? std::vector<int>{} : DashPattern(style);
  if (!pattern.empty()) {
    std::vector<double> dashes(pattern.begin(), pattern.end());
    cairo_set_dash(t.cr, dashes.data(), static_cast<int>(dashes.size()), 0);
  }
  ShapePath(t.cr, shape, shape.kind == ShapeKind::Ellipse || shape.kind == ShapeKind::RoundRect ? width / 2.0 : 0);
  cairo_stroke(t.cr);
}

void DrawThinLine(PixelBuffer& target, const RECT& clip, POINT from, POINT to, uint32_t pixel, int style) {
  if (style == PS_NULL) return;
  RECT area = Intersect(clip, target.Bounds());
  std::vector<int> pattern = DashPattern(style);
  int period = 0;
  for (int p : pattern) period += p;
  int dx = std::abs(to.x - from.x), dy = -std::abs(to.y - from.y);
  int sx = from.x < to.x ? 1 : -1, sy = from.y < to.y ? 1 : -1;
  int err = dx + dy;
  int x = from.x, y = from.y;
  for (int step = 0; !(x == to.x && y == to.y); ++step) {
    bool on = true;
    if (period > 0) {
      int pos = step % period;
      for (size_t i = 0; i < pattern.size(); ++i) {
        if (pos < pattern[i]) {
          on = i % 2 == 0;
          break;
        }
        pos -= pattern[i];
      }
    }
    if (on && x >= area.left && x < area.right && y >= area.top && y < area.bottom) target.Row(y)[x] = pixel;
    int e2 = 2 * err;
    if (e2 >= dy) {
      err += dy;
      x += sx;
    }
    if (e2 <= dx) {
      err += dx;
      y += sy;
    }
  }
}

void DrawAveraged(PixelBuffer& dst, const RECT& clip, const PixelBuffer& src, const RECT& srcRect,
                  const RECT& dstRect) {
  const int dw = dstRect.right - dstRect.left, dh = dstRect.bottom - dstRect.top;
  const int sw = srcRect.right - srcRect.left, sh = srcRect.bottom - srcRect.top;
  if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
  const RECT area = Intersect(Intersect(dstRect, clip), dst.Bounds());
  // The source span [first, last) that target pixel i of n covers.
  auto span = [](int i, int n, int start, int length) {
    const int first = start + static_cast<int>(static_cast<int64_t>(i) * length / n);
    const int last = start + static_cast<int>(static_cast<int64_t>(i + 1) * length / n);
    return std::pair<int, int>{first, std::max(last, first + 1)};
  };
  for (int y = area.top; y < area.bottom; ++y) {
    const auto [y0, y1] = span(y - dstRect.top, dh, srcRect.top, sh);
    uint32_t* row = dst.Row(y);
    for (int x = area.left; x < area.right; ++x) {
      const auto [x0, x1] = span(x - dstRect.left, dw, srcRect.left, sw);
      uint64_t sum[3] = {0, 0, 0};
      uint64_t count = 0;
      for (int sy = std::max(y0, 0); sy < std::min(y1, src.height); ++sy) {
        const uint32_t* srow = src.Row(sy);
        for (int sx = std::max(x0, 0); sx < std::min(x1, src.width); ++sx) {
          for (int c = 0; c < 3; ++c) sum[c] += (srow[sx] >> (8 * c)) & 0xFF;
          ++count;
        }
      }
      if (count == 0) continue;
      uint32_t p = 0xFF000000u;
      for (int c = 0; c < 3; ++c) p |= static_cast<uint32_t>((sum[c] + count / 2) / count) << (8 * c);
      row[x] = p;
    }
  }
}

void DrawScaled(PixelBuffer& dst, const RECT& clip, const PixelBuffer& src, const RECT& srcRect, const RECT& dstRect,
                bool over) {
  int dw = dstRect.right - dstRect.left, dh = dstRect.bottom - dstRect.top;
  int sw = srcRect.right - srcRect.left, sh = srcRect.bottom - srcRect.top;
  if (dw == 0 || dh == 0 || sw == 0 || sh == 0) return;
  RECT area = Intersect(Intersect(Normalized(dstRect), clip), dst.Bounds());
  for (int y = area.top; y < area.bottom; ++y) {
    // The source pixel under this target pixel's centre.
    int sy = srcRect.top + static_cast<int>(std::floor((y - dstRect.top + 0.5) * sh / dh));
    if (sy < 0 || sy >= src.height) continue;
    uint32_t* row = dst.Row(y);
    const uint32_t* srow = src.Row(sy);
    for (int x = area.left; x < area.right; ++x) {
      int sx = srcRect.left + static_cast<int>(std::floor((x - dstRect.left + 0.5) * sw / dw));
      if (sx < 0 || sx >= src.width) continue;
      uint32_t p = srow[sx];
      row[x] = over ? BlendOver(row[x], p) : (p | 0xFF000000u);
    }
  }
}

}  // namespace gdi::detail
