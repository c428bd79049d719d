// The picture box: a drawing surface of its own (AutoRedraw, Cls, Print,
// Line, PaintPicture, hDC, scale), a background picture, a border (1: the
// sunken 3-D border) and the events Paint (drawn with AutoRedraw off),
// Resize, Click and DblClick, MouseDown, MouseMove and MouseUp (Button,
// Shift, X, Y in the box's scale), and while it has the focus KeyDown and
// KeyUp. Controls can be placed on it (constituents).
#pragma once

#include "com/UserControl.h"

namespace forms {

class PictureBox : public com::UserControl {
 public:
  PictureBox();
  std::string ClassName() const override { return "PictureBox"; }

  int16_t BorderStyle() const { return m_borderStyle; }
  void SetBorderStyle(int16_t style);
  void Cls() {
    Surface().Cls();
    Invalidate();
  }
  void Click();

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;
  void Draw(gdi::HDC hdc, int x, int y) override;
  bool HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) override;

 protected:
  void Paint() override { RaiseEvent("Paint"); }
  void Resize() override { RaiseEvent("Resize"); }
  void OnMouseClick() override { Click(); }
  void UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) override;
  void UserControl_DblClick() override;

 private:
  int16_t m_borderStyle = 1;
};

}  // namespace forms
