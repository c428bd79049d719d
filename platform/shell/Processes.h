// The running processes of the system, read from /proc.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace shell {

struct ProcessEntry {
  int32_t pid = 0;
  // The file name of the process's executable (the last part of the
  // /proc/<pid>/exe link), or its command name when the link cannot be
  // read (processes of other users, kernel threads).
  std::string exeName;
};

// A snapshot of the processes running now, in order of process id.
std::vector<ProcessEntry> RunningProcesses();

}  // namespace shell
