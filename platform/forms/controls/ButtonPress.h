// How a button-like control follows the mouse: a left press takes the
// focus and the mouse, the control shows pressed while the pointer stays
// on it, and releasing the button on it clicks it. The control passes its
// window's mouse messages to Handle, which says whether to click.
#pragma once

#include <cstdint>

#include "com/Control.h"
#include "win/Types.h"

namespace forms {

class ButtonPress {
 public:
  // Handles a mouse message of `control`'s window; true when it was one of
  // the button's messages. `click` is set when a release clicks.
  bool Handle(com::Control& control, uint32_t msg, win::LPARAM lParam, bool& click);
  // Whether the control shows pressed now (also while Space is held).
  bool Pressed() const { return m_pressed; }
  void SetPressed(com::Control& control, bool pressed);

 private:
  bool m_tracking = false;
  bool m_pressed = false;
};

}  // namespace forms
