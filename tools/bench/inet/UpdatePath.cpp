#include "UpdatePath.h"

#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "Global.h"
#include "forms/App.h"
#include "forms/Responder.h"
#include "frmUpdates.h"
#include "mMain.h"
#include "services/cRegSettings.h"
#include "win/MessageQueue.h"

namespace bench {

namespace fs = std::filesystem;

UpdatePath::UpdatePath(const std::string& folder, inet::ScriptedHttpServer& server) : m_folder(folder) {
  fs::remove_all(m_folder);
  for (const char* below : {"prog/res", "tmp", "reg", "srv/upd"}) fs::create_directories(m_folder + "/" + below);
  // The pages the window shows, beside the program as an installation has them.
  for (const fs::directory_entry& page : fs::directory_iterator(std::string(QV_SOURCE_DIR) + "/updater/res")) {
    if (!page.path().filename().string().starts_with("z")) {
      fs::copy_file(page.path(), m_folder + "/prog/res/" + page.path().filename().string());
    }
  }
  ::setenv("TMPDIR", (m_folder + "/tmp").c_str(), 1);
  ::setenv("QV_REGISTRY_DIR", (m_folder + "/reg").c_str(), 1);
  forms::App().Path = m_folder + "/prog";
  forms::App().EXEName = "Verscout";
  kvctl2::cRegSettings settings;
  settings.DefaultPath("SOFTWARE\\Kelvaro\\QuorvelleAdm4");
  settings.SetSetting("", "AktUpdDir", m_folder + "/srv/upd");
  server.Serve("/v4/data/ver.txt", "1|Quorvelle|1235|QV|");
  // A message box would wait for a user: its title is printed instead.
  forms::Responders::SetStanding([](const forms::ModalRequest& request) {
    std::fprintf(stderr, "message: %s %s\n", request.title.c_str(), request.prompt.c_str());
    return 1;
  });
}

UpdatePath::~UpdatePath() {
  forms::Responders::Clear();
  ::unsetenv("TMPDIR");
  ::unsetenv("QV_REGISTRY_DIR");
  std::error_code ignored;
  fs::remove_all(m_folder, ignored);
}

double UpdatePath::TimeUpdate(size_t size) {
  const std::string update = m_folder + "/srv/upd/QVUpdate.exe";
  fs::remove(update);
  fs::remove(m_folder + "/srv/upd/ver.txt");
  if (!verscout::Main("UpdPro")) return -1;
  auto window = std::make_shared<verscout::frmUpdates>();
  window->Show();
  win::DoEvents();
  window->UpdateSuche();
  win::DoEvents();
  const auto start = std::chrono::steady_clock::now();
  window->cmdDoUpdate_Click();
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (window->IsLoaded()) window->Unload();
  std::error_code error;
  return fs::file_size(update, error) == size && !error ? seconds : -1;
}

}  // namespace bench
