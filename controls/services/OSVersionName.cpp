#include "OSVersionName.h"

namespace kvctl2 {

std::string OSVersionName() {
  shell::OSVERSIONINFOA info;
  if (!shell::GetVersionExA(&info)) return "Failed";
  return OSVersionName(info);
}

std::string OSVersionName(const shell::OSVERSIONINFOA& info) {
  switch (info.dwPlatformId) {
    case shell::VER_PLATFORM_WIN32_WINDOWS:
      switch (info.dwMinorVersion) {
        case 0: return "95";
        case 10: return "98";
        case 90: return "ME";
        default: return "";
      }
    case shell::VER_PLATFORM_WIN32_NT:
      switch (info.dwMajorVersion) {
        case 3:
        case 4: return "NT";
        case 5: return info.dwMinorVersion == 0 ? "2k" : "XP";
        case 6: return "Vista";
        default: return "Failed";
      }
    default:
      return "Failed";
  }
}

}  // namespace kvctl2
