#include "win/DisplayBackend.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "win/HeadlessBackend.h"
#include "win/X11Backend.h"

namespace win {

namespace {

std::unique_ptr<DisplayBackend>& Current() {
  static std::unique_ptr<DisplayBackend> backend;
  return backend;
}

bool& HeadlessRequested() {
  static bool requested = false;
  return requested;
}

}  // namespace

DisplayBackend& Display() {
  auto& backend = Current();
  if (!backend) {
    const char* display = std::getenv("DISPLAY");
    if (!HeadlessRequested() && display && *display) {
      std::string error;
      backend = detail::CreateX11Backend("", &error);
      // Without its display the program still runs; it just shows nothing.
      if (!backend)
        std::fprintf(stderr, "Cannot open the display \"%s\" (%s); no windows are shown.\n", display, error.c_str());
    }
    if (!backend) backend = detail::CreateHeadlessBackend();
  }
  return *backend;
}

void UseHeadlessDisplay() { HeadlessRequested() = true; }

namespace detail {
void ReplaceDisplay(std::unique_ptr<DisplayBackend> backend) { Current() = std::move(backend); }
}  // namespace detail

bool UseX11Display(const std::string& name) {
  if (Current()) return false;
  std::string error;
  auto backend = detail::CreateX11Backend(name, &error);
  if (!backend) return false;
  Current() = std::move(backend);
  return true;
}

}  // namespace win
