#include "runtime/Date.h"

#include <langinfo.h>
#include <locale.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "runtime/Clock.h"

namespace rt {

namespace {
using namespace std::chrono;
constexpr int kEpochOffset = 25569;  // day number of 1 January 1970
}  // namespace

DateValue DateSerial(int year, int month, int day) {
  // Months outside 1..12 roll into the neighbouring years, as the runtime's
  // DateSerial does; days roll the same way.
  int y = year + (month - 1) / 12;
  int m = (month - 1) % 12;
  if (m < 0) { m += 12; --y; }
  sys_days base = year_month_day{std::chrono::year{y}, std::chrono::month{static_cast<unsigned>(m + 1)}, std::chrono::day{1}};
  auto days = (base.time_since_epoch().count()) + (day - 1);
  return DateValue{static_cast<double>(days + kEpochOffset)};
}

DateValue TimeSerial(int hour, int minute, int second) {
  return DateValue{(hour * 3600.0 + minute * 60.0 + second) / 86400.0};
}

DateValue Now() {
  double ms = static_cast<double>(CurrentClock().WallMs());
  return DateValue{ms / 86400000.0 + kEpochOffset};
}

DateValue Today() { return DateValue{std::floor(Now().days)}; }

DateParts SplitDate(DateValue d) {
  double whole = std::floor(d.days);
  long seconds = std::lround((d.days - whole) * 86400.0);
  if (seconds >= 86400) { seconds -= 86400; whole += 1; }
  sys_days sd{std::chrono::days{static_cast<long>(whole) - kEpochOffset}};
  year_month_day ymd{sd};
  return DateParts{static_cast<int>(ymd.year()), static_cast<int>(static_cast<unsigned>(ymd.month())),
                   static_cast<int>(static_cast<unsigned>(ymd.day())), static_cast<int>(seconds / 3600),
                   static_cast<int>((seconds / 60) % 60), static_cast<int>(seconds % 60)};
}

std::string FormatDate(DateValue d, const std::string& pattern) {
  DateParts p = SplitDate(d);
  std::string out;
  auto two = [&](int v) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d", v);
    out += buf;
  };
  for (size_t i = 0; i < pattern.size();) {
    auto at = [&](const char* f) { return pattern.compare(i, std::char_traits<char>::length(f), f) == 0; };
    if (at("yyyy")) { char buf[8]; std::snprintf(buf, sizeof buf, "%04d", p.year); out += buf; i += 4; }
    else if (at("mm")) { two(p.month); i += 2; }
    else if (at("dd")) { two(p.day); i += 2; }
    else if (at("hh")) { two(p.hour); i += 2; }
    else if (at("nn")) { two(p.minute); i += 2; }
    else if (at("ss")) { two(p.second); i += 2; }
    else out += pattern[i++];
  }
  return out;
}

namespace {

// The user's time locale, read anew on each call so that a change of the
// environment applies; the C locale when it names none that exists.
class TimeLocale {
 public:
  TimeLocale() : m_locale(newlocale(LC_TIME_MASK, "", static_cast<locale_t>(nullptr))) {
    if (m_locale == static_cast<locale_t>(nullptr))
      m_locale = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(nullptr));
  }
  ~TimeLocale() {
    if (m_locale != static_cast<locale_t>(nullptr)) freelocale(m_locale);
  }
  TimeLocale(const TimeLocale&) = delete;
  TimeLocale& operator=(const TimeLocale&) = delete;

  std::string Format(DateValue d, nl_item format) const {
    const DateParts p = SplitDate(d);
    std::tm tm{};
    tm.tm_year = p.year - 1900;
    tm.tm_mon = p.month - 1;
    tm.tm_mday = p.day;
    tm.tm_hour = p.hour;
    tm.tm_min = p.minute;
    tm.tm_sec = p.second;
    tm.tm_wday = static_cast<int>(
        std::chrono::weekday{std::chrono::sys_days{std::chrono::year{p.year} / p.month / p.day}}.c_encoding());
    char buffer[128];
    const size_t n = strftime_l(buffer, sizeof buffer, nl_langinfo_l(format, m_locale), &tm, m_locale);
    return std::string(buffer, n);
  }

 private:
  locale_t m_locale;
};

}  // namespace

std::string ShortDateText(DateValue d) { return TimeLocale().Format(d, D_FMT); }

std::string TimeText(DateValue d) { return TimeLocale().Format(d, T_FMT); }

}  // namespace rt
