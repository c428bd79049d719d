#include "core/AdminForms.h"

#include <map>

namespace qvadmin {
namespace {

std::map<std::string, AdminFormMaker, std::less<>>& Makers() {
  static std::map<std::string, AdminFormMaker, std::less<>> makers;
  return makers;
}

}  // namespace

void RegisterAdminForm(std::string name, AdminFormMaker maker) { Makers()[std::move(name)] = std::move(maker); }

forms::FormPtr AdminForm(std::string_view name) {
  const auto it = Makers().find(name);
  return it == Makers().end() || !it->second ? nullptr : it->second();
}

}  // namespace qvadmin
