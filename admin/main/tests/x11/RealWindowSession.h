// Shared pieces of QVAdmin's real-window tests: modal windows that a test
// does not play, and a fixture for tests that log in to the private
// cluster's master database.
#pragma once

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "../../../../sql/tests/ScriptServer.h"
#include "core/SessionState.h"
#include "forms/Form.h"
#include "forms/Responder.h"
#include "gdi/FontBackend.h"

namespace qvadmin::test {

// A modal window that the test does not play would wait for a user: its
// name (or a box's title) is added to `names` and it is closed.
inline void RecordUnplayedModals(std::string& names) {
  forms::Responders::SetStanding([&names](const forms::ModalRequest& r) {
    names += (r.form ? r.form->Name() : r.title) + ";";
    if (r.form) r.form->Unload();
    return 1;
  });
}

// QVAdmin before its login, in real windows: a registry of its own and
// Windows authentication, the operating-system user on the cluster's
// socket, as tools/run sets it up.
class RealWindowSession : public sqltest::QVaultTest {
 protected:
  void SetUp() override {
    sqltest::QVaultTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) return;
    gdi::UsePangoMetrics();
    registry = std::filesystem::temp_directory_path() / ("qvadmin-x11-reg-" + std::to_string(::getpid()));
    std::filesystem::remove_all(registry);
    ::setenv("QV_REGISTRY_DIR", registry.c_str(), 1);
    ::setenv("PGHOST", std::getenv("QV_PG_SOCKET_DIR"), 1);
    ::setenv("PGPORT", std::getenv("QV_PG_PORT"), 1);
    cnMain.reset();
    SqlServer.clear();
    SqlUser.clear();
    CurrentUserID.clear();
    RecordUnplayedModals(unexpected);
  }
  void TearDown() override {
    for (const auto& form : forms::Form::Forms()) form->Unload();
    forms::Responders::Clear();
    std::filesystem::remove_all(registry);
    sqltest::QVaultTest::TearDown();
  }

  std::filesystem::path registry;
  std::string unexpected;
};

}  // namespace qvadmin::test
