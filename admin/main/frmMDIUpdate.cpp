// The main window's hand-over of the product's update to the update
// assistant.
#include <optional>
#include <vector>

#include "core/ConnectionLoss.h"
#include "core/ErrorReport.h"
#include "core/FileHandling.h"
#include "core/RegistrySettings.h"
#include "core/SessionState.h"
#include "core/ShowMsgEx.h"
#include "forms/App.h"
#include "forms/Constants.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "shell/StartProgram.h"

namespace qvadmin {

namespace {

constexpr const char* kWizardName = "Verscout.exe";
constexpr const char* kNotStarted = "The Update Wizard can not be started.";

// The configured update folder as stored, with its separator ("" for a
// null or when it can't be read). A connection lost meanwhile is told:
// nothing is said of a folder that could not be read.
std::optional<std::string> UpdateFolder() {
  std::string folder;
  rt::ResumeNext([&] {
    ado::Recordset rs = MainConnection().Execute("SELECT UpdLocPath FROM Konfig");
    if (!rs.Eof() && !rs.Fields(0).Value().IsNull()) folder = rs.Fields(0).Value().ToString();
  });
  if (SessionConnectionLost()) {
    ErrorReport("AutoUpdate");
    rt::Err().Clear();
    return std::nullopt;
  }
  rt::Err().Clear();
  return folder;
}

}  // namespace

void frmMDI::DoAutoUpdate() {
  if (!cnMain || cnMain->State() != ado::adStateOpen) return;
  const std::optional<std::string> stored = UpdateFolder();
  if (!stored) return;
  const std::string& folder = *stored;
  if (rt::Len(folder) < 2) {
    ShowMsgEx("You need to activate the online check via 'configuration/product' updates first.", forms::vbInformation,
              "Online checking is not enabled!");
    return;
  }
  if (!FolderExists(folder + "res")) {
    ShowMsgEx("The local path to the archive directory does not exist:\r\rPath: " + folder, forms::vbExclamation,
              "Please check the configuration!");
    return;
  }
  if (!FileExists(folder + "ver.txt")) {
    const std::vector<std::string> lines{
        "For the Update Wizard to recognize the current version of the program, you need to start the main "
        "application of",
        "Quorvelle (client) now, and open a personal or public Memo database.",
        "",
        "Instructions:",
        "---------------",
        "1. First, create a workstation configuration file via the Configuration menu.",
        "2. Copy the configuration file (QVClient.cfg) in the installation folder of your Quorvelle clients.",
        "3. Start Quorvelle now and verify that the connection to the SQL Server was successful.",
        "4. You may download and use the Update Wizard of Quorvelle administration now.",
        "",
        "Further details can be found by clicking on the key <F1> or via Help."};
    ShowMsgEx(rt::Join(lines, "\r"), forms::vbExclamation, kNotStarted);
    return;
  }
  const std::string program = ProgramFilePath(kWizardName);
  if (!FileExists(program)) {
    ShowMsgEx(std::string("The file '") + kWizardName + "' was not found.\r\rPlease check the following path: '" +
                  forms::App().Path + "'",
              forms::vbExclamation, kNotStarted);
    return;
  }
  if (ReadRegValue("AktUpdDir", "") != folder) WriteRegValue("AktUpdDir", folder, false);
  // Started with its argument vector and not waited for; a start that fails
  // is told instead of passing unnoticed.
  if (shell::StartProgram(program, {"UpdPro"}, "") == 0) {
    ShowMsgEx("The Update Wizard could not be started.\r\rProgram: " + program, forms::vbExclamation, kNotStarted);
  }
}

}  // namespace qvadmin
