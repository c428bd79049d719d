// frmDBEdit: the modal dialog in which the administrator edits a stored
// Memo database: title, description, public or personal, the owner of a
// personal database, the password and the groups with access.
#pragma once

#include <memory>
#include <string>

#include "users/AssignmentLists.h"
#include "users/LoadedRecord.h"
#include "users/PropertiesDialog.h"

namespace qvadmin {

class frmDBEdit : public PropertiesDialog {
 public:
  frmDBEdit();
  static std::shared_ptr<frmDBEdit> Default();

  // Loads Memo database `ID` and shows the dialog modally.
  void Init(int32_t ID);

  int32_t EditID() const { return m_editId; }
  bool GroupsChanged() const { return m_groups.Dirty(); }

 protected:
  void Form_Load() override;
  bool Save() override;
  void RefreshView() override;
  void ReadRecord(bool freshlyLoaded) override;

 private:
  void FillGrpList();
  void FieldsChanged();
  void TypeChosen(int16_t index);

  int32_t m_editId = 0;
  AssignmentLists m_groups;
  LoadedRecord m_loaded;
};

// Whether an owner list shows a user as "Fullname (WinUsr)": when the user
// has a full name and a login and they differ.
bool OwnerShowsLogin(const std::string& login, const std::string& fullname);

// An entry of an owner list: the display text, `blanks` blanks, "|" and the
// user's ID. The display text is "Fullname (WinUsr)" (OwnerShowsLogin),
// else the one of the two that is given: a user without a full name shows
// as the login alone.
std::string OwnerEntry(const std::string& id, const std::string& login, const std::string& fullname, size_t blanks);

// The user ID of an owner list entry (field 2, trimmed).
std::string OwnerEntryID(const std::string& entry);

}  // namespace qvadmin
