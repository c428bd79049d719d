#include "forms/controls/EditField.h"

#include <utility>

#include "com/Control.h"
#include "forms/Constants.h"
#include "win/InputRouting.h"

namespace forms {

namespace {
constexpr char32_t kCtrlA = 1;
constexpr char32_t kCtrlC = 3;
constexpr char32_t kCtrlV = 22;
constexpr char32_t kCtrlX = 24;
}  // namespace

bool EditField::KeyDown(uint32_t key, int16_t shift, bool& changed) {
  const bool extend = (shift & com::vbShiftMask) != 0;
  const bool ctrl = (shift & com::vbCtrlMask) != 0;
  changed = false;
  switch (key) {
    case win::VK_LEFT:
      m_buffer.MoveLeft(ctrl, extend);
      return true;
    case win::VK_RIGHT:
      m_buffer.MoveRight(ctrl, extend);
      return true;
    case win::VK_HOME:
      m_buffer.MoveHome(extend);
      return true;
    case win::VK_END:
      m_buffer.MoveEnd(extend);
      return true;
    case win::VK_DELETE:
      if (!m_locked) changed = extend ? m_buffer.Cut() : m_buffer.Delete();
      return true;
    case win::VK_INSERT:
      if (ctrl) m_buffer.Copy();
      if (extend && !m_locked) changed = m_buffer.Paste();
      return true;
    default:
      return false;
  }
}

bool EditField::KeyPress(int16_t keyAscii, bool& changed) {
  changed = false;
  const auto code = static_cast<char32_t>(static_cast<uint16_t>(keyAscii));
  const char32_t typed = std::exchange(m_typed, 0);
  switch (code) {
    case kCtrlA:
      m_buffer.SelectAll();
      return true;
    case kCtrlC:
      m_buffer.Copy();
      return true;
    case kCtrlX:
      if (!m_locked) changed = m_buffer.Cut();
      return true;
    case kCtrlV:
      if (!m_locked) changed = m_buffer.Paste();
      return true;
    case static_cast<char32_t>(vbKeyBack):
      if (!m_locked) changed = m_buffer.Backspace();
      return true;
    default:
      if (code < 32) return false;
      if (!m_locked) changed = m_buffer.ReplaceSelection(TypedText(keyAscii, typed));
      return true;
  }
}

void EditField::Press(int x, const com::StdFontPtr& font, bool extend) {
  m_buffer.MoveCaret(m_view.PositionAt(m_buffer, font, x), extend);
}

void EditField::Drag(int x, const com::StdFontPtr& font) {
  m_buffer.MoveCaret(m_view.PositionAt(m_buffer, font, x), true);
}

void EditField::DoubleClick(int x, const com::StdFontPtr& font) {
  m_buffer.SelectWordAt(m_view.PositionAt(m_buffer, font, x));
}

void EditField::FocusArrives() {
  if (!m_mouseFocus) m_buffer.SelectAll();
}

}  // namespace forms
