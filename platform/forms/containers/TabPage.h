// A page of a tab control (a tab panel): its Caption is the tab's caption,
// Image the number of the tab control's icon shown beside it (-1, the
// default: the icon numbered as the page's position), Enabled whether the
// user can choose it. The controls placed on it show while it is the
// selected page. The tab control places it over its page area.
#pragma once

#include "forms/ControlHolder.h"
#include "forms/StandardControl.h"

namespace forms {

class TabControl;

class TabPage : public StandardControl, public ControlHolder {
 public:
  TabPage();
  std::string ClassName() const override { return "TabPage"; }

  int32_t Image() const { return m_image; }
  void SetImage(int32_t image);
  // The tab control that holds the page (nullptr while it holds none).
  TabControl* Owner() const;
  bool Selected() const;
  void Select();

  bool ShowsHeld(const com::Control&) const override { return true; }
  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  // The page's access key selects it.
  bool OnAccessKey(char32_t letter) override;

 protected:
  std::string WindowClass() const override { return {}; }
  void OnEnabledChanged() override;
  void OnTextChanged() override;

 private:
  int32_t m_image = -1;
};

}  // namespace forms
