// The first main window: its message box control gets the English captions
// on load, and its image list holds the message icons.
#include <gtest/gtest.h>

#include "gdi/FontBackend.h"
#include "main/frmMDI.h"
#include "main/kvsImg.h"
#include "main/tests/FakeMsg.h"

namespace qvadmin {
namespace {

TEST(frmMDI, LoadSetsTheMessageCaptionsAndIcons) {
  gdi::ScopedFixedMetrics metrics;
  test::ScopedFakeMsg fake;
  auto main = frmMDI::Default();
  main->Load();
  test::FakeMsg* msg = test::FakeMsg::Last();
  ASSERT_NE(msg, nullptr);
  EXPECT_EQ(msg->captionOrder, (std::vector<std::string>{"strAbord", "strCancel", "strCheck", "strCopy", "strDelText",
                                                         "strHelp", "strIgnore", "strNo", "strRetry", "strSend",
                                                         "strYes"}));
  EXPECT_EQ(msg->captions["strAbord"], "&Abord");
  EXPECT_EQ(msg->captions["strCheck"], "Don't show this message again");
  EXPECT_EQ(msg->captions["strCopy"], "Copy this message to clipboard");
  EXPECT_EQ(msg->captions["strDelText"], ".");
  EXPECT_EQ(msg->captions["strSend"], ".");
  EXPECT_EQ(msg->captions["strYes"], "&Yes");
  EXPECT_EQ(main->Width(), 12945);
  EXPECT_EQ(main->Height(), 9210);
  for (const char* key : {"MsgError", "MsgDelete", "msgerror"}) {
    const com::StdPicturePtr picture = main->ImagePicture(key);
    ASSERT_TRUE(picture) << key;
    EXPECT_FALSE(picture->IsEmpty()) << key;
    EXPECT_EQ(picture->PixelWidth(), 32) << key;
  }
  EXPECT_NE(main->ImagePicture("MsgError"), main->ImagePicture("MsgDelete"));
  try {
    main->ImagePicture("MsgInfo");
    ADD_FAILURE() << "an unknown key must raise";
  } catch (const rt::Error& e) {
    EXPECT_EQ(e.Number(), errElementNotFound);
  }
  main->Unload();
}

}  // namespace
}  // namespace qvadmin
