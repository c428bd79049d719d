#include "shell/Version.h"

namespace shell {

bool GetVersionExA(OSVERSIONINFOA* info) {
  if (!info) return false;
  info->dwMajorVersion = 6;
  info->dwMinorVersion = 2;
  info->dwBuildNumber = 9200;
  info->dwPlatformId = VER_PLATFORM_WIN32_NT;
  info->szCSDVersion.clear();
  return true;
}

}  // namespace shell
