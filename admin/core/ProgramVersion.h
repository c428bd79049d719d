// The version of the administration program (major.minor.revision), as the
// error reports and the about box show it.
#pragma once

namespace qvadmin {

inline constexpr const char* kProgramVersion = "4.0.203";

}  // namespace qvadmin
