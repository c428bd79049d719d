// "WinNT://domain[/object][,class]" cut into its parts.
#pragma once

#include <string>

namespace adsi {

struct WinNTPath {
  std::string domain;
  std::string object;  // "" for the domain itself
};

// Raises 0x80005000 when `path` is not a WinNT path with a domain.
WinNTPath ParseWinNTPath(const std::string& path);

[[noreturn]] void RaiseAdsi(int32_t number, std::string description);

}  // namespace adsi
