#include "users/ViewHelpers.h"

#include <cmath>

#include "ado/Constants.h"
#include "core/HelpSystem.h"
#include "core/SessionState.h"
#include "forms/Constants.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace qvadmin {

void HelpOnF1(const forms::Form& form, int16_t& keyCode) {
  if (keyCode != forms::vbKeyF1) return;
  keyCode = 0;
  ShowHelp(form.HelpContextID(), "Main");
}

std::string ItemText(const rt::Variant& value) {
  return value.IsNull() || value.IsEmpty() ? std::string() : value.ToString();
}

bool Truth(const rt::Variant& value) { return !value.IsNull() && !value.IsEmpty() && value.ToBool(); }

rt::Variant DateOnly(const rt::Variant& value) {
  if (value.IsNull() || value.IsEmpty()) return rt::Variant::Null();
  return rt::Variant(rt::DateValue{std::floor(value.ToDate().days)});
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

bool IsDuplicateLogin(const rt::Error& e) {
  return e.Number() == ado::errIntegrityViolation &&
         rt::InStr(e.Description(), "iwinusr", rt::CompareMethod::Text) != 0;
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
