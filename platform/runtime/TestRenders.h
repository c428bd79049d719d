// Where tests write the pictures they render so that a person can look at
// them: one folder under the build folder (renders/), whatever folder the
// test runs in. Test support: only tests and measurements link it.
#pragma once

#include <string>
#include <string_view>

namespace rt {

// The path of the picture `name` (for example "msgbox-error.png") in the
// renders folder, which is made when missing.
std::string TestRenderPath(std::string_view name);

}  // namespace rt
