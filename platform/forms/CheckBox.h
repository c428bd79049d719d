// The check box: a box with a check mark and its caption to the right.
// Value is 0 (unchecked), 1 (checked) or 2 (greyed); a change of Value, by
// the user or by code, raises Click. A user click toggles between 0 and 1.
#pragma once

#include "forms/StandardControl.h"
#include "forms/controls/ButtonPress.h"

namespace forms {

class CheckBox : public StandardControl {
 public:
  CheckBox();
  std::string ClassName() const override { return "CheckBox"; }

  int16_t Value() const { return m_value; }
  void SetValue(int16_t value);
  void Click() override;

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyPress(int16_t& keyAscii) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 private:
  int16_t m_value = 0;
  ButtonPress m_press;
};

}  // namespace forms
