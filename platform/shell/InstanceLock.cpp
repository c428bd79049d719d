#include "shell/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace shell {

InstanceLock::InstanceLock(const std::string& path) {
  m_fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
  if (m_fd < 0) return;
  int result = 0;
  do {
    result = ::flock(m_fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  if (result != 0) {
    // EWOULDBLOCK: another holds it. Any other failure: locks do not work
    // on this file system, so nobody is kept out.
    if (errno != EWOULDBLOCK) {
      ::close(m_fd);
      m_fd = -1;
    }
    return;
  }
  m_held = true;
  const std::string pid = std::to_string(::getpid()) + "\n";
  if (::ftruncate(m_fd, 0) == 0) {
    [[maybe_unused]] const ssize_t written = ::pwrite(m_fd, pid.data(), pid.size(), 0);
  }
}

InstanceLock::~InstanceLock() {
  if (m_fd >= 0) ::close(m_fd);
}

int32_t InstanceLock::HolderPid() const {
  if (m_fd < 0) return 0;
  char text[32] = {};
  const ssize_t read = ::pread(m_fd, text, sizeof text - 1, 0);
  if (read <= 0) return 0;
  return static_cast<int32_t>(std::strtol(text, nullptr, 10));
}

}  // namespace shell
