// The edit box: one line of text that the user types into, in a sunken
// field (the button face when disabled). It has a caret and a selection
// (SelStart, SelLength, SelText), moves with the arrow keys, Home and End
// (by word with Ctrl, extending the selection with Shift), selects with
// the mouse (a double click takes a word), and cuts, copies and pastes
// with Ctrl+X, Ctrl+C, Ctrl+V (and Shift+Del, Ctrl+Ins, Shift+Ins). With a
// PasswordChar it shows that character for each one typed and copies
// nothing. Every change of Text raises Change; the key events come first
// and a handler that sets the key to 0 swallows it. Tabbing into the field
// selects all of it.
#pragma once

#include <string>
#include <vector>

#include "forms/StandardControl.h"
#include "forms/controls/EditField.h"
#include "win/Window.h"

namespace forms {

class FlatEdit : public StandardControl {
 public:
  FlatEdit();
  std::string ClassName() const override { return "FlatEdit"; }

  const std::string& Text() const { return m_field.Buffer().Text(); }
  void SetText(std::string text);
  int32_t SelStart() const { return static_cast<int32_t>(m_field.Buffer().SelStart()); }
  void SetSelStart(int32_t start);
  int32_t SelLength() const { return static_cast<int32_t>(m_field.Buffer().SelLength()); }
  void SetSelLength(int32_t length);
  std::string SelText() const { return m_field.Buffer().SelText(); }
  void SetSelText(std::string_view text);
  const std::string& PasswordChar() const { return m_field.View().PasswordChar(); }
  void SetPasswordChar(std::string passwordChar);
  int32_t MaxLength() const { return static_cast<int32_t>(m_field.Buffer().MaxLength()); }
  void SetMaxLength(int32_t length);
  bool Locked() const { return m_field.Locked(); }
  void SetLocked(bool locked) { m_field.SetLocked(locked); }

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyDown(int16_t& keyCode, int16_t shift) override;
  void KeyPress(int16_t& keyAscii) override;
  void GotFocus() override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 protected:
  std::string WindowClass() const override { return ControlWindowClass("QvControlDbl", win::CS_DBLCLKS); }
  void OnTextChanged() override { m_field.View().Reset(); }

 private:
  gdi::RECT TextRect(int x, int y) const;
  void Edited(bool changed);

  mutable EditField m_field;
};

}  // namespace forms
