#include "core/RegistrySettings.h"

#include "core/CoreMessage.h"
#include "core/CreateGUID.h"
#include "core/SessionState.h"
#include "core/TextHelpers.h"
#include "runtime/Date.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "services/SettingsProblems.h"
#include "shell/System.h"

namespace qvadmin {
namespace {

kvctl2::cRegSettings& Settings() {
  if (!RegSet) rt::Raise(91);  // object variable not set: LoadSettings has not run
  return *RegSet;
}

// True when the user's locale writes times with AM/PM: the current time in
// the locale's time format (its LC_TIME, LC_ALL or LANG) ends in "M".
bool TwelveHourLocale() {
  const std::string time = rt::TimeText(rt::Now());
  return !time.empty() && time.back() == 'M';
}

}  // namespace

void LoadSettings() {
  rt::OnErrorGoTo(
      [] {
        RegSet = std::make_shared<kvctl2::cRegSettings>();
        RegSet->AppName("QuorvelleADM");
        RegSet->RootHKey(kvctl2::HKY_CURRENT_USER);
        RegSet->DefaultPath("SOFTWARE\\Kelvaro\\QuorvelleAdm" + std::to_string(4));
        MyTools = std::make_shared<kvctl2::cMyTools>();
        TempDir = MyTools->GetTempDir();
      },
      [](const rt::Error&) { ReportCoreError("Load Settings"); });

  // From here on errors are ignored.
  rt::ResumeNext([] { DateTimeFormat = std::string("ddddd hh:nn") + (TwelveHourLocale() ? " AM/PM" : ""); });
  rt::ResumeNext([] {
    if (ReadRegValue("NetUsr", "").empty()) WriteRegValue("NetUsr", CreateGUIDCompact(), false);
  });
  rt::ResumeNext([] {
    if (SqlServer.empty()) SqlServer = rt::RTrim(CutAtNull(shell::GetComputerNameA()));
  });
  rt::Err().Clear();
}

std::string ReadRegValue(const std::string& Key, const rt::Variant& Default) {
  std::string result;
  rt::OnErrorGoTo([&] { result = Settings().GetSetting("", Key, Default).ToString(); },
                  [](const rt::Error&) {
                    ShowCoreMessage("Registry access error occurs", vbCritical, "Key access error 2");
                  });
  return result;
}

bool WriteRegValue(const std::string& Key, const rt::Variant& Value, bool IsNumberValue) {
  bool written = false;
  bool ok = rt::OnErrorGoTo([&] { written = Settings().SetSetting("", Key, Value, IsNumberValue); },
                            [](const rt::Error&) {
                              ShowCoreMessage("Registry access error occurs", vbCritical, "Key access error 4");
                            });
  if (ok && !written) TellSettingsProblems();
  return ok && written;
}

void TellSettingsProblems() {
  const kvctl2::SettingsNotice notice = kvctl2::TakeSettingsNotice(true);
  if (!notice.text.empty()) ShowCoreMessage(notice.text, vbExclamation, notice.title);
}

}  // namespace qvadmin
