// The group box (frame): an etched frame with a caption that holds other
// controls (option buttons placed on it form their own group). It takes
// no focus; its access key moves the focus to the first control after it.
#pragma once

#include "forms/ControlHolder.h"
#include "forms/StandardControl.h"

namespace forms {

class GroupBox : public StandardControl, public ControlHolder {
 public:
  GroupBox();
  std::string ClassName() const override { return "GroupBox"; }

  bool ShowsHeld(const com::Control&) const override { return true; }
  void Draw(gdi::HDC hdc, int x, int y) override;

 protected:
  std::string WindowClass() const override { return {}; }
};

}  // namespace forms
