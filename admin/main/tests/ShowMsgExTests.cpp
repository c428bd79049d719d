// The message helper: what reaches MsgBoxEx of the main window's message
// box control, and the mouse pointer around it.
#include <gtest/gtest.h>

#include "com/Dispatch.h"
#include "core/ShowMsgEx.h"
#include "forms/Responder.h"
#include "forms/Screen.h"
#include "gdi/FontBackend.h"
#include "main/frmMDI.h"
#include "main/tests/FakeMsg.h"

namespace qvadmin {
namespace {

class ShowMsgExTest : public ::testing::Test {
 protected:
  void SetUp() override {
    frmMDI::Default()->Load();
    msg = test::FakeMsg::Last();
    ASSERT_NE(msg, nullptr);
    forms::Screen::SetMousePointer(0);
  }
  void TearDown() override {
    frmMDI::Default()->Unload();
    forms::Screen::SetMousePointer(0);
  }
  const com::Args& LastCall() const { return msg->calls.back(); }

  gdi::ScopedFixedMetrics metrics;
  test::ScopedFakeMsg fake;
  test::FakeMsg* msg = nullptr;
};

TEST_F(ShowMsgExTest, PassesNineArgumentsWithDetailsAsHtml) {
  msg->answer = 6;
  const int32_t result =
      ShowMsgEx("Line one\r\nLine two", 4 + 32, "Question", "help.chm", 7, 2, "a\r\nb\rc\n", true);
  EXPECT_EQ(result, 6);
  const com::Args& a = LastCall();
  ASSERT_EQ(a.size(), 9u);
  EXPECT_EQ(a[0].ToString(), "Line one\r\nLine two");  // the prompt is passed unchanged
  EXPECT_EQ(a[1].ToLong(), 36);
  EXPECT_EQ(a[2].ToString(), "Question");
  EXPECT_EQ(a[3].ToString(), "help.chm");
  EXPECT_EQ(a[4].ToLong(), 7);
  EXPECT_EQ(a[5].ToLong(), 2 | exCenterOwner);
  EXPECT_EQ(a[6].ToString(), "a<br>b<br>c\n");
  EXPECT_TRUE(a[7].ToBool());
  EXPECT_TRUE(com::IsNothing(a[8]));
}

TEST_F(ShowMsgExTest, CenterOwnerIsCombinedAsAFlag) {
  for (const auto& [given, passed] : std::vector<std::pair<int32_t, int32_t>>{{0, 16}, {16, 16}, {2, 18}, {18, 18}, {132, 148}}) {
    ShowMsgEx("x", 0, "t", "", 0, given);
    EXPECT_EQ(LastCall()[5].ToLong(), passed) << given;
  }
}

TEST_F(ShowMsgExTest, DeleteTitleShowsTheDeletePicture) {
  const com::StdPicturePtr own = com::StdPicture::CreateEmpty();
  ShowMsgEx("Delete?", 4, kDeleteConfirmationTitle, "", 0, 0, "", false, own);
  EXPECT_EQ(com::AsObject<com::StdPicture>(LastCall()[8]), frmMDI::Default()->ImagePicture("MsgDelete"));
  ShowMsgEx("Other", 0, "Confirmation for deletion is required", "", 0, 0, "", false, own);
  EXPECT_EQ(com::AsObject<com::StdPicture>(LastCall()[8]), own);
}

TEST_F(ShowMsgExTest, DefaultPointerWhileShownAndRestoredAfterwards) {
  forms::Screen::SetMousePointer(11);
  ShowMsgEx("x");
  EXPECT_EQ(msg->pointerDuringCall, 0);
  EXPECT_EQ(forms::Screen::MousePointer(), 11);

  msg->failWith = 5;  // errors are ignored; the pointer is restored all the same
  int32_t result = -1;
  EXPECT_NO_THROW(result = ShowMsgEx("x"));
  EXPECT_EQ(result, 0);
  EXPECT_EQ(forms::Screen::MousePointer(), 11);
  EXPECT_EQ(rt::Err().Number(), 0);
}

TEST_F(ShowMsgExTest, HourglassSwitch) {
  SetHourglass(true);
  EXPECT_EQ(forms::Screen::MousePointer(), 11);
  SetHourglass(false);
  EXPECT_EQ(forms::Screen::MousePointer(), 0);
}

TEST(ShowMsgExWithoutMainWindow, FallsBackToThePlainMessageBox) {
  ASSERT_FALSE(frmMDI::Default()->IsLoaded());
  std::vector<forms::ModalRequest> seen;
  forms::ScopedResponders responders([&seen](const forms::ModalRequest& r) {
    seen.push_back(r);
    return 7;
  });
  EXPECT_EQ(ShowMsgEx("Started?", 4, "Start", "", 0, 0, "why"), 7);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].prompt, "Started?\r\rwhy");
  EXPECT_EQ(seen[0].title, "Start");

  // The error report's markup does not show: line breaks stay, tags go.
  seen.clear();
  ShowMsgEx("Failed.", 16, "Error", "", 0, 0,
            "<b><u>Reporting system for maintenance purposes:</u></b><br><br>Error 5, Procedure: \"Login\"., v4");
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].prompt,
            "Failed.\r\rReporting system for maintenance purposes:\r\n\r\nError 5, Procedure: \"Login\"., v4");
}

}  // namespace
}  // namespace qvadmin
