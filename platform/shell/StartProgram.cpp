#include "shell/StartProgram.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <thread>

extern char** environ;

namespace shell {

int32_t StartProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingFolder) {
  std::vector<char*> argv;
  std::string name = program;
  argv.push_back(name.data());
  std::vector<std::string> copies = arguments;
  for (std::string& argument : copies) argv.push_back(argument.data());
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  if (::posix_spawn_file_actions_init(&actions) != 0) return 0;
  if (!workingFolder.empty() && ::posix_spawn_file_actions_addchdir_np(&actions, workingFolder.c_str()) != 0) {
    ::posix_spawn_file_actions_destroy(&actions);
    return 0;
  }
  pid_t pid = 0;
  const int failed = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
  ::posix_spawn_file_actions_destroy(&actions);
  if (failed) return 0;
  // The program runs on its own, as a program started without waiting
  // does on the platform: a thread collects it when it ends, so that it
  // does not linger as a zombie for as long as this program runs.
  std::thread([pid] {
    while (::waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
    }
  }).detach();
  return static_cast<int32_t>(pid);
}

}  // namespace shell
