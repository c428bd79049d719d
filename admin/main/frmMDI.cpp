#include "main/frmMDI.h"

#include <array>
#include <utility>

#include "forms/Screen.h"
#include "main/MsgIcons.h"
#include "main/kvsImg.h"
#include "runtime/Error.h"

namespace qvadmin {

namespace {

constexpr int32_t kMainWidth = 12945;
constexpr int32_t kMainHeight = 9210;

}  // namespace

frmMDI::frmMDI() : Form("frmMDI") { SetDesignFile(QV_ADMIN_SOURCE_DIR "/main/frmMDI.frm"); }

std::shared_ptr<frmMDI> frmMDI::Default() {
  static const std::shared_ptr<frmMDI> instance = std::make_shared<frmMDI>();
  return instance;
}

com::StdPicturePtr frmMDI::ImagePicture(std::string_view key) const {
  return Get<kvsImg>("imgMsg")->Picture(key);
}

void frmMDI::Form_Load() {
  // Errors are ignored step by step: the window opens whatever fails.
  rt::ResumeNext([this] {
    Move((forms::Screen::Width() - kMainWidth) / 2, (forms::Screen::Height() - kMainHeight) / 2, kMainWidth,
         kMainHeight);
  });
  rt::ResumeNext([this] {
    auto images = Get<kvsImg>("imgMsg");
    images->Add("MsgError", DrawMsgErrorPicture());
    images->Add("MsgDelete", DrawMsgDeletePicture());
  });
  SetMessageCaptions();
  rt::Err().Clear();
}

void frmMDI::SetMessageCaptions() {
  static const std::array<std::pair<const char*, const char*>, 11> kCaptions{{
      {"strAbord", "&Abord"},
      {"strCancel", "Cancel"},
      {"strCheck", "Don't show this message again"},
      {"strCopy", "Copy this message to clipboard"},
      {"strDelText", "."},
      {"strHelp", "Help"},
      {"strIgnore", "&Ignore"},
      {"strNo", "&No"},
      {"strRetry", "&Retry"},
      {"strSend", "."},
      {"strYes", "&Yes"},
  }};
  for (const auto& [name, caption] : kCaptions) {
    rt::ResumeNext([this, name, caption] { msg()->Let(name, caption); });
  }
}

}  // namespace qvadmin
