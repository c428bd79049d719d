// Error numbers of the directory layer (rt::Error::Number()).
#pragma once

#include <cstdint>

namespace adsi {

inline constexpr int32_t errBadPathName = static_cast<int32_t>(0x80005000u);   // not a "WinNT://..." path
inline constexpr int32_t errDomainNotFound = static_cast<int32_t>(0x80070035u);  // the network path was not found
inline constexpr int32_t errUserNotFound = static_cast<int32_t>(0x800708ADu);    // the user name could not be found

}  // namespace adsi
