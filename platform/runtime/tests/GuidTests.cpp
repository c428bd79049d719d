#include <gtest/gtest.h>

#include <regex>
#include <set>

#include "runtime/Guid.h"

using namespace rt;

TEST(Guid, NewGuidsAreVersion4InRegistryForm) {
  const std::regex form("\\{[0-9A-F]{8}-[0-9A-F]{4}-4[0-9A-F]{3}-[89AB][0-9A-F]{3}-[0-9A-F]{12}\\}");
  std::set<std::string> seen;
  for (int i = 0; i < 200; ++i) {
    GUID guid;
    ASSERT_EQ(CoCreateGuid(&guid), S_OK);
    std::string text = GuidToString(guid);
    EXPECT_TRUE(std::regex_match(text, form)) << text;
    seen.insert(text);
  }
  EXPECT_EQ(seen.size(), 200u);
}

TEST(Guid, StringFromGuid2WritesFieldsInOrderAndNeedsRoomForTheNul) {
  GUID guid{0x00000001, 0xABCD, 0x0012, {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
  char buffer[39];
  EXPECT_EQ(StringFromGUID2(guid, buffer, 39), 39);
  EXPECT_STREQ(buffer, "{00000001-ABCD-0012-0123-456789ABCDEF}");
  EXPECT_EQ(StringFromGUID2(guid, buffer, 38), 0);
  EXPECT_EQ(CoCreateGuid(nullptr), E_FAIL);
}
