#include "forms/controls/FlatEdit.h"

#include <algorithm>

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
      "PasswordChar", [this] { return rt::Variant(m_passwordChar); },
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
  ScrollToCaret();
  Invalidate();
}

void FlatEdit::SetSelLength(int32_t length) {
  if (length < 0) rt::Raise(380, "FlatEdit", "Invalid property value");
  m_buffer.Select(m_buffer.SelStart(), static_cast<size_t>(length));
  ScrollToCaret();
  Invalidate();
}

void FlatEdit::SetSelText(std::string_view text) { Edited(m_buffer.ReplaceSelection(text)); }

void FlatEdit::SetPasswordChar(std::string passwordChar) {
  // One character: the first of the text.
  size_t end = passwordChar.empty() ? 0 : 1;
  while (end < passwordChar.size() && (static_cast<unsigned char>(passwordChar[end]) & 0xC0) == 0x80) ++end;
  m_passwordChar = passwordChar.substr(0, end);
  m_buffer.SetPassword(!m_passwordChar.empty());
  m_offsets.clear();
  Invalidate();
}

void FlatEdit::SetMaxLength(int32_t length) {
  if (length < 0) rt::Raise(380, "FlatEdit", "Invalid property value");
  m_buffer.SetMaxLength(static_cast<size_t>(length));
}

void FlatEdit::Edited(bool changed) {
  m_offsets.clear();
  ScrollToCaret();
  Invalidate();
  if (changed) RaiseEvent("Change");
}

std::string FlatEdit::Shown() const {
  if (m_passwordChar.empty()) return Text();
  std::string shown;
  for (size_t i = 0; i < m_buffer.Length(); ++i) shown += m_passwordChar;
  return shown;
}

const std::vector<int>& FlatEdit::Offsets() const {
  if (m_offsets.empty()) m_offsets = painter::CharOffsets(Shown(), Font());
  return m_offsets;
}

gdi::RECT FlatEdit::TextRect(int x, int y) const {
  return gdi::RECT{x + 2 + kInset, y + 2, x + PixelWidth() - 2 - kInset, y + PixelHeight() - 2};
}

size_t FlatEdit::PositionAt(int x) const {
  const auto& offsets = Offsets();
  const int tx = x - (2 + kInset) + m_scroll;
  size_t best = 0;
  for (size_t i = 0; i < offsets.size(); ++i) {
    if (std::abs(offsets[i] - tx) < std::abs(offsets[best] - tx)) best = i;
  }
  return best;
}

void FlatEdit::ScrollToCaret() {
  const auto& offsets = Offsets();
  const int width = std::max(1, PixelWidth() - 4 - 2 * kInset);
  const int caret = offsets[std::min(m_buffer.Caret(), offsets.size() - 1)];
  if (caret - m_scroll > width) m_scroll = caret - width;
  if (caret < m_scroll) m_scroll = std::max(0, caret - width / 3);
  if (offsets.back() - m_scroll < width) m_scroll = std::max(0, offsets.back() - width);
}

void FlatEdit::GotFocus() {
  // Tabbing in selects everything; a click places the caret instead.
  if (!m_mouseFocus) {
    m_buffer.SelectAll();
    ScrollToCaret();
  }
  Invalidate();
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
  Edited(m_buffer.ReplaceSelection(Utf8Of(code)));
}

bool FlatEdit::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  const int x = win::GET_X_LPARAM(lParam);
  switch (msg) {
    case win::WM_LBUTTONDOWN: {
      const bool extend = (wParam & win::MK_SHIFT) != 0;
      m_mouseFocus = true;
      if (auto* form = dynamic_cast<Form*>(Container())) form->SetFocusTo(*this);
      m_mouseFocus = false;
      m_buffer.MoveCaret(PositionAt(x), extend);
      win::SetCapture(hWnd());
      Edited(false);
      break;
    }
    case win::WM_MOUSEMOVE:
      if (win::GetCapture() != hWnd()) return false;
      m_buffer.MoveCaret(PositionAt(x), true);
      Edited(false);
      break;
    case win::WM_LBUTTONUP:
      if (win::GetCapture() == hWnd()) win::ReleaseCapture();
      RaiseEvent("Click");
      break;
    case win::WM_LBUTTONDBLCLK:
      m_buffer.SelectWordAt(PositionAt(x));
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
  m_offsets.clear();
}

void FlatEdit::WriteProperties(com::PropertyBag& bag) {
  StandardControl::WriteProperties(bag);
  bag.Remove("Caption");
  bag.WriteProperty("Text", Text(), "");
  bag.WriteProperty("Locked", m_locked, false);
  bag.WriteProperty("PasswordChar", m_passwordChar, "");
  bag.WriteProperty("MaxLength", MaxLength(), 0);
}

void FlatEdit::Draw(gdi::HDC hdc, int x, int y) {
  const gdi::RECT rect{x, y, x + PixelWidth(), y + PixelHeight()};
  painter::DrawField(hdc, rect, BackColor(), Enabled());
  const gdi::RECT text = TextRect(x, y);
  const int saved = gdi::SaveDC(hdc);
  gdi::IntersectClipRect(hdc, text.left, text.top, text.right, text.bottom);
  const std::string shown = Shown();
  const auto& offsets = Offsets();
  const int lineHeight = painter::LineHeight(Font());
  const int top = text.top + std::max(0, (text.bottom - text.top - lineHeight) / 2);
  const int left = text.left - m_scroll;
  const gdi::RECT line{left, top, left + offsets.back() + 1, top + lineHeight};
  const uint32_t format = gdi::DT_LEFT | gdi::DT_SINGLELINE | gdi::DT_NOPREFIX | gdi::DT_NOCLIP;
  painter::DrawText(hdc, shown, line, format, Font(), Enabled() ? ForeColor() : gdi::SysColor(gdi::COLOR_GRAYTEXT));
  const bool focused = hWnd() != win::kNoWindow && win::GetFocus() == hWnd();
  if (focused && m_buffer.SelLength() > 0) {
    // The selected characters again, in the highlight colours.
    const size_t from = m_buffer.SelStart();
    const size_t to = from + m_buffer.SelLength();
    const gdi::RECT sel{left + offsets[from], top, left + offsets[to], top + lineHeight};
    const painter::ItemColors colors = painter::SelectionColors(true);
    painter::DrawSelection(hdc, sel, true);
    const size_t a = m_passwordChar.empty() ? m_buffer.ByteOffset(from) : from * m_passwordChar.size();
    const size_t b = m_passwordChar.empty() ? m_buffer.ByteOffset(to) : to * m_passwordChar.size();
    painter::DrawText(hdc, std::string_view(shown).substr(a, b - a), gdi::RECT{sel.left, top, sel.right + 1, sel.bottom},
                      format, Font(), colors.text);
  }
  if (focused) {
    const int cx = left + offsets[m_buffer.Caret()];
    gdi::OwnedBrush caret(gdi::CreateSolidBrush(gdi::OleTranslateColor(ForeColor())));
    gdi::FillRect(hdc, gdi::RECT{cx, top, cx + 1, top + lineHeight}, caret.Get());
  }
  gdi::RestoreDC(hdc, saved);
}

}  // namespace forms
