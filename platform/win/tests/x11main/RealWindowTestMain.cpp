// The main of a real-window test binary: its tests run on a private X
// server of their own, started before the first test and stopped after
// the last, so parallel binaries never share a display.
#include <gtest/gtest.h>

#include <cstdio>

#include "win/X11Testing.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  win::x11test::PrivateServer server;
  if (!server.Started()) {
    std::fprintf(stderr, "No private X server: %s\n", server.Error().c_str());
    return 1;
  }
  return RUN_ALL_TESTS();
}
