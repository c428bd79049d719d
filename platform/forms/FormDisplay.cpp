// Forms in real windows: the window's styles, painting the client area
// (the form's surface and its controls) into the window's surface, and
// following what the user and the window manager do with the window:
// moving, sizing, minimising, maximising, activating.
#include "forms/FormDisplay.h"

#include <algorithm>
#include <string>

#include "forms/Form.h"
#include "forms/Screen.h"
#include "gdi/DeviceContext.h"
#include "gdi/Owned.h"
#include "gdi/Twips.h"
#include "gdi/WindowSurface.h"
#include "runtime/Strings.h"
#include "win/InputRouting.h"
#include "win/Window.h"

namespace forms {

namespace {

constexpr uint32_t kStateBits = win::WS_VISIBLE | win::WS_DISABLED | win::WS_MINIMIZE | win::WS_MAXIMIZE;

}  // namespace

uint32_t FormWindowStyle(const Form& form) {
  const int16_t border = form.BorderStyle();
  if (border == vbBSNone) return win::WS_POPUP;
  uint32_t style = win::WS_CAPTION;
  if (border == vbSizable || border == vbSizableToolWindow) style |= win::WS_THICKFRAME;
  if (form.ControlBox()) {
    style |= win::WS_SYSMENU;
    // Dialogs and tool windows have no minimise and maximise boxes.
    if (border == vbFixedSingle || border == vbSizable) {
      if (form.MinButton()) style |= win::WS_MINIMIZEBOX;
      if (form.MaxButton()) style |= win::WS_MAXIMIZEBOX;
    }
  }
  return style;
}

uint32_t FormWindowExStyle(const Form& form) {
  switch (form.BorderStyle()) {
    case vbFixedDialog:
      return win::WS_EX_DLGMODALFRAME;
    case vbFixedToolWindow:
    case vbSizableToolWindow:
      return win::WS_EX_TOOLWINDOW;
    default:
      return 0;
  }
}

int16_t AnsiKeyCode(win::WPARAM codePoint) {
  if (codePoint < 0x80) return static_cast<int16_t>(codePoint);
  const std::string ansi = rt::ToAnsi(rt::ChrW(static_cast<char32_t>(codePoint)));
  return ansi.size() == 1 ? static_cast<int16_t>(static_cast<uint8_t>(ansi[0])) : int16_t{'?'};
}

int16_t ShiftState() {
  int16_t shift = 0;
  if (win::GetKeyState(win::VK_SHIFT) < 0) shift |= com::vbShiftMask;
  if (win::GetKeyState(win::VK_CONTROL) < 0) shift |= com::vbCtrlMask;
  if (win::GetKeyState(win::VK_MENU) < 0) shift |= com::vbAltMask;
  return shift;
}

void Form::SyncWindowStyle() {
  if (m_hwnd == win::kNoWindow) return;
  const auto old = static_cast<uint32_t>(win::GetWindowLongA(m_hwnd, win::GWL_STYLE));
  win::SetWindowLongA(m_hwnd, win::GWL_STYLE, static_cast<win::LONG_PTR>((old & kStateBits) | FormWindowStyle(*this)));
  win::SetWindowLongA(m_hwnd, win::GWL_EXSTYLE,
                      static_cast<win::LONG_PTR>(
                          FormWindowExStyle(*this) |
                          (static_cast<uint32_t>(win::GetWindowLongA(m_hwnd, win::GWL_EXSTYLE)) & win::WS_EX_TOPMOST)));
}

void Form::ReleaseOwnedWindows() {
  if (m_hwnd == win::kNoWindow) return;
  for (const auto& f : Forms()) {
    if (f.get() != this && f->m_hwnd != win::kNoWindow && win::GetWindow(f->m_hwnd, win::GW_OWNER) == m_hwnd) {
      win::SetWindowLongA(f->m_hwnd, win::GWL_HWNDPARENT, 0);
    }
  }
}

int Form::ShowCommand() const {
  switch (m_windowState) {
    case vbMinimized:
      return win::SW_SHOWMINIMIZED;
    case vbMaximized:
      return win::SW_SHOWMAXIMIZED;
    default:
      return win::SW_SHOWNORMAL;
  }
}

// Without a screen the Paint event is all there is to do; on one, the
// client area is composed in a back buffer and shown in one piece.
void Form::PaintWindow() {
  if (!gdi::HasWindowSurfaces() || !m_visible) {
    if (!AutoRedraw()) Form_Paint();
    return;
  }
  const int width = std::max(1, gdi::TwipsToPixelsX(ScaleWidth()));
  const int height = std::max(1, gdi::TwipsToPixelsY(ScaleHeight()));
  gdi::OwnedDC buffer(gdi::CreateSurfaceDC(width, height));
  ComposeClient(buffer.Get(), 0, 0);
  gdi::PresentToWindow(m_hwnd, buffer.Get());
}

bool Form::FollowWindow(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  const NonClientSize frame = FrameOf(m_borderStyle);
  result = 0;
  switch (msg) {
    case win::WM_SETCURSOR:
      // The program's mouse pointer wins over its forms' and controls'.
      if (Screen::MousePointer() == vbDefault) return false;
      win::SetCursor(Screen::CursorOfMousePointer(Screen::MousePointer()));
      result = win::TRUE;
      return true;
    case win::WM_MOVE: {
      // Moved by the user or the window manager: Left and Top follow,
      // unless they already name that pixel.
      const int x = win::GET_X_LPARAM(lParam) - frame.border;
      const int y = win::GET_Y_LPARAM(lParam) - frame.border - frame.caption;
      if (gdi::TwipsToPixelsX(m_left) != x) m_left = gdi::PixelsToTwipsX(x);
      if (gdi::TwipsToPixelsY(m_top) != y) m_top = gdi::PixelsToTwipsY(y);
      return true;
    }
    case win::WM_SIZE: {
      if (m_visible) {
        m_windowState = win::IsIconic(m_hwnd) ? vbMinimized : win::IsZoomed(m_hwnd) ? vbMaximized : vbNormal;
      }
      if (wParam == win::SIZE_MINIMIZED) return true;
      const int width = win::LOWORD(static_cast<uintptr_t>(lParam));
      const int height = win::HIWORD(static_cast<uintptr_t>(lParam));
      bool sized = false;
      if (std::max(1, gdi::TwipsToPixelsX(ScaleWidth())) != width) {
        m_width = gdi::PixelsToTwipsX(width + 2 * frame.border);
        sized = true;
      }
      if (std::max(1, gdi::TwipsToPixelsY(ScaleHeight())) != height) {
        m_height = gdi::PixelsToTwipsY(height + 2 * frame.border + frame.caption);
        sized = true;
      }
      if (sized) {
        SizeChanged();
        win::InvalidateRect(m_hwnd, nullptr, win::FALSE);
      }
      return true;
    }
    case win::WM_ACTIVATE:
      // The window manager gave the window the focus: the form becomes
      // the active one, and keys go to one of its controls.
      if (win::LOWORD(wParam) != win::WA_INACTIVE && m_loaded && m_visible && win::IsWindowEnabled(m_hwnd)) {
        Activate();
        if (!ActiveControl()) FocusNext();
      }
      return true;
    default:
      return false;
  }
}

}  // namespace forms
