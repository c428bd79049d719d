#include "core/LoginStatus.h"

#include <utility>

namespace qvadmin {
namespace {

LoginStatusSink& Sink() {
  static LoginStatusSink sink;
  return sink;
}

}  // namespace

void SetLoginStatusSink(LoginStatusSink sink) { Sink() = std::move(sink); }

void SetLoginStatus(const std::string& text) {
  if (Sink()) Sink()(text);
}

}  // namespace qvadmin
