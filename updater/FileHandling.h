// File routines of the update assistant: writing a downloaded file and
// copying the update into the update folder, each failure seen at once and
// raised as the runtime's error with the file and the system's reason.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace verscout {

// Writes `bytes` as the whole file `path`, replacing it. Every write and
// the closing are checked, so a full disk shows here, also for a body so
// small that it would reach the disk only when the file is closed; a file
// that could not be written whole is removed. Raises "Disk full" (61),
// "Permission denied" (70), "Path not found" (76) or "Path/File access
// error" (75), described as the path, ": " and the system's reason.
void WriteWholeFile(const std::string& path, std::string_view bytes);

// A file written from its start in chunks, as they come, through a buffer
// of a megabyte; every write and the closing are checked. The first
// failure is kept: Append then refuses every chunk, and Close raises it as
// WriteWholeFile does and removes the file. A writer that is not closed
// removes its file.
class FileWriter {
 public:
  // Replaces the file `path` with an empty one.
  explicit FileWriter(std::string path);
  ~FileWriter();
  FileWriter(const FileWriter&) = delete;
  FileWriter& operator=(const FileWriter&) = delete;

  // False once a write has failed.
  bool Append(std::string_view bytes);
  bool Failed() const { return m_error != 0; }
  // Writes what is buffered and closes the file; raises the first failure.
  void Close();

 private:
  bool Flush();

  std::string m_path;
  int m_fd = -1;
  int m_error = 0;
  std::string m_buffer;
};

struct FileCopy {
  std::string source;
  std::string dest;
};

// Renames a file over another; 0 or the system's error code.
using RenameFile = std::function<int(const std::string& from, const std::string& to)>;
int SystemRename(const std::string& from, const std::string& to);

// Copies each source over its destination so that the destinations change
// together, all or none:
// 1. every copy is written beside its destination as dest & ".part" and,
//    once all are whole, renamed to dest & ".new";
// 2. every destination that exists is kept as dest & ".prev" (a second
//    name of the same file);
// 3. the ".new" files are renamed over the destinations; when one fails,
//    the destinations renamed before it get their ".prev" back (or go,
//    when there was none);
// 4. the ".prev" files go.
// On a failure the destinations are as they were and no file of the copy is
// left; the error is raised as WriteWholeFile raises it, naming the file
// that failed. Only when a destination cannot be put back either, the
// copy is left to be finished (CompleteInterruptedCopy) and `partly` is
// set. `rename` renames a file (the system's rename, unless a test says).
void CopyFilesTogether(const std::vector<FileCopy>& copies, bool& partly, const RenameFile& rename = SystemRename);

// What an interrupted CopyFilesTogether left beside the destinations
// `dests`, in the order they were copied (a process killed in the middle):
// while the first's ".part" file is left, the copying may not have ended
// and nothing was renamed over a destination: the copy is undone (its
// files removed). Otherwise every copy was whole: the copy is finished
// (what is left of it renamed over the destinations). The ".prev" files
// go. What was done, in English for the log: "finished",
// "undone", or "" when nothing was left.
std::string CompleteInterruptedCopy(const std::vector<std::string>& dests);

}  // namespace verscout
