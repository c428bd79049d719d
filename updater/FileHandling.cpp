#include "FileHandling.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "Global.h"
#include "runtime/Error.h"
#include "runtime/SystemReason.h"

namespace verscout {

namespace {

constexpr int32_t errDiskFull = 61;
constexpr int32_t errPermissionDenied = 70;
constexpr int32_t errPathFileAccess = 75;
constexpr int32_t errPathNotFound = 76;
constexpr size_t kWriteBuffer = size_t{1} << 20;

// The runtime's error for a system error code of a file call.
[[noreturn]] void RaiseFileError(int code, const std::string& path) {
  int32_t number = errPathFileAccess;
  switch (code) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
      number = errDiskFull;
      break;
    case EACCES:
    case EPERM:
    case EROFS:
      number = errPermissionDenied;
      break;
    case ENOENT:
    case ENOTDIR:
      number = errPathNotFound;
      break;
    default:
      break;
  }
  // The reason in the assistant's language: it stands in the status list.
  rt::Raise(number, {}, path + ": " + rt::SystemReason(code, IsEnglish));
}

// A file descriptor that is closed when it goes; Close reports the
// closing's error, which is where a network file system tells that the
// data did not fit.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int Get() const { return m_fd; }
  int Close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0 ? 0 : errno;
  }

 private:
  int m_fd;
};

int OpenForWriting(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

// Writes all of `bytes`; 0 or the system's error code.
int WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return 0;
}

// Copies the whole of `in` into `out`, in the kernel where it can; 0 or the
// system's error code.
int CopyAll(int in, int out) {
  char buffer[1 << 16];
  bool inKernel = true;
  while (true) {
    ssize_t copied = 0;
    if (inKernel) {
      copied = ::copy_file_range(in, nullptr, out, nullptr, size_t{1} << 30, 0);
      if (copied < 0 && (errno == EXDEV || errno == ENOSYS || errno == EINVAL || errno == EOPNOTSUPP)) {
        inKernel = false;
        continue;
      }
    } else {
      copied = ::read(in, buffer, sizeof buffer);
      if (copied > 0) {
        if (const int error = WriteAll(out, std::string_view(buffer, static_cast<size_t>(copied)))) return error;
      }
    }
    if (copied == 0) return 0;
    if (copied < 0 && errno != EINTR) return errno;
  }
}

// Copies `source` into the new file `staged`; on a failure `staged` is
// removed and the error raised, naming `dest`, the file the copy is for.
void CopyFile(const std::string& source, const std::string& staged, const std::string& dest) {
  FileDescriptor in(::open(source.c_str(), O_RDONLY | O_CLOEXEC));
  if (in.Get() < 0) RaiseFileError(errno, source);
  FileDescriptor out(OpenForWriting(staged));
  if (out.Get() < 0) RaiseFileError(errno, dest);
  int error = CopyAll(in.Get(), out.Get());
  const int closing = out.Close();
  if (!error) error = closing;
  if (error) {
    ::unlink(staged.c_str());
    RaiseFileError(error, dest);
  }
}

}  // namespace

FileWriter::FileWriter(std::string path) : m_path(std::move(path)) {
  ::unlink(m_path.c_str());
  m_fd = OpenForWriting(m_path);
  if (m_fd < 0) m_error = errno;
  m_buffer.reserve(kWriteBuffer);
}

FileWriter::~FileWriter() {
  if (m_fd < 0 && m_error == 0) return;
  if (m_fd >= 0) ::close(m_fd);
  ::unlink(m_path.c_str());
}

bool FileWriter::Flush() {
  if (m_error == 0) m_error = WriteAll(m_fd, m_buffer);
  m_buffer.clear();
  return m_error == 0;
}

bool FileWriter::Append(std::string_view bytes) {
  if (m_error != 0) return false;
  if (m_buffer.size() + bytes.size() > kWriteBuffer && !Flush()) return false;
  if (bytes.size() >= kWriteBuffer) {
    m_error = WriteAll(m_fd, bytes);
  } else {
    m_buffer.append(bytes);
  }
  return m_error == 0;
}

void FileWriter::Close() {
  if (m_error == 0) Flush();
  if (m_fd >= 0) {
    const int closing = ::close(m_fd) == 0 ? 0 : errno;
    if (m_error == 0) m_error = closing;
    m_fd = -1;
  }
  if (m_error != 0) {
    ::unlink(m_path.c_str());
    const int error = m_error;
    m_error = 0;
    RaiseFileError(error, m_path);
  }
}

void WriteWholeFile(const std::string& path, std::string_view bytes) {
  FileWriter file(path);
  file.Append(bytes);
  file.Close();
}

int SystemRename(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

namespace {

constexpr const char* kPart = ".part";
constexpr const char* kNew = ".new";
constexpr const char* kPrev = ".prev";

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

void RemoveCopyFiles(const std::string& dest) {
  for (const char* ending : {kPart, kNew, kPrev}) ::unlink((dest + ending).c_str());
}

// Keeps the destination as dest & ".prev": a second name of the same file
// where the file system has them, else a copy.
void KeepPrevious(const std::string& dest) {
  const std::string prev = dest + kPrev;
  ::unlink(prev.c_str());
  if (::link(dest.c_str(), prev.c_str()) == 0) return;
  CopyFile(dest, prev, dest);
}

}  // namespace

void CopyFilesTogether(const std::vector<FileCopy>& copies, bool& partly, const RenameFile& rename) {
  partly = false;
  std::vector<bool> hadPrevious(copies.size(), false);
  try {
    for (const FileCopy& copy : copies) CopyFile(copy.source, copy.dest + kPart, copy.dest);
    // What would make a rename fail is found before anything is renamed.
    for (const FileCopy& copy : copies) {
      struct stat info {};
      if (::stat(copy.dest.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) RaiseFileError(EISDIR, copy.dest);
    }
    for (const FileCopy& copy : copies) {
      if (const int error = rename(copy.dest + kPart, copy.dest + kNew)) RaiseFileError(error, copy.dest);
    }
    for (size_t i = 0; i < copies.size(); ++i) {
      hadPrevious[i] = Exists(copies[i].dest);
      if (hadPrevious[i]) KeepPrevious(copies[i].dest);
    }
  } catch (...) {
    for (const FileCopy& copy : copies) RemoveCopyFiles(copy.dest);
    throw;
  }
  for (size_t i = 0; i < copies.size(); ++i) {
    const int error = rename(copies[i].dest + kNew, copies[i].dest);
    if (error == 0) continue;
    // The destinations renamed so far get their old files back.
    bool putBack = true;
    for (size_t j = 0; j < i; ++j) {
      const std::string& dest = copies[j].dest;
      putBack = (hadPrevious[j] ? rename(dest + kPrev, dest) == 0 : ::unlink(dest.c_str()) == 0) && putBack;
    }
    if (putBack) {
      for (const FileCopy& copy : copies) RemoveCopyFiles(copy.dest);
    } else {
      // The rest stays for the next run to finish.
      partly = true;
    }
    RaiseFileError(error, copies[i].dest);
  }
  for (const FileCopy& copy : copies) ::unlink((copy.dest + kPrev).c_str());
}

std::string CompleteInterruptedCopy(const std::vector<std::string>& dests) {
  if (dests.empty()) return {};
  bool left = false;
  for (const std::string& dest : dests) left = left || Exists(dest + kPart) || Exists(dest + kNew);
  std::string done;
  if (left && Exists(dests.front() + kPart)) {
    // The copies are renamed on in order once all are whole: the first's
    // ".part" still there means the copying may not have ended.
    for (const std::string& dest : dests) {
      ::unlink((dest + kPart).c_str());
      ::unlink((dest + kNew).c_str());
    }
    done = "undone";
  } else if (left) {
    for (const std::string& dest : dests) {
      for (const char* ending : {kNew, kPart}) {
        if (Exists(dest + ending)) std::rename((dest + ending).c_str(), dest.c_str());
      }
    }
    done = "finished";
  }
  for (const std::string& dest : dests) {
    if (Exists(dest + kPrev)) {
      ::unlink((dest + kPrev).c_str());
      if (done.empty()) done = "finished";
    }
  }
  return done;
}

}  // namespace verscout
