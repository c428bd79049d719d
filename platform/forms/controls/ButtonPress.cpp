#include "forms/controls/ButtonPress.h"

#include "forms/Form.h"
#include "win/Input.h"
#include "win/Messages.h"

namespace forms {

void ButtonPress::SetPressed(com::Control& control, bool pressed) {
  if (m_pressed == pressed) return;
  m_pressed = pressed;
  control.Invalidate();
}

bool ButtonPress::Handle(com::Control& control, uint32_t msg, win::LPARAM lParam, bool& click) {
  click = false;
  const int x = win::GET_X_LPARAM(lParam);
  const int y = win::GET_Y_LPARAM(lParam);
  const bool inside = x >= 0 && y >= 0 && x < control.PixelWidth() && y < control.PixelHeight();
  switch (msg) {
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
      if (auto* form = dynamic_cast<Form*>(control.Container())) form->SetFocusTo(control);
      if (control.hWnd() != win::kNoWindow) win::SetCapture(control.hWnd());
      m_tracking = true;
      SetPressed(control, true);
      return true;
    case win::WM_MOUSEMOVE:
      if (!m_tracking) return false;
      SetPressed(control, inside);
      return true;
    case win::WM_LBUTTONUP:
      if (!m_tracking) return true;
      m_tracking = false;
      if (win::GetCapture() == control.hWnd()) win::ReleaseCapture();
      SetPressed(control, false);
      click = inside;
      return true;
    case win::WM_CAPTURECHANGED:
      m_tracking = false;
      SetPressed(control, false);
      return true;
    default:
      return false;
  }
}

}  // namespace forms
