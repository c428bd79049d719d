// frmLogin: the modal dialog in which the administrator names the SQL
// Server instance and chooses Windows or SQL Server authentication. Its
// login connects, creates the master database on first use, lets the start
// page check the schema build, keeps the server of the clients' access
// data in step with the server used, stores the login in the registry and
// unloads. Success shows only in the session state and the start page.
#pragma once

#include <memory>
#include <string>

#include "forms/Form.h"

namespace qvadmin {

class frmLogin : public forms::Form {
 public:
  frmLogin();

  // The program's login dialog (created on first use, not loaded).
  static std::shared_ptr<frmLogin> Default();

 protected:
  void Form_Load() override;
  void Form_Activate() override;
  void Form_KeyDown(int16_t& keyCode, int16_t shift) override;
  void Form_Unload(int16_t& cancel) override;

 private:
  friend struct frmLoginTestAccess;

  bool SqlAuthChosen() const;
  void ServerChanged();
  void AuthClicked(int16_t index, bool moveFocus);
  // Every input and button, switched off while a login runs.
  void SetInputsEnabled(bool enabled);
  void Login();
  // Stores this login as the clients' access data when there are none;
  // otherwise rewrites their server when it is not the one used.
  void KeepAccessServer(const std::string& server, const std::string& user, const std::string& password);
  void StoreLogin(const std::string& password);
  void ShowStatus(const std::string& text);

  bool m_busy = false;
};

}  // namespace qvadmin
