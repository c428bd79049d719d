// KVXFrame: expanding and collapsing, the caption's hover look and the
// mouse events. Heights are twips; mouse positions pixels.
#include <limits>

#include "com/MousePointer.h"
#include "display/KVXFrame.h"
#include "gdi/Twips.h"
#include "win/Input.h"
#include "win/Window.h"

namespace kvctl2 {

bool KVXFrame::CaptionHeightFits(int32_t value) {
  const int64_t pixels = int64_t{value} * 4 + 4;
  return pixels >= std::numeric_limits<int16_t>::min() && pixels <= std::numeric_limits<int16_t>::max();
}

void KVXFrame::SetCaptionHeight(int16_t value) {
  if (!CaptionHeightFits(value)) rt::Raise(6, ClassName());
  m_captionHeight = value;
  m_captionPixels = static_cast<int16_t>(value * 4 + 4);
  PropertyChanged("CaptionHeight");
  drawControl();
  if (!m_expandiert) SetHeight(gdi::TwipsPerPixelY() * m_captionPixels + 5);
  SetExpanded(m_expandiert);
}

void KVXFrame::SetExpanded(bool expand) {
  if (expand) {
    SetHeight(m_rememberedHeight < m_heightExpanded ? m_heightExpanded : m_rememberedHeight);
  } else {
    const int32_t band = gdi::TwipsPerPixelY() * m_captionPixels;
    if (band < Height()) {
      m_rememberedHeight = Height();
      SetHeight(band);
    }
  }
  // A frame box re-stacks its column round the frame's new height.
  rt::ResumeNext([&] {
    com::DispatchPtr container = Container() ? Container()->ContainerObject() : nullptr;
    if (container && container->TypeName() == "KVXFrameBox") {
      container->Call("CtrlRefresh", com::Args{win::ToInt(hWnd())});
    }
  });
  // The state is taken before the repaint, so that the picture the frame
  // keeps shows the icon and bullet of the new state.
  m_expandiert = expand;
  drawControl();
  DrawCaptionIcon(false, false);
}

bool KVXFrame::CaptionAccepts() const { return m_lastMouseY < m_captionPixels && m_enabled && m_expandierbar; }

void KVXFrame::LeaveCaption() {
  if (!m_captionHot) return;
  win::ReleaseCapture();
  m_captionHot = false;
  SetMousePointer(com::vbDefault);
  rt::ResumeNext([&] { m_captionFont->SetUnderline(false); });
  drawControl();
  RaiseEvent("CaptionOut");
}

void KVXFrame::UserControl_MouseMove(int16_t button, int16_t shift, float x, float y) {
  m_lastMouseY = y;
  if (!m_enabled) return;
  if (!m_expandierbar) {
    RaiseMouseEvent("MouseMove", button, shift, x, y);
    return;
  }
  win::POINT cursor;
  win::GetCursorPos(&cursor);
  const win::HWND under = win::WindowFromPoint(cursor);
  win::ScreenToClient(hWnd(), &cursor);
  const int32_t xTwips = cursor.x * gdi::TwipsPerPixelX();
  const int32_t yTwips = cursor.y * gdi::TwipsPerPixelY();
  const bool inCaption = 0 < xTwips && xTwips < Width() && yTwips > 0 && cursor.y < m_captionPixels;
  if (inCaption) {
    RaiseMouseEvent("MouseMove", button, shift, x, y);
    RaiseEvent("CaptionOver");
    if (under == hWnd()) {
      if (win::GetCapture() != hWnd()) {
        win::SetCapture(hWnd());
        m_captionHot = true;
        SetMousePointer(com::vbCustom);
        if (m_captionHoverMode == ColorUnderline || m_captionHoverMode == OnlyUnderline) {
          rt::ResumeNext([&] { m_captionFont->SetUnderline(true); });
        }
        drawControl();
        DrawCaptionIcon(true, false);
      }
      return;
    }
  }
  LeaveCaption();
}

void KVXFrame::UserControl_MouseDown(int16_t button, int16_t shift, float x, float y) {
  if (!CaptionAccepts()) return;
  DrawCaptionIcon(true, true);
  RaiseMouseEvent("MouseDown", button, shift, x, y);
}

void KVXFrame::UserControl_MouseUp(int16_t button, int16_t shift, float x, float y) {
  if (CaptionAccepts()) RaiseMouseEvent("MouseUp", button, shift, x, y);
}

void KVXFrame::UserControl_Click() {
  if (!CaptionAccepts()) return;
  m_captionHot = true;
  SetExpanded(!m_expandiert);
  RaiseEvent(m_expandiert ? "Expand" : "Collapse");
  PropertyChanged("Expandiert");
  RaiseEvent("IconClick");
}

void KVXFrame::UserControl_DblClick() {
  if (m_lastMouseY < m_captionPixels && m_enabled) RaiseEvent("DblClick");
}

}  // namespace kvctl2
