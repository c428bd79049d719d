#include "forms/CheckBox.h"

#include <algorithm>

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/ControlPainter.h"
#include "gdi/Gdi.h"
#include "runtime/Error.h"
#include "win/Input.h"

namespace forms {

namespace {
com::ControlRegistration<CheckBox> registration{"VB.CheckBox", "CheckBox", "XtremeSuiteControls.CheckBox"};
constexpr int kBoxSize = 13;
}  // namespace

CheckBox::CheckBox() : StandardControl(0x80000012, 0x8000000F) {
  DefineProperty(
      "Value", [this] { return rt::Variant(m_value); }, [this](const rt::Variant& v) { SetValue(v.ToInteger()); });
}

void CheckBox::SetValue(int16_t value) {
  if (value < vbUnchecked || value > vbGrayed) rt::Raise(380, "CheckBox", "Invalid property value");
  if (value == m_value) return;
  m_value = value;
  Invalidate();
  RaiseEvent("Click");
}

void CheckBox::Click() {
  if (!Enabled()) return;
  SetValue(m_value == vbChecked ? vbUnchecked : vbChecked);
}

void CheckBox::KeyPress(int16_t& keyAscii) {
  StandardControl::KeyPress(keyAscii);
  if (keyAscii == vbKeySpace) Click();
}

bool CheckBox::HandleMessage(uint32_t msg, win::WPARAM, win::LPARAM lParam, win::LRESULT& result) {
  bool click = false;
  if (!m_press.Handle(*this, msg, lParam, click)) return false;
  if (click) Click();
  result = 0;
  return true;
}

void CheckBox::ReadProperties(const com::PropertyBag& bag) {
  m_value = bag.ReadProperty("Value", int16_t{0}).ToInteger();
  StandardControl::ReadProperties(bag);
}

void CheckBox::WriteProperties(com::PropertyBag& bag) {
  StandardControl::WriteProperties(bag);
  bag.WriteProperty("Value", m_value, int16_t{0});
}

void CheckBox::Draw(gdi::HDC hdc, int x, int y) {
  const int w = PixelWidth();
  const int h = PixelHeight();
  const gdi::RECT rect{x, y, x + w, y + h};
  painter::FillSolid(hdc, rect, BackColor());
  painter::DrawCheckBox(hdc, x, y + (h - kBoxSize) / 2, m_value, Enabled(), m_press.Pressed());
  const bool focused = hWnd() != win::kNoWindow && win::GetFocus() == hWnd();
  painter::DrawBoxCaption(hdc, painter::CheckBoxTextRect(rect).left, rect, Caption(), Font(), ForeColor(), Enabled(),
                          focused);
}

}  // namespace forms
