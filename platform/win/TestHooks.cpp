#include "win/TestHooks.h"

#include "win/WindowState.h"

namespace win {

void FailSetPropWhen(SetPropFailurePredicate predicate) { detail::GetState().setPropFailure = std::move(predicate); }

void FailSetWindowLongWhen(SetWindowLongFailurePredicate predicate) {
  detail::GetState().setWindowLongFailure = std::move(predicate);
}

void ClearFailureHooks() {
  detail::GetState().setPropFailure = nullptr;
  detail::GetState().setWindowLongFailure = nullptr;
}

void SetWindowProcessIdForTesting(HWND hWnd, uint32_t processId) {
  if (detail::WindowData* w = detail::Find(hWnd)) w->processId = processId;
}

}  // namespace win
