#include "runtime/TestRenders.h"

#include <filesystem>
#include <system_error>

namespace rt {

std::string TestRenderPath(std::string_view name) {
  const std::filesystem::path folder = QV_RENDER_DIR;
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  return (folder / name).string();
}

}  // namespace rt
