// frmUser: the docked view in which the administrator lists, opens, creates
// and deletes users and user groups. The tree's nodes choose the list: 2 the
// active users, 3 the inactive users, 4 the groups. The main window calls
// its list commands by name; the dialogs call FillRepUser and FillRepGrp
// when they close after a save.
#pragma once

#include <memory>
#include <string>

#include "forms/Form.h"
#include "forms/containers/TabControl.h"
#include "forms/lists/ReportControl.h"
#include "forms/lists/TreeView.h"

namespace qvadmin {

class frmUser : public forms::Form {
 public:
  frmUser();
  static std::shared_ptr<frmUser> Default();

  void AddUser();
  void Aktualisieren();
  void Delete();
  void FillRepGrp(const std::string& ID);
  void Eigenschaften();
  void AddGrp();
  void FillRepUser(const std::string& ID);

  // The index of the tree's selected node (0 when none is selected).
  int32_t SelectedNodeIndex() const;
  std::shared_ptr<forms::TreeView> treDB() const { return Get<forms::TreeView>("treDB"); }
  std::shared_ptr<forms::ReportControl> rctUser() const { return Get<forms::ReportControl>("rctUser"); }
  std::shared_ptr<forms::ReportControl> rctGrp() const { return Get<forms::ReportControl>("rctGrp"); }

 protected:
  void Form_Load() override;
  void Form_KeyDown(int16_t& keyCode, int16_t shift) override;

 private:
  void NodeClick(forms::TreeNode& node);
  void LayoutPanes();
  void WriteUserInfo(int32_t node);
  void WriteGroupInfo();
  void EnableRowTools(const forms::ReportControl& list);
};

// The user view's list of users (or of groups, `groups`) re-read with the
// row `ID` selected; the view is loaded first when it is not.
void RefreshUserView(const std::string& ID, bool groups);

}  // namespace qvadmin
