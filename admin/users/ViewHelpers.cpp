#include "users/ViewHelpers.h"

#include "core/SessionState.h"
#include "forms/App.h"
#include "help/HtmlHelp.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "users/MainWindowLink.h"

namespace qvadmin {

namespace {
constexpr uint32_t vbButtonFace = 0x8000000F;
}

void RegisterTabs(forms::TabControl& tabs, const std::string& keys) {
  rt::ResumeNext([&] {
    const std::vector<std::string> names = keys.empty() ? std::vector<std::string>{} : rt::Split(keys, "|");
    for (size_t n = 0; n < names.size(); ++n) {
      if (auto picture = MainPicture("ImageList", names[n])) tabs.Icons().Add(static_cast<int32_t>(n), picture);
    }
  });
  rt::ResumeNext([&] { tabs.SetBackColor(vbButtonFace); });
  rt::ResumeNext([&] {
    if (tabs.ItemCount() > 0) tabs.SetSelectedItem(0);
  });
  rt::Err().Clear();
}

void ShowHelp(int32_t context, const std::string& window) {
  rt::ResumeNext([&] {
    const forms::Form* owner = DialogOwner();
    help::HtmlHelpA(owner ? owner->hWnd() : win::kNoWindow, forms::App().Path + "/QV_Admin.chm>" + window,
                    help::HH_HELP_CONTEXT, static_cast<uintptr_t>(context));
  });
  rt::Err().Clear();
}

std::string ItemText(const rt::Variant& value) {
  return value.IsNull() || value.IsEmpty() ? std::string() : value.ToString();
}

std::string FormatCount(int64_t n) {
  const std::string digits = std::to_string(n < 0 ? -n : n);
  std::string text = n < 0 ? "-" : "";
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) text += ',';
    text += digits[i];
  }
  return text;
}

std::shared_ptr<forms::ReportRecord> FirstSelectedRecord(const forms::ReportControl& list) {
  return list.RowRecord(list.SelectedRow(0));
}

void SelectAfterFill(forms::ReportControl& list, const std::shared_ptr<forms::ReportRecord>& remembered) {
  if (!remembered) {
    if (list.RowCount() > 0) list.SetFocusedRow(0);
    return;
  }
  const int32_t row = list.FindRow(*remembered);
  if (row >= 0) list.SetFocusedRow(row);
}

void RunInTransaction(ado::Connection& cn, const std::function<void()>& work) {
  cn.BeginTrans();
  try {
    work();
    cn.CommitTrans();
  } catch (...) {
    const rt::Error error = rt::CurrentExceptionAsError();
    if (cn.InTransaction()) rt::ResumeNext([&] { cn.RollbackTrans(); });
    throw error;
  }
}

int32_t ExecuteNoRecords(const std::string& sql, const std::vector<rt::Variant>& parameters) {
  int32_t affected = 0;
  MainConnection().Execute(sql, parameters, &affected, ado::adCmdText | ado::adExecuteNoRecords);
  return affected;
}

}  // namespace qvadmin
