#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "com/ControlFactory.h"
#include "com/PropertyBag.h"
#include "msgbox/Msg.h"
#include "msgbox/MsgIcons.h"
#include "runtime/Error.h"
#include "runtime/ErrorNumberOf.h"
#include "runtime/Strings.h"
#include "shell/Profile.h"
#include "tests/MsgTestHost.h"
#include "win/Window.h"

namespace kvctl2 {
namespace {

using rt::ErrorNumberOf;

TEST(MsgProperties, NewControlHasTheDefaultsAndStoresOnlyWhatDiffers) {
  auto msg = std::dynamic_pointer_cast<Msg>(com::CreateControl("Kvctl2.msg"));
  ASSERT_TRUE(msg);
  msg->InitProperties();
  EXPECT_EQ(msg->Get("strOk").ToString(), "OK");
  EXPECT_EQ(msg->Get("strRetry").ToString(), "Wieder&holen");
  EXPECT_EQ(msg->Get("spHicon_Label").ToLong(), 240);
  EXPECT_EQ(msg->Get("formMaxWidth").ToLong(), 9990);
  EXPECT_EQ(msg->Get("DelaySec").ToLong(), 3);
  EXPECT_FALSE(msg->Get("GrayScale").ToBool());
  EXPECT_TRUE(com::IsNothing(msg->Get("imgCritical")));
  auto deletePicture = com::AsObject<com::StdPicture>(msg->Get("imDelete"));
  ASSERT_TRUE(deletePicture);  // an empty picture, not Nothing
  EXPECT_TRUE(deletePicture->IsEmpty());

  com::PropertyBag bag;
  msg->WriteProperties(bag);
  // Only GrayScale (False against the bag default True) and the empty
  // delete picture differ from their defaults.
  EXPECT_EQ(bag.Names(), (std::vector<std::string>{"GrayScale", "imDelete"}));

  msg->Let("strOk", "Okay");
  msg->Let("spVup", int32_t{200});
  msg->Let("ButtonsWidth", int32_t{1500});
  auto cancel = StandardMsgIcon(kSlotCritical);
  auto abort = StandardMsgIcon(kSlotQuestion);
  msg->Set("imCancel", com::ToVariant(cancel));
  msg->Set("imAbort", com::ToVariant(abort));
  EXPECT_EQ(com::AsObject<com::StdPicture>(msg->Get("imCancel")), cancel);
  EXPECT_EQ(com::AsObject<com::StdPicture>(msg->Get("imAbort")), abort);
  bag.Clear();
  msg->WriteProperties(bag);
  EXPECT_EQ(bag.ReadProperty("strOk").ToString(), "Okay");
  EXPECT_EQ(bag.ReadProperty("spVup").ToLong(), 200);
  EXPECT_FALSE(bag.Contains("strCancel"));

  // Reading gives everything back; TempButtonsWidth follows ButtonsWidth.
  auto loaded = std::make_shared<Msg>();
  loaded->ReadProperties(bag);
  EXPECT_EQ(loaded->Props().strOk, "Okay");
  EXPECT_EQ(loaded->Props().spVup, 200);
  EXPECT_EQ(loaded->Props().TempButtonsWidth, 1500);
  EXPECT_FALSE(loaded->Props().GrayScale);
  EXPECT_TRUE(loaded->SlotPicture(kSlotCancel) && loaded->SlotPicture(kSlotAbort));
  EXPECT_NE(loaded->SlotPicture(kSlotCancel), loaded->SlotPicture(kSlotAbort));
  // Write-only members.
  EXPECT_EQ(ErrorNumberOf([&] { loaded->Get("TempButtonsWidth"); }), com::errWriteOnlyProperty);
  loaded->Let("TempButtonsText2", "Later");
  EXPECT_EQ(loaded->Props().TempButtonsText[1], "Later");
}

TEST(MsgProperties, AHostPlacesTheControlAtAFixedSize) {
  auto host = std::make_shared<test::HostForm>();
  host->Load();
  auto msg = host->msg();
  msg->Move(0, 0, 3000, 2000);
  EXPECT_EQ(msg->Width(), 480);
  EXPECT_EQ(msg->Height(), 480);
  EXPECT_TRUE(msg->Props().GrayScale);  // loaded from a bag without it: the bag default
  host->Unload();
}

// Like a timer, the control has no face and no focus while the program runs.
TEST(MsgProperties, InvisibleAndNeverFocusedAtRunTime) {
  auto host = std::make_shared<test::HostForm>();
  host->Show();
  auto msg = host->msg();
  EXPECT_TRUE(msg->InvisibleAtRuntime());
  EXPECT_FALSE(msg->CanFocus());
  EXPECT_FALSE(win::IsWindowVisible(msg->hWnd()));
  msg->SetVisible(false);
  msg->SetVisible(true);
  EXPECT_FALSE(win::IsWindowVisible(msg->hWnd()));
  host->Unload();
}

class LookFile : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = std::filesystem::temp_directory_path() / ("qv-look-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    file = (folder / "msg.ini").string();
  }
  void TearDown() override { std::filesystem::remove_all(folder); }
  std::filesystem::path folder;
  std::string file;
};

TEST_F(LookFile, RoundTripOfTheSelectedSections) {
  Msg source;
  source.Props().strOk = "Okay";
  source.Props().strCheck = "Don't show this message again";
  source.Props().spVup = 210;
  source.Props().ButtonsWidth = 1400;
  source.Props().DelaySec = 5;
  source.Props().SendMethode = exSendManual;
  source.Props().strMailBody = "not stored";
  EXPECT_TRUE(source.SaveProperties(file));

  Msg target;
  target.LoadProperties(file);
  EXPECT_EQ(target.Props().strOk, "Okay");
  EXPECT_EQ(target.Props().strCheck, "Don't show this message again");
  EXPECT_EQ(target.Props().spVup, 210);
  EXPECT_EQ(target.Props().ButtonsWidth, 1400);
  EXPECT_EQ(target.Props().DelaySec, 5);
  EXPECT_EQ(target.Props().SendMethode, exSendManual);
  EXPECT_EQ(target.Props().strMailBody, "");

  std::string value;
  shell::GetPrivateProfileStringA("SIZE", "ButtonsWidth", "", value, 1024, file);
  EXPECT_EQ(value, "1400");
  shell::GetPrivateProfileStringA("STRING", "strDelText", "absent", value, 1024, file);
  EXPECT_EQ(value, "absent");

  // Only the sections asked for are read.
  Msg partial;
  partial.LoadProperties(file, false, true, false, true, false);
  EXPECT_EQ(partial.Props().strOk, "OK");
  EXPECT_EQ(partial.Props().spVup, 210);
  EXPECT_EQ(partial.Props().ButtonsWidth, 1200);
}

TEST_F(LookFile, AMissingNumberRaisesTypeMismatchAndKeepsWhatWasRead) {
  std::ofstream(file) << "[STRING]\r\nstrOk=Fine\r\nstrMailSubject=Report\r\n[SPACE]\r\nspHleft=200\r\n"
                          "spHicon_Label=wide\r\n[SIZE]\r\nButtonsWidth=1500\r\n";
  Msg msg;
  EXPECT_EQ(ErrorNumberOf([&] { msg.LoadProperties(file); }), rt::errTypeMismatch);
  // The whole STRING section is read before SPACE, whose first key fails.
  EXPECT_EQ(msg.Props().strOk, "Fine");
  EXPECT_EQ(msg.Props().strCancel, "");  // a missing text key reads empty
  EXPECT_EQ(msg.Props().strMailSubject, "Report");
  EXPECT_EQ(msg.Props().spHicon_Label, 240);
  EXPECT_EQ(msg.Props().spHleft, 165);  // comes after spHicon_Label in SPACE
  EXPECT_EQ(msg.Props().ButtonsWidth, 1200);
}

TEST_F(LookFile, SectionsAndKeysAreWrittenInTheirOrder) {
  Msg msg;
  ASSERT_TRUE(msg.SaveProperties(file));
  std::ifstream in(file);
  std::vector<std::string> sections;
  std::map<std::string, std::vector<std::string>> keys;
  for (std::string line; std::getline(in, line);) {
    line = rt::Trim(rt::Replace(line, "\r", ""));
    if (line.empty()) continue;
    if (line.front() == '[') {
      sections.push_back(line);
    } else {
      keys[sections.back()].push_back(line.substr(0, line.find('=')));
    }
  }
  EXPECT_EQ(sections, (std::vector<std::string>{"[STRING]", "[SPACE]", "[SIZE]", "[COMMON]"}));
  EXPECT_EQ(keys["[STRING]"].size(), 15u);
  EXPECT_EQ(keys["[STRING]"].front(), "strOk");
  EXPECT_EQ(keys["[STRING]"].back(), "strMailSubject");
  EXPECT_EQ(keys["[SPACE]"], (std::vector<std::string>{"spHicon_Label", "spHbuttons", "spHleftButtons",
                                                       "spHrightLabel", "spVmiddle", "spVup", "spVdown",
                                                       "spHleftCheck", "spVdownCheck", "spHleft", "spHrightMore",
                                                       "spVdownMore"}));
  EXPECT_EQ(keys["[SIZE]"].front(), "cmdSendWidth");
  EXPECT_EQ(keys["[SIZE]"].back(), "textMoreHeight");
  EXPECT_EQ(keys["[COMMON]"], (std::vector<std::string>{"formMaxWidth", "formMinWidth", "FormTop", "FormLeft",
                                                        "DelaySec", "SendMethode"}));
}

}  // namespace
}  // namespace kvctl2
