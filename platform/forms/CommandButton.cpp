#include "forms/CommandButton.h"

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/ControlPainter.h"
#include "gdi/Gdi.h"
#include "win/Input.h"
#include "win/Window.h"

namespace forms {

namespace {
com::ControlRegistration<CommandButton> registration{"VB.CommandButton", "CommandButton",
                                                      "XtremeSuiteControls.PushButton", "PushButton"};
}

CommandButton::CommandButton() : StandardControl(0x80000012, 0x8000000F) {
  DefineProperty(
      "Default", [this] { return rt::Variant(m_default); }, [this](const rt::Variant& v) { SetDefault(v.ToBool()); });
  DefineProperty(
      "Cancel", [this] { return rt::Variant(m_cancel); }, [this](const rt::Variant& v) { SetCancel(v.ToBool()); });
  DefineObject<com::StdPicture>(
      "Picture", [this] { return m_picture; }, [this](com::StdPicturePtr v) { SetPicture(std::move(v)); });
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

void CommandButton::SetPicture(com::StdPicturePtr picture) {
  m_picture = std::move(picture);
  Invalidate();
}

bool CommandButton::HandleMessage(uint32_t msg, win::WPARAM, win::LPARAM lParam, win::LRESULT& result) {
  bool click = false;
  if (!m_press.Handle(*this, msg, lParam, click)) return false;
  if (click) Click();
  result = 0;
  return true;
}

void CommandButton::ReadProperties(const com::PropertyBag& bag) {
  m_default = bag.ReadProperty("Default", false).ToBool();
  m_cancel = bag.ReadProperty("Cancel", false).ToBool();
  if (bag.Contains("Picture")) m_picture = com::AsObject<com::StdPicture>(bag.ReadProperty("Picture"));
  StandardControl::ReadProperties(bag);
}

void CommandButton::WriteProperties(com::PropertyBag& bag) {
  StandardControl::WriteProperties(bag);
  bag.WriteProperty("Default", m_default, false);
  bag.WriteProperty("Cancel", m_cancel, false);
  if (m_picture) bag.WriteProperty("Picture", com::ToVariant(m_picture), com::Nothing());
}

void CommandButton::KeyPress(int16_t& keyAscii) {
  StandardControl::KeyPress(keyAscii);
  if (keyAscii == vbKeySpace) Click();
}

void CommandButton::Draw(gdi::HDC hdc, int x, int y) {
  const bool focused = hWnd() != win::kNoWindow && win::GetFocus() == hWnd();
  const gdi::RECT rect{x, y, x + PixelWidth(), y + PixelHeight()};
  const bool hasPicture = m_picture && !m_picture->IsEmpty();
  // The focused button is the one Enter presses: it shows the default
  // frame, and the Default button shows it only while no other button has
  // the focus.
  bool otherButtonFocused = false;
  if (const win::HWND focus = win::GetFocus(); focus != win::kNoWindow && focus != hWnd()) {
    auto* control = reinterpret_cast<com::Control*>(win::GetWindowLongA(focus, win::GWL_USERDATA));
    otherButtonFocused = control && win::GetParent(focus) == win::GetParent(hWnd()) &&
                         dynamic_cast<CommandButton*>(control) != nullptr;
  }
  const bool showsDefault = focused || (m_default && !otherButtonFocused);
  painter::DrawButton(hdc, rect, hasPicture ? std::string() : Caption(), Font(), ForeColor(), BackColor(), Enabled(),
                      showsDefault, m_press.Pressed(), focused);
  if (!hasPicture) return;
  // The picture alone, or left of the caption.
  gdi::RECT content = rect;
  gdi::InflateRect(&content, -4, -3);
  if (m_press.Pressed()) gdi::OffsetRect(&content, 1, 1);
  if (Caption().empty()) {
    painter::DrawPicture(hdc, content, m_picture, Enabled());
    return;
  }
  const gdi::SIZE text = painter::MeasureText(Caption(), Font(), 0, true);
  const int total = m_picture->PixelWidth() + 4 + text.cx;
  const int left = content.left + std::max(0, static_cast<int>(content.right - content.left - total) / 2);
  painter::DrawPicture(hdc, gdi::RECT{left, content.top, left + m_picture->PixelWidth(), content.bottom}, m_picture,
                       Enabled());
  painter::DrawText(hdc, Caption(), gdi::RECT{left + m_picture->PixelWidth() + 4, content.top, content.right, content.bottom},
                    gdi::DT_LEFT | gdi::DT_VCENTER | gdi::DT_SINGLELINE, Font(), ForeColor(), Enabled());
}

}  // namespace forms
