// The command button: a 3-D push button with a centred caption and, when
// it has a Picture, the picture left of the caption (or alone). Default
// makes Enter click it, Cancel makes Escape click it (the form routes the
// keys). Click raises the Click event when the button is enabled; setting
// Value to True clicks it. The user presses it with the mouse (released
// on the button) or with Space.
#pragma once

#include "com/StdPicture.h"
#include "forms/StandardControl.h"
#include "forms/controls/ButtonPress.h"

namespace forms {

class CommandButton : public StandardControl {
 public:
  CommandButton();
  std::string ClassName() const override { return "CommandButton"; }

  bool Default() const { return m_default; }
  void SetDefault(bool value);
  bool Cancel() const { return m_cancel; }
  void SetCancel(bool value) { m_cancel = value; }
  const com::StdPicturePtr& Picture() const { return m_picture; }
  void SetPicture(com::StdPicturePtr picture);

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyPress(int16_t& keyAscii) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 private:
  bool m_default = false;
  bool m_cancel = false;
  com::StdPicturePtr m_picture;
  ButtonPress m_press;
};

}  // namespace forms
