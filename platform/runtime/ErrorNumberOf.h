// The number of the error a step raises, 0 when it raises none: how tests
// and callers that only care about the number look at a step's outcome.
#pragma once

#include <cstdint>
#include <functional>

#include "runtime/Error.h"

namespace rt {

inline int32_t ErrorNumberOf(const std::function<void()>& step) {
  try {
    step();
  } catch (const Error& e) {
    return e.Number();
  }
  return 0;
}

}  // namespace rt
