// Where a program finds the files it reads at run time (form designs,
// scripts, the fonts configuration): a folder at a fixed place relative to
// the running program's file, the same in the build folder, in an
// installation and in a copy of one, so that nothing is read from the
// place the program was built from.
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace rt {

// The data folder of the running program (its path made plain, whether
// it exists or not).
std::string DataFolder();

// The path of a file or folder below the data folder, `relative` written
// with "/".
std::string DataFile(std::string_view relative);

// Why the program cannot run: a text naming the first of the data folder's
// sub-folders `needed` that is missing (or the data folder itself); empty
// when all are there.
std::string DataFolderProblem(std::initializer_list<std::string_view> needed);

}  // namespace rt
