// Creation of controls from their class name: each control class registers
// a factory under its ProgID ("Kvctl2.msg", "VB.CommandButton") and the
// container creates the controls its design data names. Names are compared
// without regard to case; a name that is not registered is also looked up
// by the part after its last "." (so "VB.Label" finds "Label").
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "com/Control.h"

namespace com {

using ControlFactory = std::function<ControlPtr()>;

// Registers (or replaces) the factory for a class name.
void RegisterControlClass(std::string_view progId, ControlFactory factory);
bool IsControlClassRegistered(std::string_view progId);
// Creates a control; raises 429 ("ActiveX component can't create object")
// for a name without factory.
ControlPtr CreateControl(std::string_view progId);
std::vector<std::string> RegisteredControlClasses();

// Registers T (default-constructible) under one or more names at load time:
//   static com::ControlRegistration<Label> reg{"VB.Label", "Label"};
template <class T>
struct ControlRegistration {
  ControlRegistration(std::initializer_list<std::string_view> names) {
    for (auto name : names) RegisterControlClass(name, [] { return std::make_shared<T>(); });
  }
};

}  // namespace com
