// The configuration view's check of the document archive: each Memo
// database keeps its documents in the archive's sub-folder named by its
// number with five digits; a folder whose database no longer exists is
// old and can be removed.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/FileHandling.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "forms/Constants.h"
#include "forms/lists/ReportControl.h"
#include "main/frmKonfig.h"
#include "runtime/Error.h"

namespace qvadmin {

namespace {

namespace fs = std::filesystem;

constexpr const char* kActive = "Active";
constexpr const char* kOld = "*Old*";
constexpr const char* kTitle = "Orphaned archive folders";
constexpr int32_t kPanelHeight = 1500;
constexpr int32_t kPanelHeightWithList = 3000;

// A Memo database's folder: five digits.
bool IsDatabaseFolder(const std::string& name) {
  return name.size() == 5 && std::all_of(name.begin(), name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string FolderName(int32_t id) {
  char name[16];
  std::snprintf(name, sizeof name, "%05d", id);
  return name;
}

// The folder names of the Memo databases that exist.
std::set<std::string> DatabaseFolders() {
  std::set<std::string> names;
  for (ado::Recordset rs = MainConnection().Execute("SELECT ID FROM DBList"); !rs.Eof(); rs.MoveNext()) {
    names.insert(FolderName(rs.Fields(0).Value().ToLong()));
  }
  return names;
}

// The archive's database folders in order of their names.
std::vector<std::string> ArchiveFolders(const std::string& root) {
  std::vector<std::string> names;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(root, error)) {
    const std::string name = entry.path().filename().string();
    if (entry.is_directory(error) && !entry.is_symlink(error) && IsDatabaseFolder(name)) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

void frmKonfig::ShowArchiveList(bool show) {
  Control("hovCheckWaiseOrdner")->SetVisible(!show);
  Control("rctWaise")->SetVisible(show);
  Control("cmdWaiseKill")->SetVisible(show);
  Control("pnlInf", 4)->SetHeight(show ? kPanelHeightWithList : kPanelHeight);
}

void frmKonfig::CheckArchiveFolders() {
  if (ArchivePath.empty() || !FolderExists(ArchivePath)) {
    ShowMsgEx(
        "No document archive is configured, or its folder does not exist.\r\r"
        "Enter the local archive path and save the configuration first.",
        forms::vbInformation, kTitle);
    return;
  }
  rt::OnErrorGoTo(
      [this] {
        SetHourglass(true);
        const std::set<std::string> databases = DatabaseFolders();
        auto list = Get<forms::ReportControl>("rctWaise");
        list->DeleteAllRecords();
        int32_t old = 0;
        for (const std::string& name : ArchiveFolders(ArchivePath)) {
          auto record = list->AddRecord();
          record->AddItem(name);
          const bool active = databases.count(name) > 0;
          record->AddItem(active ? kActive : kOld);
          old += active ? 0 : 1;
        }
        list->Populate();
        ShowArchiveList(true);
        Control("cmdWaiseKill")->SetEnabled(old > 0);
        SetHourglass(false);
      },
      [](const rt::Error& error) {
        SetHourglass(false);
        ShowMsgEx("The archive folders could not be checked.\r\r" + error.Description(), forms::vbExclamation, kTitle);
      });
}

void frmKonfig::RemoveOldArchiveFolders() {
  auto list = Get<forms::ReportControl>("rctWaise");
  std::vector<std::string> old;
  for (int32_t i = 0; i < list->RecordCount(); ++i) {
    if (list->Record(i)->Item(1).Value().ToString() == kOld) old.push_back(list->Record(i)->Item(0).Value().ToString());
  }
  if (old.empty()) return;
  const std::string count = std::to_string(old.size());
  if (ShowMsgEx("Remove " + count + (old.size() == 1 ? " archive folder" : " archive folders") +
                    " whose Memo database no longer exists?\r\rThe documents in " + (old.size() == 1 ? "it" : "them") +
                    " are deleted.",
                forms::vbYesNo | forms::vbQuestion | 256, kDeleteConfirmationTitle) != forms::vbYes) {
    return;
  }
  std::vector<std::string> failed;
  rt::OnErrorGoTo(
      [&] {
        SetHourglass(true);
        // Asked again now: a database made meanwhile keeps its folder.
        const std::set<std::string> databases = DatabaseFolders();
        for (const std::string& name : old) {
          if (databases.count(name) > 0 || !IsDatabaseFolder(name)) continue;
          const std::string folder = (fs::path(ArchivePath) / name).string();
          if (!ShellDelete(folder, false)) failed.push_back(name);
        }
        SetHourglass(false);
      },
      [](const rt::Error&) { SetHourglass(false); });
  if (!failed.empty()) {
    std::string names;
    for (const std::string& name : failed) names += "\r    " + name;
    ShowMsgEx("These archive folders could not be removed:" + names + "\r\rPlease check your writing permissions.",
              forms::vbExclamation, kTitle);
  }
  CheckArchiveFolders();
}

}  // namespace qvadmin
