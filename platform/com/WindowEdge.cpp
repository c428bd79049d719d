#include "com/WindowEdge.h"

#include "gdi/Shapes.h"
#include "win/Window.h"

namespace com {

void DrawWindowEdge(const Control& control, gdi::HDC hdc, int x, int y) {
  if (control.hWnd() == win::kNoWindow) return;
  const auto exStyle = static_cast<uint32_t>(win::GetWindowLongA(control.hWnd(), win::GWL_EXSTYLE));
  gdi::RECT rect{x, y, x + control.PixelWidth(), y + control.PixelHeight()};
  if (exStyle & win::WS_EX_CLIENTEDGE)
    gdi::DrawEdge(hdc, &rect, gdi::EDGE_SUNKEN, gdi::BF_RECT);
  else if (exStyle & win::WS_EX_STATICEDGE)
    gdi::DrawEdge(hdc, &rect, gdi::BDR_SUNKENOUTER, gdi::BF_RECT);
}

}  // namespace com
