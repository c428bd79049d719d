// The platform version record that programs ask for.
//
// This platform reports one fixed record: platform 2 (the NT family),
// version 6.2, build 9200, no service pack. That is what every current
// Windows (8 and later, with visual styles) reports to a program that does
// not declare itself for a newer version, so the programs see the version
// they would see there.
#pragma once

#include <cstdint>
#include <string>

namespace shell {

inline constexpr uint32_t VER_PLATFORM_WIN32_WINDOWS = 1;
inline constexpr uint32_t VER_PLATFORM_WIN32_NT = 2;

struct OSVERSIONINFOA {
  uint32_t dwMajorVersion = 0;
  uint32_t dwMinorVersion = 0;
  uint32_t dwBuildNumber = 0;
  uint32_t dwPlatformId = 0;
  std::string szCSDVersion;  // service pack text
};

// Fills the record; returns false when `info` is null.
bool GetVersionExA(OSVERSIONINFOA* info);

}  // namespace shell
