#include "forms/Timer.h"

#include <map>

#include "com/ControlFactory.h"
#include "runtime/Error.h"
#include "win/Timer.h"

namespace forms {

namespace {

com::ControlRegistration<Timer> registration{"VB.Timer", "Timer"};

std::map<win::UINT_PTR, Timer*>& RunningTimers() {
  static std::map<win::UINT_PTR, Timer*> timers;
  return timers;
}

void TimerProc(win::HWND, uint32_t, win::UINT_PTR id, uint32_t) {
  auto it = RunningTimers().find(id);
  if (it == RunningTimers().end()) return;
  // The handler may unload the form that holds the timer.
  auto keep = it->second->shared_from_this();
  it->second->Fire();
}

}  // namespace

Timer::Timer() {
  SetTabStop(false);
  DefineProperty(
      "Interval", [this] { return rt::Variant(m_interval); },
      [this](const rt::Variant& v) { SetInterval(v.ToLong()); });
}

Timer::~Timer() { Stop(); }

void Timer::SetInterval(int32_t ms) {
  if (ms < 0 || ms > 65535) rt::Raise(380, "Timer", "Invalid property value");
  m_interval = ms;
  Update();
}

void Timer::Fire() { RaiseEvent("Timer"); }

void Timer::Update() {
  Stop();
  if (!IsSited() || !Enabled() || m_interval <= 0) return;
  m_timerId = win::SetTimer(win::kNoWindow, 0, static_cast<uint32_t>(m_interval), &TimerProc);
  if (m_timerId != 0) RunningTimers()[m_timerId] = this;
}

void Timer::Stop() {
  if (m_timerId == 0) return;
  win::KillTimer(win::kNoWindow, m_timerId);
  RunningTimers().erase(m_timerId);
  m_timerId = 0;
}

void Timer::ReadProperties(const com::PropertyBag& bag) { SetInterval(bag.ReadProperty("Interval", 0).ToLong()); }

void Timer::WriteProperties(com::PropertyBag& bag) { bag.WriteProperty("Interval", m_interval, 0); }

}  // namespace forms
