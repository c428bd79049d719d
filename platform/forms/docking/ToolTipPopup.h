// A tooltip: a small pop-up with a text in the info colours, below and to
// the right of the pointer.
#pragma once

#include <string>

#include "forms/Popup.h"

namespace forms {

class ToolTipPopup : public Popup {
 public:
  // Shows the text with the pop-up's top left at screen pixel (x, y).
  void Show(win::HWND owner, int x, int y, std::string text);
  const std::string& Text() const { return m_text; }

 protected:
  void Paint(gdi::HDC hdc, int width, int height) override;
  bool OnMessage(uint32_t, win::WPARAM, win::LPARAM) override { return false; }

 private:
  std::string m_text;
};

}  // namespace forms
