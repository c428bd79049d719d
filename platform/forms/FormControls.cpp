// The controls of a form: creation from design data and at run time,
// control arrays, events, focus and keyboard routing.
#include <algorithm>

#include "com/ControlFactory.h"
#include "com/UserControl.h"
#include "forms/AccessKeys.h"
#include "forms/App.h"
#include "forms/ControlHolder.h"
#include "forms/DesignChildrenReader.h"
#include "forms/Form.h"
#include "forms/containers/TabControl.h"
#include "forms/containers/TabPage.h"
#include "gdi/Twips.h"
#include "runtime/Strings.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace forms {

namespace {

bool SameName(std::string_view a, std::string_view b) { return rt::StrComp(a, b, rt::CompareMethod::Text) == 0; }

std::pair<std::string, std::string> HandlerKey(std::string_view control, std::string_view event) {
  return {rt::LCase(control), rt::LCase(event)};
}

}  // namespace

void Form::CreateControls(const std::vector<DesignNode>& nodes, int32_t offsetLeft, int32_t offsetTop,
                          const com::Control* holder) {
  for (const auto& node : nodes) {
    com::ControlPtr control = com::CreateControl(node.className);
    AttachControl(control, node.name, node.index, false);
    if (holder) m_holderOf[control.get()] = holder;
    control->ReadExtender(node.properties);
    if (offsetLeft != 0 || offsetTop != 0) control->Move(control->Left() + offsetLeft, control->Top() + offsetTop);
    control->ReadProperties(node.properties);
    control->NotifyResize();
    if (auto* reader = dynamic_cast<DesignChildrenReader*>(control.get())) {
      reader->ReadDesignChildren(node.children);
      continue;
    }
    // Controls placed on a control container go over to it, in its
    // coordinates (the form keeps their names and events).
    auto container = std::dynamic_pointer_cast<com::UserControl>(control);
    if (container && container->AcceptsContainedControls()) {
      const size_t first = m_controls.size();
      CreateControls(node.children, 0, 0);
      for (size_t i = first; i < m_controls.size(); ++i) {
        if (m_controls[i]->Container() == this) container->AddContainedControl(m_controls[i]);
      }
      continue;
    }
    // Controls placed on any other control are placed on the form, at the
    // same place on the screen, above the control that holds them.
    const size_t position = m_controls.size() - 1;
    CreateControls(node.children, control->Left(), control->Top(), control.get());
    if (!node.children.empty()) {
      m_holderPlace[control.get()] = {control->Left(), control->Top()};
      std::rotate(m_controls.begin() + static_cast<std::ptrdiff_t>(position),
                  m_controls.begin() + static_cast<std::ptrdiff_t>(position) + 1, m_controls.end());
      if (auto* h = dynamic_cast<ControlHolder*>(control.get())) h->HeldChanged();
    }
  }
}

com::Control* Form::HolderOf(const com::Control& control) const {
  auto it = m_holderOf.find(&control);
  return it == m_holderOf.end() ? nullptr : const_cast<com::Control*>(it->second);
}

std::vector<com::ControlPtr> Form::HeldBy(const com::Control& holder) const {
  std::vector<com::ControlPtr> held;
  for (const auto& c : m_controls) {
    if (HolderOf(*c) == &holder) held.push_back(c);
  }
  return held;
}

void Form::StackControlWindows() {
  for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
    const win::HWND hwnd = (*it)->hWnd();
    if (hwnd == win::kNoWindow || win::GetParent(hwnd) != m_hwnd) continue;
    win::SetWindowPos(hwnd, win::HWND_TOP, 0, 0, 0, 0, win::SWP_NOMOVE | win::SWP_NOSIZE | win::SWP_NOACTIVATE);
  }
}

void Form::PlaceOn(const com::Control& control, const com::Control* holder) {
  if (holder) {
    m_holderOf[&control] = holder;
    m_holderPlace.try_emplace(holder, holder->Left(), holder->Top());
    // Above its holder in z-order.
    auto self = std::find_if(m_controls.begin(), m_controls.end(), [&](const auto& c) { return c.get() == &control; });
    auto over = std::find_if(m_controls.begin(), m_controls.end(), [&](const auto& c) { return c.get() == holder; });
    if (self != m_controls.end() && over != m_controls.end() && self > over) {
      std::rotate(over, self, self + 1);
      StackControlWindows();
    }
  } else {
    m_holderOf.erase(&control);
  }
  if (auto* h = dynamic_cast<ControlHolder*>(const_cast<com::Control*>(holder))) h->HeldChanged();
  SyncShownControls();
}

bool Form::IsShown(const com::Control& control) const {
  if (!control.Visible()) return false;
  const com::Control* holder = HolderOf(control);
  if (!holder) return true;
  if (auto* h = dynamic_cast<const ControlHolder*>(holder); h && !h->ShowsHeld(control)) return false;
  return IsShown(*holder);
}

void Form::SyncShownControls() {
  for (const auto& c : m_controls) {
    if (c->hWnd() == win::kNoWindow || c->InvisibleAtRuntime()) continue;
    const bool shown = IsShown(*c);
    if ((win::IsWindowVisible(c->hWnd()) != win::FALSE) != shown) {
      win::ShowWindow(c->hWnd(), shown ? win::SW_SHOWNA : win::SW_HIDE);
      // A control that hides takes the focus with it to the next one.
      if (!shown && win::GetFocus() == c->hWnd()) FocusNext();
    }
  }
}

void Form::HolderMoved(com::Control& holder) {
  auto place = m_holderPlace.find(&holder);
  if (place == m_holderPlace.end()) return;
  const int32_t dx = holder.Left() - place->second.first;
  const int32_t dy = holder.Top() - place->second.second;
  if (dx == 0 && dy == 0) return;
  place->second = {holder.Left(), holder.Top()};
  for (const auto& c : HeldBy(holder)) c->Move(c->Left() + dx, c->Top() + dy);
}

void Form::OnControlInvalidated(com::Control& control) {
  HolderMoved(control);
  if (m_holderPlace.count(&control)) {
    // A holder may have shown or hidden what it holds.
    SyncShownControls();
  } else if (control.hWnd() != win::kNoWindow && !control.InvisibleAtRuntime() && !m_holderOf.empty()) {
    const bool shown = IsShown(control);
    if ((win::IsWindowVisible(control.hWnd()) != win::FALSE) != shown) SyncShownControls();
  }
  if (m_hwnd == win::kNoWindow) return;
  win::InvalidateRect(m_hwnd, nullptr, win::FALSE);
  // A form docked inside another one shows through that one's window.
  win::HWND top = m_hwnd;
  while ((static_cast<uint32_t>(win::GetWindowLongA(top, win::GWL_STYLE)) & win::WS_CHILD) != 0 &&
         win::GetParent(top) != win::kNoWindow) {
    top = win::GetParent(top);
  }
  if (top != m_hwnd) win::InvalidateRect(top, nullptr, win::FALSE);
}

void Form::AttachControl(const com::ControlPtr& control, std::string name, int16_t index, bool onTop) {
  control->Site(*this, name, index);
  if (onTop)
    m_controls.insert(m_controls.begin(), control);
  else
    m_controls.push_back(control);
  com::Control* raw = control.get();
  m_eventCookies[raw] = control->Events().ConnectAll(
      [this, raw](std::string_view eventName, com::Args& args) { RouteControlEvent(*raw, eventName, args); });
  // The control is a member of the form: frm.cmdOK, frm.cmdSys(0).
  if (!HasMember(name)) {
    DefineProperty(
        name,
        [this, name](com::Args& args) {
          const rt::Variant& index = com::OptionalArg(args, 0);
          return com::ToVariant(index.IsEmpty() ? Control(name) : Control(name, index.ToInteger()));
        },
        nullptr);
  }
}

void Form::DetachControl(const com::ControlPtr& control) {
  if (auto uc = std::dynamic_pointer_cast<com::UserControl>(control)) uc->Terminate();
  if (auto it = m_eventCookies.find(control.get()); it != m_eventCookies.end()) {
    control->Events().Disconnect(it->second);
    m_eventCookies.erase(it);
  }
  m_runtimeLoaded.erase(control.get());
  m_holderOf.erase(control.get());
  m_holderPlace.erase(control.get());
  for (auto it = m_holderOf.begin(); it != m_holderOf.end();) {
    it = it->second == control.get() ? m_holderOf.erase(it) : std::next(it);
  }
  control->Unsite();
  std::erase(m_controls, control);
}

void Form::OnControlEvent(std::string_view controlName, std::string_view eventName, ControlEventHandler handler) {
  m_eventHandlers[HandlerKey(controlName, eventName)].push_back(std::move(handler));
}

void Form::RouteControlEvent(com::Control& control, std::string_view eventName, com::Args& args) {
  auto it = m_eventHandlers.find(HandlerKey(control.Name(), eventName));
  if (it == m_eventHandlers.end()) return;
  auto handlers = it->second;  // a handler may add handlers
  for (const auto& h : handlers) h(control.Index(), args);
}

com::ControlPtr Form::Control(std::string_view name) const {
  for (const auto& c : m_controls) {
    if (SameName(c->Name(), name)) {
      if (c->IsArrayMember())
        rt::Raise(errNotAControlArray, std::string(name), "Object is a control array: " + std::string(name));
      return c;
    }
  }
  rt::Raise(730, std::string(name), "Control '" + std::string(name) + "' not found");
}

com::ControlPtr Form::Control(std::string_view name, int16_t index) const {
  if (index < 0) return Control(name);
  for (const auto& c : m_controls) {
    if (c->Index() == index && SameName(c->Name(), name)) return c;
  }
  rt::Raise(errControlArrayElementMissing, std::string(name),
            "Control array element '" + std::to_string(index) + "' doesn't exist");
}

bool Form::HasControl(std::string_view name, int16_t index) const {
  return std::any_of(m_controls.begin(), m_controls.end(),
                     [&](const com::ControlPtr& c) { return c->Index() == index && SameName(c->Name(), name); });
}

std::vector<com::ControlPtr> Form::ControlArray(std::string_view name) const {
  std::vector<com::ControlPtr> members;
  for (const auto& c : m_controls) {
    if (c->IsArrayMember() && SameName(c->Name(), name)) members.push_back(c);
  }
  std::sort(members.begin(), members.end(),
            [](const com::ControlPtr& a, const com::ControlPtr& b) { return a->Index() < b->Index(); });
  return members;
}

com::ControlPtr Form::AddControl(std::string_view progId, std::string name, int16_t index) {
  Load();
  if (HasControl(name, index) || (index < 0 && !ControlArray(name).empty())) {
    rt::Raise(errObjectAlreadyLoaded, name, "Object already loaded");
  }
  com::ControlPtr control = com::CreateControl(progId);
  control->SetVisible(false);
  AttachControl(control, std::move(name), index, true);
  control->InitProperties();
  control->NotifyResize();
  m_runtimeLoaded[control.get()] = true;
  return control;
}

com::ControlPtr Form::LoadControl(std::string_view name, int16_t index) {
  auto members = ControlArray(name);
  if (members.empty()) {
    rt::Raise(errControlArrayElementMissing, std::string(name),
              "Control array element '" + std::to_string(index) + "' doesn't exist");
  }
  if (HasControl(name, index)) rt::Raise(errObjectAlreadyLoaded, std::string(name), "Object already loaded");
  const com::ControlPtr& model = members.front();
  com::PropertyBag bag;
  model->WriteProperties(bag);
  model->WriteExtender(bag);
  com::ControlPtr control = com::CreateControl(model->ClassName());
  control->SetVisible(false);
  AttachControl(control, model->Name(), index, true);
  control->ReadProperties(bag);
  bag.WriteProperty("Visible", false, true);
  bag.Remove("TabIndex");
  control->ReadExtender(bag);
  int16_t tabIndex = 0;
  for (const auto& c : m_controls) tabIndex = std::max<int16_t>(tabIndex, static_cast<int16_t>(c->TabIndex() + 1));
  control->SetTabIndex(tabIndex);
  control->NotifyResize();
  m_runtimeLoaded[control.get()] = true;
  return control;
}

void Form::UnloadControl(std::string_view name, int16_t index) {
  com::ControlPtr control = Control(name, index);
  if (!m_runtimeLoaded.count(control.get())) {
    rt::Raise(errCantUnloadDesignControl, std::string(name), "Can't unload controls created at design time");
  }
  DetachControl(control);
}

com::ControlPtr Form::ActiveControl() const {
  const win::HWND focus = win::GetFocus();
  if (focus == win::kNoWindow) return nullptr;
  for (const auto& c : m_controls) {
    if (c->hWnd() == focus) return c;
  }
  return nullptr;
}

bool Form::SetFocusTo(com::Control& control) {
  const bool ours =
      std::any_of(m_controls.begin(), m_controls.end(), [&](const com::ControlPtr& c) { return c.get() == &control; });
  if (!control.CanFocus() || !ours || !IsShown(control)) return false;
  // The form whose control takes the focus is the active one (a form
  // docked in another becomes active as the user clicks into it).
  if (m_visible && ActiveForm() != this) Activate();
  if (win::GetFocus() == control.hWnd()) return true;
  // The windows' focus messages raise LostFocus and GotFocus.
  win::SetFocus(control.hWnd());
  return true;
}

std::vector<com::ControlPtr> Form::TabOrder() const {
  std::vector<com::ControlPtr> order(m_controls);
  std::stable_sort(order.begin(), order.end(),
                   [](const com::ControlPtr& a, const com::ControlPtr& b) { return a->TabIndex() < b->TabIndex(); });
  return order;
}

bool Form::FocusNext(bool backwards) {
  std::vector<com::ControlPtr> order;
  for (const auto& c : TabOrder()) {
    if (c->CanFocus() && IsShown(*c)) order.push_back(c);
  }
  if (order.empty()) return false;
  com::ControlPtr current = ActiveControl();
  auto it = std::find(order.begin(), order.end(), current);
  size_t next = 0;
  if (it != order.end()) {
    size_t pos = static_cast<size_t>(it - order.begin());
    next = backwards ? (pos + order.size() - 1) % order.size() : (pos + 1) % order.size();
  } else if (backwards) {
    next = order.size() - 1;
  }
  return SetFocusTo(*order[next]);
}

bool Form::FocusAfter(const com::Control& control) {
  const auto order = TabOrder();
  auto it = std::find_if(order.begin(), order.end(), [&](const auto& c) { return c.get() == &control; });
  if (it == order.end()) return false;
  for (auto next = std::next(it); next != order.end(); ++next) {
    if ((*next)->CanFocus() && IsShown(**next)) return SetFocusTo(**next);
  }
  return false;
}

bool Form::PressAccessKey(char32_t letter) {
  FormPtr self = std::static_pointer_cast<Form>(shared_from_this());
  for (const auto& c : TabOrder()) {
    // A tab page answers while its tab control shows, selected or not.
    const com::Control* shownPart = dynamic_cast<TabPage*>(c.get()) ? HolderOf(*c) : c.get();
    if (!c->Enabled() || !shownPart || !IsShown(*shownPart)) continue;
    if (auto* target = dynamic_cast<AccessKeyTarget*>(c.get()); target && target->OnAccessKey(letter)) return true;
  }
  // A form docked in another one passes the key on (to its menus); a
  // top-level form does not pass it to its owner (a message box owned by
  // the main window must not open the main window's menus).
  const auto isChild = [](win::HWND w) {
    return (static_cast<uint32_t>(win::GetWindowLongA(w, win::GWL_STYLE)) & win::WS_CHILD) != 0;
  };
  for (win::HWND w = isChild(m_hwnd) ? win::GetParent(m_hwnd) : win::kNoWindow; w != win::kNoWindow;
       w = isChild(w) ? win::GetParent(w) : win::kNoWindow) {
    if (win::GetClassNameA(w) == kFormWindowClass) {
      auto* outer = reinterpret_cast<Form*>(win::GetWindowLongA(w, win::GWL_USERDATA));
      return outer && outer->PressAccessKey(letter);
    }
  }
  return false;
}

com::ControlPtr Form::FindButton(bool wantDefault) const {
  for (const auto& c : m_controls) {
    if (!IsShown(*c) || !c->Enabled() || !c->HasMember(wantDefault ? "Default" : "Cancel")) continue;
    if (c->Get(wantDefault ? "Default" : "Cancel").ToBool()) return c;
  }
  return nullptr;
}

void Form::KeyDown(int16_t keyCode, int16_t shift) {
  FormPtr self = std::static_pointer_cast<Form>(shared_from_this());
  if (!m_loaded) return;
  com::ControlPtr active = ActiveControl();
  // Enter and Escape belong to the default and cancel buttons.
  if (keyCode == vbKeyReturn || keyCode == vbKeyEscape) {
    com::ControlPtr button = keyCode == vbKeyReturn ? FindButton(true) : FindButton(false);
    if (keyCode == vbKeyReturn && active && active->HasMember("Default")) button = active;
    if (button) {
      button->Call("Click");
      return;
    }
  }
  if (m_keyPreview || !active) {
    Form_KeyDown(keyCode, shift);
    if (keyCode == 0) return;
  }
  if (active) active->KeyDown(keyCode, shift);
  const bool ctrl = (shift & com::vbCtrlMask) != 0;
  const bool pageKey = keyCode == static_cast<int16_t>(win::VK_PRIOR) || keyCode == static_cast<int16_t>(win::VK_NEXT);
  if (ctrl && (keyCode == vbKeyTab || pageKey) && m_loaded && active) {
    // Ctrl+Tab and Ctrl+Page Down / Up turn the page of the tab control
    // that the active control sits on.
    const bool backwards =
        keyCode == static_cast<int16_t>(win::VK_PRIOR) || (keyCode == vbKeyTab && (shift & com::vbShiftMask));
    for (com::Control* c = active.get(); c; c = HolderOf(*c)) {
      if (auto* tabs = dynamic_cast<TabControl*>(c); tabs && tabs->StepPage(backwards)) return;
    }
  }
  if (keyCode == vbKeyTab && m_loaded) FocusNext((shift & com::vbShiftMask) != 0);
  if (keyCode == vbKeyF1 && m_loaded) ShowContextHelp();
}

namespace {
Form::HelpHandler& HelpHandlerSlot() {
  static Form::HelpHandler* handler = new Form::HelpHandler();
  return *handler;
}
}  // namespace

void Form::SetHelpHandler(HelpHandler handler) { HelpHandlerSlot() = std::move(handler); }

void Form::ShowContextHelp() {
  int32_t context = m_helpContextId;
  if (com::ControlPtr active = ActiveControl(); active && active->HelpContextID() != 0)
    context = active->HelpContextID();
  if (const HelpHandler& handler = HelpHandlerSlot()) handler(*this, App().HelpFile, context);
}

com::ControlPtr Form::WindowlessControlAt(int x, int y) const {
  for (const auto& c : m_controls) {
    if (c->hWnd() != win::kNoWindow || c->InvisibleAtRuntime() || !IsShown(*c) || c->Container() != this) continue;
    const int left = gdi::TwipsToPixelsX(c->Left());
    const int top = gdi::TwipsToPixelsY(c->Top());
    if (x >= left && y >= top && x < left + c->PixelWidth() && y < top + c->PixelHeight()) return c;
  }
  return nullptr;
}

// Mouse messages of the form's own window belong to the windowless control
// under the pointer (a button press keeps them with that control until the
// button is released): they reach its HandleMessage in its own pixel
// coordinates, and a left release on it clicks it.
void Form::RouteMouseToControl(uint32_t msg, win::WPARAM wParam, win::LPARAM lParam) {
  FormPtr self = std::static_pointer_cast<Form>(shared_from_this());
  int x = win::GET_X_LPARAM(lParam);
  int y = win::GET_Y_LPARAM(lParam);
  if (msg == win::WM_MOUSEWHEEL) {
    win::POINT pt{x, y};
    win::ScreenToClient(m_hwnd, &pt);
    x = pt.x;
    y = pt.y;
  }
  com::ControlPtr target = m_mouseControl.lock();
  if (!target || msg == win::WM_MOUSEMOVE || msg == win::WM_LBUTTONDOWN || msg == win::WM_RBUTTONDOWN ||
      msg == win::WM_MOUSEWHEEL) {
    const bool held = target && (win::GetCapture() == m_hwnd);
    if (!held) target = WindowlessControlAt(x, y);
  }
  if (msg == win::WM_LBUTTONDOWN || msg == win::WM_RBUTTONDOWN) {
    m_mouseControl = target;
    if (target) win::SetCapture(m_hwnd);
  }
  if (msg == win::WM_LBUTTONUP || msg == win::WM_RBUTTONUP) {
    m_mouseControl.reset();
    if (win::GetCapture() == m_hwnd) win::ReleaseCapture();
  }
  if (!target || !target->Enabled()) return;
  const int cx = x - gdi::TwipsToPixelsX(target->Left());
  const int cy = y - gdi::TwipsToPixelsY(target->Top());
  const win::LPARAM local = msg == win::WM_MOUSEWHEEL ? lParam : win::MAKELPARAM(cx, cy);
  win::LRESULT result = 0;
  if (target->HandleMessage(msg, wParam, local, result)) return;
  const bool inside = cx >= 0 && cy >= 0 && cx < target->PixelWidth() && cy < target->PixelHeight();
  if (msg == win::WM_LBUTTONUP && inside) target->ForwardMouseClick();
}

void Form::KeyPress(int16_t keyAscii) {
  FormPtr self = std::static_pointer_cast<Form>(shared_from_this());
  if (!m_loaded) return;
  if ((keyAscii == vbKeyReturn && FindButton(true)) || (keyAscii == vbKeyEscape && FindButton(false))) return;
  com::ControlPtr active = ActiveControl();
  if (m_keyPreview || !active) {
    Form_KeyPress(keyAscii);
    if (keyAscii == 0) return;
  }
  if (active) active->KeyPress(keyAscii);
}

void Form::KeyUp(int16_t keyCode, int16_t shift) {
  FormPtr self = std::static_pointer_cast<Form>(shared_from_this());
  if (!m_loaded) return;
  com::ControlPtr active = ActiveControl();
  if (m_keyPreview || !active) {
    Form_KeyUp(keyCode, shift);
    if (keyCode == 0) return;
  }
  if (active && m_loaded) active->KeyUp(keyCode, shift);
}

void Form::PressKey(int16_t keyCode, int16_t shift) {
  FormPtr self = std::static_pointer_cast<Form>(shared_from_this());
  KeyDown(keyCode, shift);
  const bool types = keyCode == vbKeyReturn || keyCode == vbKeyEscape || keyCode == vbKeyBack ||
                     keyCode == vbKeySpace || (keyCode >= '0' && keyCode <= '9') || (keyCode >= 'A' && keyCode <= 'Z');
  if (types && m_loaded) {
    int16_t ascii = keyCode;
    if (keyCode >= 'A' && keyCode <= 'Z' && (shift & com::vbShiftMask) == 0) ascii = static_cast<int16_t>(keyCode + 32);
    KeyPress(ascii);
  }
  if (m_loaded) KeyUp(keyCode, shift);
}

}  // namespace forms
