#include "core/FileHandling.h"

#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

#include "forms/App.h"
#include "runtime/Strings.h"
#include "shell/ProgramNames.h"

namespace qvadmin {

namespace fs = std::filesystem;

bool FolderExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_directory(path, error);
}

bool FileExists(const std::string& path) {
  std::error_code error;
  return !path.empty() && fs::is_regular_file(path, error);
}

bool MakePath(const std::string& path) {
  if (path.empty()) return false;
  std::error_code error;
  fs::create_directories(path, error);
  return FolderExists(path);
}

namespace {

// The desktop's trash: the folder of the files and the folder of their
// descriptions.
fs::path TrashFolder() {
  const char* data = std::getenv("XDG_DATA_HOME");
  const char* home = std::getenv("HOME");
  if (data && *data) return fs::path(data) / "Trash";
  return fs::path(home ? home : "/tmp") / ".local/share/Trash";
}

bool MoveToTrash(const fs::path& folder) {
  const fs::path trash = TrashFolder();
  std::error_code error;
  fs::create_directories(trash / "files", error);
  fs::create_directories(trash / "info", error);
  std::string name = folder.filename().string();
  for (int n = 2; fs::exists(trash / "files" / name, error); ++n) {
    name = folder.filename().string() + "." + std::to_string(n);
  }
  char when[32] = {};
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  std::strftime(when, sizeof when, "%Y-%m-%dT%H:%M:%S", &local);
  std::ofstream info(trash / "info" / (name + ".trashinfo"));
  info << "[Trash Info]\nPath=" << fs::absolute(folder, error).string() << "\nDeletionDate=" << when << "\n";
  info.close();
  fs::rename(folder, trash / "files" / name, error);
  return !error;
}

}  // namespace

bool ShellDelete(const std::string& path, bool toRecycleBin) {
  if (!FolderExists(path)) return false;
  fs::path folder(path);
  if (!folder.has_filename()) folder = folder.parent_path();
  if (toRecycleBin) return MoveToTrash(folder);
  std::error_code error;
  fs::remove_all(folder, error);
  return !error && !FolderExists(path);
}

bool WriteTextFile(const std::string& path, const std::string& text) {
  if (path.empty()) return false;
  // Written beside the target and moved over it, so a failure never leaves
  // half a file behind.
  const std::string temporary = path + ".tmp" + std::to_string(::getpid());
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    const std::string bytes = rt::ToAnsi(text);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      std::error_code ignored;
      fs::remove(temporary, ignored);
      return false;
    }
  }
  std::error_code error;
  fs::rename(temporary, path, error);
  if (!error) return true;
  std::error_code ignored;
  fs::remove(temporary, ignored);
  return false;
}

std::string FolderOfPath(const std::string& path) {
  const size_t last = path.find_last_of("/\\");
  return last == std::string::npos ? std::string() : path.substr(0, last + 1);
}

std::string ProgramFilePath(const std::string& windowsName) {
  return (fs::path(forms::App().Path) / shell::ProgramFileName(windowsName)).string();
}

}  // namespace qvadmin
