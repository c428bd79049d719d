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
      "Locked", [this] { return rt::Variant(m_locked); }, [this](const rt::Variant& v) { SetLocked(v.ToBool()); });
}

void FlatEdit::SetText(std::string text) {
  if (text == Text()) return;
  m_buffer.SetText(std::move(text));
  Edited(true);
}

void FlatEdit::SetSelStart(int32_t start) {
  if (start < 0) rt::Raise(380, "FlatEdit", "Invalid property value");
  m_buffer.Select(static_cast<size_t>(start), 0);
  Edited(false);
}

void FlatEdit::SetSelLength(int32_t length) {
  if (length < 0) rt::Raise(380, "FlatEdit", "Invalid property value");
  m_buffer.Select(m_buffer.SelStart(), static_cast<size_t>(length));
  Edited(false);
}

void FlatEdit::SetSelText(std::string_view text) { Edited(m_buffer.ReplaceSelection(text)); }

void FlatEdit::SetPasswordChar(std::string passwordChar) {
  m_view.SetPasswordChar(std::move(passwordChar));
  m_buffer.SetPassword(!m_view.PasswordChar().empty());
  Invalidate();
}

void FlatEdit::SetMaxLength(int32_t length) {
  if (length < 0) rt::Raise(380, "FlatEdit", "Invalid property value");
  m_buffer.SetMaxLength(static_cast<size_t>(length));
}

void FlatEdit::Edited(bool changed) {
  m_view.Reset();
  m_view.ScrollToCaret(m_buffer, Font(), TextRect(0, 0).right - TextRect(0, 0).left);
  Invalidate();
  if (changed) RaiseEvent("Change");
}

gdi::RECT FlatEdit::TextRect(int x, int y) const {
  return gdi::RECT{x + 2 + kInset, y + 2, x + PixelWidth() - 2 - kInset, y + PixelHeight() - 2};
}

void FlatEdit::GotFocus() {
  // Tabbing in selects everything; a click places the caret instead.
  if (!m_mouseFocus) m_buffer.SelectAll();
  Edited(false);
  StandardControl::GotFocus();
}

void FlatEdit::KeyDown(int16_t& keyCode, int16_t shift) {
  StandardControl::KeyDown(keyCode, shift);
  if (keyCode == 0) return;
  const bool extend = (shift & com::vbShiftMask) != 0;
  const bool ctrl = (shift & com::vbCtrlMask) != 0;
  bool changed = false;
  switch (static_cast<uint32_t>(keyCode)) {
    case win::VK_LEFT:
      m_buffer.MoveLeft(ctrl, extend);
      break;
    case win::VK_RIGHT:
      m_buffer.MoveRight(ctrl, extend);
      break;
    case win::VK_HOME:
      m_buffer.MoveHome(extend);
      break;
    case win::VK_END:
      m_buffer.MoveEnd(extend);
      break;
    case win::VK_DELETE:
      if (m_locked) return;
      changed = extend ? m_buffer.Cut() : m_buffer.Delete();
      break;
    case win::VK_INSERT:
      if (ctrl) m_buffer.Copy();
      if (extend && !m_locked) changed = m_buffer.Paste();
      break;
    default:
      return;
  }
  Edited(changed);
}

void FlatEdit::KeyPress(int16_t& keyAscii) {
  StandardControl::KeyPress(keyAscii);
  if (keyAscii == 0) return;
  const auto code = static_cast<char32_t>(static_cast<uint16_t>(keyAscii));
  switch (code) {
    case 1:  // Ctrl+A
      m_buffer.SelectAll();
      Edited(false);
      return;
    case 3:  // Ctrl+C
      m_buffer.Copy();
      return;
    case 24:  // Ctrl+X
      if (!m_locked) Edited(m_buffer.Cut());
      return;
    case 22:  // Ctrl+V
      if (!m_locked) Edited(m_buffer.Paste());
      return;
    case vbKeyBack:
      if (!m_locked) Edited(m_buffer.Backspace());
      return;
    default:
      break;
  }
  if (code < 32 || m_locked) return;
  Edited(m_buffer.ReplaceSelection(TypedText(keyAscii, std::exchange(m_typed, 0))));
}

bool FlatEdit::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  const int x = win::GET_X_LPARAM(lParam) - TextRect(0, 0).left;
  switch (msg) {
    case win::WM_CHAR:
      // What was typed, before the form turns it into a key code.
      m_typed = static_cast<char32_t>(wParam);
      return false;
    case win::WM_LBUTTONDOWN: {
      const bool extend = (wParam & win::MK_SHIFT) != 0;
      m_mouseFocus = true;
      if (auto* form = dynamic_cast<Form*>(Container())) form->SetFocusTo(*this);
      m_mouseFocus = false;
      m_buffer.MoveCaret(m_view.PositionAt(m_buffer, Font(), x), extend);
      win::SetCapture(hWnd());
      Edited(false);
      break;
    }
    case win::WM_MOUSEMOVE:
      if (win::GetCapture() != hWnd()) return false;
      m_buffer.MoveCaret(m_view.PositionAt(m_buffer, Font(), x), true);
      Edited(false);
      break;
    case win::WM_LBUTTONUP:
      if (win::GetCapture() == hWnd()) win::ReleaseCapture();
      RaiseEvent("Click");
      break;
    case win::WM_LBUTTONDBLCLK:
      m_buffer.SelectWordAt(m_view.PositionAt(m_buffer, Font(), x));
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
  m_locked = bag.ReadProperty("Locked", false).ToBool();
  SetPasswordChar(bag.ReadProperty("PasswordChar", "").ToString());
  SetMaxLength(bag.ReadProperty("MaxLength", 0).ToLong());
  m_buffer.SetText(bag.ReadProperty("Text", "").ToString());
  m_view.Reset();
}

void FlatEdit::WriteProperties(com::PropertyBag& bag) {
  StandardControl::WriteProperties(bag);
  bag.Remove("Caption");
  bag.WriteProperty("Text", Text(), "");
  bag.WriteProperty("Locked", m_locked, false);
  bag.WriteProperty("PasswordChar", PasswordChar(), "");
  bag.WriteProperty("MaxLength", MaxLength(), 0);
}

void FlatEdit::Draw(gdi::HDC hdc, int x, int y) {
  const gdi::RECT rect{x, y, x + PixelWidth(), y + PixelHeight()};
  painter::DrawField(hdc, rect, BackColor(), Enabled());
  const bool focused = hWnd() != win::kNoWindow && win::GetFocus() == hWnd();
  m_view.Draw(hdc, TextRect(x, y), m_buffer, Font(), ForeColor(), Enabled(), focused);
}

}  // namespace forms
