// What the two docked views of the administration (users and groups,
// Memo databases) share: a splitter that fills the view with the tree
// `treDB` on the left and, on the right, the caption frame `fraTop` over
// the tab area `tabTab`, whose pages hold a report list with an info line
// on a band `shp`. The tree's nodes choose the list; a click on the root
// goes to its first child.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ado/Recordset.h"
#include "com/StdPicture.h"
#include "forms/Form.h"
#include "forms/lists/ReportControl.h"
#include "forms/lists/TreeView.h"

namespace qvadmin {

class TreeListView : public forms::Form {
 public:
  // The index of the tree's selected node (0 when none is selected).
  int32_t SelectedNodeIndex() const;
  std::shared_ptr<forms::TreeView> treDB() const { return Get<forms::TreeView>("treDB"); }

 protected:
  // `lists` and `infoLabels` are the report lists and info labels of the
  // tab pages, laid out alike.
  TreeListView(std::string name, std::string designFile, int32_t helpContext, std::vector<std::string> lists,
               std::vector<std::string> infoLabels);

  // A node of the tree was clicked (the root already led to its child).
  virtual void NodeClick(forms::TreeNode& node) = 0;

  // The tree's pictures: 1 the root (`rootPicture`), 2 a list, 3 the
  // chosen list.
  void SetTreePictures(const com::StdPicturePtr& rootPicture);
  // Shows a list: the frame's caption and icon, and tab page `page`.
  void ShowList(const std::string& caption, const com::StdPicturePtr& icon, int32_t page);
  // Selects the node `index` and handles it as clicked.
  void ClickNode(int32_t index);

  // Re-fills `list` from `rs`: `addRow` adds the record of the current
  // row and says whether it is the one to select; then populates, writes
  // the info line (`writeInfo`), selects and sets the tools.
  void FillList(forms::ReportControl& list, ado::Recordset& rs,
                const std::function<bool(forms::ReportRecord& record)>& addRow, const std::function<void()>& writeInfo);
  // After a deleted row's record went: populates, selects the row at
  // `position` (or the last), sets the tools and writes the info line.
  void AfterDelete(forms::ReportControl& list, const std::shared_ptr<forms::ReportRecord>& record, int32_t position,
                   const std::function<void()>& writeInfo);
  // "Eigenschaften" and "Delete" enabled exactly when `list` has a
  // selected row.
  void EnableRowTools(const forms::ReportControl& list);
  // The error handlers of Eigenschaften and Delete: no selected row
  // (error 5) is told in the view's own words, anything else reported.
  static void PropertiesFailed(const rt::Error& e);
  static void DeleteFailed(const rt::Error& e);

  void Form_Resize() override;
  void Form_KeyDown(int16_t& keyCode, int16_t shift) override;

 private:
  void LayoutPanes();

  std::vector<std::string> m_lists;
  std::vector<std::string> m_infoLabels;
};

// Widens the columns of `list` so that at its present width no caption of
// the header is cut, nor the widest text that a column shows (`widest`,
// by column position): a column that keeps its width (not resizable) gets
// at least that many pixels, and the resizable ones, which share the rest
// of the list by their widths, get shares at least that large. Columns
// that fit keep their widths.
void FitColumns(forms::ReportControl& list, const std::map<int32_t, std::string>& widest = {});

}  // namespace qvadmin
