// frmAbout: the about box, shown modally from the main window: the
// product's logo and name, the program's version, and a close link. The
// borderless box is dragged with the mouse; Escape closes it too.
#pragma once

#include <memory>

#include "forms/Form.h"

namespace qvadmin {

class frmAbout : public forms::Form {
 public:
  frmAbout();

  // The program's about box (created on first use, not loaded).
  static std::shared_ptr<frmAbout> Default();

 protected:
  void Form_Load() override;
  void Form_KeyDown(int16_t& keyCode, int16_t shift) override;
};

}  // namespace qvadmin
