#include "core/DockedViews.h"

#include "core/FileHandling.h"
#include "core/SessionState.h"
#include "forms/docking/DockStudio.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"

namespace qvadmin {

void ShowDockedForm(const forms::FormPtr& form) {
  if (!form) rt::Raise(91, "ShowDockedForm", "Object variable not set");
  const std::shared_ptr<frmMDI> main = frmMDI::Default();
  main->Load();
  const auto dock = main->Dock();
  const bool wasDocked = dock->PaneOf(*form) != nullptr;
  const std::string key = form->Name().size() > 3 ? form->Name().substr(3) : std::string();

  dock->ShowForm(form);
  // The bars follow the view: menu and status bar stay, the view's own
  // tool bar shows, the others hide.
  dock->SetRedraw(false);
  for (const auto& bar : dock->Bars()) {
    if (bar->Key() == "MenuBar" || bar->Key() == "StatusBar") continue;
    bar->SetVisible(bar->Key() == key);
  }
  dock->SetRedraw(true);

  if (wasDocked && form->Name() != "frmStart") form->Call("Aktualisieren");
}

forms::FormPtr ActiveDockedForm() {
  forms::FormPtr view;
  rt::ResumeNext([&] {
    const std::shared_ptr<frmMDI> main = frmMDI::Default();
    if (main->IsLoaded()) view = main->Dock()->ActiveForm();
  });
  rt::Err().Clear();
  return view;
}

bool ReadArchivePath() {
  std::string path;
  const bool read = rt::ResumeNext([&] {
    ado::Recordset rs = MainConnection().Execute("SELECT ArchLocPath FROM Konfig");
    if (!rs.Eof() && !rs.Fields(0).Value().IsNull()) path = rs.Fields(0).Value().ToString();
  });
  rt::Err().Clear();
  ArchivePath = read && FolderExists(path) ? path : std::string();
  return !ArchivePath.empty();
}

}  // namespace qvadmin
