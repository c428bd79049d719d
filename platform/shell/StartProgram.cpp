#include "shell/StartProgram.h"

#include <spawn.h>

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
  return failed ? 0 : static_cast<int32_t>(pid);
}

}  // namespace shell
