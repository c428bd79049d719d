// The painter's command-bar primitives: tool buttons, menus, status bar
// panels, tooltips and splitter bars.
#include <algorithm>

#include "forms/ControlPainter.h"
#include "forms/PainterDetail.h"

namespace forms::painter {

using detail::Edge;
using detail::Fill;
using detail::Line;
using detail::Sys;

namespace {

constexpr uint32_t kOneLine = gdi::DT_SINGLELINE | gdi::DT_VCENTER;

void DrawCheckMark(gdi::HDC hdc, const gdi::RECT& cell, gdi::COLORREF color) {
  const int x = (cell.left + cell.right) / 2 - 4;
  const int y = (cell.top + cell.bottom) / 2 - 3;
  for (int d = 0; d < 2; ++d) {
    Line(hdc, x, y + 2 + d, x + 3, y + 5 + d, color);
    Line(hdc, x + 2, y + 4 + d, x + 8, y - 2 + d, color);
  }
}

}  // namespace

void DrawToolButton(gdi::HDC hdc, const gdi::RECT& rect, const com::StdPicturePtr& icon, std::string_view caption,
                    const com::StdFontPtr& font, bool enabled, bool hot, bool pressed, bool checked) {
  const bool sunken = enabled && (pressed || checked);
  // A checked button shows the dithered face of a pressed track.
  if (checked && !hot && enabled)
    detail::FillDither(hdc, rect, Sys(gdi::COLOR_BTNFACE), Sys(gdi::COLOR_BTNHIGHLIGHT));
  else
    Fill(hdc, rect, Sys(gdi::COLOR_BTNFACE));
  if (sunken) {
    Edge(hdc, rect, gdi::BDR_SUNKENOUTER);
  } else if (hot && enabled) {
    Edge(hdc, rect, gdi::BDR_RAISEDINNER);
  }
  gdi::RECT content = rect;
  gdi::InflateRect(&content, -3, -2);
  if (sunken) gdi::OffsetRect(&content, 1, 1);
  const bool hasIcon = icon && !icon->IsEmpty();
  if (hasIcon && caption.empty()) {
    DrawPicture(hdc, content, icon, enabled);
    return;
  }
  if (hasIcon) {
    DrawPicture(hdc, gdi::RECT{content.left, content.top, content.left + 16, content.bottom}, icon, enabled);
    content.left += 20;
  }
  DrawText(hdc, caption, content, gdi::DT_LEFT | kOneLine, font, gdi::SysColor(gdi::COLOR_BTNTEXT), enabled);
}

void DrawToolSeparator(gdi::HDC hdc, const gdi::RECT& rect) {
  const int x = (rect.left + rect.right) / 2 - 1;
  Edge(hdc, gdi::RECT{x, rect.top + 2, x + 2, rect.bottom - 2}, gdi::EDGE_ETCHED, gdi::BF_LEFT);
}

void DrawBarGrip(gdi::HDC hdc, const gdi::RECT& rect) {
  Edge(hdc, rect, gdi::BDR_RAISEDINNER);
  Edge(hdc, gdi::RECT{rect.left + 3, rect.top + 3, rect.left + 6, rect.bottom - 3}, gdi::BDR_RAISEDINNER);
}

void DrawMenuBarItem(gdi::HDC hdc, const gdi::RECT& rect, std::string_view caption, const com::StdFontPtr& font,
                     bool enabled, bool highlighted, bool showAccessKeys) {
  Fill(hdc, rect, highlighted ? Sys(gdi::COLOR_HIGHLIGHT) : Sys(gdi::COLOR_BTNFACE));
  const uint32_t color = highlighted ? gdi::SysColor(gdi::COLOR_HIGHLIGHTTEXT) : gdi::SysColor(gdi::COLOR_MENUTEXT);
  DrawText(hdc, caption, rect, gdi::DT_CENTER | kOneLine | (showAccessKeys ? 0u : gdi::DT_HIDEPREFIX), font, color,
           enabled);
}

void DrawMenuItem(gdi::HDC hdc, const gdi::RECT& rect, std::string_view caption, std::string_view shortcut,
                  const com::StdPicturePtr& icon, const com::StdFontPtr& font, bool enabled, bool highlighted,
                  bool checked, bool subMenu) {
  Fill(hdc, rect, highlighted ? Sys(gdi::COLOR_HIGHLIGHT) : Sys(gdi::COLOR_MENU));
  const gdi::COLORREF textColor = highlighted ? Sys(gdi::COLOR_HIGHLIGHTTEXT) : Sys(gdi::COLOR_MENUTEXT);
  const gdi::RECT cell{rect.left + 2, rect.top, rect.left + 22, rect.bottom};
  if (icon && !icon->IsEmpty()) {
    if (checked) Edge(hdc, gdi::RECT{cell.left, cell.top + 1, cell.right, cell.bottom - 1}, gdi::BDR_SUNKENOUTER);
    DrawPicture(hdc, cell, icon, enabled);
  } else if (checked) {
    DrawCheckMark(hdc, cell, enabled ? textColor : Sys(gdi::COLOR_GRAYTEXT));
  }
  // Disabled items are grey; on a highlighted row without the emboss.
  auto text = [&](std::string_view s, const gdi::RECT& r, uint32_t format) {
    if (!enabled && highlighted) {
      DrawText(hdc, s, r, format, font, gdi::SysColor(gdi::COLOR_GRAYTEXT));
    } else {
      DrawText(hdc, s, r, format, font, textColor, enabled);
    }
  };
  const gdi::RECT captionRect{cell.right + 4, rect.top, rect.right - 16, rect.bottom};
  text(caption, captionRect, gdi::DT_LEFT | kOneLine);
  if (!shortcut.empty()) text(shortcut, captionRect, gdi::DT_RIGHT | kOneLine | gdi::DT_NOPREFIX);
  if (subMenu) {
    const gdi::RECT arrow{rect.right - 14, rect.top, rect.right - 4, rect.bottom};
    DrawArrow(hdc, arrow, ArrowDirection::Right, enabled, 4,
              highlighted ? gdi::SysColor(gdi::COLOR_HIGHLIGHTTEXT) : gdi::SysColor(gdi::COLOR_MENUTEXT));
  }
}

void DrawMenuSeparator(gdi::HDC hdc, const gdi::RECT& rect) {
  const int y = (rect.top + rect.bottom) / 2 - 1;
  Edge(hdc, gdi::RECT{rect.left + 1, y, rect.right - 1, y + 2}, gdi::EDGE_ETCHED, gdi::BF_TOP);
}

void DrawPopupFrame(gdi::HDC hdc, const gdi::RECT& rect) {
  Fill(hdc, rect, Sys(gdi::COLOR_MENU));
  Edge(hdc, rect, gdi::EDGE_RAISED);
}

void DrawDropDownFrame(gdi::HDC hdc, const gdi::RECT& rect) {
  Fill(hdc, rect, Sys(gdi::COLOR_WINDOW));
  detail::Frame(hdc, rect, Sys(gdi::COLOR_WINDOWFRAME));
}

void DrawStatusPanel(gdi::HDC hdc, const gdi::RECT& rect, std::string_view text, const com::StdFontPtr& font) {
  Fill(hdc, rect, Sys(gdi::COLOR_BTNFACE));
  Edge(hdc, rect, gdi::BDR_SUNKENOUTER);
  gdi::RECT inner{rect.left + 3, rect.top + 1, rect.right - 3, rect.bottom - 1};
  DrawText(hdc, text, inner, gdi::DT_LEFT | kOneLine | gdi::DT_NOPREFIX | gdi::DT_END_ELLIPSIS, font,
           gdi::SysColor(gdi::COLOR_BTNTEXT));
}

void DrawSizeGrip(gdi::HDC hdc, const gdi::RECT& rect) {
  // Three diagonal ridges in the bottom right corner.
  for (int i = 0; i < 3; ++i) {
    const int o = 4 + i * 4;
    Line(hdc, rect.right - o, rect.bottom - 1, rect.right, rect.bottom - 1 - o, Sys(gdi::COLOR_BTNHIGHLIGHT));
    Line(hdc, rect.right - o + 1, rect.bottom - 1, rect.right, rect.bottom - o, Sys(gdi::COLOR_BTNSHADOW));
    Line(hdc, rect.right - o + 2, rect.bottom - 1, rect.right, rect.bottom - o + 1, Sys(gdi::COLOR_BTNSHADOW));
  }
}

gdi::SIZE MeasureToolTip(std::string_view text, const com::StdFontPtr& font) {
  const gdi::SIZE size = MeasureText(text, font, 0, false);
  return gdi::SIZE{size.cx + 8, size.cy + 4};
}

void DrawToolTip(gdi::HDC hdc, const gdi::RECT& rect, std::string_view text, const com::StdFontPtr& font) {
  Fill(hdc, rect, Sys(gdi::COLOR_INFOBK));
  detail::Frame(hdc, rect, Sys(gdi::COLOR_INFOTEXT));
  gdi::RECT inner{rect.left + 4, rect.top + 2, rect.right - 4, rect.bottom - 2};
  DrawText(hdc, text, inner, gdi::DT_LEFT | gdi::DT_NOPREFIX, font, gdi::SysColor(gdi::COLOR_INFOTEXT));
}

void DrawSplitterBar(gdi::HDC hdc, const gdi::RECT& rect, bool vertical) {
  Fill(hdc, rect, Sys(gdi::COLOR_BTNFACE));
  Edge(hdc, rect, gdi::BDR_RAISEDINNER, vertical ? (gdi::BF_LEFT | gdi::BF_RIGHT) : (gdi::BF_TOP | gdi::BF_BOTTOM));
}

}  // namespace forms::painter
