// A control that other controls are placed on (a group box, a tab page, a
// tab control, a panel). The form keeps which control holds which: a held
// control shows only while its holder shows and lets it show, moves along
// when its holder moves, and is drawn above it. A holder that does not
// implement this interface shows everything placed on it.
#pragma once

namespace com {
class Control;
}

namespace forms {

class ControlHolder {
 public:
  virtual ~ControlHolder() = default;
  // Whether a control placed on this one is shown now (a tab control
  // shows the controls of its selected page only).
  virtual bool ShowsHeld(const com::Control& held) const = 0;
  // After controls were placed on this one (from the design data or with
  // Form::PlaceOn): a holder that lays them out does it now.
  virtual void HeldChanged() {}
};

}  // namespace forms
