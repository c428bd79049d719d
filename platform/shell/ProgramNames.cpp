#include "shell/ProgramNames.h"

#include <cctype>

namespace shell {

std::string ProgramFileName(std::string_view windowsName) {
  constexpr std::string_view kExe = ".exe";
  if (windowsName.size() > kExe.size()) {
    const std::string_view tail = windowsName.substr(windowsName.size() - kExe.size());
    bool same = true;
    for (size_t i = 0; i < kExe.size(); ++i) {
      same = same && std::tolower(static_cast<unsigned char>(tail[i])) == kExe[i];
    }
    if (same) return std::string(windowsName.substr(0, windowsName.size() - kExe.size()));
  }
  return std::string(windowsName);
}

}  // namespace shell
