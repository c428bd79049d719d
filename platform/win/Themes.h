// Visual styles as a program asks for them. The controls of this platform
// always draw in the one current look, so the desktop counts as themed
// for every program; what a program may switch is its own theme
// properties (which parts it lets be themed). The common-controls library
// answers its version as the one that draws visual styles.
#pragma once

#include <cstdint>
#include <string_view>

#include "win/Types.h"

namespace win {

// The theme properties of the application: non-client area, controls,
// web content.
inline constexpr uint32_t STAP_ALLOW_NONCLIENT = 1;
inline constexpr uint32_t STAP_ALLOW_CONTROLS = 2;
inline constexpr uint32_t STAP_ALLOW_WEBCONTENT = 4;

BOOL IsAppThemed();
BOOL IsThemeActive();
// All three allowed until the program sets others.
uint32_t GetThemeAppProperties();
void SetThemeAppProperties(uint32_t flags);

// The version record of DllGetVersion; cbSize must be 20.
struct DLLVERSIONINFO {
  uint32_t cbSize = 20;
  uint32_t dwMajorVersion = 0;
  uint32_t dwMinorVersion = 0;
  uint32_t dwBuildNumber = 0;
  uint32_t dwPlatformID = 0;
};
inline constexpr int32_t S_OK = 0;
inline constexpr int32_t E_INVALIDARG = static_cast<int32_t>(0x80070057);
// The version of a system library: "comctl32.dll" (any case) is 6.0; other
// libraries and a record of the wrong size give E_INVALIDARG.
int32_t DllGetVersion(std::string_view library, DLLVERSIONINFO* info);

}  // namespace win
