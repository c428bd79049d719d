#include "forms/lists/ScrollHost.h"

#include <algorithm>

#include "forms/PainterDetail.h"
#include "gdi/Gdi.h"
#include "win/Messages.h"
#include "win/Metrics.h"

namespace forms {

namespace {

constexpr int kWheelLines = 3;
constexpr int kMaxPosition = 32767;

std::shared_ptr<ScrollBar> NewBar(ScrollOrientation orientation) {
  auto bar = orientation == ScrollOrientation::Vertical ? std::shared_ptr<ScrollBar>(std::make_shared<VScrollBar>())
                                                        : std::shared_ptr<ScrollBar>(std::make_shared<HScrollBar>());
  // A list's bars never take the focus from it.
  bar->SetTabStop(false);
  bar->SetVisible(false);
  return bar;
}

}  // namespace

ScrollHost::ScrollHost(Client client) : m_client(std::move(client)) {}

ScrollHost::~ScrollHost() { Detach(); }

void ScrollHost::Attach() {
  if (m_vertical) return;
  m_vertical = NewBar(ScrollOrientation::Vertical);
  m_horizontal = NewBar(ScrollOrientation::Horizontal);
  for (const auto& bar : {m_vertical, m_horizontal}) {
    bar->Site(*this, "", -1);
    auto notify = [this](com::Args&) {
      if (!m_arranging) m_client.scrolled();
    };
    bar->Events().Connect("Change", notify);
    bar->Events().Connect("Scroll", notify);
  }
}

void ScrollHost::Detach() {
  for (auto* bar : {&m_vertical, &m_horizontal}) {
    if (!*bar) continue;
    (*bar)->Events().DisconnectAll();
    (*bar)->Unsite();
    bar->reset();
  }
}

win::RECT ScrollHost::Arrange(const win::RECT& area, int contentWidth, int contentHeight, int lineHeight) {
  m_area = area;
  m_lineHeight = std::max(1, lineHeight);
  const int bar = win::GetSystemMetrics(win::SM_CXVSCROLL);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  bool needV = contentHeight > height;
  const bool needH = contentWidth > width - (needV ? bar : 0);
  if (needH && !needV) needV = contentHeight > height - bar;
  m_viewport = area;
  if (needV) m_viewport.right = std::max(m_viewport.left, m_viewport.right - bar);
  if (needH) m_viewport.bottom = std::max(m_viewport.top, m_viewport.bottom - bar);
  const int viewWidth = m_viewport.right - m_viewport.left;
  const int viewHeight = m_viewport.bottom - m_viewport.top;
  m_pageLines = std::max(1, viewHeight / m_lineHeight);
  if (!m_vertical) return m_viewport;

  m_arranging = true;
  const int topBefore = TopLine();
  const int leftBefore = LeftPixel();
  const int lines = (contentHeight + m_lineHeight - 1) / m_lineHeight;
  const auto vMax = static_cast<int16_t>(std::clamp(lines - m_pageLines, 0, kMaxPosition));
  m_vertical->SetMax(vMax);
  m_vertical->SetLargeChange(static_cast<int16_t>(std::clamp(m_pageLines, 1, kMaxPosition)));
  m_vertical->SetVisible(needV);
  m_vertical->Move(gdi::PixelsToTwipsX(m_viewport.right), gdi::PixelsToTwipsY(area.top), gdi::PixelsToTwipsX(bar),
                   gdi::PixelsToTwipsY(viewHeight));
  const auto hMax = static_cast<int16_t>(std::clamp(contentWidth - viewWidth, 0, kMaxPosition));
  m_horizontal->SetMax(hMax);
  m_horizontal->SetSmallChange(16);
  m_horizontal->SetLargeChange(static_cast<int16_t>(std::clamp(viewWidth, 1, kMaxPosition)));
  m_horizontal->SetVisible(needH);
  m_horizontal->Move(gdi::PixelsToTwipsX(area.left), gdi::PixelsToTwipsY(m_viewport.bottom),
                     gdi::PixelsToTwipsX(viewWidth), gdi::PixelsToTwipsY(bar));
  if (!needV) m_vertical->SetValue(0);
  if (!needH) m_horizontal->SetValue(0);
  m_arranging = false;
  if (TopLine() != topBefore || LeftPixel() != leftBefore) m_client.scrolled();
  return m_viewport;
}

int ScrollHost::TopLine() const { return m_vertical ? m_vertical->Value() : 0; }
int ScrollHost::LeftPixel() const { return m_horizontal ? m_horizontal->Value() : 0; }

void ScrollHost::SetTopLine(int line) {
  if (m_vertical) m_vertical->SetValue(static_cast<int16_t>(std::clamp<int>(line, 0, m_vertical->Max())));
}

void ScrollHost::SetLeftPixel(int pixel) {
  if (m_horizontal) m_horizontal->SetValue(static_cast<int16_t>(std::clamp<int>(pixel, 0, m_horizontal->Max())));
}

void ScrollHost::EnsureVisible(int line) {
  if (line < TopLine())
    SetTopLine(line);
  else if (line >= TopLine() + m_pageLines)
    SetTopLine(line - m_pageLines + 1);
}

bool ScrollHost::Wheel(int delta) {
  if (!VerticalShown()) return false;
  const int before = TopLine();
  SetTopLine(before - delta * kWheelLines / win::WHEEL_DELTA);
  return TopLine() != before;
}

win::HWND ScrollHost::BarAt(win::POINT point) const {
  for (const auto& bar : {m_vertical, m_horizontal}) {
    if (!bar || !bar->Visible()) continue;
    const int left = gdi::TwipsToPixelsX(bar->Left());
    const int top = gdi::TwipsToPixelsY(bar->Top());
    if (point.x >= left && point.y >= top && point.x < left + bar->PixelWidth() && point.y < top + bar->PixelHeight()) {
      return bar->hWnd();
    }
  }
  return win::kNoWindow;
}

void ScrollHost::Draw(gdi::HDC hdc, int x, int y) {
  for (const auto& bar : {m_vertical, m_horizontal}) {
    if (bar && bar->Visible()) {
      bar->Draw(hdc, x + gdi::TwipsToPixelsX(bar->Left()), y + gdi::TwipsToPixelsY(bar->Top()));
    }
  }
  if (VerticalShown() && HorizontalShown()) {
    painter::detail::Fill(hdc,
                          gdi::RECT{x + m_viewport.right, y + m_viewport.bottom, x + m_area.right, y + m_area.bottom},
                          gdi::GetSysColor(gdi::COLOR_BTNFACE));
  }
}

}  // namespace forms
