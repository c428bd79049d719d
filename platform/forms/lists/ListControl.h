// What the list controls (list box, tree view, report list) share: a field
// in the window colours with scroll bars that show when the content does
// not fit, the wheel, double clicks, and a repaint when the focus comes or
// goes (the selection shows in other colours without it). A list lays its
// content out in Arrange, after it was sited, moved or given another font.
#pragma once

#include "forms/StandardControl.h"
#include "forms/lists/ScrollHost.h"

namespace forms {

class ListControl : public StandardControl {
 public:
  void GotFocus() override;
  void LostFocus() override;
  // The wheel scrolls; a list handles its other messages and passes the
  // rest here.
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 protected:
  ListControl();
  ScrollHost& Scroll() { return m_scroll; }
  const ScrollHost& Scroll() const { return m_scroll; }
  bool Focused() const;
  // Lays the content out in the control's pixels.
  virtual void Arrange() = 0;
  // Takes the focus for a click.
  void FocusByClick();

  std::string WindowClass() const override;
  void OnSited() override;
  void OnUnsited() override;
  void OnMoved() override { Arrange(); }
  void OnTextChanged() override { Arrange(); }

 private:
  ScrollHost m_scroll;
};

}  // namespace forms
