// The option button: a round box with a dot and its caption. Option
// buttons placed on the same holder (the form, a group box, a tab page)
// form a group in which one is set: setting Value to True (by the user or
// by code) clears the others of its group and raises Click; clearing it
// raises nothing. Only the set button of a group is a Tab stop; the arrow
// keys move to the previous or next button of the group and set it. A
// button the user chooses has the focus when its Click runs.
#pragma once

#include <memory>
#include <vector>

#include "forms/StandardControl.h"
#include "forms/controls/ButtonPress.h"

namespace forms {

class OptionButton : public StandardControl {
 public:
  OptionButton();
  std::string ClassName() const override { return "OptionButton"; }

  bool Value() const { return m_value; }
  void SetValue(bool value);
  void Click() override;
  bool CanFocus() const override;
  bool OnAccessKey(char32_t letter) override;

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyDown(int16_t& keyCode, int16_t shift) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 private:
  // The option buttons of this one's group in TabIndex order (this one too).
  std::vector<std::shared_ptr<OptionButton>> Group() const;
  // Sets this button and clears the others, raising nothing; whether it
  // was clear before.
  bool Select();
  // The user chose this button (a click, its access key, an arrow key): it
  // is set and takes the focus first, then raises Click, so that a Click
  // handler that moves the focus on keeps its move.
  void Choose();

  bool m_value = false;
  ButtonPress m_press;
};

}  // namespace forms
