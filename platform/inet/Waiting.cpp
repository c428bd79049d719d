#include "inet/Waiting.h"

#include <mutex>
#include <utility>

namespace inet {

namespace {

thread_local WaitHook t_hook;
thread_local bool t_inHook = false;

std::mutex g_floorMutex;
SpeedFloor g_floor;

}  // namespace

void SetWaitHook(WaitHook hook) { t_hook = std::move(hook); }

bool HasWaitHook() { return static_cast<bool>(t_hook); }

bool CallWaitHook() {
  if (!t_hook || t_inHook) return true;
  t_inHook = true;
  struct Leave {
    ~Leave() { t_inHook = false; }
  } leave;
  // A copy: the hook may replace itself while it runs.
  const WaitHook hook = t_hook;
  return hook();
}

ScopedWaitHook::ScopedWaitHook(WaitHook hook) : m_before(std::exchange(t_hook, std::move(hook))) {}

ScopedWaitHook::~ScopedWaitHook() { t_hook = std::move(m_before); }

void SetSpeedFloor(SpeedFloor floor) {
  std::lock_guard lock(g_floorMutex);
  g_floor = floor;
}

SpeedFloor CurrentSpeedFloor() {
  std::lock_guard lock(g_floorMutex);
  return g_floor;
}

}  // namespace inet
