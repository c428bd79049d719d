#include "FileHandling.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "runtime/Error.h"

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
  rt::Raise(number, {}, path + ": " + std::strerror(code));
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

void CopyFilesTogether(const std::vector<FileCopy>& copies) {
  std::vector<std::string> staged;
  const auto removeStaged = [&] {
    for (const std::string& file : staged) ::unlink(file.c_str());
  };
  try {
    for (const FileCopy& copy : copies) {
      staged.push_back(copy.dest + ".part");
      CopyFile(copy.source, staged.back(), copy.dest);
    }
    // What would make a rename fail is found before anything is renamed.
    for (const FileCopy& copy : copies) {
      struct stat info {};
      if (::stat(copy.dest.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) RaiseFileError(EISDIR, copy.dest);
    }
  } catch (...) {
    removeStaged();
    throw;
  }
  for (size_t i = 0; i < copies.size(); ++i) {
    if (std::rename(staged[i].c_str(), copies[i].dest.c_str()) != 0) {
      const int error = errno;
      removeStaged();
      RaiseFileError(error, copies[i].dest);
    }
  }
}

}  // namespace verscout
