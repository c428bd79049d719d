#include "forms/containers/Splitter.h"

#include <algorithm>

#include "com/ControlFactory.h"
#include "forms/ControlPainter.h"
#include "forms/Form.h"
#include "gdi/Gdi.h"
#include "runtime/Strings.h"
#include "win/Cursor.h"
#include "win/Input.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace forms {

namespace {
com::ControlRegistration<Splitter> registration{"SSSplitter.SSSplitter", "SSSplitter"};
// The smallest pane the bar leaves, in pixels.
constexpr int kMinPane = 20;
}  // namespace

void SplitterPane::DefineMembers() {
  DefineProperty(
      "Name", [this] { return rt::Variant(m_name); }, [this](const rt::Variant& v) { SetName(v.ToString()); });
  DefineObjectProperty(
      "Control", [this](com::Args&) { return com::ToVariant(Control()); },
      [this](com::Args& args) {
        SetControl(std::dynamic_pointer_cast<com::Control>(com::AsDispatch(com::RequiredArg(args, 0))));
        return rt::Variant();
      });
  DefineReadOnly("Left", [this] { return rt::Variant(Left()); });
  DefineReadOnly("Top", [this] { return rt::Variant(Top()); });
  DefineReadOnly("Width", [this] { return rt::Variant(Width()); });
  DefineReadOnly("Height", [this] { return rt::Variant(Height()); });
}

com::ControlPtr SplitterPane::Control() const {
  if (auto control = m_control.lock()) return control;
  // Named in the design data: found on the form once it is there.
  auto* form = dynamic_cast<Form*>(m_owner.Container());
  if (!form || m_controlName.empty() || !form->HasControl(m_controlName)) return nullptr;
  return form->Control(m_controlName);
}

void SplitterPane::SetControl(const com::ControlPtr& control) {
  m_control = control;
  m_controlName = control ? control->Name() : std::string();
  m_owner.ArrangePanes();
}

int32_t SplitterPane::Left() const { return m_owner.Left() + gdi::PixelsToTwipsX(m_owner.PaneRect(m_index).left); }
int32_t SplitterPane::Top() const { return m_owner.Top() + gdi::PixelsToTwipsY(m_owner.PaneRect(m_index).top); }
int32_t SplitterPane::Width() const {
  const gdi::RECT r = m_owner.PaneRect(m_index);
  return gdi::PixelsToTwipsX(r.right - r.left);
}
int32_t SplitterPane::Height() const {
  const gdi::RECT r = m_owner.PaneRect(m_index);
  return gdi::PixelsToTwipsY(r.bottom - r.top);
}

Splitter::Splitter() {
  for (int i = 0; i < 2; ++i) m_panes[static_cast<size_t>(i)] = std::make_shared<SplitterPane>(*this, i);
  DefineMethod("Panes", [this](com::Args& args) {
    const rt::Variant& which = com::RequiredArg(args, 0);
    SplitterPane* pane = nullptr;
    if (!which.IsString() && which.IsNumeric()) {
      const int32_t n = which.ToLong();
      if (n == 1 || n == 2) pane = &Pane(n - 1);
    } else {
      pane = Pane(which.ToString());
    }
    if (!pane) rt::Raise(35601, "SSSplitter", "Element not found");
    return com::ToVariant(std::static_pointer_cast<com::Dispatch>(m_panes[pane == &Pane(0) ? 0 : 1]));
  });
  DefineProperty(
      "SplitterPosition", [this] { return rt::Variant(m_position); },
      [this](const rt::Variant& v) { SetSplitterPosition(v.ToLong()); });
}

SplitterPane* Splitter::Pane(std::string_view name) {
  for (auto& pane : m_panes) {
    if (rt::StrComp(pane->Name(), name, rt::CompareMethod::Text) == 0) return pane.get();
  }
  return nullptr;
}

int32_t Splitter::Clamped(int32_t position) const {
  const int32_t length = m_orientation == 0 ? Width() : Height();
  const int32_t bar = m_orientation == 0 ? gdi::PixelsToTwipsX(m_barWidth) : gdi::PixelsToTwipsY(m_barWidth);
  const int32_t min = m_orientation == 0 ? gdi::PixelsToTwipsX(kMinPane) : gdi::PixelsToTwipsY(kMinPane);
  if (length <= 2 * min + bar) return std::max<int32_t>(0, position);
  return std::clamp(position, min, length - bar - min);
}

void Splitter::SetSplitterPosition(int32_t position) {
  const int32_t clamped = Clamped(position);
  if (clamped == m_position) return;
  m_position = clamped;
  ArrangePanes();
}

gdi::RECT Splitter::BarRect() const {
  if (m_orientation == 0) {
    const int x = gdi::TwipsToPixelsX(m_position);
    return gdi::RECT{x, 0, x + m_barWidth, PixelHeight()};
  }
  const int y = gdi::TwipsToPixelsY(m_position);
  return gdi::RECT{0, y, PixelWidth(), y + m_barWidth};
}

gdi::RECT Splitter::PaneRect(int index) const {
  const gdi::RECT bar = BarRect();
  if (m_orientation == 0) {
    return index == 0 ? gdi::RECT{0, 0, bar.left, PixelHeight()} : gdi::RECT{bar.right, 0, PixelWidth(), PixelHeight()};
  }
  return index == 0 ? gdi::RECT{0, 0, PixelWidth(), bar.top} : gdi::RECT{0, bar.bottom, PixelWidth(), PixelHeight()};
}

void Splitter::OnMoved() {
  if (auto* form = dynamic_cast<Form*>(Container())) form->HolderMoved(*this);
  ArrangePanes();
}

void Splitter::ArrangePanes() {
  if (!Container()) return;
  for (const auto& pane : m_panes) {
    if (auto control = pane->Control()) {
      control->Move(pane->Left(), pane->Top(), pane->Width(), pane->Height());
    }
  }
  Invalidate();
  RaiseEvent("Resized");
}

bool Splitter::HandleMessage(uint32_t msg, win::WPARAM, win::LPARAM lParam, win::LRESULT& result) {
  const win::POINT p{win::GET_X_LPARAM(lParam), win::GET_Y_LPARAM(lParam)};
  const int along = m_orientation == 0 ? p.x : p.y;
  result = 0;
  switch (msg) {
    case win::WM_SETCURSOR: {
      win::POINT pointer;
      win::GetCursorPos(&pointer);
      win::ScreenToClient(hWnd(), &pointer);
      if (!m_dragging && !gdi::PtInRect(BarRect(), pointer)) return false;
      win::SetCursor(win::LoadCursorA(m_orientation == 0 ? win::IDC_SIZEWE : win::IDC_SIZENS));
      result = win::TRUE;
      return true;
    }
    case win::WM_LBUTTONDOWN: {
      const gdi::RECT bar = BarRect();
      if (!gdi::PtInRect(bar, p)) return true;
      m_dragging = true;
      m_dragOffset = along - (m_orientation == 0 ? bar.left : bar.top);
      win::SetCapture(hWnd());
      return true;
    }
    case win::WM_MOUSEMOVE:
      if (m_dragging) {
        const int pixel = along - m_dragOffset;
        SetSplitterPosition(m_orientation == 0 ? gdi::PixelsToTwipsX(pixel) : gdi::PixelsToTwipsY(pixel));
      }
      return true;
    case win::WM_LBUTTONUP:
      if (m_dragging && win::GetCapture() == hWnd()) win::ReleaseCapture();
      m_dragging = false;
      return true;
    case win::WM_CAPTURECHANGED:
      m_dragging = false;
      return true;
    default:
      return false;
  }
}

void Splitter::ReadProperties(const com::PropertyBag& bag) {
  m_orientation = bag.ReadProperty("Orientation", int16_t{0}).ToInteger();
  m_position = bag.ReadProperty("SplitterPosition", 2400).ToLong();
  m_barWidth = std::max(1, bag.ReadProperty("SplitterBarWidth", 4).ToLong());
  for (int i = 0; i < 2; ++i) {
    const std::string n = std::to_string(i + 1);
    m_panes[static_cast<size_t>(i)]->m_name = bag.ReadProperty("Pane" + n + "Name", "").ToString();
    m_panes[static_cast<size_t>(i)]->m_controlName = bag.ReadProperty("Pane" + n + "Control", "").ToString();
  }
}

void Splitter::WriteProperties(com::PropertyBag& bag) {
  bag.WriteProperty("Orientation", m_orientation, int16_t{0});
  bag.WriteProperty("SplitterPosition", m_position, 2400);
  bag.WriteProperty("SplitterBarWidth", m_barWidth, 4);
  for (int i = 0; i < 2; ++i) {
    const std::string n = std::to_string(i + 1);
    bag.WriteProperty("Pane" + n + "Name", m_panes[static_cast<size_t>(i)]->m_name, "");
    bag.WriteProperty("Pane" + n + "Control", m_panes[static_cast<size_t>(i)]->m_controlName, "");
  }
}

void Splitter::Draw(gdi::HDC hdc, int x, int y) {
  painter::FillSolid(hdc, gdi::RECT{x, y, x + PixelWidth(), y + PixelHeight()}, gdi::SysColor(gdi::COLOR_BTNFACE));
  gdi::RECT bar = BarRect();
  gdi::OffsetRect(&bar, x, y);
  painter::DrawSplitterBar(hdc, bar, m_orientation == 0);
}

}  // namespace forms
