// New GUIDs as text, for the ids of users and groups and the installation
// identifier.
#pragma once

#include <string>

namespace qvadmin {

// A new GUID in registry form with braces and upper-case digits:
// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}" (38 characters).
std::string CreateGUID();

// A new GUID as 32 hexadecimal digits: the braced form without its braces
// and hyphens.
std::string CreateGUIDCompact();

}  // namespace qvadmin
