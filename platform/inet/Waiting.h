// How the layer's calls wait for the network: the wait hook that keeps the
// calling program answering meanwhile, and the speed floor below which a
// transfer is given up.
//
// The hook belongs to the calling thread. While a call of that thread
// waits for the server (an answer's head, a body's next bytes) the layer
// calls the hook about every kWaitHookIntervalMs: a program with windows
// processes its pending window messages there, so it repaints and takes
// input. The hook answers whether to go on waiting; false abandons the
// transfer: the call fails with ERROR_INTERNET_OPERATION_CANCELLED, and so
// does every later read of it. A wait that begins inside the hook does not
// call it again.
//
// The floor: a transfer whose bytes (head and body) over any stretch of
// `seconds` of waiting stay below `bytesPerSecond` on average fails with
// ERROR_INTERNET_TRANSFER_TOO_SLOW. Only the layer's own waiting counts:
// time spent in the hook or in the caller between reads does not.
#pragma once

#include <cstdint>
#include <functional>

namespace inet {

inline constexpr int kWaitHookIntervalMs = 50;

using WaitHook = std::function<bool()>;
// Sets the calling thread's hook; an empty function removes it.
void SetWaitHook(WaitHook hook);
// Calls the hook, if any, unless it is running already on this thread;
// its answer (true without a hook).
bool CallWaitHook();
bool HasWaitHook();

// The hook for the lifetime of the guard; the one before comes back.
class ScopedWaitHook {
 public:
  explicit ScopedWaitHook(WaitHook hook);
  ~ScopedWaitHook();
  ScopedWaitHook(const ScopedWaitHook&) = delete;
  ScopedWaitHook& operator=(const ScopedWaitHook&) = delete;

 private:
  WaitHook m_before;
};

struct SpeedFloor {
  uint32_t bytesPerSecond = 1024;
  uint32_t seconds = 60;
};
// The floor for transfers started from now on (process-wide).
void SetSpeedFloor(SpeedFloor floor);
SpeedFloor CurrentSpeedFloor();

// The floor for the lifetime of the guard; the one before comes back.
class ScopedSpeedFloor {
 public:
  explicit ScopedSpeedFloor(SpeedFloor floor) : m_before(CurrentSpeedFloor()) { SetSpeedFloor(floor); }
  ~ScopedSpeedFloor() { SetSpeedFloor(m_before); }
  ScopedSpeedFloor(const ScopedSpeedFloor&) = delete;
  ScopedSpeedFloor& operator=(const ScopedSpeedFloor&) = delete;

 private:
  SpeedFloor m_before;
};

}  // namespace inet
