// The HTML view's viewport: the arrangement of the viewport, the page
// picture and the scroll bars; Refresh (measure, measure again when the
// page grew wider, draw last, set the scroll bars, again while a bar
// appears or goes) and the requests of event handlers made meanwhile; the
// copy of the visible window of the page; scroll bar events, keyboard
// scrolling in page pixels and the focus kept away from the bars.
#include <algorithm>
#include <climits>
#include <limits>
#include <memory>

#include "forms/CommandButton.h"
#include "forms/ControlPainter.h"
#include "forms/PictureBox.h"
#include "forms/controls/ScrollBar.h"
#include "gdi/Gdi.h"
#include "html/KVXHTML.h"
#include "runtime/Error.h"
#include "win/Input.h"
#include "win/Messages.h"

namespace kvctl2 {

namespace {

constexpr int32_t kBarTwips = 255;
constexpr const char* kShown = "255";
constexpr const char* kNotNeeded = "0";
constexpr const char* kSwitchedOff = "-1";
// Showing a bar can make the other one needed; never more rounds than this.
constexpr int kMaxArrangeRounds = 8;
// Refreshes asked by handlers while a Refresh ran, served one after the
// other; a handler that asks on every pass is not served for ever.
constexpr int kMaxFollowUps = 4;
// Virtual-key codes of keyboard scrolling.
constexpr int16_t kKeyPageUp = 33;
constexpr int16_t kKeyPageDown = 34;
constexpr int16_t kKeyEnd = 35;
constexpr int16_t kKeyHome = 36;
constexpr int16_t kKeyLeft = 37;
constexpr int16_t kKeyUp = 38;
constexpr int16_t kKeyRight = 39;
constexpr int16_t kKeyDown = 40;

forms::ScrollBar& Bar(const com::ControlPtr& bar) { return static_cast<forms::ScrollBar&>(*bar); }

int16_t To16(int64_t value) { return static_cast<int16_t>(std::clamp<int64_t>(value, INT16_MIN, INT16_MAX)); }

int32_t TagNumber(const com::Control& panel) {
  int32_t value = -1;
  rt::ResumeNext([&] { value = rt::Variant(panel.Tag()).ToLong(); });
  return value;
}

}  // namespace

int KVXHTML::BorderPixels() const {
  if (mBorderStyle != htmlBorder::Fest) return 0;
  return mAppearance == htmlAppearance::Frame ? 2 : 1;
}

void KVXHTML::ShowScrollPanel(bool vertical, bool allowed) {
  const auto& panel = vertical ? panV : panH;
  panel->SetVisible(allowed);
  panel->SetTag(allowed ? kShown : kSwitchedOff);
}

void KVXHTML::ArrangeViewport() {
  const int32_t border = gdi::PixelsToTwipsX(BorderPixels());
  const int32_t width = std::max(0, Width() - 2 * border);
  const int32_t height = std::max(0, Height() - 2 * border);
  // The page picture goes to the viewport's place; Refresh sizes it.
  rt::ResumeNext([&] { picHTML->Move(border, border); });
  if (mEnableScroll == htmScrollBars::Keine) {
    rt::ResumeNext([&] { picViewPort->Move(border, border, width, height); });
    return;
  }
  const int32_t roomV = panV->Tag() == kShown ? kBarTwips : 0;
  const int32_t roomH = panH->Tag() == kShown ? kBarTwips : 0;
  // The panels lie along the right and bottom edges; the corner under the
  // vertical bar belongs to the horizontal panel and stays empty.
  rt::ResumeNext([&] { panH->Move(border, border + height - kBarTwips, width, kBarTwips); });
  rt::ResumeNext([&] { panV->Move(border + width - kBarTwips, border, kBarTwips, std::max(0, height - roomH)); });
  rt::ResumeNext([&] { vscScroll->SetHeight(panV->Height()); });
  rt::ResumeNext([&] { hscScroll->SetWidth(std::max(0, panH->Width() - roomV)); });
  rt::ResumeNext([&] { picViewPort->Move(border, border, std::max(0, width - roomV), std::max(0, height - roomH)); });
}

void KVXHTML::Refresh(bool paintOnly) {
  if (mFreezeUpdates) return;
  // Asked by a handler of an event that a pass raised (LoadImage): done
  // once the running Refresh has ended.
  if (m_passDepth > 0) {
    m_pendingRefresh = true;
    m_pendingArrange = m_pendingArrange || !paintOnly;
    return;
  }
  // A LoadImage handler may unload the form that holds this control.
  const std::shared_ptr<com::Dispatch> keep = weak_from_this().lock();
  RefreshNow(paintOnly);
  RunPendingRequests();
}

void KVXHTML::RunPendingRequests() {
  // A handler that asks again on every pass is served a few times, not
  // for ever; a new document is always loaded and laid out.
  for (int round = 0; round < kMaxFollowUps && (m_pendingText || m_pendingRefresh); ++round) {
    const bool text = m_pendingText, arrange = m_pendingArrange;
    m_pendingText = m_pendingRefresh = m_pendingArrange = false;
    if (text) LoadDocument();
    if (!mFreezeUpdates) RefreshNow(!(text || arrange));
  }
  if (m_pendingText) {
    m_pendingText = false;
    LoadDocument();
    if (!mFreezeUpdates) RefreshNow(false);
  }
  m_pendingText = m_pendingRefresh = m_pendingArrange = false;
}

void KVXHTML::RefreshNow(bool paintOnly) {
  struct PassGuard {
    int& depth;
    explicit PassGuard(int& d) : depth(d) { ++depth; }
    ~PassGuard() { --depth; }
  } guard(m_passDepth);
  for (int round = 0; round < kMaxArrangeRounds; ++round) {
    // The arrangement gives the page the viewport's width; without it the
    // page keeps the width it was laid out at.
    int width = m_layoutWidth > 0 ? m_layoutWidth : static_cast<int>(picViewPort->ScaleWidth());
    if (!paintOnly) {
      ArrangeViewport();
      width = static_cast<int>(picViewPort->ScaleWidth());
    }
    LayOut(std::max(1, width));
    if (mEnableScroll == htmScrollBars::Keine) {
      m_vScroll.SetRange(0);
      m_hScroll.SetRange(0);
      break;
    }
    const bool wasV = panV->Visible();
    const bool wasH = panH->Visible();
    SetScrollBars();
    if (panV->Visible() == wasV && panH->Visible() == wasH) break;
    paintOnly = false;  // the viewport changed size: arrange it again
  }
  ShowPage();
}

void KVXHTML::LayOut(int width) {
  const int viewportWidth = std::max(1, static_cast<int>(picViewPort->ScaleWidth()));
  const int viewportHeight = std::max(1, static_cast<int>(picViewPort->ScaleHeight()));
  m_pageImage.SetShownSize(viewportWidth, viewportHeight);
  m_layoutWidth = width;
  if (mDoc.Count() == 0) {
    m_pageImage.SetPage(nullptr, std::max(width, viewportWidth), viewportHeight);
    m_pageImage.SetColor(mDoc.PageColor);
    return;
  }
  // Text is measured on a surface of the page's width (the layout reads
  // no other size of it).
  gdi::DrawingSurface metrics(width, 1);
  metrics.SetScaleMode(gdi::vbPixels);
  html::PageCanvas measuring(metrics, m_measures, nullptr);
  RenderPage(measuring);
  // A page that grew wider lays out anew at its final width; the drawing
  // pass comes last and uses the heights measured at it.
  if (viewportWidth < mPageWidth && mPageWidth != width) {
    m_layoutWidth = width = mPageWidth;
    metrics.Resize(width, 1);
    RenderPage(measuring);
  }
  auto list = std::make_unique<html::PageDisplayList>();
  const int16_t hover = mHoverAnchor;
  html::PageCanvas drawing(metrics, m_measures, list.get());
  RenderPage(drawing);
  // The page reaches as far as anything drawn on it: text that runs past
  // its line's end (deep lists, long words) can be scrolled to as well.
  if (mEnableScroll != htmScrollBars::Keine)
    mPageWidth = static_cast<int32_t>(
        std::clamp<int64_t>(list->InkRight() + mDefaultPadding, mPageWidth, std::numeric_limits<int32_t>::max()));
  mPageHeight =
      static_cast<int32_t>(std::clamp<int64_t>(list->InkBottom(), mPageHeight, std::numeric_limits<int32_t>::max()));
  m_pageImage.SetPage(std::move(list), std::max(width, mPageWidth), std::max(viewportHeight, mPageHeight));
  // A hover that changed while the page was drawn.
  if (hover != mHoverAnchor) {
    m_pageImage.Recolour(hover, mLinkColor);
    m_pageImage.Recolour(mHoverAnchor, mLinkHoverColor);
  }
}

void KVXHTML::SetScrollBars() {
  forms::ScrollBar& v = Bar(vscScroll);
  forms::ScrollBar& h = Bar(hscScroll);
  const int viewportWidth = static_cast<int>(picViewPort->ScaleWidth());
  const int viewportHeight = static_cast<int>(picViewPort->ScaleHeight());
  // The range in pixels; a bar's unit grows with a range beyond 16 bits.
  m_vScroll.SetRange(mDoc.Count() < 1 ? 0 : int64_t{mPageHeight} - viewportHeight);
  m_hScroll.SetRange(mDoc.Count() < 1 ? 0 : int64_t{mPageWidth} - viewportWidth);
  m_settingBar = true;
  v.SetMax(m_vScroll.BarMax());
  h.SetMax(m_hScroll.BarMax());
  h.SetLargeChange(std::max<int16_t>(1, To16(viewportWidth / m_hScroll.Unit())));
  // A bar that is not switched off shows when the page needs it.
  auto show = [](forms::PictureBox& panel, forms::ScrollBar& bar) {
    const bool needed = bar.Max() > 0;
    if (!needed) bar.SetMax(0);
    bar.SetValue(0);
    panel.SetTag(needed ? kShown : kNotNeeded);
    panel.SetVisible(needed);
  };
  if (TagNumber(*panV) > -1) {
    v.SetLargeChange(std::max<int16_t>(1, To16(viewportHeight / m_vScroll.Unit())));
    show(*panV, v);
  }
  if (TagNumber(*panH) > -1) show(*panH, h);
  m_settingBar = false;
}

void KVXHTML::Resize() { Refresh(false); }

int32_t KVXHTML::ScrollX() const { return static_cast<int32_t>(m_hScroll.Position()); }
int32_t KVXHTML::ScrollY() const { return static_cast<int32_t>(m_vScroll.Position()); }

void KVXHTML::picViewPort_Paint() {
  rt::ResumeNext([this] {
    m_pageImage.CopyTo(picViewPort->hDC(), 0, 0, static_cast<int>(picViewPort->ScaleWidth()),
                       static_cast<int>(picViewPort->ScaleHeight()), ScrollX(), ScrollY());
  });
}

void KVXHTML::ShowPage() {
  picViewPort_Paint();
  // The window shows it at its next paint, which copies again.
  picViewPort->Invalidate();
}

void KVXHTML::ScrollBarChanged(bool vertical) {
  if (m_settingBar) return;  // the control set the position itself
  html::ScrollAxis& axis = vertical ? m_vScroll : m_hScroll;
  axis.SetPosition(axis.PositionOf(Bar(vertical ? vscScroll : hscScroll).Value()));
  if (mDoc.Count() > 0) ShowPage();
}

void KVXHTML::SetScrollPosition(bool vertical, int64_t pixels) {
  html::ScrollAxis& axis = vertical ? m_vScroll : m_hScroll;
  const int64_t before = axis.Position();
  const int16_t value = axis.SetPosition(pixels);
  m_settingBar = true;
  rt::ResumeNext([&] { Bar(vertical ? vscScroll : hscScroll).SetValue(value); });
  m_settingBar = false;
  if (axis.Position() != before && mDoc.Count() > 0) ShowPage();
}

void KVXHTML::picViewPort_KeyDown(int16_t keyCode, int16_t shift) {
  // Positions in page pixels: an arrow moves by the bar's small change in
  // pixels, a page key by one viewport.
  const bool vertical = mEnableScroll == htmScrollBars::Vertikal || mEnableScroll == htmScrollBars::Beide;
  const bool horizontal = mEnableScroll == htmScrollBars::horizontal || mEnableScroll == htmScrollBars::Beide;
  const bool ctrl = (shift & com::vbCtrlMask) != 0;
  rt::ResumeNext([&] {
    if (!vertical) return;
    const int64_t value = m_vScroll.Position(), max = m_vScroll.Range();
    const int64_t small = Bar(vscScroll).SmallChange();
    const int64_t large = int64_t{Bar(vscScroll).LargeChange()} * m_vScroll.Unit();
    switch (keyCode) {
      case kKeyUp:
        if (value > 0) SetScrollPosition(true, std::max<int64_t>(0, value - small));
        break;
      case kKeyDown:
        if (value < max) SetScrollPosition(true, std::min(max, value + small));
        break;
      case kKeyPageUp:
        if (value > 0) SetScrollPosition(true, value - large < 0 ? 0 : value - large);
        break;
      case kKeyPageDown:
        if (value < max) SetScrollPosition(true, value + large > max ? max : value + large);
        break;
      case kKeyHome:
        if (ctrl) SetScrollPosition(true, 0);
        break;
      case kKeyEnd:
        if (ctrl) SetScrollPosition(true, max);
        break;
      default:
        break;
    }
  });
  rt::ResumeNext([&] {
    if (!horizontal) return;
    const int64_t value = m_hScroll.Position(), max = m_hScroll.Range();
    const int64_t small = Bar(hscScroll).SmallChange();
    if (keyCode == kKeyLeft && value > 0) SetScrollPosition(false, value - small > 0 ? value - small : 0);
    if (keyCode == kKeyRight && value < max) SetScrollPosition(false, value + small < max ? value + small : max);
  });
}

void KVXHTML::ScrollBarGotFocus() {
  rt::ResumeNext([this] { win::SetFocus(FocusWeg->hWnd()); });
}

void KVXHTML::Draw(gdi::HDC hdc, int x, int y) {
  gdi::DrawingSurface& surface = Surface();
  surface.Refresh();
  gdi::BitBlt(hdc, x, y, surface.PixelWidth(), surface.PixelHeight(), surface.ShownDC(), 0, 0, gdi::SRCCOPY);
  // The viewport and the bar panels; the page picture and the focus
  // taker stay out of sight.
  for (const com::ControlPtr& c : {com::ControlPtr(panH), com::ControlPtr(panV), com::ControlPtr(picViewPort)}) {
    if (c->Visible()) c->Draw(hdc, x + gdi::TwipsToPixelsX(c->Left()), y + gdi::TwipsToPixelsY(c->Top()));
  }
  const gdi::RECT outer{x, y, x + PixelWidth(), y + PixelHeight()};
  if (BorderPixels() == 2) {
    forms::painter::DrawSunkenBorder(hdc, outer);
  } else if (BorderPixels() == 1) {
    gdi::OwnedBrush frame(gdi::CreateSolidBrush(gdi::GetSysColor(gdi::COLOR_WINDOWFRAME)));
    gdi::FrameRect(hdc, outer, frame.Get());
  }
}

bool KVXHTML::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  // The focus that reaches the control goes on to its viewport.
  if (msg == win::WM_SETFOCUS && picViewPort->CanFocus()) {
    win::SetFocus(picViewPort->hWnd());
    result = 0;
    return true;
  }
  return com::UserControl::HandleMessage(msg, wParam, lParam, result);
}

}  // namespace kvctl2
