#include <gtest/gtest.h>

#include "runtime/Date.h"
#include "users/LastLogin.h"
#include "users/ViewHelpers.h"
#include "users/frmDBEdit.h"
#include "users/frmDBPflege.h"
#include "users/frmUserEdit.h"

namespace qvadmin {
namespace {

TEST(LastLogin, DecodesThePickedDigitsAndGivesNoDateForWhatDoesNotDecode) {
  EXPECT_FALSE(DecodeLastLogin(0));
  // Digits 2, 4-5 and 7-8 of 15201381 are "5", "01", "81": reversed 18105,
  // plus 27251 is day 45356, 5 March 2024.
  EXPECT_EQ(DecodeLastLogin(15201381), rt::DateSerial(2024, 3, 5));
  EXPECT_EQ(DecodeLastLogin(123), rt::DateValue{27253});  // only digit 2 exists
  EXPECT_FALSE(DecodeLastLogin(7));                       // nothing to pick
  EXPECT_TRUE(LastLoginItem(rt::Variant(7)).IsNull());
  EXPECT_TRUE(LastLoginItem(rt::Variant(0)).IsNull());
}

TEST(ArchiveFolder, IsADirectChildOfTheRootNamedWithAtLeastFiveDigits) {
  EXPECT_EQ(ArchiveFolderOf("/srv/archive", 42), "/srv/archive/00042");
  EXPECT_EQ(ArchiveFolderOf("/srv/archive/", 42), "/srv/archive/00042");
  EXPECT_EQ(ArchiveFolderOf("", 42), "");
  EXPECT_EQ(ArchiveFolderOf("/srv/archive", 0), "");
  EXPECT_EQ(ArchiveFolderOf("/srv/archive", 99999), "/srv/archive/99999");
  EXPECT_EQ(ArchiveFolderOf("/srv/archive", 123456), "/srv/archive/123456");
}

TEST(OwnerEntries, HideTheIdBehindBlanks) {
  const std::string entry = OwnerEntry("{ID}", "jdoe", "John Doe", 99);
  EXPECT_EQ(entry, "John Doe (jdoe)" + std::string(99, ' ') + "|{ID}");
  EXPECT_EQ(OwnerEntryID(entry), "{ID}");
  struct Case {
    const char* login;
    const char* fullname;
    const char* shown;  // the entry before its blanks
  };
  for (const Case& c : {Case{"jdoe", "jdoe", "jdoe"}, Case{"cloudsdk", "", "cloudsdk"},
                        Case{"", "<unknown user>", "<unknown user>"}}) {
    EXPECT_EQ(OwnerEntry("{ID}", c.login, c.fullname, 3), std::string(c.shown) + "   |{ID}") << c.login;
  }
}

TEST(RightsMask, ChecksTheBoxesOfItsBits) {
  struct Case {
    int32_t mask;
    bool publicBox, personalBox;
  };
  for (const Case& c : {Case{0, false, false}, Case{1, true, false}, Case{2, false, true}, Case{3, true, true},
                        Case{5, false, false}, Case{-1, false, false}}) {
    EXPECT_EQ(MaskChecks(c.mask, 0), c.publicBox) << c.mask;
    EXPECT_EQ(MaskChecks(c.mask, 1), c.personalBox) << c.mask;
  }
}

TEST(Counts, AreWrittenWithThousandsSeparators) {
  EXPECT_EQ(FormatCount(0), "0");
  EXPECT_EQ(FormatCount(999), "999");
  EXPECT_EQ(FormatCount(1234), "1,234");
  EXPECT_EQ(FormatCount(1234567), "1,234,567");
}

}  // namespace
}  // namespace qvadmin
