// The command table of the main window: what each tool does when clicked.
#include <string>

#include "core/AdminForms.h"
#include "core/DockedViews.h"
#include "core/ErrorReport.h"
#include "core/RegistrySettings.h"
#include "forms/Constants.h"
#include "forms/MsgBox.h"
#include "main/frmMDI.h"
#include "main/frmStart.h"
#include "runtime/Error.h"
#include "shell/ShellExecute.h"
#include "win/Window.h"

namespace qvadmin {

namespace {

constexpr const char* kFeedbackLink = "mailto:support@kelvaro.de?subject=Quorvelle%20Administration";
constexpr const char* kMakerSite = "https://www.kelvaro.de/";

// A list command: the procedure of that name on the active docked view.
void CallOnActiveView(const char* procedure) {
  forms::FormPtr view = ActiveDockedForm();
  if (!view) rt::Raise(91, "frmMDI", "Object variable or With block variable not set");
  view->Call(procedure);
}

// The scheme number of a "Farb" key: its last character as a number, 0
// when that is no digit.
uint8_t SchemeOfKey(const std::string& key) {
  const char last = key.back();
  return last >= '0' && last <= '9' ? static_cast<uint8_t>(last - '0') : 0;
}

}  // namespace

void frmMDI::ToolClick(const std::string& key) {
  rt::OnErrorGoTo(
      [&] {
        if (key == "Go2Start") {
          ShowDockedForm(frmStart::Default());
        } else if (key == "AddDB") {
          CallOnActiveView("AddDB");
        } else if (key == "AddUser") {
          CallOnActiveView("AddUser");
        } else if (key == "ImpWinUser") {
          forms::FormPtr import = AdminForm("frmAddWinUsr");
          if (!import) rt::Raise(91, "frmMDI", "The Windows account import is not part of this program");
          import->Show(forms::vbModal, this);
        } else if (key == "AddGrp") {
          CallOnActiveView("AddGrp");
        } else if (key == "Delete") {
          CallOnActiveView("Delete");
        } else if (key == "Save") {
          CallOnActiveView("Speichern");
        } else if (key == "Eigenschaften") {
          CallOnActiveView("Eigenschaften");
        } else if (key == "Refresh") {
          CallOnActiveView("Aktualisieren");
        } else if (key == "Beenden") {
          Unload();
        } else if (key == "Feedback") {
          shell::ShellExecuteA(0, "Open", kFeedbackLink, "", "", win::SW_SHOWNORMAL);
        } else if (key == "KelvaroOnline") {
          shell::ShellExecuteA(win::ToInt(hWnd()), "Open", kMakerSite, "", "", win::SW_SHOWNORMAL);
        } else if (key == "Hilfe") {
          ShowViewHelp();
        } else if (key.rfind("Farb", 0) == 0) {
          WriteRegValue("DesignStyle", static_cast<int32_t>(SchemeOfKey(key)), true);
          forms::MsgBox("For the change to become effective, you have to restart the Quorvelle administration.",
                        forms::vbInformation, "Quorvelle Administration");
        }
      },
      [](const rt::Error&) { ErrorReport("Menu Selection"); });
}

}  // namespace qvadmin
