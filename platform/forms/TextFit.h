// Whether the text of a form's controls fits them: each visible label,
// check box, option button and command button is measured in its font as
// the control lays its caption out (wrapped where the control wraps), and
// compared with the room the control gives it: a label's rectangle, a check
// box's rectangle beside its box, a button's inside of the focus rectangle.
// A control that reaches beyond the form's client area is a misfit too.
// For render tests: text cut off or running over an edge is found without
// looking at the picture.
#pragma once

#include <string>
#include <vector>

#include "gdi/Types.h"

namespace forms {

class Form;

struct TextMisfit {
  std::string control;  // name, with "(index)" for a control array
  std::string text;
  gdi::SIZE needed{};  // pixels the laid-out text takes
  gdi::SIZE room{};    // pixels the control gives it
  std::string Describe() const;
};

// The misfits of the form's visible controls; empty when all text fits.
std::vector<TextMisfit> FindTextMisfits(const Form& form);

}  // namespace forms
