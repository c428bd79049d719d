// A database server of one test's own, made, started and stopped with
// tools/pgcluster, for what the shared test server can't be put through:
// being stopped and started again under a running session. Removed with
// everything on it when the object goes.
#pragma once

#include <string>

namespace qvadmin::test {

class PrivateServer {
 public:
  // Makes the server in a new folder and starts it; Running() tells
  // whether that worked.
  PrivateServer();
  ~PrivateServer();
  PrivateServer(const PrivateServer&) = delete;
  PrivateServer& operator=(const PrivateServer&) = delete;

  bool Running() const { return m_running; }
  // Stops the server (its sessions end) / starts it again on its port.
  bool Stop();
  bool Start();

  // "127.0.0.1,PORT", and the password login.
  std::string TcpDataSource() const;
  const std::string& User() const { return m_user; }
  const std::string& Password() const { return m_password; }

 private:
  // Runs tools/pgcluster with `action`; its exports are read after a start.
  bool Run(const std::string& action);

  std::string m_folder;
  std::string m_port;
  std::string m_user;
  std::string m_password;
  bool m_running = false;
};

}  // namespace qvadmin::test
