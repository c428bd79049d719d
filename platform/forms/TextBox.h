// The text box: editable text in a sunken white box. Typed characters
// (KeyPress) are appended, Backspace removes the last one, unless Locked;
// every change of Text raises Change.
//
// A multi-line box wraps its text at blanks, takes Enter as a line break
// (CR LF; a line feed typed on its own stays one) and, with ScrollBars 2
// (vertical) or 3 (both; the horizontal bar is not drawn, the text wraps),
// shows a vertical scroll bar inside its border: the bar's value is the
// first line shown, and it is enabled while there are more lines than fit.
#pragma once

#include <memory>

#include "forms/StandardControl.h"

namespace forms {

class ScrollBar;

class TextBox : public StandardControl, public com::ControlContainer {
 public:
  TextBox();
  ~TextBox() override;
  std::string ClassName() const override { return "TextBox"; }

  const std::string& Text() const { return Caption(); }
  void SetText(std::string text);
  bool Locked() const { return m_locked; }
  void SetLocked(bool value) { m_locked = value; }
  bool MultiLine() const { return m_multiLine; }
  void SetMultiLine(bool value);
  int16_t ScrollBars() const { return m_scrollBars; }
  void SetScrollBars(int16_t value);
  // The vertical scroll bar; null without one.
  ScrollBar* VerticalBar() const;
  // Wrapped lines of the text, and how many fit the box.
  int LineCount() const;
  int VisibleLines() const;

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  void KeyPress(int16_t& keyAscii) override;

  // ControlContainer (for the scroll bar).
  win::HWND ContainerWindow() const override { return hWnd(); }
  com::AmbientProperties Ambient() const override;
  com::DispatchPtr ContainerObject() override { return shared_from_this(); }
  void OnControlInvalidated(com::Control& /*control*/) override { Invalidate(); }

 protected:
  void OnSited() override;
  void OnMoved() override { UpdateBar(); }
  void OnTextChanged() override { UpdateBar(); }
  void OnEnabledChanged() override;

 private:
  bool HasBar() const { return m_multiLine && (m_scrollBars == 2 || m_scrollBars == 3); }
  // The text's area inside the border and the bar, in pixels of the box.
  gdi::RECT TextArea() const;
  void UpdateBar();

  bool m_locked = false;
  bool m_multiLine = false;
  int16_t m_scrollBars = 0;
  std::shared_ptr<ScrollBar> m_bar;
};

}  // namespace forms
