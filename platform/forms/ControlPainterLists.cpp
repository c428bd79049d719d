// The painter's list, tree and tab primitives.
#include <algorithm>

#include "forms/ControlPainter.h"
#include "forms/PainterDetail.h"

namespace forms::painter {

using detail::Edge;
using detail::Fill;
using detail::Line;
using detail::Sys;

ItemColors SelectionColors(bool focused) {
  if (focused) return {Sys(gdi::COLOR_HIGHLIGHT), Sys(gdi::COLOR_HIGHLIGHTTEXT)};
  return {Sys(gdi::COLOR_BTNFACE), Sys(gdi::COLOR_WINDOWTEXT)};
}

void DrawSelection(gdi::HDC hdc, const gdi::RECT& rect, bool focused) { Fill(hdc, rect, SelectionColors(focused).back); }

void DrawHeader(gdi::HDC hdc, const gdi::RECT& rect, std::string_view caption, const com::StdFontPtr& font,
                bool pressed, SortMark sort) {
  Fill(hdc, rect, Sys(gdi::COLOR_BTNFACE));
  if (pressed) {
    detail::Frame(hdc, rect, Sys(gdi::COLOR_BTNSHADOW));
  } else {
    Edge(hdc, rect, gdi::EDGE_RAISED);
  }
  gdi::RECT text{rect.left + 6, rect.top + 1, rect.right - 4, rect.bottom - 1};
  if (pressed) gdi::OffsetRect(&text, 1, 1);
  constexpr int kArrowWidth = 14;
  if (sort != SortMark::None && text.right - text.left > kArrowWidth + 8) text.right -= kArrowWidth;
  DrawText(hdc, caption, text,
           gdi::DT_LEFT | gdi::DT_VCENTER | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX | gdi::DT_END_ELLIPSIS, font,
           gdi::SysColor(gdi::COLOR_BTNTEXT));
  if (sort == SortMark::None || rect.right - rect.left < kArrowWidth + 12) return;
  const gdi::RECT arrow{text.right, rect.top, text.right + kArrowWidth, rect.bottom};
  DrawArrow(hdc, arrow, sort == SortMark::Ascending ? ArrowDirection::Up : ArrowDirection::Down, true);
}

void DrawExpander(gdi::HDC hdc, int cx, int cy, bool expanded) {
  const gdi::RECT box{cx - 4, cy - 4, cx + 5, cy + 5};
  Fill(hdc, box, Sys(gdi::COLOR_WINDOW));
  detail::Frame(hdc, box, Sys(gdi::COLOR_BTNSHADOW));
  Line(hdc, cx - 2, cy, cx + 3, cy, Sys(gdi::COLOR_WINDOWTEXT));
  if (!expanded) Line(hdc, cx, cy - 2, cx, cy + 3, Sys(gdi::COLOR_WINDOWTEXT));
}

void DrawDottedLine(gdi::HDC hdc, int x1, int y1, int x2, int y2) {
  const gdi::COLORREF color = Sys(gdi::COLOR_BTNSHADOW);
  if (y1 == y2) {
    for (int x = std::min(x1, x2); x < std::max(x1, x2); ++x) {
      if ((x + y1) % 2 == 0) gdi::SetPixel(hdc, x, y1, color);
    }
  } else {
    for (int y = std::min(y1, y2); y < std::max(y1, y2); ++y) {
      if ((x1 + y) % 2 == 0) gdi::SetPixel(hdc, x1, y, color);
    }
  }
}

void DrawGridLine(gdi::HDC hdc, int x1, int x2, int y) { Line(hdc, x1, y, x2, y, Sys(gdi::COLOR_3DLIGHT)); }

void DrawTab(gdi::HDC hdc, const gdi::RECT& rect, std::string_view caption, const com::StdPicturePtr& icon,
             const com::StdFontPtr& font, bool selected, bool enabled, bool focused) {
  const gdi::RECT r = rect;
  Fill(hdc, gdi::RECT{r.left + 1, r.top + 1, r.right - 1, r.bottom}, Sys(gdi::COLOR_BTNFACE));
  // Left and top edges lit with a cut corner, right edge shadowed.
  Line(hdc, r.left, r.top + 2, r.left, r.bottom, Sys(gdi::COLOR_BTNHIGHLIGHT));
  gdi::SetPixel(hdc, r.left + 1, r.top + 1, Sys(gdi::COLOR_BTNHIGHLIGHT));
  Line(hdc, r.left + 2, r.top, r.right - 2, r.top, Sys(gdi::COLOR_BTNHIGHLIGHT));
  Line(hdc, r.right - 2, r.top + 1, r.right - 2, r.bottom, Sys(gdi::COLOR_BTNSHADOW));
  Line(hdc, r.right - 1, r.top + 2, r.right - 1, r.bottom, Sys(gdi::COLOR_3DDKSHADOW));
  gdi::SetPixel(hdc, r.right - 2, r.top + 1, Sys(gdi::COLOR_3DDKSHADOW));
  int textLeft = r.left + 6;
  if (icon && !icon->IsEmpty()) {
    const int size = std::min(16, static_cast<int>(r.bottom - r.top - 4));
    icon->Render(hdc, textLeft, r.top + (r.bottom - r.top - size) / 2 + (selected ? 0 : 1), size, size);
    textLeft += size + 4;
  }
  gdi::RECT text{textLeft, r.top + 1, r.right - 6, r.bottom - (selected ? 2 : 0)};
  DrawText(hdc, caption, text, gdi::DT_LEFT | gdi::DT_VCENTER | gdi::DT_SINGLELINE | gdi::DT_END_ELLIPSIS, font,
           gdi::SysColor(gdi::COLOR_BTNTEXT), enabled);
  if (focused) {
    const gdi::SIZE size = MeasureText(caption, font, 0, true);
    gdi::RECT focus{textLeft - 2, text.top + (text.bottom - text.top - size.cy) / 2 - 1,
                    std::min<int>(text.right + 2, textLeft + size.cx + 2),
                    text.top + (text.bottom - text.top + size.cy) / 2 + 1};
    DrawFocusRect(hdc, focus);
  }
}

void DrawTabPage(gdi::HDC hdc, const gdi::RECT& rect) {
  Fill(hdc, rect, Sys(gdi::COLOR_BTNFACE));
  Edge(hdc, rect, gdi::EDGE_RAISED);
}

}  // namespace forms::painter
