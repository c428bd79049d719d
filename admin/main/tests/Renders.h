// Where the renders of the program's windows go: qvadmin-<name>.png in the
// build folder's renders/, to be looked at.
#pragma once

#include <string>

#include "forms/Form.h"
#include "runtime/TestRenders.h"

namespace qvadmin::test {

inline std::string RenderPath(const std::string& name) { return rt::TestRenderPath("qvadmin-" + name + ".png"); }

// Renders the form with its frame; false when the picture can't be written.
inline bool RenderForm(forms::Form& form, const std::string& name) { return form.RenderToPng(RenderPath(name)); }

}  // namespace qvadmin::test
