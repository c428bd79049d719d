// Sets the user's locale (LC_ALL) for the life of the object, for tests of
// what follows the desktop's language and formats.
#pragma once

#include <cstdlib>
#include <optional>
#include <string>

namespace forms::test {

class ScopedLocale {
 public:
  explicit ScopedLocale(const char* locale) {
    if (const char* saved = std::getenv("LC_ALL")) m_saved = saved;
    setenv("LC_ALL", locale, 1);
  }
  ~ScopedLocale() {
    if (m_saved)
      setenv("LC_ALL", m_saved->c_str(), 1);
    else
      unsetenv("LC_ALL");
  }
  ScopedLocale(const ScopedLocale&) = delete;
  ScopedLocale& operator=(const ScopedLocale&) = delete;

 private:
  std::optional<std::string> m_saved;
};

}  // namespace forms::test
