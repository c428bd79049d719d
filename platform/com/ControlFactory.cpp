#include "com/ControlFactory.h"

#include <map>
#include <mutex>

#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace com {

namespace {

struct Registry {
  std::mutex mutex;
  std::map<std::string, std::pair<std::string, ControlFactory>> factories;  // key: lower-case name
};

Registry& GetRegistry() {
  static Registry registry;
  return registry;
}

const ControlFactory* FindFactory(Registry& r, std::string_view progId) {
  auto it = r.factories.find(rt::LCase(progId));
  if (it == r.factories.end()) {
    size_t dot = progId.rfind('.');
    if (dot != std::string_view::npos) it = r.factories.find(rt::LCase(progId.substr(dot + 1)));
  }
  return it == r.factories.end() ? nullptr : &it->second.second;
}

}  // namespace

void RegisterControlClass(std::string_view progId, ControlFactory factory) {
  auto& r = GetRegistry();
  std::lock_guard lock(r.mutex);
  r.factories[rt::LCase(progId)] = {std::string(progId), std::move(factory)};
}

bool IsControlClassRegistered(std::string_view progId) {
  auto& r = GetRegistry();
  std::lock_guard lock(r.mutex);
  return FindFactory(r, progId) != nullptr;
}

ControlPtr CreateControl(std::string_view progId) {
  ControlFactory factory;
  {
    auto& r = GetRegistry();
    std::lock_guard lock(r.mutex);
    if (const ControlFactory* f = FindFactory(r, progId)) factory = *f;
  }
  if (!factory) rt::Raise(429, std::string(progId));
  return factory();
}

std::vector<std::string> RegisteredControlClasses() {
  auto& r = GetRegistry();
  std::lock_guard lock(r.mutex);
  std::vector<std::string> names;
  for (const auto& [key, entry] : r.factories) names.push_back(entry.first);
  return names;
}

}  // namespace com
