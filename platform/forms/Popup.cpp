#include "forms/Popup.h"

#include <algorithm>

#include "gdi/Gdi.h"
#include "gdi/WindowSurface.h"
#include "win/Input.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace forms {

namespace {

constexpr const char* kPopupClass = "QvPopup";

std::vector<Popup*>& Opened() {
  static auto* opened = new std::vector<Popup*>();
  return *opened;
}

}  // namespace

Popup::Popup() = default;

Popup::~Popup() {
  if (m_hwnd != win::kNoWindow) {
    win::SetWindowLongA(m_hwnd, win::GWL_USERDATA, 0);
    win::DestroyWindow(m_hwnd);
    m_hwnd = win::kNoWindow;
  }
  std::erase(Opened(), this);
}

win::LRESULT Popup::Proc(win::HWND hWnd, uint32_t msg, win::WPARAM wParam, win::LPARAM lParam) {
  auto* popup = reinterpret_cast<Popup*>(win::GetWindowLongA(hWnd, win::GWL_USERDATA));
  if (popup) {
    if (msg == win::WM_NCDESTROY) {
      // Destroyed with its owner: the pop-up is closed.
      popup->m_hwnd = win::kNoWindow;
      std::erase(Opened(), popup);
      popup->OnClosed();
      return 0;
    }
    if (msg == win::WM_PAINT) {
      popup->PaintWindow();
      return 0;
    }
    if (popup->OnMessage(msg, wParam, lParam)) return 0;
  }
  return win::DefWindowProcA(hWnd, msg, wParam, lParam);
}

void Popup::Open(win::HWND owner, int x, int y, int width, int height) {
  static const bool registered = [] {
    win::WNDCLASSA wc;
    wc.style = win::CS_DBLCLKS;
    wc.lpfnWndProc = &Popup::Proc;
    wc.lpszClassName = kPopupClass;
    win::RegisterClassA(wc);
    return true;
  }();
  (void)registered;
  m_x = x;
  m_y = y;
  m_width = std::max(1, width);
  m_height = std::max(1, height);
  if (m_hwnd != win::kNoWindow) {
    win::MoveWindow(m_hwnd, x, y, m_width, m_height);
    Invalidate();
    return;
  }
  m_owner = owner;
  m_hwnd = win::CreateWindowExA(win::WS_EX_TOPMOST | win::WS_EX_TOOLWINDOW, kPopupClass, "", win::WS_POPUP, x, y,
                                m_width, m_height, owner);
  if (m_hwnd == win::kNoWindow) return;
  win::SetWindowLongA(m_hwnd, win::GWL_USERDATA, reinterpret_cast<win::LONG_PTR>(this));
  Opened().push_back(this);
  win::ShowWindow(m_hwnd, win::SW_SHOWNA);
  Invalidate();
}

void Popup::Close() {
  if (m_hwnd == win::kNoWindow) return;
  const win::HWND hwnd = m_hwnd;
  if (win::GetCapture() == hwnd) win::ReleaseCapture();
  // WM_NCDESTROY ends the pop-up's state and calls OnClosed.
  win::DestroyWindow(hwnd);
}

void Popup::Invalidate() {
  if (m_hwnd != win::kNoWindow) win::InvalidateRect(m_hwnd, nullptr, win::FALSE);
  if (m_owner != win::kNoWindow && win::IsWindow(m_owner)) win::InvalidateRect(m_owner, nullptr, win::FALSE);
}

void Popup::PaintWindow() {
  // On a screen the pop-up shows its picture in one piece.
  if (!gdi::HasWindowSurfaces() || m_hwnd == win::kNoWindow) return;
  gdi::OwnedDC buffer(gdi::CreateSurfaceDC(m_width, m_height));
  Paint(buffer.Get(), m_width, m_height);
  gdi::PresentToWindow(m_hwnd, buffer.Get());
}

gdi::OwnedBitmap Popup::RenderToBitmap() {
  gdi::OwnedDC dc(gdi::CreateSurfaceDC(m_width, m_height));
  Paint(dc.Get(), m_width, m_height);
  gdi::OwnedBitmap bitmap(gdi::CreateCompatibleBitmap(dc.Get(), m_width, m_height));
  gdi::OwnedDC target(gdi::CreateCompatibleDC());
  {
    gdi::ScopedSelect<gdi::HBITMAP> select(target.Get(), bitmap.Get());
    gdi::BitBlt(target.Get(), 0, 0, m_width, m_height, dc.Get(), 0, 0, gdi::SRCCOPY);
  }
  return bitmap;
}

void Popup::DrawAt(gdi::HDC hdc, int x, int y) {
  const int saved = gdi::SaveDC(hdc);
  gdi::IntersectClipRect(hdc, x, y, x + m_width, y + m_height);
  gdi::OwnedDC dc(gdi::CreateSurfaceDC(m_width, m_height));
  Paint(dc.Get(), m_width, m_height);
  gdi::BitBlt(hdc, x, y, m_width, m_height, dc.Get(), 0, 0, gdi::SRCCOPY);
  gdi::RestoreDC(hdc, saved);
}

std::vector<Popup*> Popup::OpenPopups() { return Opened(); }

}  // namespace forms
