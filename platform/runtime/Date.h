// Dates as day numbers: days since 30 December 1899, the fraction being the
// time of day.
#pragma once

#include <string>

#include "runtime/Variant.h"

namespace rt {

DateValue DateSerial(int year, int month, int day);
DateValue TimeSerial(int hour, int minute, int second);
DateValue Now();    // from the current clock
DateValue Today();  // "Date": today at midnight

struct DateParts {
  int year, month, day, hour, minute, second;
};
DateParts SplitDate(DateValue d);

// Formats with the patterns the system uses: "yyyy", "mm", "dd", "hh",
// "nn", "ss" as fields; anything else is copied.
std::string FormatDate(DateValue d, const std::string& pattern);

// A date as the system writes it: the short date and the time formats of
// the user's locale (LC_TIME, LC_ALL or LANG; the C locale's when none is
// set or the named locale is missing).
std::string ShortDateText(DateValue d);
std::string TimeText(DateValue d);

}  // namespace rt
