#include "shell/DesktopPrograms.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string_view>

#include "runtime/Strings.h"
#include "shell/StartProgram.h"

namespace shell {

std::string FindProgramOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string_view folders = path ? path : "";
  while (!folders.empty()) {
    const size_t colon = folders.find(':');
    const std::string_view folder = folders.substr(0, colon);
    folders = colon == std::string_view::npos ? std::string_view() : folders.substr(colon + 1);
    // An empty entry is the current folder.
    const std::string candidate = (folder.empty() ? std::string(".") : std::string(folder)) + "/" + name;
    struct stat info {};
    if (::stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(candidate.c_str(), X_OK) == 0)
      return candidate;
  }
  return {};
}

bool OpenWithDesktop(const std::string& target) {
  std::string program;
  if (rt::LCase(target.substr(0, 7)) == "mailto:") program = FindProgramOnPath("xdg-email");
  if (program.empty()) program = FindProgramOnPath("xdg-open");
  return !program.empty() && StartProgram(program, {target}, "") != 0;
}

}  // namespace shell
