// The HTML view's viewport: the arrangement of the viewport, the page
// picture and the scroll bars; Refresh (measure, grow the page, measure
// again when it grew wider, draw last, set the scroll bars, again while a
// bar appears or goes); the block copy of the visible window of the page; scroll bar
// events, keyboard scrolling and the focus kept away from the bars.
#include <algorithm>
#include <climits>

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
// The page picture never passes the 16-bit range on a side, nor this many
// pixels in all (a longer page is cut at the bottom).
constexpr int64_t kMaxPagePixels = 1 << 23;
// Showing a bar can make the other one needed; never more rounds than this.
constexpr int kMaxArrangeRounds = 8;
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
  // A LoadImage handler may unload the form that holds this control.
  const std::shared_ptr<com::Dispatch> keep = weak_from_this().lock();
  for (int round = 0; round < kMaxArrangeRounds; ++round) {
    // The arrangement gives the page picture the viewport's size; without
    // it the page picture keeps its size.
    int width = picHTML->PixelWidth(), height = picHTML->PixelHeight();
    if (!paintOnly) {
      ArrangeViewport();
      width = picViewPort->PixelWidth();
      height = picViewPort->PixelHeight();
    }
    if (mDoc.Count() > 0) {
      // Measuring draws nothing that stays: it runs on a scratch surface
      // of the page's width (the layout reads no other size of it).
      gdi::DrawingSurface scratch(width, 1);
      scratch.SetScaleMode(gdi::vbPixels);
      RenderPage(false, scratch);
      // The page picture grows to the page, within the 16-bit range.
      const int viewportWidth = static_cast<int>(picViewPort->ScaleWidth());
      const int viewportHeight = static_cast<int>(picViewPort->ScaleHeight());
      if (viewportWidth < mPageWidth) width = std::min(mPageWidth, int32_t{INT16_MAX});
      if (viewportHeight < mPageHeight) height = std::min(mPageHeight, int32_t{INT16_MAX});
      if (int64_t{width} * height > kMaxPagePixels) height = static_cast<int>(kMaxPagePixels / std::max(1, width));
      // A page that grew wider lays out anew at its final width; the
      // drawing pass comes last and uses the heights measured at it.
      if (width != scratch.PixelWidth()) {
        scratch.Resize(width, 1);
        RenderPage(false, scratch);
      }
    }
    if (width != picHTML->PixelWidth() || height != picHTML->PixelHeight())
      picHTML->Move(picHTML->Left(), picHTML->Top(), gdi::PixelsToTwipsX(width), gdi::PixelsToTwipsY(height));
    if (mDoc.Count() > 0) {
      picHTML->Surface().SetAutoRedraw(true);
      RenderPage(true, picHTML->Surface());
    }
    if (mEnableScroll == htmScrollBars::Keine) break;
    const bool wasV = panV->Visible();
    const bool wasH = panH->Visible();
    forms::ScrollBar& v = Bar(vscScroll);
    forms::ScrollBar& h = Bar(hscScroll);
    const int viewportWidth = static_cast<int>(picViewPort->ScaleWidth());
    const int viewportHeight = static_cast<int>(picViewPort->ScaleHeight());
    if (mDoc.Count() < 1) {
      v.SetMax(0);
      h.SetMax(0);
    } else {
      // Within the page picture: a page cut at its limits scrolls to the cut.
      const gdi::DrawingSurface& page = picHTML->Surface();
      v.SetMax(To16(std::min<int64_t>(mPageHeight, page.PixelHeight()) - viewportHeight));
      h.SetMax(To16(std::min<int64_t>(mPageWidth, page.PixelWidth()) - viewportWidth));
    }
    h.SetLargeChange(std::max<int16_t>(1, To16(viewportWidth)));
    if (TagNumber(*panV) > -1) {
      v.SetLargeChange(std::max<int16_t>(1, To16(viewportHeight)));
      if (v.Max() > 0) {
        panV->SetTag(kShown);
        v.SetValue(0);
        panV->SetVisible(true);
      } else {
        panV->SetVisible(false);
        v.SetMax(0);
        v.SetValue(0);
        panV->SetTag(kNotNeeded);
      }
    }
    if (TagNumber(*panH) > -1) {
      if (h.Max() > 0) {
        panH->SetTag(kShown);
        h.SetValue(0);
        panH->SetVisible(true);
      } else {
        panH->SetVisible(false);
        h.SetMax(0);
        h.SetValue(0);
        panH->SetTag(kNotNeeded);
      }
    }
    if (panV->Visible() == wasV && panH->Visible() == wasH) break;
    paintOnly = false;  // the viewport changed size: arrange it again
  }
  picViewPort_Paint();
}

void KVXHTML::Resize() { Refresh(false); }

int32_t KVXHTML::ScrollX() const { return Bar(hscScroll).Value(); }
int32_t KVXHTML::ScrollY() const { return Bar(vscScroll).Value(); }

void KVXHTML::picViewPort_Paint() {
  rt::ResumeNext([this] {
    const gdi::DrawingSurface& page = picHTML->Surface();
    gdi::BitBlt(picViewPort->hDC(), 0, 0, static_cast<int>(picViewPort->ScaleWidth()),
                static_cast<int>(picViewPort->ScaleHeight()), page.hDC(), ScrollX(), ScrollY(), gdi::SRCCOPY);
    picViewPort->Invalidate();
  });
}

void KVXHTML::SetScrollValue(const com::ControlPtr& bar, int32_t value) {
  Bar(bar).SetValue(To16(value));  // raises Change, which repaints
}

void KVXHTML::picViewPort_KeyDown(int16_t keyCode, int16_t shift) {
  const bool vertical = mEnableScroll == htmScrollBars::Vertikal || mEnableScroll == htmScrollBars::Beide;
  const bool horizontal = mEnableScroll == htmScrollBars::horizontal || mEnableScroll == htmScrollBars::Beide;
  const bool ctrl = (shift & com::vbCtrlMask) != 0;
  rt::ResumeNext([&] {
    if (!vertical) return;
    const forms::ScrollBar& v = Bar(vscScroll);
    const int32_t value = v.Value(), min = v.Min(), max = v.Max();
    switch (keyCode) {
      case kKeyUp:
        if (value > min) SetScrollValue(vscScroll, std::max(min, value - v.SmallChange()));
        break;
      case kKeyDown:
        if (value < max) SetScrollValue(vscScroll, std::min(max, value + v.SmallChange()));
        break;
      case kKeyPageUp:
        if (value > min) SetScrollValue(vscScroll, value - v.LargeChange() < min ? min : value - v.LargeChange());
        break;
      case kKeyPageDown:
        if (value < max) SetScrollValue(vscScroll, value + v.LargeChange() > max ? max : value + v.LargeChange());
        break;
      case kKeyHome:
        if (ctrl) SetScrollValue(vscScroll, min);
        break;
      case kKeyEnd:
        if (ctrl) SetScrollValue(vscScroll, max);
        break;
      default:
        break;
    }
  });
  rt::ResumeNext([&] {
    if (!horizontal) return;
    const forms::ScrollBar& h = Bar(hscScroll);
    const int32_t value = h.Value(), min = h.Min(), max = h.Max();
    if (keyCode == kKeyLeft && value > min)
      SetScrollValue(hscScroll, value - h.SmallChange() > min ? value - h.SmallChange() : min);
    if (keyCode == kKeyRight && value < max)
      SetScrollValue(hscScroll, value + h.SmallChange() < max ? value + h.SmallChange() : max);
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
