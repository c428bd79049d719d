#include "win/Themes.h"

#include <cctype>
#include <string>

namespace win {

namespace {

uint32_t& AppProperties() {
  static uint32_t properties = STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS | STAP_ALLOW_WEBCONTENT;
  return properties;
}

}  // namespace

BOOL IsAppThemed() { return TRUE; }

BOOL IsThemeActive() { return TRUE; }

uint32_t GetThemeAppProperties() { return AppProperties(); }

void SetThemeAppProperties(uint32_t flags) { AppProperties() = flags; }

int32_t DllGetVersion(std::string_view library, DLLVERSIONINFO* info) {
  std::string name;
  for (char c : library) name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (!info || info->cbSize != sizeof(DLLVERSIONINFO) || name != "comctl32.dll") return E_INVALIDARG;
  info->dwMajorVersion = 6;
  info->dwMinorVersion = 0;
  info->dwBuildNumber = 0;
  info->dwPlatformID = 2;
  return S_OK;
}

}  // namespace win
