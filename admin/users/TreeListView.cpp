#include "users/TreeListView.h"

#include <algorithm>

#include "core/ErrorReport.h"
#include "core/ShowMsgEx.h"
#include "display/KVXFrame.h"
#include "forms/ControlPainter.h"
#include "forms/containers/Splitter.h"
#include "forms/containers/TabControl.h"
#include "forms/lists/ImageList.h"
#include "main/AppIcons.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"
#include "users/ViewHelpers.h"

namespace qvadmin {

namespace {

// The space around a header caption: the painter's margins and a pixel.
constexpr int kHeaderMargins = 12;
// The list's frame and a vertical scroll bar, in pixels.
constexpr int kListChrome = 4 + 17;

}  // namespace

TreeListView::TreeListView(std::string name, std::string designFile, int32_t helpContext,
                           std::vector<std::string> lists, std::vector<std::string> infoLabels)
    : Form(std::move(name)), m_lists(std::move(lists)), m_infoLabels(std::move(infoLabels)) {
  SetDesignFile(std::move(designFile));
  SetHelpContextID(helpContext);
  OnControlEvent("treDB", "NodeClick", [this](int16_t, com::Args&) {
    if (auto node = treDB()->SelectedItem()) ClickNode(node->Index());
  });
  OnControlEvent("splTap", "Resized", [this](int16_t, com::Args&) { LayoutPanes(); });
}

int32_t TreeListView::SelectedNodeIndex() const {
  auto node = treDB()->SelectedItem();
  return node ? node->Index() : 0;
}

void TreeListView::SetTreePictures(const com::StdPicturePtr& rootPicture) {
  auto images = std::make_shared<forms::ImageList>();
  images->Add("Root", rootPicture);
  images->Add("List", DrawAppIcon("Folder", 16));
  images->Add("Chosen", DrawAppIcon("FolderOpen", 16));
  treDB()->SetImageList(images);
}

void TreeListView::ShowList(const std::string& caption, const com::StdPicturePtr& icon, int32_t page) {
  auto frame = Get<kvctl2::KVXFrame>("fraTop");
  frame->SetCaption(caption);
  frame->SetCaptionIcon(icon);
  Get<forms::TabControl>("tabTab")->SetSelectedItem(page);
}

void TreeListView::ClickNode(int32_t index) {
  auto tree = treDB();
  auto node = tree->Node(index);
  if (!node->Parent()) node = tree->Node(index + 1);
  tree->SetSelectedItem(node.get());
  NodeClick(*node);
}

void TreeListView::FillList(forms::ReportControl& list, ado::Recordset& rs,
                            const std::function<bool(forms::ReportRecord& record)>& addRow,
                            const std::function<void()>& writeInfo) {
  std::shared_ptr<forms::ReportRecord> remembered;
  for (; !rs.Eof(); rs.MoveNext()) {
    auto record = list.AddRecord();
    if (addRow(*record)) remembered = record;
  }
  rs.Close();
  list.Populate();
  writeInfo();
  SelectAfterFill(list, remembered);
  EnableRowTools(list);
}

void TreeListView::AfterDelete(forms::ReportControl& list, const std::shared_ptr<forms::ReportRecord>& record,
                               int32_t position, const std::function<void()>& writeInfo) {
  list.RemoveRecordAt(record->Index());
  list.Populate();
  if (list.RowCount() > 0) list.SetFocusedRow(std::min(position, list.RowCount() - 1));
  EnableRowTools(list);
  writeInfo();
}

void TreeListView::EnableRowTools(const forms::ReportControl& list) {
  const bool selected = !list.SelectedRows().empty();
  frmMDI::Default()->ToolButtonErlauben("Eigenschaften", selected);
  frmMDI::Default()->ToolButtonErlauben("Delete", selected);
}

void TreeListView::PropertiesFailed(const rt::Error& e) {
  if (e.Number() == rt::errInvalidProcedureCall) {
    ShowMsgEx("There was no data record selected!", 64, "No properties available!");
  } else {
    ErrorReport("Properties");
  }
}

void TreeListView::DeleteFailed(const rt::Error& e) {
  if (e.Number() == rt::errInvalidProcedureCall) {
    ShowMsgEx("There was no data record selected for deletion.", 64, "Deletion is not possible!");
  } else {
    ErrorReport("Delete");
  }
}

void TreeListView::Form_Resize() {
  // The splitter fills the view, whatever size its pane gives it.
  rt::ResumeNext([&] { Control("splTap")->Move(0, 0, ScaleWidth(), ScaleHeight()); });
  rt::Err().Clear();
  LayoutPanes();
}

void TreeListView::Form_KeyDown(int16_t& keyCode, int16_t) { HelpOnF1(*this, keyCode); }

void TreeListView::LayoutPanes() {
  // Errors are ignored step by step.
  rt::ResumeNext([&] {
    int32_t left = 0, top = 0, w = 0, h = 0;
    Get<forms::TabControl>("tabTab")->PageArea(left, top, w, h);
    Control("fraTop")->Move(left, top, w);
    for (const std::string& name : m_lists) Control(name)->Move(left, top + 525, w, h - 855);
    for (int16_t i = 0; i <= 1; ++i) Control("shp", i)->Move(left - 15, top + h - 330, w + 30);
    for (const std::string& name : m_infoLabels) Control(name)->Move(left + 60, top + h - 255, w - 60);
  });
  rt::Err().Clear();
}

void FitColumns(forms::ReportControl& list, const std::map<int32_t, std::string>& widest) {
  const auto& columns = list.Columns();
  std::vector<int> needed(columns.size(), 0);
  int fixed = 0;
  for (size_t i = 0; i < columns.size(); ++i) {
    const auto& column = columns[i];
    if (!column->Visible()) continue;
    needed[i] = forms::painter::MeasureText(column->Caption(), list.Font(), 0, false).cx;
    if (auto text = widest.find(static_cast<int32_t>(i)); text != widest.end()) {
      needed[i] = std::max(needed[i], forms::painter::MeasureText(text->second, list.Font(), 0, false).cx);
    }
    needed[i] += kHeaderMargins;
    if (column->Resizable()) continue;
    if (column->Width() < needed[i]) column->SetWidth(needed[i]);
    fixed += column->Width();
  }
  if (!list.AutoColumnSizing()) return;
  // What the resizable columns share: the list less its frame, a vertical
  // scroll bar and the fixed columns.
  const int shared = list.PixelWidth() - kListChrome - fixed;
  // A raised width takes a share from the others, so a few rounds settle it.
  for (int round = 0; round < 4 && shared > 0; ++round) {
    int64_t total = 0;
    for (const auto& column : columns) total += column->Visible() && column->Resizable() ? column->Width() : 0;
    bool raised = false;
    for (size_t i = 0; i < columns.size(); ++i) {
      const auto& column = columns[i];
      if (!column->Visible() || !column->Resizable() || total == 0) continue;
      if (shared * column->Width() / total >= needed[i]) continue;
      column->SetWidth(static_cast<int32_t>((needed[i] * total + shared - 1) / shared));
      raised = true;
    }
    if (!raised) break;
  }
}

}  // namespace qvadmin
