// Linked into every unit-test binary: the headless backend, whatever
// DISPLAY says, so that no test opens a window on a developer's display.
#include "win/DisplayBackend.h"

namespace {
const bool headless = (win::UseHeadlessDisplay(), true);
}  // namespace
