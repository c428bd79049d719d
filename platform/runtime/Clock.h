// The one clock of the program. Timers, the message pump and "Now" read it,
// so a test can replace it and advance time without sleeping.
#pragma once

#include <cstdint>
#include <memory>

namespace rt {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds on a monotonic scale (timers, tick counts).
  virtual int64_t TickMs() = 0;
  // Milliseconds since the Unix epoch, local wall-clock time.
  virtual int64_t WallMs() = 0;
};

// The system clock.
class SystemClock final : public Clock {
 public:
  int64_t TickMs() override;
  int64_t WallMs() override;
};

// A clock that moves only when told to.
class ManualClock final : public Clock {
 public:
  explicit ManualClock(int64_t wallMs = 0) : m_wall(wallMs) {}
  int64_t TickMs() override { return m_tick; }
  int64_t WallMs() override { return m_wall + m_tick; }
  void Advance(int64_t ms) { m_tick += ms; }

 private:
  int64_t m_tick = 0;
  int64_t m_wall;
};

Clock& CurrentClock();
// Installs a clock (nullptr puts the system clock back). The caller keeps
// ownership and must outlive the installation.
void SetClock(Clock* clock);

// Installs a clock for the lifetime of the guard.
class ScopedClock {
 public:
  explicit ScopedClock(Clock& clock) { SetClock(&clock); }
  ~ScopedClock() { SetClock(nullptr); }
  ScopedClock(const ScopedClock&) = delete;
  ScopedClock& operator=(const ScopedClock&) = delete;
};

}  // namespace rt
