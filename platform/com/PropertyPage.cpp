#include "com/PropertyPage.h"

#include <map>

#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace com {

namespace {

std::map<std::string, PropertyPageFactory>& Pages() {
  static std::map<std::string, PropertyPageFactory> pages;
  return pages;
}

}  // namespace

void PropertyPage::SetSelectedControls(std::vector<DispatchPtr> controls) {
  m_selected = std::move(controls);
  SelectionChanged();
}

void PropertyPage::Apply() {
  ApplyChanges();
  m_changed = false;
}

void RegisterPropertyPage(std::string_view name, PropertyPageFactory factory) {
  Pages()[rt::LCase(name)] = std::move(factory);
}

PropertyPagePtr CreatePropertyPage(std::string_view name) {
  auto it = Pages().find(rt::LCase(name));
  if (it == Pages().end()) rt::Raise(429, std::string(name), "ActiveX component can't create object");
  return it->second();
}

}  // namespace com
