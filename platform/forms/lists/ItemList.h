// A column of text items as list boxes and drop-down lists show them: one
// row each, the selected row highlighted (in the focus colours while the
// list has the focus, with the focus rectangle), a vertical scroll bar when
// the rows do not fit, the wheel, and the keys that move the selection
// (arrows, Page Up/Down, Home, End, and a letter: the next item starting
// with it).
#pragma once

#include <string>
#include <vector>

#include "com/StdFont.h"
#include "forms/lists/ScrollHost.h"
#include "gdi/Types.h"

namespace forms {

// The next item after `from` (wrapping round) whose text starts with the
// letter, without regard to case; -1 when none does.
int NextItemStartingWith(const std::vector<std::string>& items, int from, char32_t letter);

class ItemList {
 public:
  // The rows scroll with the bars of `scroll`.
  explicit ItemList(ScrollHost& scroll) : m_scroll(scroll) {}

  std::vector<std::string>& Items() { return m_items; }
  const std::vector<std::string>& Items() const { return m_items; }
  int Count() const { return static_cast<int>(m_items.size()); }
  int Selected() const { return m_selected; }
  // -1 selects nothing; the selection is scrolled into sight.
  void SetSelected(int index);
  // Selects the item `last`, shown highlighted together with the rows from
  // `first` on: one entry that takes several rows.
  void SetSelectedRows(int first, int last);
  // Whether the row is shown selected.
  bool IsSelected(int index) const { return m_selected >= 0 && index >= m_selectedFrom && index <= m_selected; }
  int TopIndex() const { return m_scroll.TopLine(); }
  void SetTopIndex(int index) { m_scroll.SetTopLine(index); }

  ScrollHost& Scroll() { return m_scroll; }
  static int RowHeight(const com::StdFontPtr& font);
  // Lays the rows out in `area` (pixels of the list's window).
  void Arrange(const gdi::RECT& area, const com::StdFontPtr& font);
  // The item at a point of the window, -1 for none.
  int ItemAt(int x, int y) const;
  // The index a key moves the selection to; -1 when the key moves nothing.
  int IndexForKey(uint32_t virtualKey) const;
  int IndexForLetter(char32_t letter) const;

  // Draws the rows and the scroll bar with the window's top left at (x, y).
  void Draw(gdi::HDC hdc, int x, int y, const com::StdFontPtr& font, uint32_t foreColor, bool enabled, bool focused);

 private:
  ScrollHost& m_scroll;
  std::vector<std::string> m_items;
  int m_selected = -1;
  int m_selectedFrom = -1;
  int m_rowHeight = 16;
  gdi::RECT m_viewport{};
};

}  // namespace forms
