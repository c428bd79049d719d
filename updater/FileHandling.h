// File routines of the update assistant: writing a downloaded file and
// copying the update into the update folder, each failure seen at once and
// raised as the runtime's error with the file and the system's reason.
#pragma once

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

// Copies each source over its destination so that the destinations change
// together: every copy is first written beside its destination as
// dest & ".part", and only when all are whole are they renamed over the
// destinations. On a failure no destination has changed and no ".part"
// file is left. Raises as WriteWholeFile, naming the file that failed.
void CopyFilesTogether(const std::vector<FileCopy>& copies);

}  // namespace verscout
