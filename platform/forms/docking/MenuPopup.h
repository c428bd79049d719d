// One open menu: the visible tools of a popup tool as entries (a window
// list tool as one entry per document pane, the active one checked), with
// separators where a tool begins a group, one entry highlighted.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "forms/Popup.h"
#include "forms/docking/DockTool.h"
#include "forms/docking/DocumentPane.h"

namespace forms {

class MenuTracker;

class MenuPopup : public Popup {
 public:
  struct Entry {
    DockToolPtr tool;
    std::shared_ptr<DocumentPane> pane;  // a window list entry
    std::string caption;
    bool enabled = true;
    bool checked = false;
    bool separator = false;
    gdi::RECT rect{};
  };

  MenuPopup(MenuTracker& tracker, DockToolPtr menu);
  const DockToolPtr& Menu() const { return m_menu; }
  const std::vector<Entry>& Entries() const { return m_entries; }
  // The size the entries need.
  int NeededWidth() const { return m_width; }
  int NeededHeight() const { return m_height; }
  int Highlighted() const { return m_highlighted; }
  void SetHighlighted(int entry);
  // The entry at a point of the pop-up, -1 for none (or a separator).
  int EntryAt(win::POINT point) const;
  // The next enabled, non-separator entry from `from` going by `step`
  // (wrapping round); -1 when none.
  int NextEntry(int from, int step) const;
  int EntryForAccessKey(char32_t letter) const;

 protected:
  void Paint(gdi::HDC hdc, int width, int height) override;
  bool OnMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam) override;

 private:
  MenuTracker& m_tracker;
  DockToolPtr m_menu;
  std::vector<Entry> m_entries;
  int m_highlighted = -1;
  int m_width = 0;
  int m_height = 0;
};

}  // namespace forms
