#include "users/MainWindowLink.h"

#include "core/DockedViews.h"
#include "forms/docking/DockStudio.h"
#include "main/AppIcons.h"
#include "main/frmMDI.h"
#include "runtime/Error.h"

namespace qvadmin {

void SetToolStates(const std::vector<std::pair<std::string, bool>>& states, const std::string& bar) {
  std::shared_ptr<forms::DockStudio> dock;
  rt::ResumeNext([&] { dock = frmMDI::Default()->Dock(); });
  rt::Err().Clear();
  if (!dock) return;
  rt::ResumeNext([&] { dock->SetRedraw(false); });
  if (!bar.empty()) rt::ResumeNext([&] { dock->Bar(bar)->RecalcLayout(); });
  for (const auto& [key, state] : states) {
    rt::ResumeNext([&] { dock->Tool(key)->SetVisible(state); });
  }
  rt::ResumeNext([&] { dock->SetRedraw(true); });
  rt::Err().Clear();
}

com::StdPicturePtr ActiveUsersIcon() {
  com::StdPicturePtr picture;
  for (const forms::FormPtr& form : forms::Form::Forms()) {
    if (form->Name() != "frmStart" || !form->HasControl("hovVerwalt", 1)) continue;
    rt::ResumeNext([&] { picture = com::AsObject<com::StdPicture>(form->Control("hovVerwalt", 1)->Get("Icon")); });
  }
  rt::Err().Clear();
  return picture ? picture : DrawAppIcon("UserAktiv", 24);
}

forms::Form* DialogOwner() {
  const std::shared_ptr<frmMDI> main = frmMDI::Default();
  return main->IsLoaded() ? main.get() : nullptr;
}

std::string ActiveViewName() {
  if (forms::FormPtr view = ActiveDockedForm()) return view->Name();
  const forms::Form* active = forms::Form::ActiveForm();
  return active ? active->Name() : std::string();
}

}  // namespace qvadmin
