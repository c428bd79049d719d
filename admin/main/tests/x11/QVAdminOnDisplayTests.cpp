// The real QVAdmin program on an X server of its own: idle at its start
// (the main window with the start page, the login dialog over it) it uses
// no processor time, and it ends when its X server goes away.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "win/X11Testing.h"
#include "win/tests/x11/ProgramOnDisplay.h"

namespace qvadmin {
namespace {

namespace fs = std::filesystem;
namespace x11 = win::x11test;

TEST(QVAdminOnDisplay, IdleAtItsStartAndEndsWhenTheServerGoesAway) {
  const char* build = std::getenv("QV_BUILD_DIR");
  // A settings store of its own: no stored login, so the login dialog asks.
  const fs::path registry = fs::temp_directory_path() / ("qvadmin-display-reg-" + std::to_string(::getpid()));
  fs::remove_all(registry);
  x11::ServerForProgram display;
  ASSERT_TRUE(display.Started()) << display.Error();
  x11::ProgramOnDisplay program(std::string(build ? build : ".") + "/bin/QVAdmin", {}, display.Name(),
                                {"QV_REGISTRY_DIR=" + registry.string()});
  ASSERT_TRUE(program.Started());
  ASSERT_TRUE(x11::WaitUntil(20000, [&] { return x11::ShownWindowOfProcess(program.Pid(), display.Name()) != 0; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(1000));
  EXPECT_LT(program.CpuMsOver(2000), 100);

  display.Kill();
  const std::optional<int> end = program.WaitForEnd(5000);
  ASSERT_TRUE(end.has_value()) << "still running " << program.CpuMsOver(500) << " ms of 500 on the processor";
  EXPECT_EQ(*end, 0);
  fs::remove_all(registry);
}

}  // namespace
}  // namespace qvadmin
