// Points the registry at a fresh temporary folder for one test and removes
// it afterwards; problems of the store that earlier tests left untaken are
// dropped, so a test sees only its own.
#pragma once

#include <stdlib.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "registry/Registry.h"

class ScopedRegistryFolder {
 public:
  ScopedRegistryFolder() {
    if (const char* previous = std::getenv("QV_REGISTRY_DIR")) m_previous = previous;
    std::string pattern = (std::filesystem::temp_directory_path() / "qvreg-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!::mkdtemp(name.data())) throw std::runtime_error("cannot make a temporary folder");
    m_path = name.data();
    ::setenv("QV_REGISTRY_DIR", m_path.c_str(), 1);
    reg::TakeStoreProblems();
  }
  ~ScopedRegistryFolder() {
    // A folder that the test process chose before is the registry again.
    if (m_previous)
      ::setenv("QV_REGISTRY_DIR", m_previous->c_str(), 1);
    else
      ::unsetenv("QV_REGISTRY_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  ScopedRegistryFolder(const ScopedRegistryFolder&) = delete;
  ScopedRegistryFolder& operator=(const ScopedRegistryFolder&) = delete;

  const std::filesystem::path& Path() const { return m_path; }

 private:
  std::filesystem::path m_path;
  std::optional<std::string> m_previous;
};
