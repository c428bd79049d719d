// frmAddWinUsr: the modal dialog that makes users of Windows accounts: the
// administrator picks a domain, reserves accounts, adjusts the groups every
// imported user joins (preset to the default user's) and imports.
#pragma once

#include <memory>
#include <string>

#include "forms/Form.h"
#include "users/AssignmentLists.h"

namespace qvadmin {

class frmAddWinUsr : public forms::Form {
 public:
  frmAddWinUsr();
  static std::shared_ptr<frmAddWinUsr> Default();

  // Shows the dialog modally, owned by the main window.
  void ShowImport();

  bool UsersImported() const { return m_usersImported; }
  bool FromUserView() const { return m_fromUserView; }
  // Loads the accounts of the domain chosen in cboDomains.
  void LoadDomain();
  // Imports the reserved accounts; True when none was refused.
  bool ImportUsers();

 protected:
  void Form_Load() override;
  void Form_KeyDown(int16_t& keyCode, int16_t shift) override;
  void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) override;

 private:
  void FillGrpList();
  void AccountSelectionChanged(int16_t side);
  void ShowDetails(int16_t side);
  void SetPagesEnabled(bool enabled);

  AssignmentLists m_accounts;
  AssignmentLists m_groups;
  bool m_fromUserView = false;
  bool m_usersImported = false;
};

}  // namespace qvadmin
