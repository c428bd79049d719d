// frmUserEdit: the modal dialog in which the administrator creates or edits
// a user: login, full name, description, the active and administrator
// flags, the rights to create and delete Memo databases, and the groups the
// user belongs to. A new user takes the default user's rights and groups.
#pragma once

#include <memory>
#include <string>

#include "users/AssignmentLists.h"
#include "users/LoadedRecord.h"
#include "users/PropertiesDialog.h"

namespace qvadmin {

class frmUserEdit : public PropertiesDialog {
 public:
  frmUserEdit();
  static std::shared_ptr<frmUserEdit> Default();

  // Loads user `ID` ("" for a new user) and shows the dialog modally.
  void Init(const std::string& ID);

  const std::string& EditID() const { return m_editId; }
  bool GroupsChanged() const { return m_groups.Dirty(); }

 protected:
  void Form_Load() override;
  bool Save() override;
  void RefreshView() override;
  void ReadRecord(bool freshlyLoaded) override;

 private:
  void FillGrpList();
  void LoginChanged();
  void EnableSave();
  void ReadUser(const std::string& recordId);

  std::string m_editId;
  AssignmentLists m_groups;
  LoadedRecord m_loaded;
};

// The two rights check boxes of a mask (bit 1 public, bit 2 personal): the
// values 0 to 3 check the boxes of their bits, any other checks none.
bool MaskChecks(int32_t mask, int index);

}  // namespace qvadmin
