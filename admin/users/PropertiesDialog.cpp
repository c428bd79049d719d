#include "users/PropertiesDialog.h"

#include <array>
#include <cmath>

#include "ado/Constants.h"
#include "core/AppStyle.h"
#include "core/ErrorReport.h"
#include "core/FormSettings.h"
#include "core/HelpSystem.h"
#include "core/ShowMsgEx.h"
#include "forms/Constants.h"
#include "forms/containers/TabControl.h"
#include "runtime/Date.h"
#include "runtime/Error.h"
#include "users/LoadedRecord.h"
#include "users/MainWindowLink.h"
#include "users/ViewHelpers.h"

namespace qvadmin {

PropertiesDialog::PropertiesDialog(std::string name, std::string designFile, int32_t helpContext,
                                   std::string firstField, std::string readLabel)
    : Form(std::move(name)), m_firstField(std::move(firstField)), m_readLabel(std::move(readLabel)) {
  SetDesignFile(std::move(designFile));
  SetHelpContextID(helpContext);
  OnControlEvent("cmdSave", "Click", [this](int16_t, com::Args&) { Save(); });
  OnControlEvent("cmdSaveClose", "Click", [this](int16_t, com::Args&) {
    if (Save()) Unload();
  });
  OnControlEvent("cmdCancel", "Click", [this](int16_t, com::Args&) { Unload(); });
  OnControlEvent("cmdHelp", "Click", [this](int16_t, com::Args&) { ShowHelp(HelpContextID(), "Main"); });
  OnControlEvent("tabEdit", "SelectedChanged", [this](int16_t, com::Args& args) {
    rt::ResumeNext([&] {
      if (args[0].ToLong() == 0) {
        SetFocusTo(*Control(m_firstField));
      } else {
        SetFocusTo(*Control("cmdMove", 2));
      }
    });
    rt::Err().Clear();
  });
}

void PropertiesDialog::PrepareLook(const std::string& tabKeys) {
  ApplyStyle(this, 0);
  RestoreFormPlacement(*this, true, false);
  RegisterTabs(*Get<forms::TabControl>("tabEdit"), tabKeys);
}

void PropertiesDialog::ReadAndShow() {
  SetHourglass(true);
  const bool ok = rt::OnErrorGoTo(
      [&] {
        const bool fresh = !IsLoaded();
        if (fresh) Load();
        ReadRecord(fresh);
      },
      [&](const rt::Error&) { ErrorReport(m_readLabel); });
  SetHourglass(false);
  rt::Err().Clear();
  if (!ok) {
    Unload();
    return;
  }
  Show(forms::vbModal, DialogOwner());
}

void PropertiesDialog::Reload() {
  rt::OnErrorGoTo([&] { ReadRecord(false); },
                  [&](const rt::Error& e) {
                    if (!TellSaveConflict(e)) ErrorReport(m_readLabel);
                  });
  rt::Err().Clear();
}

bool PropertiesDialog::TellSaveConflict(const rt::Error& e) {
  // The record stands: what the other user did is shown on request.
  const auto offerReload = [this](const std::string& what) {
    const int32_t answer = ShowMsgEx(
        what + "\r\rDo you want to reload the data record? Your entries in this dialog will then be discarded.",
        forms::vbYesNo + forms::vbExclamation + forms::vbDefaultButton2, kNotSavedTitle);
    if (answer == forms::vbYes) Reload();
  };
  if (IsAssignedDeletedMeanwhile(e)) {
    offerReload(e.Description());
    return true;
  }
  if (e.Number() == ado::errRowDeleted) {
    ShowMsgEx("The data record was deleted by another user meanwhile, so your entries cannot be saved.",
              forms::vbExclamation, kNotSavedTitle);
    return true;
  }
  if (e.Number() != ado::errConcurrencyViolation) return false;
  offerReload(
      "The data record was changed by another user meanwhile. Saving your entries now would overwrite that "
      "change.");
  return true;
}

void PropertiesDialog::Form_KeyDown(int16_t& keyCode, int16_t) { HelpOnF1(*this, keyCode); }

void PropertiesDialog::Form_QueryUnload(int16_t&, int16_t) {
  if (!m_saved) return;
  m_saved = false;
  RefreshView();
}

std::string PropertiesCaption(const std::string& name) { return "Properties \"" + name + "\""; }

std::string LongDateText(rt::DateValue date) {
  static const std::array<const char*, 7> kDays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                "Thursday", "Friday", "Saturday"};
  static const std::array<const char*, 12> kMonths{"January",   "February", "March",    "April",
                                                   "May",       "June",     "July",     "August",
                                                   "September", "October",  "November", "December"};
  const rt::DateParts parts = rt::SplitDate(date);
  const long day = static_cast<long>(std::floor(date.days));
  const size_t weekday = static_cast<size_t>(((day % 7) + 7 + 6) % 7);
  return std::string(kDays[weekday]) + ", " + kMonths[static_cast<size_t>(parts.month - 1)] + " " +
         std::to_string(parts.day) + ", " + std::to_string(parts.year);
}

}  // namespace qvadmin
