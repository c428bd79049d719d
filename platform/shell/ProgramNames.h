// How a program named as on Windows finds its file here. The programs'
// names carry the extension ".exe" ("Verscout.exe"); their files here have
// none ("Verscout"). One rule for every caller: a name ending in ".exe"
// (any case) stands for the file without that ending; any other name is
// the file's name as it is.
#pragma once

#include <string>
#include <string_view>

namespace shell {

std::string ProgramFileName(std::string_view windowsName);

}  // namespace shell
