#include "forms/controls/OptionButton.h"

#include <algorithm>

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/ControlPainter.h"
#include "forms/Form.h"
#include "win/Input.h"
#include "win/InputRouting.h"

namespace forms {

namespace {
com::ControlRegistration<OptionButton> registration{"VB.OptionButton", "OptionButton",
                                                    "XtremeSuiteControls.RadioButton", "RadioButton"};
constexpr int kBoxSize = 12;
constexpr int kTextGap = 5;
}  // namespace

OptionButton::OptionButton() : StandardControl(0x80000012, 0x8000000F) {
  DefineProperty(
      "Value", [this] { return rt::Variant(m_value); }, [this](const rt::Variant& v) { SetValue(v.ToBool()); });
}

std::vector<std::shared_ptr<OptionButton>> OptionButton::Group() const {
  std::vector<std::shared_ptr<OptionButton>> group;
  auto* form = dynamic_cast<Form*>(Container());
  if (!form) return group;
  const com::Control* holder = form->HolderOf(*this);
  for (const auto& c : form->Controls()) {
    auto option = std::dynamic_pointer_cast<OptionButton>(c);
    if (option && form->HolderOf(*option) == holder) group.push_back(option);
  }
  std::stable_sort(group.begin(), group.end(), [](const auto& a, const auto& b) { return a->TabIndex() < b->TabIndex(); });
  return group;
}

bool OptionButton::Select() {
  if (m_value) return false;
  m_value = true;
  for (const auto& other : Group()) {
    if (other.get() != this && other->m_value) {
      other->m_value = false;
      other->Invalidate();
    }
  }
  Invalidate();
  return true;
}

void OptionButton::SetValue(bool value) {
  if (value) {
    if (Select()) RaiseEvent("Click");
  } else if (m_value) {
    m_value = false;
    Invalidate();
  }
}

void OptionButton::Choose() {
  if (!Enabled()) return;
  const bool changed = Select();
  if (auto* form = dynamic_cast<Form*>(Container())) form->SetFocusTo(*this);
  if (changed) RaiseEvent("Click");
}

void OptionButton::Click() {
  if (Enabled()) SetValue(true);
}

bool OptionButton::CanFocus() const {
  if (!StandardControl::CanFocus()) return false;
  if (m_value) return true;
  // Tab reaches a group through its set button; a group without one
  // through every button.
  const auto group = Group();
  return std::none_of(group.begin(), group.end(), [](const auto& o) { return o->m_value && o->Visible() && o->Enabled(); });
}

bool OptionButton::OnAccessKey(char32_t letter) {
  if (letter == 0 || AccessKeyOf(Caption()) != letter) return false;
  Choose();
  return true;
}

void OptionButton::KeyDown(int16_t& keyCode, int16_t shift) {
  StandardControl::KeyDown(keyCode, shift);
  const auto key = static_cast<uint32_t>(keyCode);
  const bool back = key == win::VK_UP || key == win::VK_LEFT;
  if (!back && key != win::VK_DOWN && key != win::VK_RIGHT) return;
  auto* form = dynamic_cast<Form*>(Container());
  auto group = Group();
  std::erase_if(group, [&](const auto& o) { return o.get() != this && (!o->Enabled() || !form || !form->IsShown(*o)); });
  auto it = std::find_if(group.begin(), group.end(), [this](const auto& o) { return o.get() == this; });
  if (it == group.end() || group.size() < 2) return;
  const size_t pos = static_cast<size_t>(it - group.begin());
  const auto& next = group[back ? (pos + group.size() - 1) % group.size() : (pos + 1) % group.size()];
  next->Choose();
  keyCode = 0;
}

bool OptionButton::HandleMessage(uint32_t msg, win::WPARAM, win::LPARAM lParam, win::LRESULT& result) {
  bool click = false;
  if (!m_press.Handle(*this, msg, lParam, click)) return false;
  if (click) Choose();
  result = 0;
  return true;
}

void OptionButton::ReadProperties(const com::PropertyBag& bag) {
  m_value = bag.ReadProperty("Value", false).ToBool();
  StandardControl::ReadProperties(bag);
}

void OptionButton::WriteProperties(com::PropertyBag& bag) {
  StandardControl::WriteProperties(bag);
  bag.WriteProperty("Value", m_value, false);
}

void OptionButton::Draw(gdi::HDC hdc, int x, int y) {
  const gdi::RECT rect{x, y, x + PixelWidth(), y + PixelHeight()};
  painter::FillSolid(hdc, rect, BackColor());
  painter::DrawOptionButton(hdc, x, y + (PixelHeight() - kBoxSize) / 2, m_value, Enabled(), m_press.Pressed());
  const bool focused = hWnd() != win::kNoWindow && win::GetFocus() == hWnd();
  painter::DrawBoxCaption(hdc, x + kBoxSize + kTextGap, rect, Caption(), Font(), ForeColor(), Enabled(), focused);
}

}  // namespace forms
