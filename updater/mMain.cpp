#include "mMain.h"

#include <filesystem>
#include <system_error>

#include "CodedTexts.h"
#include "Global.h"
#include "forms/Constants.h"
#include "forms/MsgBox.h"
#include "frmUpdates.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "shell/StartProgram.h"
#include "win/Menu.h"

namespace verscout {

namespace fs = std::filesystem;

namespace {

struct ModeRow {
  const char* switchText;
  const char* appName;
  const char* codedKeyPath;
  bool admin;
  bool silent;
};

constexpr ModeRow kModes[] = {
    {"UpdStd", "Quorvelle4", coded::kClientKeyPath, false, false},
    {"UpdSilent", "Quorvelle4", coded::kClientKeyPath, false, true},
    {"UpdPro", "QuorvelleADM", coded::kAdminKeyPath, true, false},
    {"UpdSilentPro", "QuorvelleADM", coded::kAdminKeyPath, true, true},
};

void StartupMessage(const std::string& text, const std::string& title, int32_t extraStyle = 0) {
  PlainMsgBox(text, forms::vbExclamation | extraStyle, title);
}

kvctl2::cRegSettings& MakeSettings() {
  if (!Settings) Settings = std::make_shared<kvctl2::cRegSettings>();
  return *Settings;
}

kvctl2::cMyTools& MakeTools() {
  if (!Tools) Tools = std::make_shared<kvctl2::cMyTools>();
  return *Tools;
}

// Takes the lock that one assistant at a time holds. When another holds
// it, nothing of that run is touched: this run says that an assistant is
// running (on the error output in the silent modes), brings that one's
// window to the front, and answers false.
bool TakeRunLock() {
  if (RunLock && RunLock->Held()) return true;
  RunLock = std::make_unique<shell::InstanceLock>(MakeTools().GetTempDir() + "QVVerscout.lock");
  if (!RunLock->HeldByAnother()) return true;
  const int32_t first = RunLock->HolderPid();
  RunLock.reset();
  TellAlreadyRunning(first);
  return false;
}

}  // namespace

void TellAlreadyRunning(int32_t pid) {
  const std::string text = Text(
      "The update assistant is already running.\r\n\r\nPlease wait until it has finished, "
      "or close its window.",
      "Der Update-Assistent läuft bereits.\r\n\r\nBitte warten Sie, bis er fertig ist, "
      "oder schließen Sie sein Fenster.");
  const std::string title = AssistantTitle();
  if (IsSilent) {
    TellOnErrorOutput(title, text);
    return;
  }
  PlainMsgBox(text, forms::vbInformation | forms::vbSystemModal, title);
  win::SetForegroundWindowOfProcess(pid);
}

bool Main(const std::string& commandLine) {
  rt::ResumeNext([] { InitXPStyles(); });
  rt::ResumeNext([] {
    IsEnglish = FileExists(ProgramFolder() + "/res/zupdOK");
    PagePrefix = ProgramFolder() + (IsEnglish ? "/res/z" : "/res/");
  });

  const ModeRow* mode = nullptr;
  for (const ModeRow& row : kModes) {
    if (commandLine == row.switchText) mode = &row;
  }
  if (!mode) {
    const std::string length = std::to_string(rt::Len(commandLine));
    StartupMessage(Text("No process found!", "Ausführung nicht möglich!"),
                   Text("Update-Assist, Error: ", "Update-Assistent, Fehler: ") + length,
                   forms::vbSystemModal | forms::vbMsgBoxSetForeground);
    return false;
  }
  rt::ResumeNext([&] {
    MakeSettings().AppName(mode->appName);
    Settings->DefaultPath(DecodeCharCodes(mode->codedKeyPath) + "4");
  });
  IsAdminMode = mode->admin;
  IsSilent = mode->silent;
  // Before anything of a run is touched: a second run leaves the first's
  // temporary folder and settings alone.
  if (!TakeRunLock()) return false;

  rt::ResumeNext([] { MakeSettings().RootHKey(kvctl2::HKY_CURRENT_USER); });
  UpdateLoaded = false;
  rt::ResumeNext([] {
    TempFolder = MakeTools().GetTempDir() + "QVVerscout/";
    std::error_code ignored;
    if (!FolderExists(TempFolder)) fs::create_directory(TempFolder, ignored);
  });
  rt::ResumeNext([] { UpdateFolder = ReadRegValue("AktUpdDir", "").ToString(); });
  // A damaged or unusable settings file is told before what follows from it.
  const bool settingsUnreadable = TellSettingsProblems();

  if (UpdateFolder.empty()) {
    Settings.reset();
    // Not "not set" when the settings could not be read at all.
    StartupMessage(settingsUnreadable
                       ? Text("The web update can't be performed because the settings cannot be read.",
                              "Das Web-Update kann nicht ausgeführt werden,\r\nda die Einstellungen nicht gelesen "
                              "werden können.")
                       : Text("The web update can't be performed due to 'ActUpdDir' not being set.",
                              "Das Web-Update kann nicht ausgeführt werden,\r\nda 'AktUpdDir' nicht gesetzt ist."),
                   Text("Mistake during automatic update!", "Fehler bei Auto-Update!"));
    return false;
  }
  // All closing separators go: "upd//" is the folder "upd", and the log
  // lies beside it, not in it.
  while (UpdateFolder.size() > 1 && (UpdateFolder.back() == '\\' || UpdateFolder.back() == '/'))
    UpdateFolder.pop_back();

  const bool updateMissing = !FolderExists(UpdateFolder);
  const bool tempMissing = !FolderExists(TempFolder);
  if (updateMissing || tempMissing) {
    Settings.reset();
    std::string text = Text("Automatic web update is not possible to perform; no temporary folders are available.",
                            "Automatisches Web-Update kann nicht ausgeführt werden, da keine temporären Ordner "
                            "verfügbar sind.");
    if (updateMissing) text += std::string("\r\r") + Text("Update-Folder: ", "Update-Ordner: ") + UpdateFolder;
    if (tempMissing) text += std::string("\r\r") + Text("Temp-Folder: ", "Temp-Ordner: ") + TempFolder;
    StartupMessage(text, Text("Mistake during automatic update!", "Fehler bei Auto-Update!"));
    return false;
  }
  return true;
}

std::string CommandLineOf(int argc, const char* const* argv) {
  std::string line;
  for (int i = 1; i < argc; ++i) line += (i > 1 ? " " : "") + std::string(argv[i]);
  return line;
}

void ShowUpdateWindow() {
  const std::shared_ptr<frmUpdates> window = frmUpdates::Default();
  if (IsSilent) {
    window->UpdateSuche();
    return;
  }
  window->Show(forms::vbModeless);
  if (window->IsLoaded()) window->SetTopMost(-1, true);
}

void ExitAssistant() {
  rt::ResumeNext([] {
    const std::string upd = TempFolder + "upd/";
    if (!upd.ends_with("/upd/")) return;
    std::error_code ignored;
    for (const fs::directory_entry& entry : fs::directory_iterator(upd, ignored)) {
      if (entry.is_regular_file(ignored)) fs::remove(entry.path(), ignored);
    }
    fs::remove(upd, ignored);
  });
  rt::ResumeNext([] { ClearTempFolder(true); });
  // The next run may make the temporary folder again.
  RunLock.reset();
  Tools.reset();
  Settings.reset();

  if (UpdateLoaded && !IsAdminMode) {
    rt::ResumeNext([] {
      const std::string program = ProgramFolder() + "/Quorvelle_Update.exe";
      // One argument, as the update program expects it: "Update0" and the folder.
      const std::vector<std::string> arguments{"Update0" + UpdateFolder};
      const bool xp = MakeTools().OSVersion() == "XP";
      // Elsewhere than on "XP" the program starts in the root of the
      // program's file system, as it did on the program's drive.
      shell::StartProgram(program, arguments, xp ? std::string() : std::string("/"));
    });
  }
}

}  // namespace verscout
