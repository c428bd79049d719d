// The set of objects of one kind that are alive right now. Windows keep
// plain addresses of such objects (in window properties) without keeping
// them alive; before calling through an address the library asks the set
// whether the object still exists, so a destroyed object is never called.
#pragma once

#include <unordered_set>

namespace kvctl2 {

class LiveObjects {
 public:
  void Add(const void* object) { m_objects.insert(object); }
  void Remove(const void* object) noexcept { m_objects.erase(object); }
  bool Contains(const void* object) const { return object && m_objects.count(object) != 0; }

 private:
  std::unordered_set<const void*> m_objects;
};

}  // namespace kvctl2
