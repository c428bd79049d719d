// frmDBPflege: the docked view of the Memo databases, public (tree node 2)
// and personal (node 3): it lists them and reaches their properties
// dialog, the new-database wizard and the deletion of a database with its
// archive folder.
#pragma once

#include <memory>
#include <string>

#include "forms/lists/ReportControl.h"
#include "users/TreeListView.h"

namespace qvadmin {

class frmDBPflege : public TreeListView {
 public:
  frmDBPflege();
  static std::shared_ptr<frmDBPflege> Default();

  void Eigenschaften();
  void AddDB();
  void Delete();
  void Aktualisieren();
  void FillRepDB(int32_t ID);

  std::shared_ptr<forms::ReportControl> rctDB() const { return Get<forms::ReportControl>("rctDB"); }

 protected:
  void Form_Load() override;
  void NodeClick(forms::TreeNode& node) override;

 private:
  void WriteInfo();
  void DeleteArchiveFolder(int32_t ID);
};

// The archive folder of Memo database `ID` below `root`: the root joined
// with the ID written with at least five digits ("00042", "123456"). ""
// when `root` is empty or the ID is below 1.
std::string ArchiveFolderOf(const std::string& root, int32_t ID);

// The view's list re-read with database `ID` selected; the view is loaded
// first when it is not.
void RefreshDatabaseView(int32_t ID);

}  // namespace qvadmin
