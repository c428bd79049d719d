#include <gtest/gtest.h>

#include "forms/Label.h"
#include "gdi/FontBackend.h"

namespace {

// On fixed metrics the default font is 11 pixels high and 6 wide a
// character: 165 twips a line, 90 a character.
TEST(LabelSizing, AWrappingLabelGrowsDownwardsAndFollowsItsWidth) {
  gdi::ScopedFixedMetrics metrics;
  forms::Label label;
  label.Move(0, 0, 900, 165);  // ten characters a line
  label.SetWordWrap(true);
  label.SetAutoSize(true);
  label.SetCaption("one two three four");
  EXPECT_EQ(label.Width(), 900);
  EXPECT_EQ(label.Height(), 2 * 165);
  label.SetWidth(450);  // five characters: a word a line
  EXPECT_EQ(label.Height(), 4 * 165);
}

TEST(LabelSizing, WithoutWordWrapItTakesItsTextsWidth) {
  gdi::ScopedFixedMetrics metrics;
  forms::Label label;
  label.SetAutoSize(true);
  label.SetCaption("Caption\r\nof two lines");
  EXPECT_EQ(label.Width(), 12 * 90);
  EXPECT_EQ(label.Height(), 2 * 165);
}

}  // namespace
