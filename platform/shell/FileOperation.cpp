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

bool HasWildcard(const std::string& entry) {
  return fs::path(entry).filename().string().find_first_of("*?") != std::string::npos;
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

// The paths an entry names: itself, or the names its last component's
// wildcards match. An entry without wildcards that does not exist, and a
// wildcard in a missing folder or one that matches nothing, is an error.
int Expand(const std::string& entry, std::vector<fs::path>& paths) {
  const fs::path path(entry);
  const std::string pattern = path.filename().string();
  std::error_code error;
  if (!HasWildcard(entry)) {
    if (!fs::exists(fs::symlink_status(path, error))) return ERROR_FILE_NOT_FOUND;
    paths.push_back(path);
    return 0;
  }
  const fs::path folder = path.has_parent_path() ? path.parent_path() : fs::path(".");
  // "*.*" of the platform matches every name, with a dot or without.
  const std::string effective = pattern == "*.*" ? "*" : pattern;
  const size_t before = paths.size();
  for (const fs::directory_entry& found : fs::directory_iterator(folder, error)) {
    const std::string name = found.path().filename().string();
    if (::fnmatch(effective.c_str(), name.c_str(), FNM_PERIOD) == 0) paths.push_back(found.path());
  }
  return paths.size() > before ? 0 : ERROR_FILE_NOT_FOUND;
}

// Whether `inner` is `outer` or lies somewhere below it (the paths as the
// file system resolves them, for names that do not exist yet too).
bool IsWithin(const fs::path& inner, const fs::path& outer) {
  std::error_code error;
  const fs::path in = fs::weakly_canonical(fs::absolute(inner, error), error);
  const fs::path out = fs::weakly_canonical(fs::absolute(outer, error), error);
  auto i = in.begin();
  for (auto o = out.begin(); o != out.end(); ++o, ++i) {
    if (o->empty()) continue;  // the empty name after a closing separator
    if (i == in.end() || *i != *o) return false;
  }
  return true;
}

const char* Verb(uint32_t function) {
  switch (function) {
    case FO_MOVE:
      return "move";
    case FO_COPY:
      return "copy";
    case FO_DELETE:
      return "delete";
    default:
      return "rename";
  }
}

// The shell's words for the reason of a failure.
const char* ReasonText(int reason) {
  switch (reason) {
    case ERROR_FILE_NOT_FOUND:
      return "The file or folder was not found.";
    case ERROR_ACCESS_DENIED:
      return "Access is denied.";
    case ERROR_DISK_FULL:
      return "There is not enough space on the disk.";
    case ERROR_ALREADY_EXISTS:
      return "A file or folder with this name already exists.";
    case DE_DESTSUBTREE:
      return "The destination folder is a subfolder of the source folder.";
    case ERROR_INVALID_FUNCTION:
      return "The operation is not known.";
    default:
      return "The file system could not carry out the operation.";
  }
}

class Operation {
 public:
  explicit Operation(SHFILEOPSTRUCTA& op) : m_op(op) {}

  int Run() {
    const int result = Carry();
    if (result != 0 && result != ERROR_CANCELLED && !(m_op.fFlags & FOF_NOERRORUI) && m_op.report) {
      m_op.report(FileFailure{result, m_failedAt.string(),
                              std::string("Cannot ") + Verb(m_op.wFunc) +
                                  (m_failedAt.empty() ? std::string() : " '" + m_failedAt.string() + "'") + ": " +
                                  ReasonText(result)});
    }
    return result;
  }

 private:
  int Carry() {
    if (m_op.wFunc < FO_MOVE || m_op.wFunc > FO_RENAME) return ERROR_INVALID_FUNCTION;
    const std::vector<std::string> entries = Entries(m_op.pFrom);
    std::vector<fs::path> sources;
    bool wildcard = false;
    for (const std::string& entry : entries) {
      wildcard = wildcard || HasWildcard(entry);
      if (const int reason = Expand(entry, sources)) return Failed(reason, entry);
    }
    if (sources.empty()) return ERROR_FILE_NOT_FOUND;
    const std::vector<std::string> targets = Entries(m_op.pTo);
    const fs::path target = targets.empty() ? fs::path() : fs::path(targets.front());
    int result = 0;
    switch (m_op.wFunc) {
      case FO_DELETE:
        result = Delete(sources);
        break;
      case FO_RENAME:
        result = sources.size() == 1 && !target.empty() ? Rename(sources.front(), target) : ERROR_FILE_NOT_FOUND;
        break;
      default:
        if (target.empty()) return ERROR_FILE_NOT_FOUND;
        result = Transfer(sources, target, entries.size() > 1 || wildcard, m_op.wFunc == FO_MOVE);
        break;
    }
    // A file skipped by "No" leaves the operation incomplete.
    return result == 0 && m_skipped > 0 ? ERROR_CANCELLED : result;
  }

  int Failed(int reason, const fs::path& at) {
    m_failedAt = at;
    return reason;
  }
  int Failed(const std::error_code& error, const fs::path& at) { return Failed(ReasonOf(error), at); }

  // The user's answer; "No" counts the file as skipped, and "No" or
  // "Cancel" marks the operation as aborted.
  FileAnswer Ask(FileQuestionKind kind, const fs::path& path, size_t count, const std::string& text) {
    if ((m_op.fFlags & FOF_NOCONFIRMATION) || m_yesToAll || !m_op.confirm) return FileAnswer::Yes;
    const FileAnswer answer = m_op.confirm(FileQuestion{kind, path.string(), count, text});
    if (answer == FileAnswer::YesToAll) m_yesToAll = true;
    if (answer == FileAnswer::No) ++m_skipped;
    if (answer == FileAnswer::No || answer == FileAnswer::Cancel) m_op.fAnyOperationsAborted = true;
    return answer;
  }

  // `several`: the sources go into the target folder (see the header).
  int Transfer(const std::vector<fs::path>& sources, const fs::path& target, bool several, bool move) {
    std::error_code query;
    const bool intoFolder = several || fs::is_directory(target, query);
    std::vector<std::pair<fs::path, fs::path>> steps;
    for (const fs::path& source : sources) {
      const fs::path to = intoFolder ? target / source.filename() : target;
      if (fs::equivalent(source, to, query)) continue;
      // A folder into itself would copy without end: refused before anything is done.
      if (fs::is_directory(source, query) && IsWithin(to, source)) return Failed(DE_DESTSUBTREE, source);
      steps.emplace_back(source, to);
    }
    std::error_code error;
    if (intoFolder) {
      fs::create_directories(target, error);
      if (error) return Failed(error, target);
    }
    for (const auto& [source, to] : steps) {
      if (const int reason = Place(source, to, move)) return reason;
    }
    return 0;
  }

  // Copies or moves `source` to the name `to`: a file replaces a file there
  // when the user agrees, a folder is merged into a folder there.
  int Place(const fs::path& source, const fs::path& to, bool move) {
    std::error_code query;  // a query's error: a name that does not exist
    const bool targetExists = fs::exists(fs::symlink_status(to, query));
    const bool targetIsFolder = fs::is_directory(to, query);
    std::error_code error;
    if (fs::is_directory(source, query)) {
      if (targetExists && !targetIsFolder) return Failed(ERROR_ALREADY_EXISTS, to);
      if (move && !targetExists && MoveWhole(source, to, error)) return 0;
      if (error) return Failed(error, source);
      if (!targetExists) fs::create_directory(to, error);
      if (error) return Failed(error, to);
      std::vector<fs::path> children;
      for (const fs::directory_entry& child : fs::directory_iterator(source, error)) children.push_back(child.path());
      if (error) return Failed(error, source);
      const size_t skipped = m_skipped;
      for (const fs::path& child : children) {
        if (const int reason = Place(child, to / child.filename(), move)) return reason;
      }
      // A moved folder goes once everything in it has moved.
      if (move && m_skipped == skipped) fs::remove(source, error);
      return error ? Failed(error, source) : 0;
    }
    if (targetExists) {
      if (targetIsFolder) return Failed(ERROR_ALREADY_EXISTS, to);
      switch (Ask(FileQuestionKind::Replace, to, 1, "Do you want to replace the file '" + to.string() + "'?")) {
        case FileAnswer::No:
          return 0;
        case FileAnswer::Cancel:
          return ERROR_CANCELLED;
        default:
          break;
      }
    }
    if (move && MoveWhole(source, to, error)) return 0;
    if (error) return Failed(error, source);
    fs::copy_file(source, to, fs::copy_options::overwrite_existing, error);
    if (!error && move) fs::remove(source, error);
    return error ? Failed(error, to) : 0;
  }

  // Moves by renaming; false with no error when the target is on another
  // file system, where the caller copies and deletes instead.
  static bool MoveWhole(const fs::path& source, const fs::path& to, std::error_code& error) {
    fs::rename(source, to, error);
    if (!error) return true;
    if (error.value() == EXDEV) error.clear();
    return false;
  }

  int Rename(const fs::path& source, fs::path target) {
    // A bare name renames in the source's folder.
    if (!target.has_parent_path()) target = source.parent_path() / target;
    std::error_code error;
    if (fs::exists(fs::symlink_status(target, error))) return Failed(ERROR_ALREADY_EXISTS, target);
    fs::rename(source, target, error);
    return error ? Failed(error, source) : 0;
  }

  int Delete(const std::vector<fs::path>& sources) {
    const bool undo = (m_op.fFlags & FOF_ALLOWUNDO) != 0;
    // One question for the whole delete.
    const fs::path& first = sources.front();
    const size_t count = sources.size();
    const FileAnswer answer =
        count == 1 ? Ask(undo ? FileQuestionKind::Trash : FileQuestionKind::Delete, first, 1,
                         undo ? "Do you want to move '" + first.string() + "' to the trash?"
                              : "Do you want to delete '" + first.string() + "' for good?")
                   : Ask(undo ? FileQuestionKind::TrashItems : FileQuestionKind::DeleteItems, first, count,
                         undo ? "Do you want to move these " + std::to_string(count) + " items to the trash?"
                              : "Do you want to delete these " + std::to_string(count) + " items for good?");
    if (answer == FileAnswer::No || answer == FileAnswer::Cancel) return ERROR_CANCELLED;
    for (const fs::path& source : sources) {
      std::error_code error;
      if (undo) {
        error = MoveToTrash(source);
      } else {
        fs::remove_all(source, error);
      }
      if (error) return Failed(error, source);
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
  bool m_yesToAll = false;
  size_t m_skipped = 0;  // files the user chose not to replace
  fs::path m_failedAt;
};

}  // namespace

int SHFileOperationA(SHFILEOPSTRUCTA& operation) {
  operation.fAnyOperationsAborted = false;
  return Operation(operation).Run();
}

}  // namespace shell
