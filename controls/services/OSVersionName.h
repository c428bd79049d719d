// OSVersionName: the short name of the Windows version that the platform's
// version record names ("95", "98", "ME", "NT", "2k", "XP", "Vista"),
// "Failed" for a version outside the table, "" for an unknown 9x minor
// version.
#pragma once

#include <string>

#include "shell/Version.h"

namespace kvctl2 {

// The name for the platform's own version record.
std::string OSVersionName();
// The name for a given record.
std::string OSVersionName(const shell::OSVERSIONINFOA& info);

}  // namespace kvctl2
