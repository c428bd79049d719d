// Where the renders of the program's windows go: build/qvadmin/<name>.png,
// to be looked at.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "forms/Form.h"

namespace qvadmin::test {

inline std::string RenderPath(const std::string& name) {
  const char* buildDir = std::getenv("QV_BUILD_DIR");
  const std::string folder =
      (buildDir ? std::string(buildDir) : std::filesystem::temp_directory_path().string()) + "/qvadmin";
  std::filesystem::create_directories(folder);
  return folder + "/" + name + ".png";
}

// Renders the form with its frame; false when the picture can't be written.
inline bool RenderForm(forms::Form& form, const std::string& name) { return form.RenderToPng(RenderPath(name)); }

}  // namespace qvadmin::test
