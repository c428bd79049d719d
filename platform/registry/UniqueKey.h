// Owner of one open key handle: closes it when it goes out of scope.
#pragma once

#include <utility>

#include "registry/Registry.h"

namespace reg {

class UniqueKey {
 public:
  UniqueKey() = default;
  explicit UniqueKey(HKEY key) : m_key(key) {}
  ~UniqueKey() { Reset(); }

  UniqueKey(UniqueKey&& other) noexcept : m_key(std::exchange(other.m_key, HKEY{})) {}
  UniqueKey& operator=(UniqueKey&& other) noexcept {
    if (this != &other) {
      Reset();
      m_key = std::exchange(other.m_key, HKEY{});
    }
    return *this;
  }
  UniqueKey(const UniqueKey&) = delete;
  UniqueKey& operator=(const UniqueKey&) = delete;

  HKEY Get() const noexcept { return m_key; }
  explicit operator bool() const noexcept { return m_key != HKEY{}; }

  // Closes the handle held and gives the slot to an opening call.
  HKEY* Put() noexcept {
    Reset();
    return &m_key;
  }

  void Reset() noexcept {
    if (m_key != HKEY{}) RegCloseKey(m_key);
    m_key = HKEY{};
  }

 private:
  HKEY m_key{};
};

}  // namespace reg
