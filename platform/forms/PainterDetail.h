// Small drawing helpers shared by the painter's source files.
#pragma once

#include "gdi/Gdi.h"

namespace forms::painter::detail {

inline gdi::COLORREF Sys(int index) { return gdi::GetSysColor(index); }

inline void Fill(gdi::HDC hdc, const gdi::RECT& rect, gdi::COLORREF color) {
  gdi::OwnedBrush brush(gdi::CreateSolidBrush(color));
  gdi::FillRect(hdc, rect, brush.Get());
}

inline void Frame(gdi::HDC hdc, const gdi::RECT& rect, gdi::COLORREF color) {
  gdi::OwnedBrush brush(gdi::CreateSolidBrush(color));
  gdi::FrameRect(hdc, rect, brush.Get());
}

// A line from (x1, y1) to (x2, y2), the end point excluded.
inline void Line(gdi::HDC hdc, int x1, int y1, int x2, int y2, gdi::COLORREF color) {
  gdi::OwnedPen pen(gdi::CreatePen(gdi::PS_SOLID, 1, color));
  gdi::ScopedSelect<gdi::HPEN> select(hdc, pen.Get());
  gdi::MoveToEx(hdc, x1, y1);
  gdi::LineTo(hdc, x2, y2);
}

inline void Edge(gdi::HDC hdc, const gdi::RECT& rect, uint32_t edge, uint32_t flags = gdi::BF_RECT) {
  gdi::RECT r = rect;
  gdi::DrawEdge(hdc, &r, edge, flags);
}

}  // namespace forms::painter::detail
