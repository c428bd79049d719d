#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "shell/StartProgram.h"

namespace {

// The state letter of a process in /proc ("Z" for a zombie), "" once it is
// gone.
std::string ProcessState(int32_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string line;
  if (!std::getline(stat, line)) return "";
  const size_t name = line.rfind(')');
  return name == std::string::npos || name + 2 >= line.size() ? "" : line.substr(name + 2, 1);
}

// A program started without waiting ends without leaving a zombie behind,
// though nobody asks for its end; its arguments reach it as they are.
TEST(StartProgram, AnEndedProgramLeavesNoZombie) {
  const std::string folder = std::filesystem::temp_directory_path() / ("qvshell-start-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const int32_t pid = shell::StartProgram("/bin/sh", {"-c", "echo \"$0\" > said.txt", "two words"}, folder);
  EXPECT_GT(pid, 0);
  std::string state = pid > 0 ? ProcessState(pid) : "";
  for (int i = 0; i < 1000 && !state.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    state = ProcessState(pid);
  }
  EXPECT_EQ(state, "") << "the program is still listed (state " << state << ")";
  std::ifstream said(folder + "/said.txt");
  std::string line;
  std::getline(said, line);
  EXPECT_EQ(line, "two words");
  std::filesystem::remove_all(folder);
  EXPECT_EQ(shell::StartProgram("/nonexistent/program", {}, ""), 0);
}

}  // namespace
