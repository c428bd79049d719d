#include "shell/ShellExecute.h"

#include <sys/stat.h>

#include <cctype>

#include "runtime/Strings.h"
#include "shell/DesktopPrograms.h"

namespace shell {
namespace {

Launcher* g_launcher = nullptr;

// "scheme:..." with a scheme of two or more letters (so "C:" is no scheme).
bool HasScheme(std::string_view file) {
  const size_t colon = file.find(':');
  if (colon == std::string_view::npos || colon < 2) return false;
  for (size_t i = 0; i < colon; ++i) {
    const auto c = static_cast<unsigned char>(file[i]);
    if (!std::isalnum(c) && c != '+' && c != '-' && c != '.') return false;
  }
  return true;
}

}  // namespace

bool DesktopLauncher::Launch(const LaunchRequest& request) { return OpenWithDesktop(request.file); }

Launcher& CurrentLauncher() {
  static DesktopLauncher desktop;
  return g_launcher ? *g_launcher : desktop;
}

void SetLauncher(Launcher* launcher) { g_launcher = launcher; }

intptr_t ShellExecuteA(int32_t /*ownerWindow*/, std::string_view operation, std::string_view file,
                       std::string_view parameters, std::string_view directory, int showCmd) {
  const std::string op = rt::LCase(operation);
  if (!op.empty() && op != "open" && op != "explore") return SE_ERR_NOASSOC;
  if (file.empty()) return SE_ERR_FNF;
  std::string target(file);
  if (!HasScheme(file)) {
    // A local document or folder: relative to the given directory.
    if (target.front() != '/' && !directory.empty()) target = std::string(directory) + "/" + target;
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0) return SE_ERR_FNF;
  }
  LaunchRequest request{op.empty() ? "open" : op, target, std::string(parameters), std::string(directory), showCmd};
  return CurrentLauncher().Launch(request) ? kShellExecuteOk : SE_ERR_NOASSOC;
}

}  // namespace shell
