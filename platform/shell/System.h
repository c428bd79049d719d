// Names and folders of the system the programs run on.
//
// Stand-ins for the folders of the platform the programs were written for
// (decided here, in one place):
// - the temporary folder is $TMPDIR, else /tmp;
// - the "Windows folder" (the operating system's own installation) is /usr;
// - the "system folder" (the system's shared libraries) is /usr/lib.
// The folders are returned without a trailing "/" except the temporary
// folder, which ends in "/" as the platform's call returns it.
#pragma once

#include <string>

namespace shell {

// The name of the user the process runs as; "" when it cannot be told.
std::string GetUserNameA();

// The computer's name: the host name up to its first "."; "" when it
// cannot be told.
std::string GetComputerNameA();

// The temporary folder, ending in "/".
std::string GetTempPathA();

std::string GetWindowsDirectoryA();
std::string GetSystemDirectoryA();

}  // namespace shell
