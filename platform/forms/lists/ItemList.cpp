#include "forms/lists/ItemList.h"

#include <algorithm>
#include <cctype>

#include "forms/ControlPainter.h"
#include "gdi/Gdi.h"
#include "runtime/Strings.h"
#include "win/InputRouting.h"

namespace forms {

int ItemList::RowHeight(const com::StdFontPtr& font) { return painter::LineHeight(font) + 2; }

void ItemList::SetSelected(int index) {
  m_selected = index >= 0 && index < Count() ? index : -1;
  m_selectedFrom = m_selected;
  if (m_selected >= 0) m_scroll.EnsureVisible(m_selected);
}

void ItemList::SetSelectedRows(int first, int last) {
  SetSelected(last);
  if (m_selected < 0) return;
  m_selectedFrom = std::clamp(first, 0, m_selected);
  // The first row in sight too, when the rows fit.
  m_scroll.EnsureVisible(m_selectedFrom);
  m_scroll.EnsureVisible(m_selected);
}

void ItemList::Arrange(const gdi::RECT& area, const com::StdFontPtr& font) {
  m_rowHeight = RowHeight(font);
  m_viewport = m_scroll.Arrange(area, 0, Count() * m_rowHeight, m_rowHeight);
}

int ItemList::ItemAt(int x, int y) const {
  if (x < m_viewport.left || x >= m_viewport.right || y < m_viewport.top || y >= m_viewport.bottom) return -1;
  const int index = m_scroll.TopLine() + (y - m_viewport.top) / m_rowHeight;
  return index < Count() ? index : -1;
}

int ItemList::IndexForKey(uint32_t key) const {
  if (Count() == 0) return -1;
  const int page = std::max(1, m_scroll.PageLines() - 1);
  const int at = m_selected;
  switch (key) {
    case win::VK_UP:
      return std::max(0, at - 1);
    case win::VK_DOWN:
      return std::min(Count() - 1, at + 1);
    case win::VK_PRIOR:
      return std::max(0, at - page);
    case win::VK_NEXT:
      return std::min(Count() - 1, std::max(0, at) + page);
    case win::VK_HOME:
      return 0;
    case win::VK_END:
      return Count() - 1;
    default:
      return -1;
  }
}

int NextItemStartingWith(const std::vector<std::string>& items, int from, char32_t letter) {
  if (letter < 32 || items.empty()) return -1;
  const std::string prefix = rt::LCase(rt::ChrW(letter));
  const int count = static_cast<int>(items.size());
  for (int step = 1; step <= count; ++step) {
    const int i = (std::max(0, from) + step) % count;
    if (rt::LCase(rt::Left(items[static_cast<size_t>(i)], 1)) == prefix) return i;
  }
  return -1;
}

int ItemList::IndexForLetter(char32_t letter) const { return NextItemStartingWith(m_items, m_selected, letter); }

void ItemList::Draw(gdi::HDC hdc, int x, int y, const com::StdFontPtr& font, uint32_t foreColor, bool enabled,
                    bool focused) {
  const gdi::RECT view{x + m_viewport.left, y + m_viewport.top, x + m_viewport.right, y + m_viewport.bottom};
  const int saved = gdi::SaveDC(hdc);
  gdi::IntersectClipRect(hdc, view.left, view.top, view.right, view.bottom);
  const int first = m_scroll.TopLine();
  for (int i = first; i < Count() && (i - first) * m_rowHeight < view.bottom - view.top; ++i) {
    const gdi::RECT row{view.left, view.top + (i - first) * m_rowHeight, view.right,
                        view.top + (i - first + 1) * m_rowHeight};
    uint32_t color = enabled ? foreColor : gdi::SysColor(gdi::COLOR_GRAYTEXT);
    if (IsSelected(i) && enabled) {
      painter::DrawSelection(hdc, row, focused);
      color = 0x80000000u | static_cast<uint32_t>(focused ? gdi::COLOR_HIGHLIGHTTEXT : gdi::COLOR_WINDOWTEXT);
    }
    painter::DrawText(hdc, m_items[static_cast<size_t>(i)], gdi::RECT{row.left + 3, row.top, row.right - 2, row.bottom},
                      gdi::DT_LEFT | gdi::DT_VCENTER | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX, font, color);
    if (i == m_selected && focused) painter::DrawFocusRect(hdc, row);
  }
  gdi::RestoreDC(hdc, saved);
  m_scroll.Draw(hdc, x, y);
}

}  // namespace forms
