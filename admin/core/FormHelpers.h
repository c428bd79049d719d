// Small helpers of the global module that work on forms and controls.
#pragma once

#include <cstdint>
#include <vector>

#include "com/Control.h"

namespace forms {
class Form;
}

namespace qvadmin {

// The index of the first option button of the control array `options`
// (its members, as Form::ControlArray gives them) whose Value is True,
// walking from the lowest index up; -1 when none is. Errors are ignored.
int16_t SelectedOptionIndex(const std::vector<com::ControlPtr>& options);

// With the left mouse button (1), lets the window system move the
// borderless `form` with the mouse; other buttons do nothing.
void DragForm(forms::Form& form, int16_t button);

}  // namespace qvadmin
