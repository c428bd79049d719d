// The tab control: a row of tabs above a page area, one tab per page (the
// TabPage controls placed on it, in the order of the design data). One
// page is selected; the controls placed on it show, those of the other
// pages do not. The user chooses a page by clicking its tab, with Ctrl+Tab
// and Ctrl+Shift+Tab (or Ctrl+Page Down / Up) anywhere on the form's
// controls of the tab control, and with Left and Right while the tab row
// has the focus; a disabled page cannot be chosen. SelectedItem is the
// 0-based position of the selected page; selecting another page (by the
// user or by code) raises SelectedChanged(Item), and every click on a tab
// raises TabClick(Item), Item being the page's position. The tabs show the
// page captions and the icons of the control's Icons collection. With
// ShowTabs False the row is hidden and the page fills the control.
#pragma once

#include <memory>
#include <vector>

#include "forms/ControlHolder.h"
#include "forms/StandardControl.h"
#include "forms/lists/IconStore.h"

namespace forms {

class TabPage;

class TabControl : public StandardControl, public ControlHolder {
 public:
  TabControl();
  std::string ClassName() const override { return "TabControl"; }

  // The pages in order.
  std::vector<std::shared_ptr<TabPage>> Pages() const;
  int32_t ItemCount() const { return static_cast<int32_t>(Pages().size()); }
  std::shared_ptr<TabPage> Item(int32_t index) const;
  int32_t SelectedItem() const;
  // Raises 380 for a position outside the pages.
  void SetSelectedItem(int32_t index);
  bool ShowTabs() const { return m_showTabs; }
  void SetShowTabs(bool show);
  IconStore& Icons() { return *m_icons; }
  // The page area in twips of the form, and the tab of a page in pixels of
  // the control (empty when the row is hidden).
  void PageArea(int32_t& left, int32_t& top, int32_t& width, int32_t& height) const;
  gdi::RECT TabRect(int32_t index) const;
  // The page whose tab is at a pixel of the control, -1 when none.
  int32_t TabAt(int x, int y) const;
  // Places the pages over the page area (after the control moved or a page
  // came).
  void ArrangePages();

  bool ShowsHeld(const com::Control& held) const override;
  void HeldChanged() override { ArrangePages(); }
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyDown(int16_t& keyCode, int16_t shift) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;
  void GotFocus() override;
  void LostFocus() override;

  // Ctrl+Tab and Ctrl+Page Down / Up for a control placed on the tab
  // control: moves to the next or previous enabled page; true when done.
  bool StepPage(bool backwards);

 protected:
  void OnMoved() override;
  void OnSited() override;

 private:
  int TabHeight() const;
  void Choose(int32_t index);

  std::shared_ptr<IconStore> m_icons;
  std::weak_ptr<TabPage> m_selected;
  bool m_showTabs = true;
};

}  // namespace forms
