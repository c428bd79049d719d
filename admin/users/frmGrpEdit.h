// frmGrpEdit: the modal dialog in which the administrator creates or edits
// a user group: its name, its description and its member users.
#pragma once

#include <memory>
#include <string>

#include "users/AssignmentLists.h"
#include "users/LoadedRecord.h"
#include "users/PropertiesDialog.h"

namespace qvadmin {

class frmGrpEdit : public PropertiesDialog {
 public:
  frmGrpEdit();
  static std::shared_ptr<frmGrpEdit> Default();

  // Loads group `ID` ("" for a new group) and shows the dialog modally.
  void Init(const std::string& ID);

  const std::string& EditID() const { return m_editId; }
  bool UsersChanged() const { return m_users.Dirty(); }

 protected:
  void Form_Load() override;
  bool Save() override;
  void RefreshView() override;
  void ReadRecord(bool freshlyLoaded) override;

 private:
  void FillUsrList();
  void NameChanged();

  std::string m_editId;
  AssignmentLists m_users;
  LoadedRecord m_loaded;
};

}  // namespace qvadmin
