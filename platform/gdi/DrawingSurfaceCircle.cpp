// The Circle method of the drawing surface.
#include <cmath>

#include "gdi/DrawingSurface.h"
#include "gdi/Objects.h"
#include "gdi/Owned.h"
#include "gdi/Shapes.h"

namespace gdi {

void DrawingSurface::Circle(double x, double y, double radius, std::optional<OLE_COLOR> color, double aspect) {
  if (aspect <= 0) aspect = 1;
  // Half-axes in pixels: the radius is the longer one.
  double rx = std::abs(ScaleX(radius, vbUser, vbPixels));
  double ry = rx * aspect;
  if (aspect > 1) {
    ry = std::abs(ScaleY(radius, vbUser, vbPixels));
    rx = ry / aspect;
  }
  const double cx = ToPixelX(x), cy = ToPixelY(y);
  const HDC dc = hDC();
  OwnedPen pen(CreatePen(DrawStyle(), DrawWidth(), OleTranslateColor(color.value_or(ForeColor()))));
  ScopedSelect<HPEN> usePen(dc, pen.Get());
  // The brush selected into the DC is FillColor / FillStyle's.
  Ellipse(dc, static_cast<int>(std::lround(cx - rx)), static_cast<int>(std::lround(cy - ry)),
          static_cast<int>(std::lround(cx + rx)) + 1, static_cast<int>(std::lround(cy + ry)) + 1);
  SetCurrentX(x);
  SetCurrentY(y);
}

}  // namespace gdi
