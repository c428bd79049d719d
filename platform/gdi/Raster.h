// Rasterising of shapes into a bitmap's pixels, without smoothing, with
// the pixel rules of the drawing calls (outlines inside the bounding box,
// pens centred on pixel centres), and scaled copies between bitmaps.
#pragma once

#include <vector>

#include "gdi/PixelBuffer.h"
#include "gdi/Types.h"

namespace gdi::detail {

enum class ShapeKind { Ellipse, RoundRect, Polygon, Polyline };

struct Shape {
  ShapeKind kind = ShapeKind::Polyline;
  RECT box{};            // Ellipse, RoundRect
  int ellipseWidth = 0;  // RoundRect corners
  int ellipseHeight = 0;
  std::vector<POINT> points;  // Polygon, Polyline
};

void FillShape(PixelBuffer& target, const RECT& clip, const Shape& shape, COLORREF color);
void StrokeShape(PixelBuffer& target, const RECT& clip, const Shape& shape, COLORREF color, int width, int style);

// A one-pixel line from `from` to `to`, the end point left out, in a pen
// style's dash pattern.
void DrawThinLine(PixelBuffer& target, const RECT& clip, POINT from, POINT to, uint32_t pixel, int style);

// Copies src's srcRect onto dstRect of dst (not mirrored), each target
// pixel the average of the source pixels it covers, so that shrinking
// smooths edges; the result is made opaque.
void DrawAveraged(PixelBuffer& dst, const RECT& clip, const PixelBuffer& src, const RECT& srcRect, const RECT& dstRect);

// Copies src's srcRect onto dstRect of dst, scaled to the nearest pixel:
// through alpha when `over`, else replacing the pixels (made opaque).
void DrawScaled(PixelBuffer& dst, const RECT& clip, const PixelBuffer& src, const RECT& srcRect, const RECT& dstRect,
                bool over);

}  // namespace gdi::detail
