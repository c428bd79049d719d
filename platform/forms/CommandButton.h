// The command button: a 3-D push button with a centred caption. Default
// makes Enter click it, Cancel makes Escape click it (the form routes the
// keys). Click raises the Click event when the button is enabled; setting
// Value to True clicks it.
#pragma once

#include "forms/StandardControl.h"

namespace forms {

class CommandButton : public StandardControl {
 public:
  CommandButton();
  std::string ClassName() const override { return "CommandButton"; }

  bool Default() const { return m_default; }
  void SetDefault(bool value);
  bool Cancel() const { return m_cancel; }
  void SetCancel(bool value) { m_cancel = value; }

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyPress(int16_t& keyAscii) override;

 private:
  bool m_default = false;
  bool m_cancel = false;
};

}  // namespace forms
