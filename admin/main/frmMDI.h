// frmMDI: the administration program's one top-level window. It holds the
// message box control `msg` through which every message of the program is
// shown, and the image list whose entries "MsgError" and "MsgDelete" are
// the message icons. Command bars, docked views and the connect at start
// are added to this window as the program grows.
#pragma once

#include <memory>
#include <string_view>

#include "com/Control.h"
#include "com/StdPicture.h"
#include "forms/Form.h"

namespace qvadmin {

class frmMDI : public forms::Form {
 public:
  frmMDI();

  // The program's main window (created on first use, not loaded).
  static std::shared_ptr<frmMDI> Default();

  // The message box control; raises 730 while the form is not loaded.
  com::ControlPtr msg() const { return Control("msg"); }
  // The picture of an image-list entry; raises 35601 for an unknown key.
  com::StdPicturePtr ImagePicture(std::string_view key) const;

 protected:
  void Form_Load() override;

 private:
  void SetMessageCaptions();
};

}  // namespace qvadmin
