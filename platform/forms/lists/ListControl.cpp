#include "forms/lists/ListControl.h"

#include "forms/Form.h"
#include "win/Input.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace forms {

ListControl::ListControl()
    : StandardControl(0x80000008, 0x80000005),
      m_scroll(ScrollHost::Client{[this] { return hWnd(); }, [this] { Invalidate(); }, [this] { Invalidate(); }}) {}

std::string ListControl::WindowClass() const { return ControlWindowClass("QvControlDbl", win::CS_DBLCLKS); }

void ListControl::OnSited() {
  StandardControl::OnSited();
  m_scroll.Attach();
  Arrange();
}

void ListControl::OnUnsited() { m_scroll.Detach(); }

bool ListControl::Focused() const { return hWnd() != win::kNoWindow && win::GetFocus() == hWnd(); }

void ListControl::FocusByClick() {
  if (auto* form = dynamic_cast<Form*>(Container())) form->SetFocusTo(*this);
}

void ListControl::GotFocus() {
  Invalidate();
  StandardControl::GotFocus();
}

void ListControl::LostFocus() {
  Invalidate();
  StandardControl::LostFocus();
}

bool ListControl::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM, win::LRESULT& result) {
  if (msg != win::WM_MOUSEWHEEL) return false;
  m_scroll.Wheel(static_cast<int16_t>(win::HIWORD(wParam)));
  result = 0;
  return true;
}

}  // namespace forms
