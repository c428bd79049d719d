#include "forms/controls/FlatEdit.h"

#include <algorithm>
#include <utility>

#include "com/ControlFactory.h"
#include "forms/Constants.h"
#include "forms/ControlPainter.h"
#include "forms/Form.h"
#include "gdi/Gdi.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Messages.h"

namespace forms {

namespace {
com::ControlRegistration<FlatEdit> registration{"XtremeSuiteControls.FlatEdit", "FlatEdit"};
constexpr int kInset = 2;  // between the border and the text
}  // namespace

FlatEdit::FlatEdit() : StandardControl(0x80000008, 0x80000005) {
  DefineProperty(
      "Text", [this] { return rt::Variant(Text()); }, [this](const rt::Variant& v) { SetText(v.ToString()); });
  DefineProperty(
      "SelStart", [this] { return rt::Variant(SelStart()); }, [this](const rt::Variant& v) { SetSelStart(v.ToLong()); });
  DefineProperty(
      "SelLength", [this] { return rt::Variant(SelLength()); },
      [this](const rt::Variant& v) { SetSelLength(v.ToLong()); });
  DefineProperty(
      "SelText", [this] { return rt::Variant(SelText()); }, [this](const rt::Variant& v) { SetSelText(v.ToString()); });
  DefineProperty(
      "PasswordChar", [this] { return rt::Variant(PasswordChar()); },
      [this](const rt::Variant& v) { SetPasswordChar(v.ToString()); });
  DefineProperty(
      "MaxLength", [this] { return rt::Variant(MaxLength()); },
      [this](const rt::Variant& v) { SetMaxLength(v.ToLong()); });
  DefineProperty(
      "Locked", [this] { return rt::Variant(Locked()); }, [this](const rt::Variant& v) { SetLocked(v.ToBool()); });
}

void FlatEdit::SetText(std::string text) {
  if (text == Text()) return;
  m_field.Buffer().SetText(std::move(text));
  Edited(true);
}

void FlatEdit::SetSelStart(int32_t start) {
  if (start < 0) rt::Raise(380, "FlatEdit", "Invalid property value");
  m_field.Buffer().Select(static_cast<size_t>(start), 0);
  Edited(false);
}

void FlatEdit::SetSelLength(int32_t length) {
  if (length < 0) rt::Raise(380, "FlatEdit", "Invalid property value");
  m_field.Buffer().Select(m_field.Buffer().SelStart(), static_cast<size_t>(length));
  Edited(false);
}

void FlatEdit::SetSelText(std::string_view text) { Edited(m_field.Buffer().ReplaceSelection(text)); }

void FlatEdit::SetPasswordChar(std::string passwordChar) {
  m_field.View().SetPasswordChar(std::move(passwordChar));
  m_field.Buffer().SetPassword(!m_field.View().PasswordChar().empty());
  Invalidate();
}

void FlatEdit::SetMaxLength(int32_t length) {
  if (length < 0) rt::Raise(380, "FlatEdit", "Invalid property value");
  m_field.Buffer().SetMaxLength(static_cast<size_t>(length));
}

void FlatEdit::Edited(bool changed) {
  const gdi::RECT text = TextRect(0, 0);
  m_field.View().Reset();
  m_field.View().ScrollToCaret(m_field.Buffer(), Font(), text.right - text.left);
  Invalidate();
  if (changed) RaiseEvent("Change");
}

gdi::RECT FlatEdit::TextRect(int x, int y) const {
  return gdi::RECT{x + 2 + kInset, y + 2, x + PixelWidth() - 2 - kInset, y + PixelHeight() - 2};
}

void FlatEdit::GotFocus() {
  m_field.FocusArrives();
  Edited(false);
  StandardControl::GotFocus();
}

void FlatEdit::KeyDown(int16_t& keyCode, int16_t shift) {
  StandardControl::KeyDown(keyCode, shift);
  bool changed = false;
  if (keyCode != 0 && m_field.KeyDown(static_cast<uint32_t>(keyCode), shift, changed)) Edited(changed);
}

void FlatEdit::KeyPress(int16_t& keyAscii) {
  StandardControl::KeyPress(keyAscii);
  bool changed = false;
  if (keyAscii != 0 && m_field.KeyPress(keyAscii, changed)) Edited(changed);
}

bool FlatEdit::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  const int x = win::GET_X_LPARAM(lParam) - TextRect(0, 0).left;
  switch (msg) {
    case win::WM_CHAR:
      m_field.Typed(static_cast<char32_t>(wParam));
      return false;
    case win::WM_LBUTTONDOWN:
      m_field.TakingFocusByMouse(true);
      if (auto* form = dynamic_cast<Form*>(Container())) form->SetFocusTo(*this);
      m_field.TakingFocusByMouse(false);
      m_field.Press(x, Font(), (wParam & win::MK_SHIFT) != 0);
      win::SetCapture(hWnd());
      Edited(false);
      break;
    case win::WM_MOUSEMOVE:
      if (win::GetCapture() != hWnd()) return false;
      m_field.Drag(x, Font());
      Edited(false);
      break;
    case win::WM_LBUTTONUP:
      if (win::GetCapture() == hWnd()) win::ReleaseCapture();
      RaiseEvent("Click");
      break;
    case win::WM_LBUTTONDBLCLK:
      m_field.DoubleClick(x, Font());
      Edited(false);
      RaiseEvent("DblClick");
      break;
    default:
      return false;
  }
  result = 0;
  return true;
}

void FlatEdit::ReadProperties(const com::PropertyBag& bag) {
  StandardControl::ReadProperties(bag);
  m_field.SetLocked(bag.ReadProperty("Locked", false).ToBool());
  SetPasswordChar(bag.ReadProperty("PasswordChar", "").ToString());
  SetMaxLength(bag.ReadProperty("MaxLength", 0).ToLong());
  m_field.Buffer().SetText(bag.ReadProperty("Text", "").ToString());
  m_field.View().Reset();
}

void FlatEdit::WriteProperties(com::PropertyBag& bag) {
  StandardControl::WriteProperties(bag);
  bag.Remove("Caption");
  bag.WriteProperty("Text", Text(), "");
  bag.WriteProperty("Locked", Locked(), false);
  bag.WriteProperty("PasswordChar", PasswordChar(), "");
  bag.WriteProperty("MaxLength", MaxLength(), 0);
}

void FlatEdit::Draw(gdi::HDC hdc, int x, int y) {
  const gdi::RECT rect{x, y, x + PixelWidth(), y + PixelHeight()};
  painter::DrawField(hdc, rect, BackColor(), Enabled());
  const bool focused = hWnd() != win::kNoWindow && win::GetFocus() == hWnd();
  m_field.View().Draw(hdc, TextRect(x, y), m_field.Buffer(), Font(), ForeColor(), Enabled(), focused);
}

}  // namespace forms
