#include "core/SessionState.h"

namespace qvadmin {

ado::Connection& MainConnection() {
  if (!cnMain) cnMain = std::make_shared<ado::Connection>();
  return *cnMain;
}

}  // namespace qvadmin
