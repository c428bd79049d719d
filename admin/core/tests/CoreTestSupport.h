// Shared pieces of the core's tests: a private registry folder, captured
// message boxes and login status texts, and the test server's connection.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <functional>
#include <filesystem>
#include <string>
#include <vector>

#include "ado/Connection.h"
#include "ado/TestServer.h"
#include "core/LoginStatus.h"
#include "core/SessionState.h"
#include "forms/Responder.h"

namespace qvadmin::test {

// Points the registry at a fresh folder of this test process, removed when
// the process ends.
inline void UsePrivateRegistry() {
  struct Folder {
    std::filesystem::path path;
    Folder() : path(std::filesystem::temp_directory_path() / ("qvcore-reg-" + std::to_string(::getpid()))) {
      std::filesystem::remove_all(path);
      std::filesystem::create_directories(path);
      ::setenv("QV_REGISTRY_DIR", path.c_str(), 1);
    }
    ~Folder() {
      std::error_code ignored;
      std::filesystem::remove_all(path, ignored);
    }
  };
  static const Folder folder;
}

// Records every message box and answers it with OK (or `answer`), and every
// status text of the login dialog, for the lifetime of the object.
class Captured {
 public:
  Captured()
      : m_responders([this](const forms::ModalRequest& r) {
          m_messages.push_back(r);
          if (m_onMessage) m_onMessage(r);
          return 1;  // vbOK
        }) {
    SetLoginStatusSink([this](const std::string& text) { m_status.push_back(text); });
  }
  ~Captured() { SetLoginStatusSink({}); }
  Captured(const Captured&) = delete;
  Captured& operator=(const Captured&) = delete;

  const std::vector<forms::ModalRequest>& Messages() const { return m_messages; }
  const std::vector<std::string>& Status() const { return m_status; }
  // Runs `action` whenever a message box is answered.
  void OnMessage(std::function<void(const forms::ModalRequest&)> action) { m_onMessage = std::move(action); }

 private:
  std::vector<forms::ModalRequest> m_messages;
  std::vector<std::string> m_status;
  std::function<void(const forms::ModalRequest&)> m_onMessage;
  forms::ScopedResponders m_responders;
};

// A fresh closed shared connection for each test.
inline void ResetSession() {
  if (cnMain) cnMain->Close();
  cnMain = std::make_shared<ado::Connection>();
  SqlServer.clear();
  SqlUser.clear();
  ArchivePath.clear();
  CurrentUserID.clear();
}

#define QV_REQUIRE_SERVER() \
  if (!ado::TestServer::Available()) GTEST_SKIP() << ado::TestServer::SkipReason()

}  // namespace qvadmin::test
