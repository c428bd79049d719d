#include <gtest/gtest.h>

#include <cstdlib>

#include "win/Clipboard.h"
#include "win/DisplayBackend.h"

TEST(DisplayBackend, UnitTestsRunHeadlessWhateverDisplaySays) {
  setenv("DISPLAY", ":0", 1);
  EXPECT_FALSE(win::Display().HasScreen());
  EXPECT_FALSE(win::UseX11Display(":0"));
  // Without a display the clipboard lives in the process.
  win::SetClipboardText("text");
  EXPECT_EQ(win::GetClipboardText(), "text");
  win::SetClipboardText(std::nullopt);
  EXPECT_FALSE(win::GetClipboardText().has_value());
}
