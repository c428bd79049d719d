#include "runtime/Clock.h"

#include <chrono>
#include <ctime>

namespace rt {

int64_t SystemClock::TickMs() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t SystemClock::WallMs() {
  using namespace std::chrono;
  auto utc = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  std::time_t t = static_cast<std::time_t>(utc / 1000);
  std::tm local{};
  localtime_r(&t, &local);
  return utc + static_cast<int64_t>(local.tm_gmtoff) * 1000;
}

namespace {
SystemClock g_systemClock;
Clock* g_clock = &g_systemClock;
}  // namespace

Clock& CurrentClock() { return *g_clock; }

void SetClock(Clock* clock) { g_clock = clock ? clock : &g_systemClock; }

}  // namespace rt
