// Filling, lines and shapes. Coordinates are pixels of the DC's bitmap.
// As on Windows, a rectangle covers the pixels left..right-1 and
// top..bottom-1, a line omits its end point, outlines use the selected pen
// and interiors the selected brush. Shapes are drawn without smoothing.
#pragma once

#include <cstdint>

#include "gdi/Types.h"

namespace gdi {

int FillRect(HDC hdc, const RECT& rect, HBRUSH brush);
int FrameRect(HDC hdc, const RECT& rect, HBRUSH brush);  // one-pixel outline
bool InvertRect(HDC hdc, const RECT& rect);
bool Rectangle(HDC hdc, int left, int top, int right, int bottom);
bool RoundRect(HDC hdc, int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
bool Ellipse(HDC hdc, int left, int top, int right, int bottom);
bool Polygon(HDC hdc, const POINT* points, int count);
bool LineTo(HDC hdc, int x, int y);  // from the current position, which moves to (x, y)
bool Polyline(HDC hdc, const POINT* points, int count);

COLORREF SetPixel(HDC hdc, int x, int y, COLORREF color);
// The colour of a pixel; CLR_INVALID outside the bitmap.
COLORREF GetPixel(HDC hdc, int x, int y);
inline constexpr COLORREF CLR_INVALID = 0xFFFFFFFFu;

// Draws the 3-D edges of a rectangle in the system colours (button face,
// shadow, highlight, dark shadow, light). With BF_ADJUST the rectangle is
// shrunk by the edges drawn; BF_MIDDLE fills the interior with button face.
bool DrawEdge(HDC hdc, RECT* rect, uint32_t edge, uint32_t flags);

// Fills rectangles between two vertices each, with colours interpolated
// across (GRADIENT_FILL_RECT_H) or down (GRADIENT_FILL_RECT_V).
bool GradientFill(HDC hdc, const TRIVERTEX* vertices, uint32_t vertexCount, const GRADIENT_RECT* rects,
                  uint32_t rectCount, uint32_t mode);
// The same for one rectangle from colour `from` to colour `to`.
bool GradientFillRect(HDC hdc, const RECT& rect, COLORREF from, COLORREF to, uint32_t mode);

}  // namespace gdi
