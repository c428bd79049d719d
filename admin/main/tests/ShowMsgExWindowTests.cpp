// The message helper with the real message box control: the details reach
// the message window's details pane as HTML line breaks.
#include <gtest/gtest.h>

#include "core/ShowMsgEx.h"
#include "forms/Form.h"
#include "forms/Responder.h"
#include "gdi/FontBackend.h"
#include "html/KVXHTML.h"
#include "main/frmMDI.h"
#include "main/tests/MainWindowLoad.h"

namespace qvadmin {
namespace {

TEST(ShowMsgExWindow, DetailsReachTheDetailsPane) {
  gdi::ScopedFixedMetrics metrics;
  auto main = test::LoadMainWindow(false);
  std::string detailText;
  std::string windowName;
  forms::ScopedResponders responders([&](const forms::ModalRequest& r) {
    if (r.kind == forms::ModalRequest::Kind::Form && r.form) {
      windowName = r.form->Name();
      rt::ResumeNext([&] { detailText = r.form->Get<kvctl2::KVXHTML>("txtDetail")->RawText(); });
      r.form->Hide();
    }
    return 1;
  });
  ShowMsgEx("Something failed", 16, "Error", "", 0, 0, "first line\r\nsecond line");
  EXPECT_EQ(windowName, "frmMsgBoxIe");
  EXPECT_EQ(detailText, "first line\r\nsecond line");  // sent as "<br>", read back as CR LF
  main->Unload();
}

}  // namespace
}  // namespace qvadmin
