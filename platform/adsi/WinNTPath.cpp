#include "adsi/WinNTPath.h"

#include <cctype>

#include "adsi/Errors.h"
#include "runtime/Error.h"

namespace adsi {

WinNTPath ParseWinNTPath(const std::string& path) {
  static const std::string kPrefix = "winnt://";
  bool prefixed = path.size() > kPrefix.size();
  for (size_t i = 0; prefixed && i < kPrefix.size(); ++i) {
    prefixed = std::tolower(static_cast<unsigned char>(path[i])) == kPrefix[i];
  }
  if (!prefixed) RaiseAdsi(errBadPathName, "An invalid directory pathname was passed: " + path);
  std::string rest = path.substr(kPrefix.size());
  rest = rest.substr(0, rest.find(','));
  WinNTPath out;
  size_t slash = rest.find('/');
  out.domain = rest.substr(0, slash);
  if (slash != std::string::npos) out.object = rest.substr(slash + 1);
  if (out.domain.empty() || out.object.find('/') != std::string::npos) {
    RaiseAdsi(errBadPathName, "An invalid directory pathname was passed: " + path);
  }
  return out;
}

void RaiseAdsi(int32_t number, std::string description) {
  throw rt::Error(number, std::move(description), "Active Directory");
}

}  // namespace adsi
