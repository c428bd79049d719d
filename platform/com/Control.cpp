#include "com/Control.h"

#include "gdi/Twips.h"
#include "win/Input.h"
#include "win/Window.h"

namespace com {

namespace {

constexpr const char* kControlClass = "QvControl";

win::LRESULT ControlWindowProc(win::HWND hWnd, uint32_t msg, win::WPARAM wParam, win::LPARAM lParam) {
  if (auto* control = reinterpret_cast<Control*>(win::GetWindowLongA(hWnd, win::GWL_USERDATA))) {
    auto keep = control->shared_from_this();
    win::LRESULT result = 0;
    if (control->HandleMessage(msg, wParam, lParam, result)) return result;
  }
  switch (msg) {
    case win::WM_KEYDOWN:
    case win::WM_KEYUP:
    case win::WM_CHAR:
    case win::WM_SYSKEYDOWN:
    case win::WM_SYSKEYUP:
    case win::WM_SYSCHAR: {
      win::HWND top = hWnd;
      while ((static_cast<uint32_t>(win::GetWindowLongA(top, win::GWL_STYLE)) & win::WS_CHILD) != 0 &&
             win::GetParent(top) != win::kNoWindow && (top == hWnd || !win::GetPropA(top, kKeyTargetProperty))) {
        top = win::GetParent(top);
      }
      if (top != hWnd) return win::SendMessageA(top, msg, wParam, lParam);
      break;
    }
    case win::WM_SETFOCUS:
    case win::WM_KILLFOCUS:
      if (auto* control = reinterpret_cast<Control*>(win::GetWindowLongA(hWnd, win::GWL_USERDATA))) {
        auto keep = control->shared_from_this();
        if (msg == win::WM_SETFOCUS)
          control->GotFocus();
        else
          control->LostFocus();
        return 0;
      }
      break;
    case win::WM_LBUTTONUP:
      if (auto* control = reinterpret_cast<Control*>(win::GetWindowLongA(hWnd, win::GWL_USERDATA))) {
        auto keep = control->shared_from_this();
        control->ForwardMouseClick();
        return 0;
      }
      break;
    default:
      break;
  }
  return win::DefWindowProcA(hWnd, msg, wParam, lParam);
}

}  // namespace

Control::Control() { DefineExtenderMembers(); }

std::string Control::WindowClass() const { return ControlWindowClass(kControlClass, 0); }

std::string Control::ControlWindowClass(std::string_view name, uint32_t classStyle) {
  win::WNDCLASSA wc;
  wc.style = classStyle;
  wc.lpfnWndProc = &ControlWindowProc;
  wc.lpszClassName = std::string(name);
  win::RegisterClassA(wc);  // 0 once the class exists
  return wc.lpszClassName;
}

Control::~Control() {
  if (m_hwnd != win::kNoWindow) win::DestroyWindow(m_hwnd);
}

void Control::DefineExtenderMembers() {
  DefineReadOnly("Name", [this] { return rt::Variant(m_name); });
  DefineReadOnly("Index", [this] { return rt::Variant(m_index); });
  DefinePlacementMembers(*this);
  DefineStateMembers(*this);
  DefineProperty(
      "TabIndex", [this] { return rt::Variant(m_tabIndex); },
      [this](const rt::Variant& v) { SetTabIndex(v.ToInteger()); });
  DefineProperty(
      "TabStop", [this] { return rt::Variant(m_tabStop); }, [this](const rt::Variant& v) { SetTabStop(v.ToBool()); });
  DefineProperty(
      "ToolTipText", [this] { return rt::Variant(m_toolTipText); },
      [this](const rt::Variant& v) { SetToolTipText(v.ToString()); });
  DefineProperty(
      "HelpContextID", [this] { return rt::Variant(m_helpContextId); },
      [this](const rt::Variant& v) { SetHelpContextID(v.ToLong()); });
  DefineReadOnly("hWnd", [this] { return rt::Variant(win::ToInt(m_hwnd)); });
  DefineReadOnly("Container", [this] { return m_container ? ToVariant(m_container->ContainerObject()) : Nothing(); });
  DefineReadOnly("Parent", [this] { return m_container ? ToVariant(m_container->ContainerObject()) : Nothing(); });
  DefineMethod("Move", [this](Args& args) {
    const MoveArguments m = ReadMoveArguments(args);
    Move(m.left, m.top, m.width, m.height);
    return rt::Variant();
  });
  DefineMethod("SetFocus", [this](Args&) {
    if (m_hwnd != win::kNoWindow) win::SetFocus(m_hwnd);
    return rt::Variant();
  });
}

MoveArguments ReadMoveArguments(Args& args) {
  auto optional = [&args](size_t i) {
    const rt::Variant& v = OptionalArg(args, i);
    return v.IsEmpty() ? std::nullopt : std::optional<int32_t>(v.ToLong());
  };
  return MoveArguments{RequiredArg(args, 0).ToLong(), optional(1), optional(2), optional(3)};
}

void Control::Move(int32_t left, std::optional<int32_t> top, std::optional<int32_t> width,
                   std::optional<int32_t> height) {
  m_left = left;
  m_top = top.value_or(m_top);
  m_width = std::max<int32_t>(0, width.value_or(m_width));
  m_height = std::max<int32_t>(0, height.value_or(m_height));
  if (m_hwnd != win::kNoWindow) {
    win::MoveWindow(m_hwnd, gdi::TwipsToPixelsX(m_left), gdi::TwipsToPixelsY(m_top), PixelWidth(), PixelHeight());
  }
  OnMoved();
  Invalidate();
}

void Control::SetVisible(bool visible) {
  if (m_visible == visible) return;
  m_visible = visible;
  if (m_hwnd != win::kNoWindow && !InvisibleAtRuntime())
    win::ShowWindow(m_hwnd, visible ? win::SW_SHOWNA : win::SW_HIDE);
  OnVisibleChanged();
  Invalidate();
}

void Control::SetEnabled(bool enabled) {
  if (m_enabled == enabled) return;
  m_enabled = enabled;
  if (m_hwnd != win::kNoWindow) win::EnableWindow(m_hwnd, enabled ? win::TRUE : win::FALSE);
  OnEnabledChanged();
  Invalidate();
}

bool Control::CanFocus() const {
  return m_container && m_hwnd != win::kNoWindow && m_visible && !InvisibleAtRuntime() && m_enabled && m_tabStop;
}

int Control::PixelWidth() const { return gdi::TwipsToPixelsX(m_width); }
int Control::PixelHeight() const { return gdi::TwipsToPixelsY(m_height); }

void Control::Site(ControlContainer& container, std::string name, int16_t index) {
  m_container = &container;
  m_name = std::move(name);
  m_index = index;
  const std::string windowClass = WindowClass();
  if (!windowClass.empty() && m_hwnd == win::kNoWindow) {
    const bool shown = m_visible && !InvisibleAtRuntime();
    uint32_t style = win::WS_CHILD | (shown ? win::WS_VISIBLE : 0u) | (m_enabled ? 0u : win::WS_DISABLED);
    m_hwnd = win::CreateWindowExA(0, windowClass, "", style, gdi::TwipsToPixelsX(m_left), gdi::TwipsToPixelsY(m_top),
                                  PixelWidth(), PixelHeight(), container.ContainerWindow());
    if (m_hwnd != win::kNoWindow) win::SetWindowLongA(m_hwnd, win::GWL_USERDATA, reinterpret_cast<win::LONG_PTR>(this));
  }
  OnSited();
}

void Control::Unsite() {
  if (m_container) OnUnsited();
  if (m_hwnd != win::kNoWindow) {
    win::DestroyWindow(m_hwnd);
    m_hwnd = win::kNoWindow;
  }
  m_container = nullptr;
}

void Control::ReadExtender(const PropertyBag& bag) {
  m_tag = bag.ReadProperty("Tag", "").ToString();
  m_tabIndex = bag.ReadProperty("TabIndex", int16_t{0}).ToInteger();
  m_tabStop = bag.ReadProperty("TabStop", true).ToBool();
  m_toolTipText = bag.ReadProperty("ToolTipText", "").ToString();
  m_helpContextId = bag.ReadProperty("HelpContextID", 0).ToLong();
  SetEnabled(bag.ReadProperty("Enabled", true).ToBool());
  SetVisible(bag.ReadProperty("Visible", true).ToBool());
  m_left = bag.ReadProperty("Left", m_left).ToLong();
  m_top = bag.ReadProperty("Top", m_top).ToLong();
  m_width = std::max<int32_t>(0, bag.ReadProperty("Width", m_width).ToLong());
  m_height = std::max<int32_t>(0, bag.ReadProperty("Height", m_height).ToLong());
  if (m_hwnd != win::kNoWindow) {
    win::MoveWindow(m_hwnd, gdi::TwipsToPixelsX(m_left), gdi::TwipsToPixelsY(m_top), PixelWidth(), PixelHeight());
  }
}

void Control::WriteExtender(PropertyBag& bag) const {
  bag.WriteProperty("Left", m_left, 0);
  bag.WriteProperty("Top", m_top, 0);
  bag.WriteProperty("Width", m_width, 0);
  bag.WriteProperty("Height", m_height, 0);
  bag.WriteProperty("Visible", m_visible, true);
  bag.WriteProperty("Enabled", m_enabled, true);
  bag.WriteProperty("Tag", m_tag, "");
  bag.WriteProperty("TabIndex", m_tabIndex, int16_t{0});
  bag.WriteProperty("TabStop", m_tabStop, true);
  bag.WriteProperty("ToolTipText", m_toolTipText, "");
  bag.WriteProperty("HelpContextID", m_helpContextId, 0);
}

void Control::KeyDown(int16_t& keyCode, int16_t shift) {
  Args args{keyCode, shift};
  RaiseEvent("KeyDown", args);
  keyCode = args[0].ToInteger();
}

void Control::KeyPress(int16_t& keyAscii) {
  Args args{keyAscii};
  RaiseEvent("KeyPress", args);
  keyAscii = args[0].ToInteger();
}

void Control::KeyUp(int16_t& keyCode, int16_t shift) {
  Args args{keyCode, shift};
  RaiseEvent("KeyUp", args);
  keyCode = args[0].ToInteger();
}

void Control::Invalidate() {
  if (m_container) m_container->OnControlInvalidated(*this);
}

void Control::NotifyPropertyChanged(std::string_view propertyName) {
  if (m_container) m_container->OnControlPropertyChanged(*this, propertyName);
}

}  // namespace com
