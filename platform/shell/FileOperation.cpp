#include "shell/FileOperation.h"

#include <fnmatch.h>

#include <cerrno>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <system_error>
#include <vector>

#include "runtime/Strings.h"

namespace shell {

namespace fs = std::filesystem;

namespace {

// The entries of a list ended by NUL, the list by a second NUL (a list
// without its closing NULs ends with the text).
std::vector<std::string> Entries(const std::string& list) {
  std::vector<std::string> entries;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find('\0', start);
    if (end == std::string::npos) end = list.size();
    if (end == start) break;
    entries.push_back(list.substr(start, end - start));
    start = end + 1;
  }
  return entries;
}

// The shell's reason for a file system error.
int ReasonOf(const std::error_code& error) {
  switch (error.value()) {
    case ENOENT:
    case ENOTDIR:
      return ERROR_FILE_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
      return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      return ERROR_DISK_FULL;
    case EEXIST:
    case ENOTEMPTY:
      return ERROR_ALREADY_EXISTS;
    default:
      return ERROR_GEN_FAILURE;
  }
}

// The paths an entry names: itself, or the names its last component's wildcards
// match. An entry without wildcards that does not exist is an error.
int Expand(const std::string& entry, std::vector<fs::path>& paths) {
  const fs::path path(entry);
  const std::string pattern = path.filename().string();
  std::error_code error;
  if (pattern.find_first_of("*?") == std::string::npos) {
    if (!fs::exists(fs::symlink_status(path, error))) return ERROR_FILE_NOT_FOUND;
    paths.push_back(path);
    return 0;
  }
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  // "*.*" of the platform matches every name, with a dot or without.
  const std::string effective = pattern == "*.*" ? "*" : pattern;
  for (const fs::directory_entry& found : fs::directory_iterator(folder, error)) {
    const std::string name = found.path().filename().string();
    if (::fnmatch(effective.c_str(), name.c_str(), FNM_PERIOD) == 0) paths.push_back(found.path());
  }
  return 0;
}

class Operation {
 public:
  explicit Operation(SHFILEOPSTRUCTA& op) : m_op(op) {}

  int Run() {
    if (m_op.wFunc < FO_MOVE || m_op.wFunc > FO_RENAME) return ERROR_INVALID_FUNCTION;
    std::vector<fs::path> sources;
    for (const std::string& entry : Entries(m_op.pFrom)) {
      if (const int reason = Expand(entry, sources)) return reason;
    }
    const std::vector<std::string> targets = Entries(m_op.pTo);
    const fs::path target = targets.empty() ? fs::path() : fs::path(targets.front());
    switch (m_op.wFunc) {
      case FO_DELETE:
        return Delete(sources);
      case FO_RENAME:
        return sources.size() == 1 && !target.empty() ? Rename(sources.front(), target) : ERROR_FILE_NOT_FOUND;
      default:
        return target.empty() ? ERROR_FILE_NOT_FOUND : Transfer(sources, target, m_op.wFunc == FO_MOVE);
    }
  }

 private:
  // False, and the operation marked as aborted, when the user says no.
  bool Ask(const std::string& question) {
    if (m_op.fFlags & FOF_NOCONFIRMATION) return true;
    if (!m_op.confirm || m_op.confirm(question)) return true;
    m_op.fAnyOperationsAborted = true;
    return false;
  }

  int Transfer(const std::vector<fs::path>& sources, const fs::path& target, bool move) {
    std::error_code error;
    // Several sources, or a target that is a folder: the sources go into it.
    const bool intoFolder = sources.size() > 1 || fs::is_directory(target, error);
    if (intoFolder) fs::create_directories(target, error);
    for (const fs::path& source : sources) {
      const fs::path to = intoFolder ? target / source.filename() : target;
      if (fs::equivalent(source, to, error)) continue;
      if (fs::exists(to, error) && !fs::is_directory(to, error)) {
        if (!Ask("Do you want to replace the file '" + to.string() + "'?")) return ERROR_CANCELLED;
      }
      error.clear();
      if (move) {
        fs::rename(source, to, error);
        if (error.value() == EXDEV) {
          error.clear();
          fs::copy(source, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
          if (!error) fs::remove_all(source, error);
        }
      } else {
        fs::copy(source, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing, error);
      }
      if (error) return ReasonOf(error);
    }
    return 0;
  }

  int Rename(const fs::path& source, fs::path target) {
    // A bare name renames in the source's folder.
    if (!target.has_parent_path()) target = source.parent_path() / target;
    std::error_code error;
    if (fs::exists(fs::symlink_status(target, error))) return ERROR_ALREADY_EXISTS;
    fs::rename(source, target, error);
    return error ? ReasonOf(error) : 0;
  }

  int Delete(const std::vector<fs::path>& sources) {
    const bool undo = (m_op.fFlags & FOF_ALLOWUNDO) != 0;
    for (const fs::path& source : sources) {
      const std::string question = undo ? "Do you want to move '" + source.string() + "' to the trash?"
                                        : "Do you want to delete '" + source.string() + "' for good?";
      if (!Ask(question)) return ERROR_CANCELLED;
      std::error_code error;
      if (undo) {
        error = MoveToTrash(source);
      } else {
        fs::remove_all(source, error);
      }
      if (error) return ReasonOf(error);
    }
    return 0;
  }

  // The freedesktop.org trash: the file under "files", and beside it under
  // "info" where it came from and when, so that it can be put back.
  static std::error_code MoveToTrash(const fs::path& source) {
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    const fs::path trash =
        dataHome && *dataHome ? fs::path(dataHome) / "Trash" : fs::path(home ? home : "/tmp") / ".local/share/Trash";
    std::error_code error;
    fs::create_directories(trash / "files", error);
    fs::create_directories(trash / "info", error);
    if (error) return error;
    const std::string base = source.filename().string();
    std::string name = base;
    for (int n = 2; fs::exists(trash / "files" / name) || fs::exists(trash / "info" / (name + ".trashinfo")); ++n) {
      name = base + "." + std::to_string(n);
    }
    const fs::path absolute = fs::absolute(source, error);
    {
      std::ofstream info(trash / "info" / (name + ".trashinfo"));
      const std::time_t now = std::time(nullptr);
      std::tm local{};
      ::localtime_r(&now, &local);
      char date[32];
      std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
      info << "[Trash Info]\nPath=" << rt::PercentEncode(absolute.string(), "/") << "\nDeletionDate=" << date << "\n";
      if (!info.flush()) return std::make_error_code(std::errc::io_error);
    }
    fs::rename(source, trash / "files" / name, error);
    if (error.value() == EXDEV) {
      error.clear();
      fs::copy(source, trash / "files" / name, fs::copy_options::recursive, error);
      if (!error) fs::remove_all(source, error);
    }
    if (error) fs::remove(trash / "info" / (name + ".trashinfo"));
    return error;
  }


  SHFILEOPSTRUCTA& m_op;
};

}  // namespace

int SHFileOperationA(SHFILEOPSTRUCTA& operation) {
  operation.fAnyOperationsAborted = false;
  return Operation(operation).Run();
}

}  // namespace shell
