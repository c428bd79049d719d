#include "users/MainWindowLink.h"

#include "forms/docking/DockStudio.h"
#include "forms/lists/ImageList.h"
#include "main/frmMDI.h"
#include "main/kvsImg.h"
#include "runtime/Error.h"

namespace qvadmin {
namespace {

std::shared_ptr<frmMDI> LoadedMain() {
  auto main = frmMDI::Default();
  return main->IsLoaded() ? main : nullptr;
}

std::shared_ptr<forms::DockStudio> Dock() {
  auto main = LoadedMain();
  if (!main || !main->HasControl("Dock")) return nullptr;
  return std::dynamic_pointer_cast<forms::DockStudio>(main->Control("Dock"));
}

}  // namespace

void ToolButtonErlauben(const std::string& key, bool enabled) {
  if (auto main = LoadedMain()) {
    rt::ResumeNext([&] { main->Call("ToolButtonErlauben", {key, enabled}); });
    rt::Err().Clear();
  }
}

void SetToolStates(const std::vector<std::pair<std::string, bool>>& states) {
  auto dock = Dock();
  if (!dock) return;
  rt::ResumeNext([&] { dock->SetRedraw(false); });
  for (const auto& [key, state] : states) {
    if (auto tool = dock->FindTool(key)) rt::ResumeNext([&] { tool->SetVisible(state); });
  }
  rt::ResumeNext([&] { dock->SetRedraw(true); });
  rt::Err().Clear();
}

com::StdPicturePtr MainPicture(std::string_view list, const rt::Variant& keyOrIndex) {
  auto main = LoadedMain();
  if (!main || !main->HasControl(list)) return nullptr;
  com::StdPicturePtr picture;
  rt::ResumeNext([&] {
    const com::ControlPtr control = main->Control(list);
    if (auto images = std::dynamic_pointer_cast<forms::ImageList>(control)) {
      picture = images->Find(keyOrIndex);
    } else if (auto keyed = std::dynamic_pointer_cast<kvsImg>(control)) {
      picture = keyed->Picture(keyOrIndex.ToString());
    }
  });
  rt::Err().Clear();
  return picture;
}

com::StdPicturePtr StartPageLinkIcon() {
  com::StdPicturePtr picture;
  for (const forms::FormPtr& form : forms::Form::Forms()) {
    if (form->Name() != "frmStart" || !form->HasControl("hovVerwalt", 1)) continue;
    rt::ResumeNext([&] { picture = com::AsObject<com::StdPicture>(form->Control("hovVerwalt", 1)->Get("Icon")); });
  }
  rt::Err().Clear();
  return picture;
}

forms::Form* DialogOwner() { return LoadedMain().get(); }

std::string ActiveViewName() {
  if (auto dock = Dock()) {
    if (auto view = dock->ActiveForm()) return view->Name();
  }
  const forms::Form* active = forms::Form::ActiveForm();
  return active ? active->Name() : std::string();
}

}  // namespace qvadmin
