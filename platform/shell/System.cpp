#include "shell/System.h"

#include <pwd.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>
#include <vector>

namespace shell {

std::string GetUserNameA() {
  long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> buffer(size > 0 ? static_cast<size_t>(size) : 16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->pw_name) {
    return found->pw_name;
  }
  if (const char* user = std::getenv("USER"); user && *user) return user;
  if (const char* logname = std::getenv("LOGNAME"); logname && *logname) return logname;
  return {};
}

std::string GetComputerNameA() {
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  std::string host(name);
  return host.substr(0, host.find('.'));
}

std::string GetTempPathA() {
  std::string folder = "/tmp";
  if (const char* tmp = std::getenv("TMPDIR"); tmp && *tmp) folder = tmp;
  if (folder.back() != '/') folder += '/';
  return folder;
}

std::string GetWindowsDirectoryA() { return "/usr"; }

std::string GetSystemDirectoryA() { return "/usr/lib"; }

}  // namespace shell
