// The shell's file operation (SHFileOperationA): copying, moving, renaming
// and deleting files and folders in one call, with the questions the shell
// asks before it replaces or deletes anything.
//
// pFrom and pTo are lists of paths, each ended by a NUL, the list ended by
// a second NUL. The last component of a source may hold the wildcards "*" and
// "?". Only the first entry of pTo counts: the target folder or, for one
// source without wildcards, the new name. The sources go into the target
// folder (made when it does not exist) when there are several entries, when
// an entry holds a wildcard (however many files it matches) or when the
// target is an existing folder. Folders are copied, moved and deleted with
// everything in them; a folder copied or moved onto an existing folder is
// merged into it. Every source is checked before anything is done: a
// missing one, a wildcard in a missing folder or one that matches nothing,
// and a folder that would go into itself or one of its own subfolders end
// the operation with nothing done.
//
// Questions: FOF_NOCONFIRMATION answers every question with yes; without it
// the operation asks before it replaces a file (each file that would be
// replaced, also inside a folder that is copied or moved) and before it
// deletes (once for the whole delete). The layer has no windows of its own,
// so the caller hands it the question box in `confirm` (a question without
// one is answered yes) and words the question as it likes: the question
// tells what is asked about, with an English wording ready in `text`. "No"
// skips that one file and the operation goes on, "Yes to all" answers every
// later question of the operation, "Cancel" ends it. An error that box
// raises ends the operation and reaches the caller.
//
// Failures: the platform's shell tells the user itself when an operation
// fails, unless FOF_NOERRORUI is set; the layer hands such a failure to
// the caller's `report` (the error box), once, before it returns. A
// question answered "No" or "Cancel" is no failure and is not reported.
//
// FOF_ALLOWUNDO makes a delete move the files to the desktop's trash (the
// freedesktop.org trash in $XDG_DATA_HOME, else ~/.local/share), from where
// they can be restored; without it they are deleted for good. FOF_SILENT (no
// progress window) changes nothing here: the layer shows no progress.
//
// The result is 0 when every file was handled, else the reason of the first
// failure: ERROR_FILE_NOT_FOUND for a missing source or a wildcard that
// matches nothing, ERROR_ALREADY_EXISTS for a rename onto an existing name
// (or a file where a folder goes), DE_DESTSUBTREE for a folder copied or
// moved into itself, ERROR_CANCELLED (with fAnyOperationsAborted set) when a
// question was answered "No" (the other files were handled) or "Cancel",
// ERROR_INVALID_FUNCTION for an unknown wFunc, ERROR_ACCESS_DENIED or
// ERROR_DISK_FULL or ERROR_GEN_FAILURE when the file system refused.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace shell {

inline constexpr uint32_t FO_MOVE = 1;
inline constexpr uint32_t FO_COPY = 2;
inline constexpr uint32_t FO_DELETE = 3;
inline constexpr uint32_t FO_RENAME = 4;

inline constexpr uint16_t FOF_SILENT = 0x4;
inline constexpr uint16_t FOF_NOCONFIRMATION = 0x10;
inline constexpr uint16_t FOF_ALLOWUNDO = 0x40;
inline constexpr uint16_t FOF_NOERRORUI = 0x400;

inline constexpr int ERROR_INVALID_FUNCTION = 1;
inline constexpr int ERROR_FILE_NOT_FOUND = 2;
inline constexpr int ERROR_ACCESS_DENIED = 5;
inline constexpr int ERROR_GEN_FAILURE = 31;
inline constexpr int DE_DESTSUBTREE = 0x76;
inline constexpr int ERROR_DISK_FULL = 112;
inline constexpr int ERROR_ALREADY_EXISTS = 183;
inline constexpr int ERROR_CANCELLED = 1223;

// What a question of the operation asks about.
enum class FileQuestionKind {
  Replace,      // replace the file `path` (the target) with the one being copied or moved
  Delete,       // delete `path` for good
  DeleteItems,  // delete `count` items for good (`path` is the first)
  Trash,        // move `path` to the trash
  TrashItems,   // move `count` items to the trash (`path` is the first)
};

struct FileQuestion {
  FileQuestionKind kind = FileQuestionKind::Replace;
  std::string path;
  size_t count = 1;
  std::string text;  // the question in English
};

enum class FileAnswer { Yes, YesToAll, No, Cancel };

// A failed operation, as the shell's error box tells it.
struct FileFailure {
  int reason = 0;    // the operation's result
  std::string path;  // the file or folder it failed at
  std::string text;  // what failed and why, in English
};

struct SHFILEOPSTRUCTA {
  int32_t hwnd = 0;  // the owner window as a 32-bit integer (unused here)
  uint32_t wFunc = 0;
  std::string pFrom;
  std::string pTo;
  uint16_t fFlags = 0;
  bool fAnyOperationsAborted = false;
  // Asks the user a question of the operation.
  std::function<FileAnswer(const FileQuestion& question)> confirm;
  // Tells the user that the operation failed.
  std::function<void(const FileFailure& failure)> report;
};

int SHFileOperationA(SHFILEOPSTRUCTA& operation);

}  // namespace shell
