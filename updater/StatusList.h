// Until the forms layer offers its list box, the update window's status
// list is this small read-only list of lines: AddItem, Clear, ListCount,
// ListIndex (the selected line, kept in view) and ForeColor, late-bound as
// the list box's. It is registered as "VB.ListBox" only where the platform
// has no list box of its own.
#pragma once

#include <string>
#include <vector>

#include "com/UserControl.h"

namespace verscout {

class StatusList : public com::UserControl {
 public:
  StatusList();
  std::string ClassName() const override { return "ListBox"; }
  void ReadProperties(const com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;

  // Registers the class unless a list box is registered already.
  static void RegisterWhereMissing();

 protected:
  void Resize() override { Repaint(); }

 private:
  void Repaint();

  std::vector<std::string> m_lines;
  int32_t m_selected = -1;
};

}  // namespace verscout
