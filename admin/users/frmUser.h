// frmUser: the docked view in which the administrator lists, opens, creates
// and deletes users and user groups. The tree's nodes choose the list: 2 the
// active users, 3 the inactive users, 4 the groups. The main window calls
// its list commands by name; the dialogs call FillRepUser and FillRepGrp
// when they close after a save.
#pragma once

#include <memory>
#include <string>

#include "forms/lists/ReportControl.h"
#include "users/TreeListView.h"

namespace qvadmin {

class frmUser : public TreeListView {
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

  std::shared_ptr<forms::ReportControl> rctUser() const { return Get<forms::ReportControl>("rctUser"); }
  std::shared_ptr<forms::ReportControl> rctGrp() const { return Get<forms::ReportControl>("rctGrp"); }

 protected:
  void Form_Load() override;
  void NodeClick(forms::TreeNode& node) override;

 private:
  void WriteUserInfo(int32_t node);
  void WriteGroupInfo();
};

// The user view's list of users (or of groups, `groups`) re-read with the
// row `ID` selected; the view is loaded first when it is not.
void RefreshUserView(const std::string& ID, bool groups);

}  // namespace qvadmin
