#include "core/DockedViews.h"

#include <map>
#include <memory>
#include <set>
#include <string>

#include "core/FileHandling.h"
#include "core/SessionState.h"
#include "forms/docking/DockStudio.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"

namespace qvadmin {

namespace {

// The tools of the list commands act on the active view, and the views
// switch them (enabled, shown) as their selection changes: their states
// belong to the view. They are kept for a view while another one is on
// show and put back when it shows again.
constexpr const char* kViewTools[] = {"AddDB", "AddUser", "AddGrp", "Delete", "Save", "Eigenschaften", "Refresh"};

struct ToolState {
  bool enabled = true;
  bool visible = true;
};

std::map<std::string, std::map<std::string, ToolState>>& KeptToolStates() {
  static std::map<std::string, std::map<std::string, ToolState>> kept;
  return kept;
}

// Views docked while the connection closed: they start over when they
// show with a connection open.
std::set<std::string>& StaleViews() {
  static std::set<std::string> stale;
  return stale;
}

bool& SessionOpen() {
  static bool open = false;
  return open;
}

// The view whose tool bar is on show.
std::weak_ptr<forms::Form>& ShownView() {
  static std::weak_ptr<forms::Form> view;
  return view;
}

// True while ShowDockedForm places a view: the pane it activates is taken
// care of there.
bool& PlacingView() {
  static bool placing = false;
  return placing;
}

struct PlacingScope {
  PlacingScope() { PlacingView() = true; }
  ~PlacingScope() { PlacingView() = false; }
  PlacingScope(const PlacingScope&) = delete;
  PlacingScope& operator=(const PlacingScope&) = delete;
};

void KeepToolStates(const forms::Form& view, const forms::DockStudio& dock) {
  std::map<std::string, ToolState>& states = KeptToolStates()[view.Name()];
  for (const char* key : kViewTools) {
    if (auto tool = dock.FindTool(key)) states[key] = ToolState{tool->Enabled(), tool->Visible()};
  }
}

void RestoreToolStates(const forms::Form& view, forms::DockStudio& dock) {
  const auto kept = KeptToolStates().find(view.Name());
  if (kept == KeptToolStates().end()) return;
  for (const auto& [key, state] : kept->second) {
    if (auto tool = dock.FindTool(key)) {
      tool->SetEnabled(state.enabled);
      tool->SetVisible(state.visible);
    }
  }
}

// The bars follow the view: menu and status bar stay, the view's own tool
// bar (keyed by the form's name without "frm") shows, the others hide.
void ShowToolBarOf(const forms::Form& view, forms::DockStudio& dock) {
  const std::string key = view.Name().size() > 3 ? view.Name().substr(3) : std::string();
  for (const auto& bar : dock.Bars()) {
    if (bar->Key() == "MenuBar" || bar->Key() == "StatusBar") continue;
    bar->SetVisible(bar->Key() == key);
  }
}

// `view` takes over the tools from the view on show before it.
void BringToolsInLine(const forms::FormPtr& view, forms::DockStudio& dock, bool restore) {
  dock.SetRedraw(false);
  if (restore) RestoreToolStates(*view, dock);
  ShowToolBarOf(*view, dock);
  dock.SetRedraw(true);
  ShownView() = view;
}

// Keeps the tool states of the view on show when `next` takes its place.
void LeaveShownView(const forms::FormPtr& next, const forms::DockStudio& dock) {
  const forms::FormPtr shown = ShownView().lock();
  if (shown && shown != next && shown->IsLoaded()) KeepToolStates(*shown, dock);
}

bool StartsOver(const forms::Form& view) { return SessionOpen() && StaleViews().contains(view.Name()); }

// The view's tools take their first states (the commands on, those of a
// selected row off until a row is selected) and the view reads its data.
void StartOver(const forms::FormPtr& view, forms::DockStudio& dock) {
  StaleViews().erase(view->Name());
  KeptToolStates().erase(view->Name());
  for (const std::string key : kViewTools) {
    if (auto tool = dock.FindTool(key)) tool->SetEnabled(key != "Delete" && key != "Eigenschaften");
  }
  view->Call("Aktualisieren");
}

}  // namespace

void ShowDockedForm(const forms::FormPtr& form) {
  if (!form) rt::Raise(91, "ShowDockedForm", "Object variable not set");
  const std::shared_ptr<frmMDI> main = frmMDI::Default();
  main->Load();
  const auto dock = main->Dock();
  const bool wasDocked = dock->PaneOf(*form) != nullptr;

  const bool onShow = form == ShownView().lock();
  LeaveShownView(form, *dock);
  // A view docked anew sets its tools' states while it loads.
  if (!wasDocked) KeptToolStates().erase(form->Name());
  {
    const PlacingScope placing;
    dock->ShowForm(form);
  }
  // A view docked before that comes back gets the tool states it left,
  // unless it starts over after a closed connection.
  const bool startsOver = StartsOver(*form);
  BringToolsInLine(form, *dock, wasDocked && !onShow && !startsOver);

  if (startsOver) {
    StartOver(form, *dock);
  } else if (wasDocked && form->Name() != "frmStart") {
    form->Call("Aktualisieren");
  }
}

void DockedViewActivated() {
  if (PlacingView()) return;
  rt::ResumeNext([] {
    const forms::FormPtr view = ActiveDockedForm();
    if (!view || view == ShownView().lock()) return;
    const auto dock = frmMDI::Default()->Dock();
    LeaveShownView(view, *dock);
    BringToolsInLine(view, *dock, true);
    if (StartsOver(*view)) StartOver(view, *dock);
  });
  rt::Err().Clear();
}

void DockedViewsFollowConnection(bool connected) {
  SessionOpen() = connected;
  rt::ResumeNext([connected] {
    const std::shared_ptr<frmMDI> main = frmMDI::Default();
    if (!main->IsLoaded()) return;
    const auto dock = main->Dock();
    if (connected) {
      const forms::FormPtr view = ActiveDockedForm();
      if (view && StartsOver(*view)) StartOver(view, *dock);
      return;
    }
    for (const char* key : kViewTools) {
      if (auto tool = dock->FindTool(key)) tool->SetEnabled(false);
    }
    for (auto& [name, states] : KeptToolStates()) {
      for (auto& [key, state] : states) state.enabled = false;
    }
    for (const forms::FormPtr& form : forms::Form::Forms()) {
      if (form->Name() != "frmStart" && dock->PaneOf(*form)) StaleViews().insert(form->Name());
    }
  });
  rt::Err().Clear();
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
