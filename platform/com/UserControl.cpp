#include "com/UserControl.h"

#include <algorithm>

#include "com/WindowEdge.h"
#include "gdi/Bitmaps.h"
#include "gdi/DeviceContext.h"
#include "gdi/Objects.h"
#include "gdi/Owned.h"
#include "gdi/Shapes.h"
#include "gdi/SysColors.h"
#include "gdi/Twips.h"
#include "runtime/Strings.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace com {

namespace {

constexpr const char* kUserControlClass = "QvUserControl";

int16_t ShiftState(win::WPARAM keys) {
  int16_t shift = 0;
  if (keys & win::MK_SHIFT) shift |= vbShiftMask;
  if (keys & win::MK_CONTROL) shift |= vbCtrlMask;
  if (win::GetKeyState(static_cast<int>(win::VK_MENU)) < 0) shift |= vbAltMask;
  return shift;
}

int16_t ButtonsHeld(win::WPARAM keys) {
  int16_t buttons = 0;
  if (keys & win::MK_LBUTTON) buttons |= 1;
  if (keys & win::MK_RBUTTON) buttons |= 2;
  if (keys & win::MK_MBUTTON) buttons |= 4;
  return buttons;
}

// The button of a press or release message; 0 for other messages.
int16_t ButtonOf(uint32_t msg) {
  switch (msg) {
    case win::WM_LBUTTONDOWN:
    case win::WM_LBUTTONUP:
    case win::WM_LBUTTONDBLCLK:
      return 1;
    case win::WM_RBUTTONDOWN:
    case win::WM_RBUTTONUP:
    case win::WM_RBUTTONDBLCLK:
      return 2;
    case win::WM_MBUTTONDOWN:
    case win::WM_MBUTTONUP:
    case win::WM_MBUTTONDBLCLK:
      return 4;
    default:
      return 0;
  }
}

// The contained controls of a user control as a collection object.
class ContainedControlsCollection : public Dispatch {
 public:
  explicit ContainedControlsCollection(std::weak_ptr<Dispatch> owner) : m_owner(std::move(owner)) {
    DefineReadOnly("Count", [this] { return rt::Variant(static_cast<int32_t>(Items().size())); });
    DefineMethod("Item", [this](Args& args) {
      const int32_t index = RequiredArg(args, 0).ToLong();
      const auto& items = Items();
      if (index < 0 || static_cast<size_t>(index) >= items.size()) rt::Raise(9, "ContainedControls");
      return ToVariant(items[static_cast<size_t>(index)]);
    });
  }
  std::string TypeName() const override { return "ContainedControls"; }

 private:
  const std::vector<ControlPtr>& Items() const {
    static const std::vector<ControlPtr> none;
    auto owner = std::dynamic_pointer_cast<UserControl>(m_owner.lock());
    return owner ? owner->ContainedControls() : none;
  }
  std::weak_ptr<Dispatch> m_owner;
};

}  // namespace

UserControl::UserControl()
    : m_font([this] {
        m_surface.SetFont(ToSurfaceFont(m_font.Get()));
        Invalidate();
      }) {
  m_font.Set(nullptr);
  DefineProperty(
      "BackColor", [this] { return rt::Variant(static_cast<int32_t>(BackColor())); },
      [this](const rt::Variant& v) { SetBackColor(static_cast<uint32_t>(v.ToLong())); });
  DefineProperty(
      "ForeColor", [this] { return rt::Variant(static_cast<int32_t>(ForeColor())); },
      [this](const rt::Variant& v) { SetForeColor(static_cast<uint32_t>(v.ToLong())); });
  DefineReadOnly("hDC", [this] { return rt::Variant(gdi::ToInt(hDC())); });
  DefineMethod("Refresh", [this](Args&) {
    Refresh();
    return rt::Variant();
  });
}

UserControl::~UserControl() = default;

std::string UserControl::WindowClass() const { return ControlWindowClass(kUserControlClass, win::CS_DBLCLKS); }

void UserControl::SetBackColor(uint32_t color) {
  m_surface.SetBackColor(color);
  Invalidate();
}

void UserControl::SetFont(StdFontPtr font) { m_font.Set(std::move(font)); }

void UserControl::SetPicture(StdPicturePtr picture) {
  m_picture = std::move(picture);
  SetSurfacePicture(m_surface, m_picture);
  Invalidate();
}

void UserControl::SetMousePointer(int16_t pointer) {
  if (!IsValidMousePointer(pointer)) rt::Raise(errInvalidPropertyValue, ClassName(), "Invalid property value");
  m_mousePointer = pointer;
  ShowCursorIfOver();
}

void UserControl::SetMouseIcon(StdPicturePtr icon, std::optional<win::POINT> hotSpot) {
  m_mouseIcon = std::move(icon);
  m_customCursor = CustomCursor(m_mouseIcon, hotSpot);
  ShowCursorIfOver();
}

win::HCURSOR UserControl::Cursor() const {
  if (m_mousePointer == vbCustom) return m_customCursor.Handle();
  return StandardCursorFor(m_mousePointer);
}

void UserControl::ShowCursorIfOver() {
  if (hWnd() == win::kNoWindow) return;
  win::POINT pointer;
  win::GetCursorPos(&pointer);
  if (win::WindowFromPoint(pointer) != hWnd() && win::GetCapture() != hWnd()) return;
  const win::HCURSOR cursor = Cursor();
  win::SetCursor(cursor != win::kNoCursor ? cursor : win::LoadCursorA(win::IDC_ARROW));
}

AmbientProperties UserControl::Ambient() const {
  AmbientProperties ambient;
  if (Container()) ambient = Container()->Ambient();
  ambient.DisplayName = Name();
  return ambient;
}

void UserControl::PropertyChanged(std::string_view propertyName) { NotifyPropertyChanged(propertyName); }

void UserControl::Refresh() {
  m_surface.Refresh();
  if (!m_surface.AutoRedraw()) Paint();
  Invalidate();
}

void UserControl::OnMoved() {
  const int w = std::max(1, PixelWidth());
  const int h = std::max(1, PixelHeight());
  if (w == m_lastWidth && h == m_lastHeight) return;
  m_lastWidth = w;
  m_lastHeight = h;
  m_surface.Resize(w, h);
  Resize();
}

void UserControl::OnVisibleChanged() {
  if (Visible())
    Show();
  else
    Hide();
}

void UserControl::Draw(gdi::HDC hdc, int x, int y) {
  if (!m_surface.AutoRedraw()) {
    m_surface.Refresh();
    Paint();
  }
  DrawSurface(hdc, x, y);
  // Controls on the surface are clipped to it and drawn bottom-up: the
  // first of each list ends on top, the constituents over the contained.
  const int saved = gdi::SaveDC(hdc);
  gdi::IntersectClipRect(hdc, x, y, x + m_surface.PixelWidth(), y + m_surface.PixelHeight());
  for (const auto* list : {&m_contained, &m_constituents}) {
    for (auto it = list->rbegin(); it != list->rend(); ++it) {
      const auto& c = *it;
      if (!c->Visible() || c->InvisibleAtRuntime()) continue;
      const int cx = x + gdi::TwipsToPixelsX(c->Left()), cy = y + gdi::TwipsToPixelsY(c->Top());
      c->Draw(hdc, cx, cy);
      DrawWindowEdge(*c, hdc, cx, cy);
    }
  }
  gdi::RestoreDC(hdc, saved);
}

void UserControl::SetBackStyle(int16_t style) {
  m_backStyle = style;
  Invalidate();
}

void UserControl::SetMaskPicture(StdPicturePtr picture) {
  m_maskPicture = std::move(picture);
  Invalidate();
}

void UserControl::SetMaskColor(uint32_t color) {
  m_maskColor = color;
  Invalidate();
}

void UserControl::DrawSurface(gdi::HDC hdc, int x, int y) {
  const int w = m_surface.PixelWidth();
  const int h = m_surface.PixelHeight();
  if (m_backStyle != 0) {
    gdi::BitBlt(hdc, x, y, w, h, m_surface.ShownDC(), 0, 0, gdi::SRCCOPY);
    return;
  }
  if (!m_maskPicture || m_maskPicture->IsEmpty()) return;
  // The mask drawn over MaskColor: its pixels of another colour are the
  // control's shape.
  const gdi::COLORREF key = gdi::OleTranslateColor(m_maskColor);
  gdi::OwnedDC mask(gdi::CreateSurfaceDC(w, h));
  gdi::OwnedBrush keyBrush(gdi::CreateSolidBrush(key));
  gdi::FillRect(mask.Get(), gdi::RECT{0, 0, w, h}, keyBrush.Get());
  m_maskPicture->Render(mask.Get(), 0, 0);
  for (int py = 0; py < h; ++py) {
    for (int px = 0; px < w; ++px) {
      if (gdi::GetPixel(mask.Get(), px, py) != key)
        gdi::SetPixel(hdc, x + px, y + py, gdi::GetPixel(m_surface.ShownDC(), px, py));
    }
  }
}

bool UserControl::HandleMessage(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam, win::LRESULT& result) {
  result = 0;
  switch (msg) {
    case win::WM_SETCURSOR: {
      const win::HCURSOR cursor = Cursor();
      if (cursor == win::kNoCursor) return false;  // the container decides
      win::SetCursor(cursor);
      result = win::TRUE;
      return true;
    }
    case win::WM_CAPTURECHANGED:
      if (win::ToHwnd(static_cast<int32_t>(lParam)) != hWnd()) m_implicitCapture = false;
      return false;
    default:
      return HandleMouse(msg, wParam, lParam);
  }
}

bool UserControl::HandleMouse(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam) {
  const int px = win::GET_X_LPARAM(lParam);
  const int py = win::GET_Y_LPARAM(lParam);
  const auto x = static_cast<float>(m_surface.FromPixelX(px));
  const auto y = static_cast<float>(m_surface.FromPixelY(py));
  const int16_t shift = ShiftState(wParam);
  const int16_t button = ButtonOf(msg);
  // Whatever a handler does, the control stays alive until it returns.
  auto keep = shared_from_this();
  switch (msg) {
    case win::WM_MOUSEMOVE:
      UserControl_MouseMove(ButtonsHeld(wParam), shift, x, y);
      return true;
    case win::WM_LBUTTONDOWN:
    case win::WM_RBUTTONDOWN:
    case win::WM_MBUTTONDOWN:
    case win::WM_LBUTTONDBLCLK:
    case win::WM_RBUTTONDBLCLK:
    case win::WM_MBUTTONDBLCLK:
      if (win::GetCapture() == win::kNoWindow) {
        win::SetCapture(hWnd());
        m_implicitCapture = true;
      }
      if (msg == win::WM_LBUTTONDBLCLK) {
        m_releaseAfterDoubleClick = true;
        UserControl_DblClick();
      } else {
        UserControl_MouseDown(button, shift, x, y);
      }
      return true;
    case win::WM_LBUTTONUP:
    case win::WM_RBUTTONUP:
    case win::WM_MBUTTONUP: {
      const bool inside = px >= 0 && py >= 0 && px < PixelWidth() && py < PixelHeight();
      const bool click = msg == win::WM_LBUTTONUP && !m_releaseAfterDoubleClick && inside;
      if (msg == win::WM_LBUTTONUP) m_releaseAfterDoubleClick = false;
      const bool anyHeld = (wParam & (win::MK_LBUTTON | win::MK_RBUTTON | win::MK_MBUTTON)) != 0;
      if (m_implicitCapture && !anyHeld) {
        m_implicitCapture = false;
        if (win::GetCapture() == hWnd()) win::ReleaseCapture();
      }
      UserControl_MouseUp(button, shift, x, y);
      if (click) UserControl_Click();
      return true;
    }
    default:
      return false;
  }
}

void UserControl::OnSited() {
  for (const auto& c : m_constituents) {
    if (c->hWnd() == win::kNoWindow && !c->IsWindowless()) c->Site(*this, c->Name(), c->Index());
  }
}

void UserControl::AddConstituent(const ControlPtr& control, std::string name, int16_t index) {
  control->Site(*this, std::move(name), index);
  m_constituents.push_back(control);
}

ControlPtr UserControl::Constituent(std::string_view name, int16_t index) const {
  for (const auto& c : m_constituents) {
    if (c->Index() == index && rt::StrComp(c->Name(), name, rt::CompareMethod::Text) == 0) return c;
  }
  return nullptr;
}

void UserControl::AddContainedControl(const ControlPtr& control) {
  if (!control || std::find(m_contained.begin(), m_contained.end(), control) != m_contained.end()) return;
  std::string name = control->Name();
  const int16_t index = control->Index();
  control->Unsite();
  control->Site(*this, std::move(name), index);
  control->NotifyResize();
  m_contained.push_back(control);
  Invalidate();
}

DispatchPtr UserControl::ContainedControlsObject() {
  return std::make_shared<ContainedControlsCollection>(weak_from_this());
}

void UserControl::RemoveContainedControl(const ControlPtr& control) {
  std::erase(m_contained, control);
  Invalidate();
}

void UserControl::DeclareEvents(std::initializer_list<std::string_view> names) {
  m_eventNames.assign(names.begin(), names.end());
}

DispId UserControl::EventDispId(std::string_view eventName) const {
  for (size_t i = 0; i < m_eventNames.size(); ++i) {
    if (rt::StrComp(m_eventNames[i], eventName, rt::CompareMethod::Text) == 0) return static_cast<DispId>(i + 1);
  }
  return 0;
}

std::string UserControl::EventName(DispId id) const {
  if (id < 1 || static_cast<size_t>(id) > m_eventNames.size()) return {};
  return m_eventNames[static_cast<size_t>(id - 1)];
}

}  // namespace com
