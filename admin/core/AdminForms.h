// The program's forms by name. Forms call each other's views and dialogs
// by name ("frmUser", "wizNewDB", ...), as the start page's links and the
// main window's commands do; each form registers the one instance that the
// program uses under its name when its module is linked in.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "forms/Form.h"

namespace qvadmin {

using AdminFormMaker = std::function<forms::FormPtr()>;

// Registers (or replaces) the form of that name; `maker` returns the one
// instance of it (made on first use).
void RegisterAdminForm(std::string name, AdminFormMaker maker);

// The form of that name (names compared exactly), nullptr when no such form
// is part of the program.
forms::FormPtr AdminForm(std::string_view name);

// Registers a form when its module is loaded:
//   const AdminFormRegistration registration{"frmUser", [] { return frmUser::Default(); }};
struct AdminFormRegistration {
  AdminFormRegistration(std::string name, AdminFormMaker maker) {
    RegisterAdminForm(std::move(name), std::move(maker));
  }
};

}  // namespace qvadmin
