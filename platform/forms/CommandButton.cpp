#include "forms/CommandButton.h"

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/ControlPainter.h"
#include "win/Input.h"

namespace forms {

namespace {
com::ControlRegistration<CommandButton> registration{"VB.CommandButton", "CommandButton"};
}

CommandButton::CommandButton() : StandardControl(0x80000012, 0x8000000F) {
  DefineProperty(
      "Default", [this] { return rt::Variant(m_default); }, [this](const rt::Variant& v) { SetDefault(v.ToBool()); });
  DefineProperty(
      "Cancel", [this] { return rt::Variant(m_cancel); }, [this](const rt::Variant& v) { SetCancel(v.ToBool()); });
  DefineProperty(
      "Value", [] { return rt::Variant(false); },
      [this](const rt::Variant& v) {
        if (v.ToBool()) Click();
      });
}

void CommandButton::SetDefault(bool value) {
  m_default = value;
  Invalidate();
}

void CommandButton::ReadProperties(const com::PropertyBag& bag) {
  m_default = bag.ReadProperty("Default", false).ToBool();
  m_cancel = bag.ReadProperty("Cancel", false).ToBool();
  StandardControl::ReadProperties(bag);
}

void CommandButton::WriteProperties(com::PropertyBag& bag) {
  StandardControl::WriteProperties(bag);
  bag.WriteProperty("Default", m_default, false);
  bag.WriteProperty("Cancel", m_cancel, false);
}

void CommandButton::KeyPress(int16_t& keyAscii) {
  StandardControl::KeyPress(keyAscii);
  if (keyAscii == vbKeySpace) Click();
}

void CommandButton::Draw(gdi::HDC hdc, int x, int y) {
  const bool focused = hWnd() != win::kNoWindow && win::GetFocus() == hWnd();
  painter::DrawButton(hdc, gdi::RECT{x, y, x + PixelWidth(), y + PixelHeight()}, Caption(), Font(), ForeColor(),
                      BackColor(), Enabled(), m_default, false, focused);
}

}  // namespace forms
