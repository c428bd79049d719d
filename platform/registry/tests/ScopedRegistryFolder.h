// Points the registry at a fresh temporary folder for one test and removes
// it afterwards.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

class ScopedRegistryFolder {
 public:
  ScopedRegistryFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "qvreg-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!::mkdtemp(name.data())) throw std::runtime_error("cannot make a temporary folder");
    m_path = name.data();
    ::setenv("QV_REGISTRY_DIR", m_path.c_str(), 1);
  }
  ~ScopedRegistryFolder() {
    ::unsetenv("QV_REGISTRY_DIR");
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
  }
  ScopedRegistryFolder(const ScopedRegistryFolder&) = delete;
  ScopedRegistryFolder& operator=(const ScopedRegistryFolder&) = delete;

  const std::filesystem::path& Path() const { return m_path; }

 private:
  std::filesystem::path m_path;
};
