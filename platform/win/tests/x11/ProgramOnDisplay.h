// A whole program started in a process of its own on an X display, for
// real-window tests of the programs: the processor time it uses, and its
// end. Test code only.
#pragma once

#include <signal.h>
#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace win::x11test {

class ProgramOnDisplay {
 public:
  // Starts `program` with `arguments` on `display`, with this process's
  // environment where `environment` ("NAME=value") does not replace it.
  ProgramOnDisplay(const std::string& program, const std::vector<std::string>& arguments, const std::string& display,
                   const std::vector<std::string>& environment = {}) {
    std::vector<std::string> env = environment;
    env.push_back("DISPLAY=" + display);
    for (char** e = environ; *e; ++e) {
      const std::string entry = *e;
      const std::string name = entry.substr(0, entry.find('=') + 1);
      bool replaced = false;
      for (const std::string& own : env) replaced = replaced || own.starts_with(name);
      if (!replaced) env.push_back(entry);
    }
    std::vector<char*> envp;
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::vector<std::string> args{program};
    args.insert(args.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (::posix_spawn(&m_pid, program.c_str(), nullptr, nullptr, argv.data(), envp.data()) != 0) m_pid = -1;
  }
  ~ProgramOnDisplay() {
    if (m_pid > 0 && !m_status) {
      ::kill(m_pid, SIGKILL);
      ::waitpid(m_pid, nullptr, 0);
    }
  }
  ProgramOnDisplay(const ProgramOnDisplay&) = delete;
  ProgramOnDisplay& operator=(const ProgramOnDisplay&) = delete;

  pid_t Pid() const { return m_pid; }
  bool Started() const { return m_pid > 0; }

  // Processor time (user and system) used so far, in milliseconds; -1
  // once the process has ended.
  int64_t CpuMs() const {
    std::ifstream in("/proc/" + std::to_string(m_pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const size_t end = stat.rfind(')');
    if (m_status || end == std::string::npos) return -1;
    // After the name: state, then fields 4 to 13, then utime and stime.
    std::istringstream fields(stat.substr(end + 2));
    std::string field;
    int64_t ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
      if (i >= 14) ticks += std::stoll(field);
    }
    return ticks * 1000 / ::sysconf(_SC_CLK_TCK);
  }

  // Processor time used over `ms` of wall time, in milliseconds.
  int64_t CpuMsOver(int ms) const {
    const int64_t before = CpuMs();
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return CpuMs() - before;
  }

  // Waits up to `ms` for the end; its exit code (128 + the signal when a
  // signal ended it), nullopt while it still runs.
  std::optional<int> WaitForEnd(int ms) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (!m_status && m_pid > 0) {
      int status = 0;
      if (::waitpid(m_pid, &status, WNOHANG) == m_pid) {
        m_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
      } else if (std::chrono::steady_clock::now() >= deadline) {
        break;
      } else {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
      }
    }
    return m_status;
  }

 private:
  pid_t m_pid = -1;
  std::optional<int> m_status;
};

// Waits up to `ms` until `done` answers true, asking every 50 ms.
template <class Done>
bool WaitUntil(int ms, Done done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return true;
}

}  // namespace win::x11test
