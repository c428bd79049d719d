#include "forms/docking/ToolTipPopup.h"

#include "forms/ControlPainter.h"

namespace forms {

void ToolTipPopup::Show(win::HWND owner, int x, int y, std::string text) {
  m_text = std::move(text);
  const gdi::SIZE size = painter::MeasureToolTip(m_text, painter::DefaultFont());
  Open(owner, x, y, size.cx, size.cy);
}

void ToolTipPopup::Paint(gdi::HDC hdc, int width, int height) {
  painter::DrawToolTip(hdc, gdi::RECT{0, 0, width, height}, m_text, painter::DefaultFont());
}

}  // namespace forms
