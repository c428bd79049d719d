// The text box: editable text in a sunken white box. Typed characters
// (KeyPress) are appended, Backspace removes the last one, unless Locked;
// every change of Text raises Change.
#pragma once

#include "forms/StandardControl.h"

namespace forms {

class TextBox : public StandardControl {
 public:
  TextBox();
  std::string ClassName() const override { return "TextBox"; }

  const std::string& Text() const { return Caption(); }
  void SetText(std::string text);
  bool Locked() const { return m_locked; }
  void SetLocked(bool value) { m_locked = value; }
  bool MultiLine() const { return m_multiLine; }

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyPress(int16_t& keyAscii) override;

 private:
  bool m_locked = false;
  bool m_multiLine = false;
};

}  // namespace forms
