// The HTML view's mouse: the link under the pointer (hand cursor, tooltip,
// hover colour), dragging the page, jumps to "#" targets, the deferred link
// click and its two ends (a public procedure of the hosting form for "VB:"
// links, HyperlinkClick otherwise), and the viewport's window messages
// that the subclass sees first (double clicks, loss of focus, leaving).
#include <algorithm>
#include <cmath>
#include <utility>

#include "forms/PictureBox.h"
#include "forms/Timer.h"
#include "forms/controls/ScrollBar.h"
#include "html/HtmlCursors.h"
#include "html/KVXHTML.h"
#include "html/ProcedureLink.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "services/clsSubClass.h"
#include "win/InputRouting.h"
#include "win/Messages.h"

namespace kvctl2 {

namespace {

constexpr size_t kMaxHostArguments = 8;
const std::string kNoLink = "-1";

}  // namespace

bool KVXHTML::TryScrollPosition(bool vertical, int64_t pixels) {
  // A drag step or a jump outside the page's range is not applied.
  const html::ScrollAxis& axis = vertical ? m_vScroll : m_hScroll;
  if (pixels < 0 || pixels > std::max<int64_t>(axis.Range(), 0)) return false;
  SetScrollPosition(vertical, pixels);
  return true;
}

int KVXHTML::HitAnchor(float x, float y, bool click) const {
  const double h = ScrollX(), v = ScrollY();
  for (int16_t anchor : mDoc.Anchors) {
    const HTMLElement& a = mDoc.Elements[static_cast<size_t>(anchor)];
    if (!click && a.Href.empty()) continue;
    const double left = a.BoxLeft - h, right = a.BoxRight - h, top = a.BoxTop - v, bottom = a.BoxBottom - v;
    const bool hit =
        click ? left <= x && x <= right && top <= y && y <= bottom : left < x && x < right && top < y && y < bottom;
    if (hit) return anchor;
  }
  return -1;
}

bool KVXHTML::LinkPoint(int anchorIndex, int& x, int& y) const {
  if (anchorIndex < 0 || static_cast<size_t>(anchorIndex) >= mDoc.Anchors.size()) return false;
  const HTMLElement& a = mDoc.Elements[static_cast<size_t>(mDoc.Anchors[static_cast<size_t>(anchorIndex)])];
  if (a.BoxRight <= a.BoxLeft || a.BoxBottom <= a.BoxTop || a.BoxLeft < 0) return false;
  x = (a.BoxLeft + a.BoxRight) / 2 - ScrollX();
  y = (a.BoxTop + a.BoxBottom) / 2 - ScrollY();
  return true;
}

void KVXHTML::HoverRender(int16_t before) {
  // Only the colour of the two links' text changes: their text is drawn
  // again where it is shown, nothing is laid out; the scroll position stays.
  if (before == mHoverAnchor) return;
  m_pageImage.Recolour(before, mLinkColor);
  m_pageImage.Recolour(mHoverAnchor, mLinkHoverColor);
  ShowPage();
}

void KVXHTML::picViewPort_MouseMove(int16_t button, int16_t shift, float x, float y) {
  if (!mEnabled) return;
  const std::shared_ptr<com::Dispatch> keep = weak_from_this().lock();
  rt::ResumeNext([&] {
    win::TRACKMOUSEEVENT track;
    track.dwFlags = win::TME_LEAVE;
    track.hwndTrack = picViewPort->hWnd();
    win::_TrackMouseEvent(&track);
  });
  if (mEnableAnchors) {
    const int hit = HitAnchor(x, y, false);
    if (hit >= 0) {
      const HTMLElement& link = mDoc.Elements[static_cast<size_t>(hit)];
      std::string id = link.ID, href = link.Href;
      mOverLink = true;
      rt::ResumeNext([&] { SetViewportCursor("HAND"); });
      if (mEnableTooltips) picViewPort->SetToolTipText(link.Title.empty() ? link.Href : link.Title);
      if (mHoverEnabled) {
        const int16_t before = std::exchange(mHoverAnchor, static_cast<int16_t>(hit));
        rt::ResumeNext([&] { HoverRender(before); });
      }
      com::Args args{id, href, button, shift, static_cast<double>(x), static_cast<double>(y)};
      Raise("MouseMove", args);
      return;
    }
    picViewPort->SetToolTipText("");
    if (mHoverAnchor != 0) {
      const int16_t before = std::exchange(mHoverAnchor, int16_t{0});
      rt::ResumeNext([&] { HoverRender(before); });
    }
  }
  mOverLink = false;
  const bool barShown = panV->Visible() || panH->Visible();
  if (button != 0) {
    if (mPageMover && barShown) {
      rt::ResumeNext([&] { SetViewportCursor("ZHANDD"); });
      const int32_t pointerY = static_cast<int32_t>(std::nearbyint(y));
      const int32_t pointerX = static_cast<int32_t>(std::nearbyint(x));
      TryScrollPosition(true, int64_t{mDragY} - pointerY + ScrollY());
      mDragY = pointerY;
      TryScrollPosition(false, int64_t{mDragX} - pointerX + ScrollX());
      mDragX = pointerX;
    }
  } else {
    rt::ResumeNext([&] { SetViewportCursor(mPageMover && barShown ? "ZHANDU" : nullptr); });
  }
  com::Args args{kNoLink, kNoLink, button, shift, static_cast<double>(x), static_cast<double>(y)};
  Raise("MouseMove", args);
}

void KVXHTML::picViewPort_MouseDown(int16_t button, int16_t shift, float x, float y) {
  if (!mOverLink && mPageMover && (panV->Visible() || panH->Visible())) {
    mDragY = static_cast<int32_t>(std::nearbyint(y));
    mDragX = static_cast<int32_t>(std::nearbyint(x));
    rt::ResumeNext([&] { SetViewportCursor("ZHANDD"); });
  }
  com::Args args{button, shift, static_cast<double>(x), static_cast<double>(y)};
  Raise("MouseDown", args);
}

void KVXHTML::picViewPort_MouseUp(int16_t button, int16_t shift, float x, float y) {
  std::string id = kNoLink, href = kNoLink;
  rt::ResumeNext([&] {
    const int hit = mEnableAnchors ? HitAnchor(x, y, true) : -1;
    if (hit < 0 || mDoc.Elements[static_cast<size_t>(hit)].Href.empty()) return;
    const HTMLElement& link = mDoc.Elements[static_cast<size_t>(hit)];
    const bool jumps = mEnableScroll == htmScrollBars::Vertikal || mEnableScroll == htmScrollBars::Beide;
    if (link.Href[0] == '#' && jumps) {
      // Every element with that ID is applied in turn: the last one wins.
      const std::string target = link.Href.substr(1);
      for (const HTMLElement& e : mDoc.Elements) {
        if (e.ID != target) continue;
        const int64_t max = m_vScroll.Range();
        TryScrollPosition(true, e.BoxTop > max ? max : e.BoxTop);
      }
      return;
    }
    mClickHref = link.Href;
    mClickID = link.ID;
    tmrHyperlinkClick->SetEnabled(true);
    id = mClickID;
    href = mClickHref;
  });
  com::Args args{id, href, button, shift, static_cast<double>(x), static_cast<double>(y)};
  Raise("MouseUp", args);
}

void KVXHTML::tmrHyperlinkClick_Timer() {
  tmrHyperlinkClick->SetEnabled(false);
  if (mClickHref.empty()) return;
  // The pending click is taken before the host runs: a host that unloads
  // the form or clicks again meets a cleared state.
  const std::string href = std::move(mClickHref);
  const std::string id = std::move(mClickID);
  mClickHref.clear();
  mClickID.clear();
  if (rt::UCase(rt::Left(href, 3)) == "VB:") {
    const html::ProcedureLink link = html::ParseProcedureLink(href.substr(3));
    CallHostProcedure(link.Name, link.Args);
  } else {
    com::Args args{id, href};
    Raise("HyperlinkClick", args);
  }
}

void KVXHTML::CallHostProcedure(const std::string& name, const std::vector<std::string>& args) {
  // Any failure (no host, no such procedure, wrong arguments) is ignored.
  const std::shared_ptr<com::Dispatch> keep = weak_from_this().lock();
  rt::ResumeNext([&] {
    if (!Container()) return;
    com::DispatchPtr host = Container()->ContainerObject();
    if (!host) return;
    com::Args callArgs;
    if (!args.empty() && args.size() <= kMaxHostArguments) callArgs.assign(args.begin(), args.end());
    host->Invoke(name, com::CallKind::Method, callArgs);
  });
}

void KVXHTML::mSubClass_NewMessage(int32_t /*hWnd*/, int32_t& uMsg, win::WPARAM& /*wParam*/, win::LPARAM& /*lParam*/,
                                   bool& /*cancel*/) {
  const uint32_t msg = static_cast<uint32_t>(uMsg);
  const std::shared_ptr<com::Dispatch> keep = weak_from_this().lock();
  if (msg == win::WM_LBUTTONDBLCLK || msg == win::WM_RBUTTONDBLCLK) {
    // The second press of a double click reaches the viewport as a left press.
    uMsg = static_cast<int32_t>(win::WM_LBUTTONDOWN);
    Raise("DblClick");
  } else if (msg == win::WM_KILLFOCUS || msg == win::WM_MOUSELEAVE) {
    if (mHoverAnchor != 0) {
      const int16_t before = std::exchange(mHoverAnchor, int16_t{0});
      rt::ResumeNext([this, before] { HoverRender(before); });
    }
  }
}

void KVXHTML::SetViewportCursor(const char* cursor) {
  const std::string name = cursor ? cursor : "";
  if (name == mViewportCursor) return;  // the mouse moves often; the cursor seldom changes
  mViewportCursor = name;
  if (!cursor) {
    picViewPort->SetMousePointer(com::vbDefault);
    return;
  }
  const html::CursorResource& resource = html::LoadCursorResource(name);
  picViewPort->SetMouseIcon(resource.Picture, resource.HotSpot);
  picViewPort->SetMousePointer(com::vbCustom);
}

}  // namespace kvctl2
