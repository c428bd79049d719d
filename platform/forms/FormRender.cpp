// Rendering a form with its controls (and its window frame) off-screen.
#include "com/WindowEdge.h"
#include "forms/ControlPainter.h"
#include "forms/Form.h"
#include "gdi/Gdi.h"
#include "win/Menu.h"

namespace forms {

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
                             boxes && m_minButton, boxes && m_maxButton, ActiveForm() == this || !m_loaded,
                             m_hwnd == win::kNoWindow || win::OffersClose(m_hwnd));
  }
  ComposeClient(dc.Get(), ox, oy);

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
    if (!c->Visible() || c->InvisibleAtRuntime() || c->Container() != this) continue;
    const int x = ox + gdi::TwipsToPixelsX(c->Left()), y = oy + gdi::TwipsToPixelsY(c->Top());
    c->Draw(hdc, x, y);
    com::DrawWindowEdge(*c, hdc, x, y);
  }
  gdi::RestoreDC(hdc, saved);
}

bool Form::RenderToPng(const std::string& path, bool withFrame) {
  gdi::OwnedBitmap bitmap = RenderToBitmap(withFrame);
  return gdi::SaveBitmapToPng(bitmap.Get(), path);
}

}  // namespace forms
