// The keyed collections of the docking manager (tools, command bars,
// status panels): Item by key (exact, as the keys are compared) or by
// 1-based position, Count. A key without member raises 35601 ("Element not
// found").
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "com/Dispatch.h"
#include "runtime/Error.h"

namespace forms {

inline constexpr int32_t errElementNotFound = 35601;

template <class T>
class DockCollection : public com::Dispatch {
 public:
  using Source = std::function<std::vector<std::shared_ptr<T>>()>;
  DockCollection(std::string typeName, Source source) : m_typeName(std::move(typeName)), m_source(std::move(source)) {
    DefineMethod("Item", [this](com::Args& args) { return com::ToVariant(Item(com::RequiredArg(args, 0))); });
    DefineReadOnly("Count", [this] { return rt::Variant(static_cast<int32_t>(m_source().size())); });
  }
  std::string TypeName() const override { return m_typeName; }

  std::shared_ptr<T> Item(const rt::Variant& which) const {
    const auto members = m_source();
    if (!which.IsString() && which.IsNumeric()) {
      const int32_t n = which.ToLong();
      if (n >= 1 && n <= static_cast<int32_t>(members.size())) return members[static_cast<size_t>(n - 1)];
    } else {
      const std::string key = which.ToString();
      for (const auto& m : members) {
        if (m->Key() == key) return m;
      }
    }
    rt::Raise(errElementNotFound, m_typeName, "Element not found");
  }

 private:
  std::string m_typeName;
  Source m_source;
};

}  // namespace forms
