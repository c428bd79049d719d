#include "forms/CheckBox.h"

#include <algorithm>

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/ControlPainter.h"
#include "gdi/Gdi.h"
#include "runtime/Error.h"

namespace forms {

namespace {
com::ControlRegistration<CheckBox> registration{"VB.CheckBox", "CheckBox"};
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
  gdi::OwnedBrush brush(gdi::CreateSolidBrush(gdi::OleTranslateColor(BackColor())));
  gdi::FillRect(hdc, gdi::RECT{x, y, x + w, y + h}, brush.Get());
  painter::DrawCheckBox(hdc, x, y + (h - kBoxSize) / 2, m_value, Enabled());
  const gdi::RECT textRect = painter::CheckBoxTextRect(gdi::RECT{x, y, x + w, y + h});
  const int textLeft = textRect.left;
  const int textWidth = std::max(1, static_cast<int>(textRect.right - textLeft));
  const gdi::SIZE text = painter::MeasureText(Caption(), Font(), textWidth, true);
  const int top = y + std::max(0, (h - text.cy) / 2);
  painter::DrawText(hdc, Caption(), gdi::RECT{textLeft, top, x + w, top + text.cy}, gdi::DT_LEFT | gdi::DT_WORDBREAK,
                    Font(), ForeColor(), Enabled());
}

}  // namespace forms
