// Renders of the program's windows with the pinned fonts, written to
// build/qvadmin/ to be looked at.
#include <gtest/gtest.h>

#include "../../core/tests/CoreTestSupport.h"
#include "core/RegistrySettings.h"
#include "main/frmMDI.h"
#include "main/tests/MainWindowLoad.h"
#include "main/tests/Renders.h"

namespace qvadmin {
namespace {

TEST(Renders, MainWindowWithTheStartPage) {
  auto main = test::LoadMainWindow();
  EXPECT_TRUE(test::RenderForm(*main, "main-window"));
  main->Unload();
}

}  // namespace
}  // namespace qvadmin
