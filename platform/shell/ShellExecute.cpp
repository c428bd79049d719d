#include "shell/ShellExecute.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cctype>
#include <cerrno>

#include "runtime/Strings.h"

extern char** environ;

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

bool DesktopLauncher::Launch(const LaunchRequest& request) {
  // The shell puts the handler in the background and returns at once, so
  // nothing is left to wait for and no child lingers.
  const char* script = "xdg-open \"$1\" >/dev/null 2>&1 </dev/null &";
  std::string file = request.file;
  const char* argv[] = {"sh", "-c", script, "sh", file.c_str(), nullptr};
  pid_t pid = 0;
  if (::posix_spawnp(&pid, "sh", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) return false;
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

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
