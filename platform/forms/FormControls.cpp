// The controls of a form: creation from design data and at run time,
// control arrays, events, focus and keyboard routing.
#include <algorithm>

#include "com/ControlFactory.h"
#include "com/UserControl.h"
#include "forms/Form.h"
#include "gdi/Twips.h"
#include "runtime/Strings.h"
#include "win/Input.h"
#include "win/Window.h"

namespace forms {

namespace {

bool SameName(std::string_view a, std::string_view b) { return rt::StrComp(a, b, rt::CompareMethod::Text) == 0; }

std::pair<std::string, std::string> HandlerKey(std::string_view control, std::string_view event) {
  return {rt::LCase(control), rt::LCase(event)};
}

}  // namespace

void Form::CreateControls(const std::vector<DesignNode>& nodes, int32_t offsetLeft, int32_t offsetTop) {
  for (const auto& node : nodes) {
    com::ControlPtr control = com::CreateControl(node.className);
    AttachControl(control, node.name, node.index, false);
    control->ReadExtender(node.properties);
    if (offsetLeft != 0 || offsetTop != 0) control->Move(control->Left() + offsetLeft, control->Top() + offsetTop);
    control->ReadProperties(node.properties);
    control->NotifyResize();
    // Controls placed on a control container go over to it, in its
    // coordinates (the form keeps their names and events); those placed on
    // any other control are placed on the form, at the same place on the
    // screen.
    auto container = std::dynamic_pointer_cast<com::UserControl>(control);
    if (container && container->AcceptsContainedControls()) {
      const size_t first = m_controls.size();
      CreateControls(node.children, 0, 0);
      for (size_t i = first; i < m_controls.size(); ++i) {
        if (m_controls[i]->Container() == this) container->AddContainedControl(m_controls[i]);
      }
    } else {
      CreateControls(node.children, control->Left(), control->Top());
    }
  }
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
  if (!control.CanFocus() || !ours) return false;
  com::ControlPtr previous = ActiveControl();
  if (previous.get() == &control) return true;
  win::SetFocus(control.hWnd());
  if (previous) previous->LostFocus();
  control.GotFocus();
  return true;
}

bool Form::FocusNext(bool backwards) {
  std::vector<com::ControlPtr> order;
  for (const auto& c : m_controls) {
    if (c->CanFocus()) order.push_back(c);
  }
  if (order.empty()) return false;
  std::stable_sort(order.begin(), order.end(),
                   [](const com::ControlPtr& a, const com::ControlPtr& b) { return a->TabIndex() < b->TabIndex(); });
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

com::ControlPtr Form::FindButton(bool wantDefault) const {
  for (const auto& c : m_controls) {
    if (!c->Visible() || !c->Enabled() || !c->HasMember(wantDefault ? "Default" : "Cancel")) continue;
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
  if (keyCode == vbKeyTab && m_loaded) FocusNext((shift & com::vbShiftMask) != 0);
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
