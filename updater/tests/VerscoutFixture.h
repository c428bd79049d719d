// A whole little world for the update assistant: its program folder (with
// res/ and the fake update program), a temporary folder ($TMPDIR), its own
// registry, an update folder, and the scripted update server reached
// through the coded address. Process-wide state is reset before and after.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "Global.h"
#include "TestFolder.h"
#include "forms/App.h"
#include "forms/Responder.h"
#include "inet/ConnectTo.h"
#include "inet/ScriptedHttpServer.h"
#include "registry/tests/ScopedRegistryFolder.h"
#include "runtime/DataFolder.h"
#include "services/cRegSettings.h"

namespace verscout {

inline void ResetGlobals() {
  IsEnglish = false;
  PagePrefix.clear();
  IsSilent = false;
  IsAdminMode = false;
  TempFolder.clear();
  UpdateFolder.clear();
  UpdateLoaded = false;
  Settings.reset();
  Tools.reset();
  RunLock.reset();
  LinesForLog.clear();
  MouseHook.Reset();
  Window = nullptr;
}

class VerscoutFixture : public ::testing::Test {
 protected:
  VerscoutFixture() {
    ResetGlobals();
    std::filesystem::create_directories(ProgramDir() + "/res");
    std::filesystem::create_directories(world.Path("tmp"));
    std::filesystem::create_directories(UpdateDir());
    ::setenv("TMPDIR", world.Path("tmp").c_str(), 1);
    forms::App().Path = ProgramDir();
    forms::App().EXEName = "Verscout";
    std::filesystem::copy_file(std::string(QV_SOURCE_DIR) + "/updater/tests/fixtures/Quorvelle_Update.exe",
                               ProgramDir() + "/Quorvelle_Update.exe");
  }
  ~VerscoutFixture() override {
    ResetGlobals();
    ::unsetenv("TMPDIR");
    forms::App().Path.clear();
  }

  std::string ProgramDir() const { return world.Path("prog"); }
  std::string UpdateDir() const { return world.Path("srv/upd"); }
  void UseEnglish() { WriteFile(ProgramDir() + "/res/zupdOK", "<p>ok</p>"); }
  // The update folder (UpdateDir() unless given) in the client's and the
  // administration program's settings.
  void SetUpdateFolder(const std::string& folder = {}) const {
    for (const char* key : {"SOFTWARE\\Kelvaro\\Quorvelle4", "SOFTWARE\\Kelvaro\\QuorvelleAdm4"}) {
      kvctl2::cRegSettings settings;
      settings.DefaultPath(key);
      settings.SetSetting("", "AktUpdDir", folder.empty() ? UpdateDir() : folder);
    }
  }

  // The settings file of the current user.
  std::string SettingsFile() const { return (registry.Path() / "HKEY_CURRENT_USER.reg").string(); }
  // Writes the current user's settings file with the administration
  // program's update folder (UpdateDir()), followed by `rest`: its closing
  // line, or damage.
  void WriteAdminSettingsFile(const std::string& rest) const {
    std::string folderHex;
    for (unsigned char c : UpdateDir()) {
      static constexpr char digits[] = "0123456789ABCDEF";
      folderHex += {digits[c >> 4], digits[c & 0xF]};
    }
    WriteFile(SettingsFile(),
              "QVREG 1\nK \nK SOFTWARE\\Kelvaro\\QuorvelleAdm4\nV AktUpdDir 1 " + folderHex + "\n" + rest);
  }

  // The program's own copy in the program folder, as an installation has
  // it: beside its German pages, clip and update program, with the local
  // version file 1234 and its data folder where it looks for it (the
  // build's, as this test binary finds it).
  void InstallProgramCopy() const {
    std::filesystem::copy_file(Build() + "/bin/Verscout", ProgramDir() + "/Verscout");
    for (const char* file : {"updwelcome", "updErr", "updOK", "updGetErr", "livupd"}) {
      std::filesystem::copy_file(std::string(QV_SOURCE_DIR) + "/updater/res/" + file, ProgramDir() + "/res/" + file);
    }
    WriteFile(ProgramDir() + "/ver.txt", "1|Quorvelle|1234|QV");
    const std::filesystem::path testFolder = std::filesystem::read_symlink("/proc/self/exe").parent_path();
    const std::filesystem::path data =
        (std::filesystem::path(ProgramDir()) / std::filesystem::path(rt::DataFolder()).lexically_relative(testFolder))
            .lexically_normal();
    std::filesystem::create_directories(data.parent_path());
    std::filesystem::create_directory_symlink(rt::DataFolder(), data);
  }
  // The build folder; the copy finds its libraries in its lib/.
  static std::string Build() {
    const char* build = std::getenv("QV_BUILD_DIR");
    return build ? build : ".";
  }

  // Waits for the fake update program, a child of this process, to end.
  static void WaitForChildren() {
    while (::waitpid(-1, nullptr, 0) > 0) {
    }
  }
  std::string UpdateProgramRuns() const { return ReadFile(ProgramDir() + "/update-program-runs.txt"); }

  TestFolder world;
  ScopedRegistryFolder registry;
  forms::ScopedResponders responders;
  inet::ScriptedHttpServer server;
  inet::ScopedConnectTo mapping{
      {server.ConnectToEntry("update.quorvelle.de"), server.ConnectToEntry("update.quorvelle.org")}};
};

}  // namespace verscout
