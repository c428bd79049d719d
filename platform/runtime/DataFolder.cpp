#include "runtime/DataFolder.h"

#include <filesystem>
#include <system_error>

namespace rt {

namespace fs = std::filesystem;

// The build gives the data folder's place relative to the folder of the
// program's file (QV_DATA_FROM_PROGRAM, for example "../share/...").
std::string DataFolder() {
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  return (program.parent_path() / QV_DATA_FROM_PROGRAM).lexically_normal().string();
}

std::string DataFile(std::string_view relative) { return (fs::path(DataFolder()) / relative).string(); }

std::string DataFolderProblem(std::initializer_list<std::string_view> needed) {
  const std::string folder = DataFolder();
  std::error_code error;
  std::string missing;
  if (!fs::is_directory(folder, error)) {
    missing = folder;
  } else {
    for (std::string_view part : needed) {
      if (!fs::is_directory(DataFile(part), error)) {
        missing = DataFile(part);
        break;
      }
    }
  }
  if (missing.empty()) return {};
  return "the files it reads are missing: no folder " + missing + " (they belong in " QV_DATA_FROM_PROGRAM
         " from the program's folder)";
}

}  // namespace rt
