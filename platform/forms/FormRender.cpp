// Rendering a form with its controls (and its window frame) off-screen.
#include <algorithm>
#include <vector>

#include "com/UserControl.h"
#include "com/WindowEdge.h"
#include "forms/ControlPainter.h"
#include "forms/Form.h"
#include "forms/Popup.h"
#include "gdi/Gdi.h"
#include "win/Menu.h"
#include "win/Window.h"

namespace forms {

namespace {

constexpr uint32_t WM_PRINTCLIENT = 0x0318;
constexpr win::LPARAM PRF_CLIENT = 4;

// Child windows of a control that belong to no control (the common
// controls' animation window) draw themselves through WM_PRINTCLIENT over
// what the control drew at their place.
void PrintChildWindows(const com::Control& control, gdi::HDC hdc, int x, int y) {
  if (control.hWnd() == win::kNoWindow) return;
  std::vector<win::HWND> controlWindows;
  if (const auto* user = dynamic_cast<const com::UserControl*>(&control)) {
    for (const auto* list : {&user->Constituents(), &user->ContainedControls()}) {
      for (const com::ControlPtr& c : *list) controlWindows.push_back(c->hWnd());
    }
  }
  win::RECT parent;
  win::GetWindowRect(control.hWnd(), &parent);
  for (win::HWND child = win::GetWindow(control.hWnd(), win::GW_CHILD); child != win::kNoWindow;
       child = win::GetWindow(child, win::GW_HWNDNEXT)) {
    if (!win::IsWindowVisible(child) || std::ranges::find(controlWindows, child) != controlWindows.end()) continue;
    win::RECT r;
    win::GetWindowRect(child, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) continue;
    const int cx = x + r.left - parent.left, cy = y + r.top - parent.top;
    gdi::OwnedDC print(gdi::CreateSurfaceDC(w, h));
    gdi::BitBlt(print.Get(), 0, 0, w, h, hdc, cx, cy, gdi::SRCCOPY);
    win::SendMessageA(child, WM_PRINTCLIENT, static_cast<win::WPARAM>(gdi::ToInt(print.Get())), PRF_CLIENT);
    gdi::BitBlt(hdc, cx, cy, w, h, print.Get(), 0, 0, gdi::SRCCOPY);
  }
}

}  // namespace

gdi::OwnedBitmap Form::RenderToBitmap(bool withFrame) {
  const NonClientSize frame = withFrame ? FrameOf(m_borderStyle) : NonClientSize{};
  const int clientWidth = std::max(1, gdi::TwipsToPixelsX(ScaleWidth()));
  const int clientHeight = std::max(1, gdi::TwipsToPixelsY(ScaleHeight()));
  const int width = clientWidth + 2 * frame.border;
  const int height = clientHeight + 2 * frame.border + frame.caption;
  const int ox = frame.border;
  const int oy = frame.border + frame.caption;

  gdi::OwnedDC dc(gdi::CreateSurfaceDC(width, height));
  if (withFrame) {
    // Fixed dialogs and tool windows have no minimise and maximise boxes.
    const bool boxes = m_borderStyle == vbFixedSingle || m_borderStyle == vbSizable;
    painter::DrawWindowFrame(dc.Get(), width, height, frame.border, frame.caption, m_caption, m_icon, m_controlBox,
                             boxes && m_minButton, boxes && m_maxButton,
                             // A form docked inside this one keeps it active.
                             ActiveForm() == this || !m_loaded ||
                                 (ActiveForm() && win::IsChild(m_hwnd, ActiveForm()->hWnd())),
                             m_hwnd == win::kNoWindow || win::OffersClose(m_hwnd));
  }
  ComposeClient(dc.Get(), ox, oy);
  // Pop-ups of the form's windows (drop-downs, menus, tooltips) above it.
  win::POINT origin{0, 0};
  win::ClientToScreen(m_hwnd, &origin);
  for (Popup* popup : Popup::OpenPopups()) {
    win::HWND top = popup->Owner();
    while (win::GetParent(top) != win::kNoWindow &&
           (static_cast<uint32_t>(win::GetWindowLongA(top, win::GWL_STYLE)) & win::WS_CHILD) != 0) {
      top = win::GetParent(top);
    }
    if (top != m_hwnd) continue;
    const win::POINT at = popup->ScreenPosition();
    popup->DrawAt(dc.Get(), ox + at.x - origin.x, oy + at.y - origin.y);
  }

  gdi::OwnedBitmap bitmap(gdi::CreateCompatibleBitmap(dc.Get(), width, height));
  gdi::OwnedDC target(gdi::CreateCompatibleDC());
  {
    gdi::ScopedSelect<gdi::HBITMAP> select(target.Get(), bitmap.Get());
    gdi::BitBlt(target.Get(), 0, 0, width, height, dc.Get(), 0, 0, gdi::SRCCOPY);
  }
  return bitmap;
}

void Form::ComposeClient(gdi::HDC hdc, int ox, int oy) {
  const int clientWidth = std::max(1, gdi::TwipsToPixelsX(ScaleWidth()));
  const int clientHeight = std::max(1, gdi::TwipsToPixelsY(ScaleHeight()));
  if (m_surface.PixelWidth() != clientWidth || m_surface.PixelHeight() != clientHeight) {
    m_surface.Resize(clientWidth, clientHeight);
  }
  if (!m_surface.AutoRedraw()) {
    m_surface.Refresh();
    Form_Paint();
  }
  gdi::BitBlt(hdc, ox, oy, clientWidth, clientHeight, m_surface.ShownDC(), 0, 0, gdi::SRCCOPY);

  const int saved = gdi::SaveDC(hdc);
  gdi::IntersectClipRect(hdc, ox, oy, ox + clientWidth, oy + clientHeight);
  // Controls are drawn bottom-up: the first in z-order ends on top.
  for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
    const com::ControlPtr& c = *it;
    // Controls handed over to a control container are drawn by it.
    if (!IsShown(*c) || c->InvisibleAtRuntime() || c->Container() != this) continue;
    const int x = ox + gdi::TwipsToPixelsX(c->Left()), y = oy + gdi::TwipsToPixelsY(c->Top());
    c->Draw(hdc, x, y);
    PrintChildWindows(*c, hdc, x, y);
    com::DrawWindowEdge(*c, hdc, x, y);
  }
  gdi::RestoreDC(hdc, saved);
}

bool Form::RenderToPng(const std::string& path, bool withFrame) {
  gdi::OwnedBitmap bitmap = RenderToBitmap(withFrame);
  return gdi::SaveBitmapToPng(bitmap.Get(), path);
}

}  // namespace forms
