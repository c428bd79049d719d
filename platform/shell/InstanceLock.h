// One running instance of a program at a time: a lock on a file that one
// process holds for as long as it lives (the system frees it when the
// process ends, however it ends). The holder writes its process id into
// the file, so that a second instance can find the first.
#pragma once

#include <cstdint>
#include <string>

namespace shell {

class InstanceLock {
 public:
  // Tries to take the lock on the file `path`, made when it is missing.
  explicit InstanceLock(const std::string& path);
  ~InstanceLock();
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;

  // Whether this object holds the lock.
  bool Held() const { return m_held; }
  // Whether another process holds it (false when the file could not be
  // opened at all: then nobody can be told apart, and nobody is kept out).
  bool HeldByAnother() const { return m_fd >= 0 && !m_held; }
  // The process id the holder wrote into the file; 0 when it is not known.
  int32_t HolderPid() const;

 private:
  int m_fd = -1;
  bool m_held = false;
};

}  // namespace shell
