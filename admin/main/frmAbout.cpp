#include "main/frmAbout.h"

#include "core/FormHelpers.h"
#include "core/ProgramVersion.h"
#include "forms/Constants.h"
#include "forms/Image.h"
#include "forms/Label.h"
#include "main/AppIcons.h"
#include "runtime/DataFolder.h"
#include "runtime/Error.h"

namespace qvadmin {

frmAbout::frmAbout() : forms::Form("frmAbout") {
  SetDesignFile(rt::DataFile("qvadmin/frmAbout.frm"));
  OnControlEvent("hovClose", "Click", [this](int16_t, com::Args&) { Unload(); });
  for (const char* part : {"panBack", "imgLogo", "lblVersion", "lblInfo", "lblCopyright"}) {
    OnControlEvent(part, "MouseDown",
                   [this](int16_t, com::Args& args) { DragForm(*this, com::RequiredArg(args, 0).ToInteger()); });
  }
}

std::shared_ptr<frmAbout> frmAbout::Default() {
  static const std::shared_ptr<frmAbout> instance = std::make_shared<frmAbout>();
  return instance;
}

void frmAbout::Form_Load() {
  rt::ResumeNext([this] {
    Get<forms::Image>("imgLogo")->SetPicture(DrawProductBanner());
    Get<forms::Label>("lblVersion")->SetCaption(std::string("Version ") + kProgramVersion);
  });
  rt::Err().Clear();
}

void frmAbout::Form_KeyDown(int16_t& keyCode, int16_t) {
  if (keyCode != forms::vbKeyEscape) return;
  keyCode = 0;
  Unload();
}

}  // namespace qvadmin
