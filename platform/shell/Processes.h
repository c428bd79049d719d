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

// The length at which the kernel cuts a command name (/proc/<pid>/comm).
inline constexpr size_t kCommandNameLength = 15;

// A process's name from its /proc files when its executable link cannot be
// read: the command name `comm`, or, when that was cut at 15 bytes, the
// file name of the first argument of `cmdline` that begins with it.
std::string NameFromCommandFiles(const std::string& comm, const std::string& cmdline);

// A snapshot of the processes running now, in order of process id.
std::vector<ProcessEntry> RunningProcesses();

}  // namespace shell
