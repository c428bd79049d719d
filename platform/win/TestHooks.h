// Hooks with which tests make the layer's calls fail or windows look like
// those of another process. Production code never installs them.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>

#include "win/Types.h"

namespace win {

// When set, SetPropA consults the predicate first and fails (returns FALSE,
// stores nothing) when it answers true.
using SetPropFailurePredicate = std::function<bool(HWND hWnd, std::string_view name, LONG_PTR value)>;
void FailSetPropWhen(SetPropFailurePredicate predicate);

// When set, SetWindowLongA consults the predicate first and fails (returns
// 0, changes nothing) when it answers true.
using SetWindowLongFailurePredicate = std::function<bool(HWND hWnd, int index, LONG_PTR value)>;
void FailSetWindowLongWhen(SetWindowLongFailurePredicate predicate);

// Removes both predicates.
void ClearFailureHooks();

// Makes the window report `processId` as its owning process.
void SetWindowProcessIdForTesting(HWND hWnd, uint32_t processId);

// Removes the failure predicates when it goes out of scope.
class ScopedFailureHooks {
 public:
  ScopedFailureHooks() = default;
  ~ScopedFailureHooks() { ClearFailureHooks(); }
  ScopedFailureHooks(const ScopedFailureHooks&) = delete;
  ScopedFailureHooks& operator=(const ScopedFailureHooks&) = delete;
};

}  // namespace win
