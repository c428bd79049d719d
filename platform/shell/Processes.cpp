#include "shell/Processes.h"

#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <string_view>

namespace shell {

namespace {

constexpr std::string_view kDeleted = " (deleted)";

std::string ReadWhole(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ExecutableName(const std::string& procDir) {
  char target[4096];
  ssize_t n = ::readlink((procDir + "/exe").c_str(), target, sizeof target - 1);
  if (n > 0) {
    std::string path(target, static_cast<size_t>(n));
    // A program replaced on disk while it runs keeps its name.
    if (path.size() > kDeleted.size() && path.ends_with(kDeleted)) path.resize(path.size() - kDeleted.size());
    return path.substr(path.rfind('/') + 1);
  }
  return NameFromCommandFiles(ReadWhole(procDir + "/comm"), ReadWhole(procDir + "/cmdline"));
}

}  // namespace

std::string NameFromCommandFiles(const std::string& comm, const std::string& cmdline) {
  std::string name = comm.substr(0, comm.find('\n'));
  if (name.size() < kCommandNameLength) return name;
  // The kernel keeps only the first 15 bytes of the name: the full one is
  // the file name of the first argument when that begins with them.
  std::string first = cmdline.substr(0, cmdline.find('\0'));
  first = first.substr(first.rfind('/') + 1);
  return first.starts_with(name) ? first : name;
}

std::vector<ProcessEntry> RunningProcesses() {
  std::vector<ProcessEntry> out;
  DIR* proc = ::opendir("/proc");
  if (!proc) return out;
  while (const dirent* entry = ::readdir(proc)) {
    std::string_view name(entry->d_name);
    if (name.empty() || !std::all_of(name.begin(), name.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); })) {
      continue;
    }
    ProcessEntry process;
    process.pid = static_cast<int32_t>(std::stol(std::string(name)));
    process.exeName = ExecutableName("/proc/" + std::string(name));
    // A process that ended while we looked has neither link nor name.
    if (!process.exeName.empty()) out.push_back(std::move(process));
  }
  ::closedir(proc);
  std::sort(out.begin(), out.end(), [](const ProcessEntry& a, const ProcessEntry& b) { return a.pid < b.pid; });
  return out;
}

}  // namespace shell
