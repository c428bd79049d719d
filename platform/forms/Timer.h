// The timer control: while it is on a loaded form, enabled and its
// Interval (milliseconds) is above 0, it raises the Timer event every
// Interval on the window layer's timers (and so on the program's clock).
// Setting Interval or enabling it again starts the count anew.
#pragma once

#include "com/Control.h"

namespace forms {

class Timer : public com::Control {
 public:
  Timer();
  ~Timer() override;
  std::string ClassName() const override { return "Timer"; }
  bool InvisibleAtRuntime() const override { return true; }

  int32_t Interval() const { return m_interval; }
  void SetInterval(int32_t ms);
  // Raises the Timer event (what the window layer's timer does).
  void Fire();

  void ReadProperties(const com::PropertyBag& bag) override;
  void WriteProperties(com::PropertyBag& bag) override;

 protected:
  std::string WindowClass() const override { return {}; }
  void OnSited() override { Update(); }
  void OnUnsited() override { Stop(); }
  void OnEnabledChanged() override { Update(); }

 private:
  void Update();
  void Stop();

  int32_t m_interval = 0;
  uintptr_t m_timerId = 0;
};

}  // namespace forms
