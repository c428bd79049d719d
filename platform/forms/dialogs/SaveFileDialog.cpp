#include "forms/dialogs/SaveFileDialog.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "forms/MsgBox.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/FlatEdit.h"
#include "forms/dialogs/DialogIcons.h"
#include "forms/lists/ReportControl.h"
#include "runtime/Date.h"
#include "runtime/Strings.h"

namespace fs = std::filesystem;

namespace forms {

namespace {

const char* kDesign = R"FRM(Begin Form frmSaveFile
   Caption = "Save As"
   BorderStyle = 3
   StartUpPosition = 1
   ClientWidth = 7200
   ClientHeight = 4740
   Begin VB.Label lblSaveIn
      Caption = "Save &in:"
      Left = 180
      Top = 195
      Width = 900
      Height = 255
      TabIndex = 0
   End
   Begin XtremeSuiteControls.ComboBox cboFolder
      Style = 2
      Left = 1140
      Top = 150
      Width = 4500
      Height = 315
      TabIndex = 1
   End
   Begin XtremeSuiteControls.PushButton cmdUp
      Caption = "&Up One Level"
      Left = 5760
      Top = 135
      Width = 1260
      Height = 345
      TabIndex = 2
   End
   Begin XtremeReportControl.ReportControl rctFiles
      Left = 180
      Top = 600
      Width = 6840
      Height = 2940
      TabIndex = 3
   End
   Begin VB.Label lblFileName
      Caption = "File &name:"
      Left = 180
      Top = 3750
      Width = 1140
      Height = 255
      TabIndex = 4
   End
   Begin XtremeSuiteControls.FlatEdit txtFileName
      Left = 1380
      Top = 3690
      Width = 4380
      Height = 315
      TabIndex = 5
   End
   Begin VB.Label lblType
      Caption = "Save as &type:"
      Left = 180
      Top = 4230
      Width = 1140
      Height = 255
      TabIndex = 6
   End
   Begin XtremeSuiteControls.ComboBox cboType
      Style = 2
      Left = 1380
      Top = 4170
      Width = 4380
      Height = 315
      TabIndex = 7
   End
   Begin XtremeSuiteControls.PushButton cmdSave
      Caption = "&Save"
      Default = True
      Left = 5880
      Top = 3660
      Width = 1140
      Height = 375
      TabIndex = 8
   End
   Begin XtremeSuiteControls.PushButton cmdCancel
      Caption = "Cancel"
      Cancel = True
      Left = 5880
      Top = 4140
      Width = 1140
      Height = 375
      TabIndex = 9
   End
End
)FRM";

constexpr int32_t kFolderIcon = 1;
constexpr int32_t kFileIcon = 2;

// Whether a name matches a pattern of "*" and "?", without regard to case.
bool Matches(std::string_view name, std::string_view pattern) {
  const std::string n = rt::LCase(name);
  const std::string p = rt::LCase(pattern);
  size_t i = 0, j = 0, star = std::string::npos, mark = 0;
  while (i < n.size()) {
    if (j < p.size() && (p[j] == '?' || p[j] == n[i])) {
      ++i;
      ++j;
    } else if (j < p.size() && p[j] == '*') {
      star = j++;
      mark = i;
    } else if (star != std::string::npos) {
      j = star + 1;
      i = ++mark;
    } else {
      return false;
    }
  }
  while (j < p.size() && p[j] == '*') ++j;
  return j == p.size();
}

std::string SizeText(uintmax_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + " bytes";
  return std::to_string((bytes + 1023) / 1024) + " KB";
}

bool IsFolder(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(path, ec);
}

}  // namespace

SaveFileDialog::SaveFileDialog(OPENFILENAME& ofn) : Form("frmSaveFile"), m_ofn(ofn) {
  SetDesignText(kDesign);
  // File types from the filter: pairs of description and pattern, or
  // patterns alone.
  const auto parts = rt::Split(ofn.lpstrFilter, "|");
  const bool pairs = parts.size() >= 2 && parts.size() % 2 == 0;
  for (size_t i = 0; i < parts.size(); i += pairs ? 2 : 1) {
    if (parts[i].empty()) continue;
    const std::string pattern = pairs ? parts[i + 1] : parts[i];
    m_types.push_back(FileType{parts[i], rt::Split(pattern, ";")});
  }
  if (m_types.empty()) m_types.push_back(FileType{"All Files (*.*)", {"*"}});
  OnControlEvent("cboFolder", "Click", [this](int16_t, com::Args&) {
    // Choosing a folder above the shown one opens it.
    if (const std::string chosen = Get<ComboBox>("cboFolder")->Text(); !chosen.empty() && chosen != m_folder) {
      OpenFolder(chosen);
    }
  });
  OnControlEvent("cboType", "Click", [this](int16_t, com::Args&) { Refill(); });
  OnControlEvent("cmdUp", "Click", [this](int16_t, com::Args&) {
    OpenFolder(fs::path(m_folder).parent_path().string());
  });
  OnControlEvent("rctFiles", "SelectionChanged", [this](int16_t, com::Args&) { ListClicked(false); });
  OnControlEvent("rctFiles", "RowDblClick", [this](int16_t, com::Args&) { ListClicked(true); });
  OnControlEvent("cmdSave", "Click", [this](int16_t, com::Args&) { PressSave(); });
  OnControlEvent("cmdCancel", "Click", [this](int16_t, com::Args&) { PressCancel(); });
}

void SaveFileDialog::Form_Load() {
  if (!m_ofn.lpstrTitle.empty()) SetCaption(m_ofn.lpstrTitle);
  auto list = Get<ReportControl>("rctFiles");
  list->Icons().Add(kFolderIcon, FolderIcon());
  list->Icons().Add(kFileIcon, DocumentIcon());
  list->AddColumn(0, "Name", 300, true);
  list->AddColumn(1, "Size", 80, false);
  list->AddColumn(2, "Modified", 110, false);
  list->SetMultipleSelection(false);
  list->SetNoItemsText("This folder is empty.");
  auto types = Get<ComboBox>("cboType");
  for (const auto& type : m_types) types->AddItem(type.description);
  types->SetListIndex(std::clamp<int32_t>(m_ofn.nFilterIndex - 1, 0, static_cast<int32_t>(m_types.size()) - 1));
  // The folder: the initial one, else the proposed file's, else home.
  const fs::path proposed(m_ofn.lpstrFile);
  std::string folder = m_ofn.lpstrInitialDir;
  if (!IsFolder(folder) && proposed.is_absolute()) folder = proposed.parent_path().string();
  if (!IsFolder(folder) && std::getenv("HOME")) folder = std::getenv("HOME");
  if (!IsFolder(folder)) folder = "/";
  Get<FlatEdit>("txtFileName")->SetText(proposed.filename().string());
  OpenFolder(folder);
  // The user starts at the file name, selected whole.
  SetFocusTo(*Get<FlatEdit>("txtFileName"));
}

void SaveFileDialog::OpenFolder(const std::string& folder) {
  if (!IsFolder(folder)) return;
  std::string clean = fs::path(folder).lexically_normal().string();
  while (clean.size() > 1 && clean.back() == '/') clean.pop_back();
  m_folder = clean;
  // The folder and the folders above it, to go back to.
  auto chain = Get<ComboBox>("cboFolder");
  chain->Clear();
  std::vector<std::string> folders;
  for (fs::path p(m_folder);; p = p.parent_path()) {
    folders.insert(folders.begin(), p.string());
    if (p == p.parent_path()) break;
  }
  for (const auto& f : folders) chain->AddItem(f);
  chain->SetListIndex(chain->ListCount() - 1);
  Refill();
}

void SaveFileDialog::Refill() {
  auto list = Get<ReportControl>("rctFiles");
  list->DeleteAllRecords();
  std::vector<fs::directory_entry> folders, files;
  const int32_t typeIndex = std::max(0, Get<ComboBox>("cboType")->ListIndex());
  const auto& patterns = m_types[static_cast<size_t>(typeIndex)].patterns;
  std::error_code ec;
  for (fs::directory_iterator it(m_folder, fs::directory_options::skip_permission_denied, ec), end; !ec && it != end;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.empty() || name[0] == '.') continue;
    std::error_code kindError;
    if (it->is_directory(kindError)) {
      folders.push_back(*it);
    } else if (std::any_of(patterns.begin(), patterns.end(), [&](const auto& p) { return Matches(name, p); })) {
      files.push_back(*it);
    }
  }
  auto byName = [](const fs::directory_entry& a, const fs::directory_entry& b) {
    return rt::StrComp(a.path().filename().string(), b.path().filename().string(), rt::CompareMethod::Text) < 0;
  };
  std::sort(folders.begin(), folders.end(), byName);
  std::sort(files.begin(), files.end(), byName);
  for (const auto& folder : folders) {
    auto record = list->AddRecord();
    record->AddItem(folder.path().filename().string()).SetIcon(kFolderIcon);
    record->AddItem("");
    record->AddItem("");
  }
  for (const auto& file : files) {
    auto record = list->AddRecord();
    record->AddItem(file.path().filename().string()).SetIcon(kFileIcon);
    std::error_code sizeError;
    record->AddItem(SizeText(file.file_size(sizeError)));
    std::error_code timeError;
    const auto written = file.last_write_time(timeError);
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
        std::chrono::file_clock::to_sys(written).time_since_epoch());
    // The day number counts from 30 December 1899, 25569 days before 1970.
    record->AddItem(rt::DateValue{25569.0 + static_cast<double>(seconds.count()) / 86400.0});
  }
  list->Populate();
}

std::vector<std::string> SaveFileDialog::ListedNames() const {
  auto list = Get<ReportControl>("rctFiles");
  std::vector<std::string> names;
  for (int32_t row = 0; row < list->RowCount(); ++row) {
    const auto& item = list->RowRecord(row)->Item(0);
    names.push_back(item.Caption() + (item.Icon() == kFolderIcon ? "/" : ""));
  }
  return names;
}

void SaveFileDialog::ListClicked(bool open) {
  auto list = Get<ReportControl>("rctFiles");
  if (list->SelectedRows().empty()) return;
  const auto& item = list->RowRecord(list->SelectedRows().front())->Item(0);
  const std::string path = (fs::path(m_folder) / item.Caption()).string();
  if (item.Icon() == kFolderIcon) {
    if (open) OpenFolder(path);
    return;
  }
  SetFileName(item.Caption());
  if (open) PressSave();
}

void SaveFileDialog::SetFileName(const std::string& name) { Get<FlatEdit>("txtFileName")->SetText(name); }

void SaveFileDialog::SetFileType(int32_t index) { Get<ComboBox>("cboType")->SetListIndex(index); }

void SaveFileDialog::PressSave() {
  const std::string name = rt::Trim(Get<FlatEdit>("txtFileName")->Text());
  if (name.empty()) return;
  fs::path path = fs::path(name).is_absolute() ? fs::path(name) : fs::path(m_folder) / name;
  if (IsFolder(path.string())) {
    OpenFolder(path.string());
    SetFileName("");
    return;
  }
  if (!path.has_extension() && !m_ofn.lpstrDefExt.empty()) path += "." + m_ofn.lpstrDefExt;
  if (!IsFolder(path.parent_path().string())) {
    MsgBox("The folder \"" + path.parent_path().string() + "\" does not exist.", vbExclamation, Caption());
    return;
  }
  std::error_code ec;
  if ((m_ofn.Flags & OFN_OVERWRITEPROMPT) && fs::exists(path, ec)) {
    if (MsgBox(path.filename().string() + " already exists.\r\nDo you want to replace it?", vbYesNo + vbExclamation,
               Caption()) != vbYes) {
      return;
    }
  }
  m_ofn.lpstrFile = path.string();
  m_ofn.nFilterIndex = std::max(0, Get<ComboBox>("cboType")->ListIndex()) + 1;
  m_saved = true;
  Unload();
}

void SaveFileDialog::PressCancel() {
  m_saved = false;
  Unload();
}

win::BOOL GetSaveFileNameA(OPENFILENAME& ofn) {
  auto dialog = std::make_shared<SaveFileDialog>(ofn);
  dialog->Show(vbModal, ofn.owner);
  return dialog->Saved() ? win::TRUE : win::FALSE;
}

}  // namespace forms
