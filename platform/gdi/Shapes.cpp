#include "gdi/Shapes.h"

#include <algorithm>
#include <cmath>

#include "gdi/ObjectTable.h"
#include "gdi/Raster.h"
#include "gdi/SysColors.h"

namespace gdi {

using namespace detail;

namespace {

std::string PenText(const DcState& s) {
  return s.pen->style == PS_NULL ? "pen=none" : "pen=" + ColorText(s.pen->color);
}
std::string BrushText(const DcState& s) {
  return s.brush->hollow ? "brush=none" : "brush=" + ColorText(s.brush->color);
}

// Outline and interior of a closed shape with the DC's pen and brush.
bool DrawClosed(HDC hdc, const Shape& shape, const std::string& record) {
  auto dc = FindDc(hdc);
  if (!dc) return false;
  const DcState& s = dc->state;
  dc->Record(record + " " + PenText(s) + " " + BrushText(s));
  RECT clip = dc->ClipRect();
  if (!s.brush->hollow) FillShape(dc->Target(), clip, shape, s.brush->color);
  if (s.pen->style != PS_NULL) StrokeShape(dc->Target(), clip, shape, s.pen->color, s.pen->width, s.pen->style);
  return true;
}

// A polyline with the DC's pen; thin pens draw exactly, leaving out the
// last point as on the original.
void StrokeLines(DcObj& dc, const std::vector<POINT>& points) {
  const PenObj& pen = *dc.state.pen;
  if (pen.style == PS_NULL || points.size() < 2) return;
  if (pen.width <= 1) {
    for (size_t i = 1; i < points.size(); ++i)
      DrawThinLine(dc.Target(), dc.ClipRect(), points[i - 1], points[i], ToPixel(pen.color), pen.style);
    return;
  }
  Shape shape;
  shape.kind = ShapeKind::Polyline;
  shape.points = points;
  StrokeShape(dc.Target(), dc.ClipRect(), shape, pen.color, pen.width, pen.style);
}

std::string PointsText(const POINT* points, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) text += ' ';
    text += std::to_string(points[i].x) + "," + std::to_string(points[i].y);
  }
  return text;
}

}  // namespace

int FillRect(HDC hdc, const RECT& rect, HBRUSH brush) {
  auto dc = FindDc(hdc);
  auto b = Find<BrushObj>(ToInt(brush));
  if (!dc || !b) return 0;
  if (dc->recording) dc->Record("FillRect " + RectText(rect) + " " + (b->hollow ? std::string("none") : ColorText(b->color)));
  if (!b->hollow) FillPixels(dc->Target(), dc->ClipRect(), rect, ToPixel(b->color));
  return 1;
}

int FrameRect(HDC hdc, const RECT& rect, HBRUSH brush) {
  auto dc = FindDc(hdc);
  auto b = Find<BrushObj>(ToInt(brush));
  if (!dc || !b) return 0;
  dc->Record("FrameRect " + RectText(rect) + " " + (b->hollow ? std::string("none") : ColorText(b->color)));
  if (b->hollow || rect.right <= rect.left || rect.bottom <= rect.top) return 1;
  uint32_t p = ToPixel(b->color);
  RECT clip = dc->ClipRect();
  PixelBuffer& t = dc->Target();
  FillPixels(t, clip, RECT{rect.left, rect.top, rect.right, rect.top + 1}, p);
  FillPixels(t, clip, RECT{rect.left, rect.bottom - 1, rect.right, rect.bottom}, p);
  FillPixels(t, clip, RECT{rect.left, rect.top, rect.left + 1, rect.bottom}, p);
  FillPixels(t, clip, RECT{rect.right - 1, rect.top, rect.right, rect.bottom}, p);
  return 1;
}

bool InvertRect(HDC hdc, const RECT& rect) {
  auto dc = FindDc(hdc);
  if (!dc) return false;
  dc->Record("InvertRect " + RectText(rect));
  RECT r = Intersect(rect, dc->ClipRect());
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) dc->Target().Row(y)[x] ^= 0x00FFFFFFu;
  return true;
}

bool Rectangle(HDC hdc, int left, int top, int right, int bottom) {
  auto dc = FindDc(hdc);
  if (!dc) return false;
  const DcState& s = dc->state;
  RECT r = Normalized(RECT{left, top, right, bottom});
  dc->Record("Rectangle " + RectText(r) + " " + PenText(s) + " " + BrushText(s));
  RECT clip = dc->ClipRect();
  int w = s.pen->style == PS_NULL ? 0 : s.pen->width;
  if (!s.brush->hollow)
    FillPixels(dc->Target(), clip, RECT{r.left + w, r.top + w, r.right - w, r.bottom - w}, ToPixel(s.brush->color));
  if (w == 0) return true;
  if (w == 1 && s.pen->style != PS_SOLID && s.pen->style != PS_INSIDEFRAME) {
    std::vector<POINT> pts{
        {r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1}, {r.left, r.bottom - 1}, {r.left, r.top}};
    StrokeLines(*dc, pts);
    return true;
  }
  uint32_t p = ToPixel(s.pen->color);
  FillPixels(dc->Target(), clip, RECT{r.left, r.top, r.right, r.top + w}, p);
  FillPixels(dc->Target(), clip, RECT{r.left, r.bottom - w, r.right, r.bottom}, p);
  FillPixels(dc->Target(), clip, RECT{r.left, r.top, r.left + w, r.bottom}, p);
  FillPixels(dc->Target(), clip, RECT{r.right - w, r.top, r.right, r.bottom}, p);
  return true;
}

bool RoundRect(HDC hdc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight) {
  Shape shape;
  shape.kind = ShapeKind::RoundRect;
  shape.box = RECT{left, top, right, bottom};
  shape.ellipseWidth = ellipseWidth;
  shape.ellipseHeight = ellipseHeight;
  return DrawClosed(
      hdc, shape,
      "RoundRect " + RectText(shape.box) + " " + std::to_string(ellipseWidth) + "," + std::to_string(ellipseHeight));
}

bool Ellipse(HDC hdc, int left, int top, int right, int bottom) {
  Shape shape;
  shape.kind = ShapeKind::Ellipse;
  shape.box = RECT{left, top, right, bottom};
  return DrawClosed(hdc, shape, "Ellipse " + RectText(shape.box));
}

bool Polygon(HDC hdc, const POINT* points, int count) {
  if (points == nullptr || count < 2) return false;
  Shape shape;
  shape.kind = ShapeKind::Polygon;
  shape.points.assign(points, points + count);
  auto dc = FindDc(hdc);
  if (!dc) return false;
  dc->Record("Polygon " + PointsText(points, count) + " " + PenText(dc->state) + " " + BrushText(dc->state));
  if (!dc->state.brush->hollow) FillShape(dc->Target(), dc->ClipRect(), shape, dc->state.brush->color);
  shape.points.push_back(points[0]);
  StrokeLines(*dc, shape.points);
  return true;
}

bool LineTo(HDC hdc, int x, int y) {
  auto dc = FindDc(hdc);
  if (!dc) return false;
  POINT from = dc->state.position;
  if (dc->recording)
    dc->Record("LineTo " + std::to_string(from.x) + "," + std::to_string(from.y) + "-" + std::to_string(x) + "," +
               std::to_string(y) + " " + ColorText(dc->state.pen->color) + " w=" + std::to_string(dc->state.pen->width));
  StrokeLines(*dc, {from, POINT{x, y}});
  dc->state.position = POINT{x, y};
  return true;
}

bool Polyline(HDC hdc, const POINT* points, int count) {
  auto dc = FindDc(hdc);
  if (!dc || points == nullptr || count < 2) return false;
  dc->Record("Polyline " + PointsText(points, count) + " " + ColorText(dc->state.pen->color) +
             " w=" + std::to_string(dc->state.pen->width));
  StrokeLines(*dc, std::vector<POINT>(points, points + count));
  return true;
}

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color) {
  auto dc = FindDc(hdc);
  if (!dc) return CLR_INVALID;
  dc->Record("SetPixel " + std::to_string(x) + "," + std::to_string(y) + " " + ColorText(color));
  RECT clip = dc->ClipRect();
  if (x < clip.left || x >= clip.right || y < clip.top || y >= clip.bottom) return CLR_INVALID;
  dc->Target().Row(y)[x] = ToPixel(color);
  return color & 0xFFFFFFu;
}

COLORREF GetPixel(HDC hdc, int x, int y) {
  auto dc = FindDc(hdc);
  if (!dc || !dc->Target().Contains(x, y)) return CLR_INVALID;
  return FromPixel(dc->Target().Row(y)[x]);
}

bool DrawEdge(HDC hdc, RECT* rect, uint32_t edge, uint32_t flags) {
  auto dc = FindDc(hdc);
  if (!dc || rect == nullptr) return false;
  dc->Record("DrawEdge " + RectText(*rect) + " edge=" + std::to_string(edge) + " flags=" + std::to_string(flags));
  RECT r = *rect;
  RECT clip = dc->ClipRect();
  PixelBuffer& t = dc->Target();
  const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
                 hilight = GetSysColor(COLOR_BTNHIGHLIGHT), dark = GetSysColor(COLOR_3DDKSHADOW),
                 light = GetSysColor(COLOR_3DLIGHT);
  // One ring of the edge: colours of its top-left and bottom-right sides.
  auto ring = [&](COLORREF topLeft, COLORREF bottomRight) {
    if (flags & BF_MONO)
      topLeft = bottomRight = (flags & BF_FLAT) ? shadow : GetSysColor(COLOR_WINDOWFRAME);
    else if (flags & BF_FLAT)
      topLeft = bottomRight = shadow;
    uint32_t tl = ToPixel(topLeft), br = ToPixel(bottomRight);
    if (flags & BF_BOTTOM) FillPixels(t, clip, RECT{r.left, r.bottom - 1, r.right, r.bottom}, br);
    if (flags & BF_RIGHT) FillPixels(t, clip, RECT{r.right - 1, r.top, r.right, r.bottom}, br);
    if (flags & BF_TOP) FillPixels(t, clip, RECT{r.left, r.top, r.right - ((flags & BF_RIGHT) ? 1 : 0), r.top + 1}, tl);
    if (flags & BF_LEFT)
      FillPixels(t, clip, RECT{r.left, r.top, r.left + 1, r.bottom - ((flags & BF_BOTTOM) ? 1 : 0)}, tl);
    if (flags & BF_LEFT) ++r.left;
    if (flags & BF_TOP) ++r.top;
    if (flags & BF_RIGHT) --r.right;
    if (flags & BF_BOTTOM) --r.bottom;
  };
  // Outer ring, then inner ring; each in the 3-D colours of its kind.
  if (edge & BDR_RAISEDOUTER)
    ring((flags & BF_SOFT) ? hilight : light, dark);
  else if (edge & BDR_SUNKENOUTER)
    ring((flags & BF_SOFT) ? dark : shadow, hilight);
  if (edge & BDR_RAISEDINNER)
    ring((flags & BF_SOFT) ? light : hilight, shadow);
  else if (edge & BDR_SUNKENINNER)
    ring((flags & BF_SOFT) ? shadow : dark, light);
  if (flags & BF_MIDDLE) FillPixels(t, clip, r, ToPixel((flags & BF_MONO) ? GetSysColor(COLOR_WINDOW) : face));
  if (flags & BF_ADJUST) *rect = r;
  return true;
}

bool GradientFill(HDC hdc, const TRIVERTEX* vertices, uint32_t vertexCount, const GRADIENT_RECT* rects,
                  uint32_t rectCount, uint32_t mode) {
  auto dc = FindDc(hdc);
  if (!dc || vertices == nullptr || rects == nullptr || (mode != GRADIENT_FILL_RECT_H && mode != GRADIENT_FILL_RECT_V))
    return false;
  RECT clip = dc->ClipRect();
  for (uint32_t i = 0; i < rectCount; ++i) {
    if (rects[i].UpperLeft >= vertexCount || rects[i].LowerRight >= vertexCount) return false;
    TRIVERTEX a = vertices[rects[i].UpperLeft], b = vertices[rects[i].LowerRight];
    // The vertex with the smaller coordinate along the gradient is its start.
    bool horizontal = mode == GRADIENT_FILL_RECT_H;
    if ((horizontal ? b.x < a.x : b.y < a.y)) std::swap(a, b);
    RECT r = Normalized(RECT{a.x, a.y, b.x, b.y});
    COLORREF from = RGB(a.Red >> 8, a.Green >> 8, a.Blue >> 8), to = RGB(b.Red >> 8, b.Green >> 8, b.Blue >> 8);
    if (dc->recording)
      dc->Record("GradientFill " + RectText(r) + " " + ColorText(from) + "-" + ColorText(to) +
                 (horizontal ? " h" : " v"));
    // Each strip across the gradient has one colour; only its visible
    // pixels are written.
    PixelBuffer& target = dc->Target();
    const RECT visible = Intersect(Intersect(r, clip), target.Bounds());
    if (IsEmptyRect(visible)) continue;
    int span = horizontal ? r.right - r.left : r.bottom - r.top;
    // Each channel at step k is c0 + (c1 - c0) * k / span (the quotient
    // truncated), kept up step by step without dividing.
    struct Ramp {
      Ramp(uint16_t c0, uint16_t c1, int span)
          : from(c0), sign(c1 < c0 ? -1 : 1), whole((sign * (c1 - c0)) / span), part((sign * (c1 - c0)) % span) {}
      uint8_t Next(int span) {
        const uint8_t value = static_cast<uint8_t>((from + sign * quotient) >> 8);
        quotient += whole;
        if ((rest += part) >= span) rest -= span, ++quotient;
        return value;
      }
      int from, sign, whole, part, quotient = 0, rest = 0;
    };
    Ramp red(a.Red, b.Red, std::max(span, 1)), green(a.Green, b.Green, std::max(span, 1)),
        blue(a.Blue, b.Blue, std::max(span, 1));
    for (int k = 0; k < span; ++k) {
      const int at = (horizontal ? r.left : r.top) + k;
      uint32_t p = ToPixel(RGB(red.Next(span), green.Next(span), blue.Next(span)));
      if (horizontal ? (at < visible.left || at >= visible.right) : (at < visible.top || at >= visible.bottom)) continue;
      if (horizontal) {
        for (int y = visible.top; y < visible.bottom; ++y) target.Row(y)[at] = p;
      } else {
        std::fill(target.Row(at) + visible.left, target.Row(at) + visible.right, p);
      }
    }
  }
  return true;
}

bool GradientFillRect(HDC hdc, const RECT& rect, COLORREF from, COLORREF to, uint32_t mode) {
  TRIVERTEX v[2];
  v[0] = TRIVERTEX{rect.left,
                   rect.top,
                   static_cast<uint16_t>(GetRValue(from) << 8),
                   static_cast<uint16_t>(GetGValue(from) << 8),
                   static_cast<uint16_t>(GetBValue(from) << 8),
                   0};
  v[1] = TRIVERTEX{rect.right,
                   rect.bottom,
                   static_cast<uint16_t>(GetRValue(to) << 8),
                   static_cast<uint16_t>(GetGValue(to) << 8),
                   static_cast<uint16_t>(GetBValue(to) << 8),
                   0};
  GRADIENT_RECT gr{0, 1};
  return GradientFill(hdc, v, 2, &gr, 1, mode);
}

}  // namespace gdi
