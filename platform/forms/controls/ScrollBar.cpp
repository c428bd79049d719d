#include "forms/controls/ScrollBar.h"

#include <algorithm>
#include <cmath>

#include "com/ControlFactory.h"
#include "com/PropertyBag.h"
#include "forms/ControlPainter.h"
#include "forms/Form.h"
#include "gdi/Gdi.h"
#include "runtime/Error.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Messages.h"
#include "win/Timer.h"

namespace forms {

namespace {

com::ControlRegistration<VScrollBar> vertical{"VB.VScrollBar", "VScrollBar"};
com::ControlRegistration<HScrollBar> horizontal{"VB.HScrollBar", "HScrollBar"};

// A held arrow or track press repeats after the first delay, then at the
// repeat interval, as the platform's scroll bars do.
constexpr win::UINT_PTR kRepeatTimer = 1;
constexpr uint32_t kFirstRepeatDelayMs = 300;
constexpr uint32_t kRepeatIntervalMs = 50;

[[noreturn]] void InvalidValue(const std::string& source) {
  rt::Raise(com::errInvalidPropertyValue, source, "Invalid property value");
}

bool Contains(const win::RECT& r, win::POINT p) { return gdi::PtInRect(r, p); }

}  // namespace

ScrollBar::ScrollBar(ScrollOrientation orientation) : m_orientation(orientation) {
  DefineProperty(
      "Min", [this] { return rt::Variant(m_min); }, [this](const rt::Variant& v) { SetMin(v.ToInteger()); });
  DefineProperty(
      "Max", [this] { return rt::Variant(m_max); }, [this](const rt::Variant& v) { SetMax(v.ToInteger()); });
  DefineProperty(
      "Value", [this] { return rt::Variant(m_value); }, [this](const rt::Variant& v) { SetValue(v.ToInteger()); });
  DefineProperty(
      "SmallChange", [this] { return rt::Variant(m_smallChange); },
      [this](const rt::Variant& v) { SetSmallChange(v.ToInteger()); });
  DefineProperty(
      "LargeChange", [this] { return rt::Variant(m_largeChange); },
      [this](const rt::Variant& v) { SetLargeChange(v.ToInteger()); });
}

ScrollBar::~ScrollBar() { StopRepeatTimer(); }

int32_t ScrollBar::Low() const { return std::min(m_min, m_max); }
int32_t ScrollBar::High() const { return std::max(m_min, m_max); }

void ScrollBar::SetMin(int16_t value) {
  m_min = value;
  const auto clamped = static_cast<int16_t>(std::clamp<int32_t>(m_value, Low(), High()));
  Invalidate();
  if (clamped != m_value) {
    m_value = clamped;
    RaiseEvent("Change");
  }
}

void ScrollBar::SetMax(int16_t value) {
  m_max = value;
  const auto clamped = static_cast<int16_t>(std::clamp<int32_t>(m_value, Low(), High()));
  Invalidate();
  if (clamped != m_value) {
    m_value = clamped;
    RaiseEvent("Change");
  }
}

void ScrollBar::SetValue(int16_t value) {
  if (value < Low() || value > High()) InvalidValue(ClassName());
  if (value == m_value) return;
  m_value = value;
  Invalidate();
  RaiseEvent("Change");
}

void ScrollBar::SetSmallChange(int16_t value) {
  if (value < 1) InvalidValue(ClassName());
  m_smallChange = value;
}

void ScrollBar::SetLargeChange(int16_t value) {
  if (value < 1) InvalidValue(ClassName());
  m_largeChange = value;
}

void ScrollBar::Step(int32_t delta) {
  const int32_t towardsMax = m_max >= m_min ? delta : -delta;
  SetValue(static_cast<int16_t>(std::clamp<int32_t>(m_value + towardsMax, Low(), High())));
}

void ScrollBar::StepFor(Part part) {
  switch (part) {
    case Part::LineUp:
      Step(-m_smallChange);
      break;
    case Part::LineDown:
      Step(m_smallChange);
      break;
    case Part::PageUp:
      Step(-m_largeChange);
      break;
    case Part::PageDown:
      Step(m_largeChange);
      break;
    default:
      break;
  }
}

int ScrollBar::Along(win::POINT p) const { return m_orientation == ScrollOrientation::Vertical ? p.y : p.x; }
int ScrollBar::Across(win::POINT p) const { return m_orientation == ScrollOrientation::Vertical ? p.x : p.y; }

ScrollBar::Layout ScrollBar::ComputeLayout() const {
  const bool vertical = m_orientation == ScrollOrientation::Vertical;
  const int length = vertical ? PixelHeight() : PixelWidth();
  const int thickness = vertical ? PixelWidth() : PixelHeight();
  // Square arrows, halved when the bar is shorter than two of them.
  const int arrow = std::max(0, std::min(thickness, length / 2));
  const int trackStart = arrow;
  const int trackEnd = length - arrow;
  const int track = trackEnd - trackStart;
  // A square thumb, shown only on an enabled bar with room for it.
  const int thumb = thickness;
  const bool hasThumb = Enabled() && thumb > 0 && track >= thumb;
  int thumbStart = trackStart;
  if (hasThumb && m_max != m_min) {
    const double fraction = static_cast<double>(m_value - m_min) / static_cast<double>(m_max - m_min);
    thumbStart = trackStart + static_cast<int>(std::lround(fraction * (track - thumb)));
  }
  // A span [a, b) along the bar as a rectangle across its whole thickness.
  auto span = [&](int a, int b) {
    if (b <= a) return win::RECT{};
    return vertical ? win::RECT{0, a, thickness, b} : win::RECT{a, 0, b, thickness};
  };
  Layout layout;
  layout.lineUp = span(0, arrow);
  layout.lineDown = span(trackEnd, length);
  if (hasThumb) {
    layout.pageUp = span(trackStart, thumbStart);
    layout.thumb = span(thumbStart, thumbStart + thumb);
    layout.pageDown = span(thumbStart + thumb, trackEnd);
  }
  return layout;
}

ScrollBar::Part ScrollBar::HitTest(win::POINT pixel) const {
  const Layout layout = ComputeLayout();
  if (Contains(layout.lineUp, pixel)) return Part::LineUp;
  if (Contains(layout.lineDown, pixel)) return Part::LineDown;
  if (Contains(layout.thumb, pixel)) return Part::Thumb;
  if (Contains(layout.pageUp, pixel)) return Part::PageUp;
  if (Contains(layout.pageDown, pixel)) return Part::PageDown;
  return Part::None;
}

void ScrollBar::TakeFocus() {
  if (!CanFocus() || win::GetFocus() == hWnd()) return;
  if (auto* form = dynamic_cast<Form*>(Container())) {
    form->SetFocusTo(*this);
  } else {
    // The window's focus message raises GotFocus.
    win::SetFocus(hWnd());
  }
}

void ScrollBar::PressPart(Part part, win::POINT pixel) {
  m_pressed = part;
  m_pointer = pixel;
  win::SetCapture(hWnd());
  if (part == Part::Thumb) {
    const win::RECT thumb = ComputeLayout().thumb;
    m_dragOffset = Along(pixel) - Along(win::POINT{thumb.left, thumb.top});
    m_dragStartValue = m_value;
  } else {
    StepFor(part);
    StartRepeatTimer(kFirstRepeatDelayMs);
  }
  Invalidate();
}

void ScrollBar::Repeat() {
  if (m_pressed == Part::None || m_pressed == Part::Thumb) return;
  if (!m_repeating) {
    m_repeating = true;
    StartRepeatTimer(kRepeatIntervalMs);
  }
  // An arrow repeats while the pointer is on it; the track while the part
  // under the pointer is still the pressed one (it stops where the thumb
  // reaches the pointer).
  if (HitTest(m_pointer) == m_pressed) StepFor(m_pressed);
  Invalidate();
}

void ScrollBar::Drag(win::POINT pixel) {
  m_pointer = pixel;
  const Layout layout = ComputeLayout();
  const bool vertical = m_orientation == ScrollOrientation::Vertical;
  const int thumb = vertical ? layout.thumb.bottom - layout.thumb.top : layout.thumb.right - layout.thumb.left;
  const int trackStart = vertical ? layout.lineUp.bottom : layout.lineUp.right;
  const int trackEnd = vertical ? layout.lineDown.top : layout.lineDown.left;
  const int room = trackEnd - trackStart - thumb;
  if (thumb <= 0 || room <= 0) return;
  const int position = std::clamp(Along(pixel) - m_dragOffset, trackStart, trackStart + room);
  const double fraction = static_cast<double>(position - trackStart) / room;
  const auto value = static_cast<int16_t>(m_min + std::lround(fraction * (m_max - m_min)));
  if (value == m_value) return;
  m_value = value;
  Invalidate();
  RaiseEvent("Scroll");
}

void ScrollBar::EndPress() {
  const Part was = m_pressed;
  if (was == Part::None) return;
  m_pressed = Part::None;
  m_repeating = false;
  StopRepeatTimer();
  if (win::GetCapture() == hWnd()) win::ReleaseCapture();
  Invalidate();
  if (was == Part::Thumb && m_value != m_dragStartValue) RaiseEvent("Change");
}

void ScrollBar::StartRepeatTimer(uint32_t delayMs) {
  if (hWnd() != win::kNoWindow) win::SetTimer(hWnd(), kRepeatTimer, delayMs, nullptr);
}

void ScrollBar::StopRepeatTimer() {
  if (hWnd() != win::kNoWindow) win::KillTimer(hWnd(), kRepeatTimer);
}

bool ScrollBar::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  const win::POINT pixel{win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)};
  result = 0;
  switch (msg) {
    case win::WM_LBUTTONDOWN: {
      if (!Enabled()) return true;
      TakeFocus();
      const Part part = HitTest(pixel);
      if (part != Part::None) PressPart(part, pixel);
      return true;
    }
    case win::WM_MOUSEMOVE:
      if (m_pressed == Part::Thumb) {
        Drag(pixel);
      } else if (m_pressed != Part::None) {
        const bool wasOver = HitTest(m_pointer) == m_pressed;
        m_pointer = pixel;
        if (wasOver != (HitTest(m_pointer) == m_pressed)) Invalidate();
      }
      return true;
    case win::WM_LBUTTONUP:
      EndPress();
      return true;
    case win::WM_CAPTURECHANGED:
      if (win::ToHwnd(static_cast<int32_t>(lParam)) != hWnd()) EndPress();
      return true;
    case win::WM_TIMER:
      if (wParam != kRepeatTimer) return false;
      Repeat();
      return true;
    case win::WM_LBUTTONDBLCLK:
    case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONUP:
      return true;
    default:
      return false;
  }
}

void ScrollBar::KeyDown(int16_t& keyCode, int16_t shift) {
  Control::KeyDown(keyCode, shift);
  if (!Enabled()) return;
  switch (static_cast<uint32_t>(keyCode)) {
    case win::VK_UP:
    case win::VK_LEFT:
      Step(-m_smallChange);
      break;
    case win::VK_DOWN:
    case win::VK_RIGHT:
      Step(m_smallChange);
      break;
    case win::VK_PRIOR:
      Step(-m_largeChange);
      break;
    case win::VK_NEXT:
      Step(m_largeChange);
      break;
    case win::VK_HOME:
      SetValue(m_min);
      break;
    case win::VK_END:
      SetValue(m_max);
      break;
    default:
      break;
  }
}

void ScrollBar::OnEnabledChanged() {
  if (!Enabled()) EndPress();
}

void ScrollBar::Draw(gdi::HDC hdc, int x, int y) {
  const Layout layout = ComputeLayout();
  const bool vertical = m_orientation == ScrollOrientation::Vertical;
  auto at = [x, y](win::RECT r) {
    gdi::OffsetRect(&r, x, y);
    return r;
  };
  auto held = [this](Part part) { return m_pressed == part && HitTest(m_pointer) == part; };
  // The track behind the thumb, then the pressed part of it.
  const win::RECT track = vertical ? win::RECT{0, layout.lineUp.bottom, PixelWidth(), layout.lineDown.top}
                                   : win::RECT{layout.lineUp.right, 0, layout.lineDown.left, PixelHeight()};
  painter::DrawScrollTrack(hdc, at(track), false);
  if (held(Part::PageUp)) painter::DrawScrollTrack(hdc, at(layout.pageUp), true);
  if (held(Part::PageDown)) painter::DrawScrollTrack(hdc, at(layout.pageDown), true);
  painter::DrawScrollThumb(hdc, at(layout.thumb), hWnd() != win::kNoWindow && win::GetFocus() == hWnd());
  painter::DrawScrollArrow(hdc, at(layout.lineUp),
                           vertical ? painter::ArrowDirection::Up : painter::ArrowDirection::Left, held(Part::LineUp),
                           Enabled());
  painter::DrawScrollArrow(hdc, at(layout.lineDown),
                           vertical ? painter::ArrowDirection::Down : painter::ArrowDirection::Right,
                           held(Part::LineDown), Enabled());
}

void ScrollBar::ReadProperties(const com::PropertyBag& bag) {
  m_min = bag.ReadProperty("Min", int16_t{0}).ToInteger();
  m_max = bag.ReadProperty("Max", int16_t{32767}).ToInteger();
  m_smallChange = std::max<int16_t>(1, bag.ReadProperty("SmallChange", int16_t{1}).ToInteger());
  m_largeChange = std::max<int16_t>(1, bag.ReadProperty("LargeChange", int16_t{1}).ToInteger());
  m_value = static_cast<int16_t>(std::clamp<int32_t>(bag.ReadProperty("Value", int16_t{0}).ToInteger(), Low(), High()));
  Invalidate();
}

void ScrollBar::WriteProperties(com::PropertyBag& bag) {
  bag.WriteProperty("Min", m_min, int16_t{0});
  bag.WriteProperty("Max", m_max, int16_t{32767});
  bag.WriteProperty("Value", m_value, int16_t{0});
  bag.WriteProperty("SmallChange", m_smallChange, int16_t{1});
  bag.WriteProperty("LargeChange", m_largeChange, int16_t{1});
}

}  // namespace forms
