#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>

#include "runtime/Clock.h"
#include "runtime/Date.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "runtime/Variant.h"

using namespace rt;

TEST(Error, RaiseCarriesNumberSourceAndRuntimeText) {
  try {
    Raise(5, "Kvctl2.WindowProc");
    FAIL();
  } catch (const Error& e) {
    EXPECT_EQ(e.Number(), 5);
    EXPECT_EQ(e.Source(), "Kvctl2.WindowProc");
    EXPECT_EQ(e.Description(), "Invalid procedure call or argument");
  }
}

TEST(Error, ResumeNextKeepsTheErrorAndGoesOn) {
  Err().Clear();
  int steps = 0;
  EXPECT_FALSE(ResumeNext([&] { Raise(13); }));
  EXPECT_TRUE(ResumeNext([&] { ++steps; }));
  EXPECT_EQ(steps, 1);
  EXPECT_EQ(Err().Number(), 13);
}

TEST(Error, HandlerSeesTheErrorAndBodyStopsAtIt) {
  int after = 0;
  int seen = 0;
  OnErrorGoTo([&] { Raise(vbObjectError + 1, "x", "boom"); ++after; }, [&](const Error& e) { seen = e.Number(); });
  EXPECT_EQ(after, 0);
  EXPECT_EQ(seen, vbObjectError + 1);
}

TEST(Strings, TextCompareIgnoresCaseOfCodePageLetters) {
  EXPECT_EQ(StrComp("ÄBC", "äbc", CompareMethod::Text), 0);
  EXPECT_NE(StrComp("ÄBC", "äbc", CompareMethod::Binary), 0);
  EXPECT_EQ(InStr("Hallo Welt", "WELT", CompareMethod::Text), 7u);
  EXPECT_EQ(InStr("Hallo Welt", "WELT"), 0u);
  EXPECT_EQ(Replace("a-B-b", "b", "x", CompareMethod::Text), "a-x-x");
}

TEST(Strings, CharacterFunctionsCountCharactersNotBytes) {
  EXPECT_EQ(Len("Größe"), 5u);
  EXPECT_EQ(Mid("Größe", 3, 2), "öß");
  EXPECT_EQ(Left("Größe", 3), "Grö");
  EXPECT_EQ(Right("Größe", 2), "ße");
  EXPECT_EQ(Mid("abc", 5), "");
  EXPECT_EQ(Trim("  a b  "), "a b");
}

TEST(Strings, AnsiRoundTripsEveryCode) {
  for (int c = 1; c < 256; ++c) {
    std::string one(1, static_cast<char>(c));
    EXPECT_EQ(ToAnsi(FromAnsi(one)), one) << c;
  }
  EXPECT_EQ(FromAnsi("\x80"), "€");
  EXPECT_EQ(Asc("€"), 0x80);
  EXPECT_EQ(ToAnsi("日"), "?");
}

TEST(Strings, PercentEncodeKeepsOnlyPlainCharacters) {
  EXPECT_EQ(PercentEncode("a-Z_0.~ b/ü&"), "a-Z_0.~%20b%2F%C3%BC%26");
  EXPECT_EQ(PercentEncode("/tmp/a b", "/"), "/tmp/a%20b");
}

TEST(Variant, ConversionsFollowTheRuntime) {
  EXPECT_EQ(Variant("12").ToLong(), 12);
  EXPECT_EQ(Variant(2.5).ToLong(), 2);
  EXPECT_EQ(Variant(3.5).ToLong(), 4);
  EXPECT_EQ(Variant("&HFFFFFFFF").ToLong(), -1);
  EXPECT_EQ(Variant(true).ToString(), "True");
  EXPECT_EQ(Variant().ToString(), "");
  EXPECT_THROW(Variant("abc").ToLong(), Error);
  EXPECT_THROW(Variant("99999999999").ToLong(), Error);
  EXPECT_TRUE(Variant().IsEmpty());
  EXPECT_TRUE(Variant::Null().IsNull());
}

TEST(Variant, TextsTheRuntimeDoesNotReadAsNumbersAreATypeMismatch) {
  for (const char* text : {"nan", "NaN", "-nan", "inf", "-Infinity", "0x10", "1x"}) {
    EXPECT_FALSE(Variant(text).IsNumeric()) << text;
    try {
      Variant(text).ToLong();
      ADD_FAILURE() << text << " converted";
    } catch (const Error& e) {
      EXPECT_EQ(e.Number(), errTypeMismatch) << text;
    }
  }
  EXPECT_EQ(Variant(" 1e3 ").ToLong(), 1000);
  EXPECT_THROW(Variant(std::numeric_limits<double>::quiet_NaN()).ToLong(), Error);
  EXPECT_THROW(Variant(std::numeric_limits<double>::quiet_NaN()).ToInteger(), Error);
}

// The system's formats follow the user's locale; the C locale writes
// month/day/year and a 24-hour time.
TEST(Date, ShortDateAndTimeFollowTheLocale) {
  const char* saved = std::getenv("LC_ALL");
  const std::string restore = saved ? saved : "";
  const DateValue d{DateSerial(2024, 2, 9).days + TimeSerial(13, 5, 9).days};
  for (const char* locale : {"C.UTF-8", "xx_NO_SUCH_LOCALE"}) {
    setenv("LC_ALL", locale, 1);
    EXPECT_EQ(ShortDateText(d), "02/09/24") << locale;
    EXPECT_EQ(TimeText(d), "13:05:09") << locale;
  }
  if (saved)
    setenv("LC_ALL", restore.c_str(), 1);
  else
    unsetenv("LC_ALL");
}

TEST(Date, DayNumbersStartAt30December1899) {
  EXPECT_EQ(DateSerial(1899, 12, 30).days, 0);
  EXPECT_EQ(DateSerial(1900, 1, 1).days, 2);
  EXPECT_EQ(DateSerial(2000, 13, 1).days, DateSerial(2001, 1, 1).days);
  DateValue d{DateSerial(2024, 2, 29).days + TimeSerial(13, 5, 9).days};
  EXPECT_EQ(FormatDate(d, "dd.mm.yyyy hh:nn:ss"), "29.02.2024 13:05:09");
}

TEST(Clock, ManualClockDrivesNow) {
  ManualClock clock(0);
  ScopedClock installed(clock);
  EXPECT_EQ(Now().days, DateSerial(1970, 1, 1).days);
  clock.Advance(86400000);
  EXPECT_EQ(Now().days, DateSerial(1970, 1, 2).days);
}
