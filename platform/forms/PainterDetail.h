// Small drawing helpers shared by the painter's source files.
#pragma once

#include <algorithm>
#include <vector>

#include "forms/ControlPainter.h"
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


// The classic pattern of scroll bar tracks: alternate pixels in two colours.
// The pixels (x, y) with x + y odd take `odd`, the others `even`. Drawn
// by copying tiles of a pattern made once for each pair of colours.
inline void FillDither(gdi::HDC hdc, const gdi::RECT& rect, gdi::COLORREF even, gdi::COLORREF odd) {
  constexpr int kTile = 64;
  struct Pattern {
    gdi::COLORREF even, odd;
    gdi::HBITMAP bitmap;  // kTile + 1 wide, so a tile can start one pixel in
  };
  static auto* patterns = new std::vector<Pattern>();
  auto it = std::find_if(patterns->begin(), patterns->end(),
                         [&](const Pattern& p) { return p.even == even && p.odd == odd; });
  if (it == patterns->end()) {
    const gdi::HBITMAP bitmap = gdi::CreateFilledBitmap(kTile + 1, kTile, even);
    gdi::OwnedDC dc(gdi::CreateCompatibleDC());
    gdi::ScopedSelect<gdi::HBITMAP> select(dc.Get(), bitmap);
    for (int y = 0; y < kTile; ++y) {
      for (int x = (y + 1) & 1; x <= kTile; x += 2) gdi::SetPixel(dc.Get(), x, y, odd);
    }
    patterns->push_back(Pattern{even, odd, bitmap});
    it = std::prev(patterns->end());
  }
  gdi::OwnedDC source(gdi::CreateCompatibleDC());
  gdi::ScopedSelect<gdi::HBITMAP> select(source.Get(), it->bitmap);
  // The pattern's pixel (0, 0) is even: start one pixel in where the
  // rectangle's corner is odd.
  const int phase = (rect.left + rect.top) & 1;
  for (int y = rect.top; y < rect.bottom; y += kTile) {
    for (int x = rect.left; x < rect.right; x += kTile) {
      gdi::BitBlt(hdc, x, y, std::min(kTile, static_cast<int>(rect.right) - x),
                  std::min(kTile, static_cast<int>(rect.bottom) - y), source.Get(), phase, 0, gdi::SRCCOPY);
    }
  }
}

// A filled triangle pointing in `direction`, centred in `rect`: its base is
// about half the button's smaller side (odd, so the tip is one pixel).
inline void FillArrowGlyph(gdi::HDC hdc, const gdi::RECT& rect, painter::ArrowDirection direction, gdi::COLORREF color) {
  const int w = rect.right - rect.left;
  const int h = rect.bottom - rect.top;
  int base = std::max(1, std::min(w, h) / 2);
  if (base % 2 == 0) --base;
  const int depth = (base + 1) / 2;
  const bool vertical = direction == painter::ArrowDirection::Up || direction == painter::ArrowDirection::Down;
  const int cx = rect.left + (w - (vertical ? base : depth)) / 2;
  const int cy = rect.top + (h - (vertical ? depth : base)) / 2;
  gdi::OwnedBrush brush(gdi::CreateSolidBrush(color));
  for (int i = 0; i < depth; ++i) {
    // Row i of the triangle counted from its tip.
    const int length = 2 * i + 1;
    const int from = (base - length) / 2;
    gdi::RECT row{};
    switch (direction) {
      case painter::ArrowDirection::Up:
        row = {cx + from, cy + i, cx + from + length, cy + i + 1};
        break;
      case painter::ArrowDirection::Down:
        row = {cx + from, cy + depth - 1 - i, cx + from + length, cy + depth - i};
        break;
      case painter::ArrowDirection::Left:
        row = {cx + i, cy + from, cx + i + 1, cy + from + length};
        break;
      case painter::ArrowDirection::Right:
        row = {cx + depth - 1 - i, cy + from, cx + depth - i, cy + from + length};
        break;
    }
    gdi::FillRect(hdc, row, brush.Get());
  }
}

}  // namespace forms::painter::detail
