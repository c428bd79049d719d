// A disk that is full beyond a size, for as long as the guard lives: no
// file of this process may grow past `bytes` (RLIMIT_FSIZE), so a write
// beyond fails with EFBIG as a write to a full disk fails with ENOSPC. The
// signal such a write would raise is ignored meanwhile.
#pragma once

#include <signal.h>
#include <sys/resource.h>

class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    ::getrlimit(RLIMIT_FSIZE, &m_old);
    m_oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, m_old.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    ::setrlimit(RLIMIT_FSIZE, &m_old);
    ::signal(SIGXFSZ, m_oldHandler);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit m_old{};
  sighandler_t m_oldHandler = SIG_DFL;
};
