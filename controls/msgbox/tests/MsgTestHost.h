// A host form with one message box control, and helpers that answer the
// message window the way a user would.
#pragma once

#include <functional>
#include <memory>

#include "forms/Form.h"
#include "forms/Responder.h"
#include "msgbox/Msg.h"
#include "msgbox/frmMsgBoxIe.h"

namespace kvctl2::test {

inline const char* kHostDesign = R"(Begin Form frmHost
   Caption = "Host"
   BorderStyle = 2
   Left = 1500
   Top = 900
   ClientWidth = 9000
   ClientHeight = 6000
   Begin Kvctl2.msg msg
      Left = 120
      Top = 120
   End
End
)";

class HostForm : public forms::Form {
 public:
  HostForm() : Form("frmHost") { SetDesignText(kHostDesign); }
  std::shared_ptr<Msg> msg() const { return Get<Msg>("msg"); }
};

// Answers the next message window with `act` (which must end it).
inline void Answer(std::function<void(frmMsgBoxIe&)> act) {
  forms::Responders::Push([act](const forms::ModalRequest& request) {
    auto* window = dynamic_cast<frmMsgBoxIe*>(request.form);
    if (window) act(*window);
    return 0;
  });
}

}  // namespace kvctl2::test
