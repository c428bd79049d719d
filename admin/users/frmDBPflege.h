// frmDBPflege: the docked view of the Memo databases, public (tree node 2)
// and personal (node 3): it lists them and reaches their properties
// dialog, the new-database wizard and the deletion of a database with its
// archive folder.
#pragma once

#include <memory>
#include <string>

#include "forms/Form.h"
#include "forms/lists/ReportControl.h"
#include "forms/lists/TreeView.h"

namespace qvadmin {

class frmDBPflege : public forms::Form {
 public:
  frmDBPflege();
  static std::shared_ptr<frmDBPflege> Default();

  void Eigenschaften();
  void AddDB();
  void Delete();
  void Aktualisieren();
  void FillRepDB(int32_t ID);

  int32_t SelectedNodeIndex() const;
  std::shared_ptr<forms::TreeView> treDB() const { return Get<forms::TreeView>("treDB"); }
  std::shared_ptr<forms::ReportControl> rctDB() const { return Get<forms::ReportControl>("rctDB"); }

 protected:
  void Form_Load() override;
  void Form_KeyDown(int16_t& keyCode, int16_t shift) override;

 private:
  void NodeClick(forms::TreeNode& node);
  void LayoutPanes();
  void WriteInfo();
  void EnableRowTools();
  void DeleteArchiveFolder(int32_t ID);
};

// The archive folder of Memo database `ID` below `root`: the root joined
// with the ID written with five digits. "" when `root` is empty or the
// result would not be a direct child of the root with a five-digit name.
std::string ArchiveFolderOf(const std::string& root, int32_t ID);

// The view's list re-read with database `ID` selected; the view is loaded
// first when it is not.
void RefreshDatabaseView(int32_t ID);

}  // namespace qvadmin
