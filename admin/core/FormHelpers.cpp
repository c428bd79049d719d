#include "core/FormHelpers.h"

#include <algorithm>

#include "forms/Form.h"
#include "runtime/Error.h"
#include "win/Input.h"
#include "win/Window.h"

namespace qvadmin {
namespace {

constexpr uint32_t WM_NCLBUTTONDOWN = 161;
constexpr win::WPARAM HTCAPTION = 2;

}  // namespace

int16_t SelectedOptionIndex(const std::vector<com::ControlPtr>& options) {
  std::vector<com::ControlPtr> byIndex;
  for (const auto& option : options)
    if (option) byIndex.push_back(option);
  std::sort(byIndex.begin(), byIndex.end(), [](const auto& a, const auto& b) { return a->Index() < b->Index(); });
  for (const auto& option : byIndex) {
    bool chosen = false;
    rt::ResumeNext([&] { chosen = option->Get("Value").ToBool(); });
    if (chosen) {
      rt::Err().Clear();
      return option->Index();
    }
  }
  rt::Err().Clear();
  return -1;
}

void DragForm(forms::Form& form, int16_t button) {
  if (button != 1) return;
  win::ReleaseCapture();
  win::SendMessageA(form.hWnd(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

}  // namespace qvadmin
