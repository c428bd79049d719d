// A pop-up window: a window above the program's forms (a drop-down list, a
// menu, a tooltip), owned by a form's window and placed in screen
// coordinates. It draws itself (Paint) and receives its own mouse messages
// in its own pixel coordinates; while it has the mouse captured a press
// outside it arrives with coordinates outside its size. The form draws
// the open pop-ups of its windows above itself when it renders, so they
// show in pictures of the form as on the screen.
#pragma once

#include <cstdint>
#include <vector>

#include "gdi/Owned.h"
#include "gdi/Types.h"
#include "win/Types.h"

namespace forms {

class Popup {
 public:
  Popup();
  virtual ~Popup();
  Popup(const Popup&) = delete;
  Popup& operator=(const Popup&) = delete;

  // Shows the pop-up at screen pixel (x, y), `width` x `height`, owned by
  // `owner` (moving and resizing it when it is open already).
  void Open(win::HWND owner, int x, int y, int width, int height);
  void Close();
  bool IsOpen() const { return m_hwnd != win::kNoWindow; }
  win::HWND hWnd() const { return m_hwnd; }
  win::HWND Owner() const { return m_owner; }
  win::POINT ScreenPosition() const { return {m_x, m_y}; }
  int Width() const { return m_width; }
  int Height() const { return m_height; }
  // Asks for a repaint.
  void Invalidate();
  // The pop-up drawn into a new bitmap of its size.
  gdi::OwnedBitmap RenderToBitmap();
  // Draws the pop-up with its top left at (x, y).
  void DrawAt(gdi::HDC hdc, int x, int y);

  // The open pop-ups, in the order they were opened.
  static std::vector<Popup*> OpenPopups();

 protected:
  virtual void Paint(gdi::HDC hdc, int width, int height) = 0;
  // A message of the pop-up's window (mouse messages carry its pixel
  // coordinates); true when handled.
  virtual bool OnMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam) = 0;
  // After the window closed (also when its owner went away).
  virtual void OnClosed() {}

 private:
  static win::LRESULT Proc(win::HWND hWnd, uint32_t msg, win::WPARAM wParam, win::LPARAM lParam);
  void PaintWindow();
  win::HWND m_hwnd = win::kNoWindow;
  win::HWND m_owner = win::kNoWindow;
  int m_x = 0;
  int m_y = 0;
  int m_width = 0;
  int m_height = 0;
};

}  // namespace forms
