#include "core/SessionState.h"

#include "runtime/Error.h"

namespace qvadmin {

ado::Connection& MainConnection() {
  if (!cnMain) cnMain = std::make_shared<ado::Connection>();
  return *cnMain;
}

void CloseMainConnection() {
  rt::ResumeNext([] {
    if (cnMain && cnMain->State() == ado::adStateOpen) cnMain->Close();
  });
  rt::Err().Clear();
}

}  // namespace qvadmin
