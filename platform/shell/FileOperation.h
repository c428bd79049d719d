// The shell's file operation (SHFileOperationA): copying, moving, renaming
// and deleting files and folders in one call, with the questions the shell
// asks before it replaces or deletes anything.
//
// pFrom and pTo are lists of paths, each ended by a NUL, the list ended by
// a second NUL. The last component of a source may hold the wildcards "*" and
// "?". Only the first entry of pTo counts: the target folder (an existing
// folder, or a new one when there are several sources) or, for one source,
// the new name. Folders are copied, moved and deleted with everything in
// them.
//
// Flags: FOF_NOCONFIRMATION answers every question with yes; without it the
// operation asks before it replaces a file and before it deletes. The layer
// has no windows of its own, so the caller hands it the question box in
// `confirm` (a question without one is answered yes); an error that box
// raises ends the operation and reaches the caller. FOF_ALLOWUNDO makes a
// delete move the files to the desktop's trash (the freedesktop.org trash
// in $XDG_DATA_HOME, else ~/.local/share), from where they can be restored;
// without it they are deleted for good. FOF_SILENT (no progress window)
// changes nothing here: the layer shows no progress.
//
// The result is 0 when every file was handled, else the reason of the first
// failure: ERROR_FILE_NOT_FOUND for a missing source, ERROR_ALREADY_EXISTS
// for a rename onto an existing name, ERROR_CANCELLED (with
// fAnyOperationsAborted set) when a question was answered no,
// ERROR_INVALID_FUNCTION for an unknown wFunc, ERROR_ACCESS_DENIED or
// ERROR_DISK_FULL or ERROR_GEN_FAILURE when the file system refused.
#pragma once

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

inline constexpr int ERROR_INVALID_FUNCTION = 1;
inline constexpr int ERROR_FILE_NOT_FOUND = 2;
inline constexpr int ERROR_ACCESS_DENIED = 5;
inline constexpr int ERROR_GEN_FAILURE = 31;
inline constexpr int ERROR_DISK_FULL = 112;
inline constexpr int ERROR_ALREADY_EXISTS = 183;
inline constexpr int ERROR_CANCELLED = 1223;

struct SHFILEOPSTRUCTA {
  int32_t hwnd = 0;  // the owner window as a 32-bit integer (unused here)
  uint32_t wFunc = 0;
  std::string pFrom;
  std::string pTo;
  uint16_t fFlags = 0;
  bool fAnyOperationsAborted = false;
  // Asks the user a yes/no question; true for yes.
  std::function<bool(const std::string& question)> confirm;
};

int SHFileOperationA(SHFILEOPSTRUCTA& operation);

}  // namespace shell
