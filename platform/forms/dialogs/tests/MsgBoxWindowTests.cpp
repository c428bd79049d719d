// The message box dialog, played as a user would through the routed
// mouse and keys: which button each key, click and the close box gives,
// how the box sizes and places itself, and its pictures with the pinned
// fonts (msgbox-plain-*.png in the build folder) with every text fitting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "forms/Image.h"
#include "forms/MsgBox.h"
#include "forms/Responder.h"
#include "forms/TextFit.h"
#include "forms/dialogs/MsgBoxWindow.h"
#include "gdi/FontBackend.h"
#include "gdi/Twips.h"
#include "runtime/TestRenders.h"
#include "tests/PlayUser.h"
#include "tests/ScopedLocale.h"
#include "win/Menu.h"
#include "win/Metrics.h"
#include "win/Window.h"

namespace forms {
namespace {

struct PixelRect {
  int left, top, right, bottom;
};

PixelRect RectOf(const com::Control& c) {
  return {gdi::TwipsToPixelsX(c.Left()), gdi::TwipsToPixelsY(c.Top()), gdi::TwipsToPixelsX(c.Left() + c.Width()),
          gdi::TwipsToPixelsY(c.Top() + c.Height())};
}

class MsgBoxDialog : public ::testing::Test {
 protected:
  void SetUp() override { gdi::UseFixedMetrics(); }
  void TearDown() override {
    Responders::Clear();
    for (const auto& f : Form::Forms()) f->Unload();
  }
  // Shows the box modally; `act` plays the user once it shows.
  int32_t Answer(int32_t buttons, const std::function<void(MsgBoxWindow&)>& act) {
    Responders::Push([act](const ModalRequest& request) {
      auto* box = dynamic_cast<MsgBoxWindow*>(request.form);
      EXPECT_NE(box, nullptr);
      if (box) act(*box);
      return 0;
    });
    return ShowMsgBoxWindow("Do you want to save the changes?", buttons, "QVAdmin");
  }
  static std::shared_ptr<MsgBoxWindow> Loaded(const std::string& prompt, int32_t buttons,
                                              const std::string& title = "QVAdmin") {
    auto box = std::make_shared<MsgBoxWindow>(prompt, buttons, title);
    box->Load();
    return box;
  }
  rt::ManualClock clock;
  rt::ScopedClock scopedClock{clock};
};

TEST_F(MsgBoxDialog, KeysClicksAndTheCloseBoxGiveTheirButton) {
  const auto key = [](uint32_t vk, unsigned modifiers = test::kNone) {
    return [=](MsgBoxWindow&) { test::Key(vk, modifiers); };
  };
  const auto closeBox = [](MsgBoxWindow& box) { win::SendMessageA(box.hWnd(), win::WM_CLOSE, 0, 0); };
  struct Case {
    const char* what;
    int32_t buttons;
    std::function<void(MsgBoxWindow&)> act;
    int32_t expected;
  };
  const Case cases[] = {
      {"Escape, OK only", vbOKOnly, key(win::VK_ESCAPE), vbOK},
      {"Escape", vbRetryCancel, key(win::VK_ESCAPE), vbCancel},
      {"close box", vbYesNoCancel, closeBox, vbCancel},
      {"Enter, first default", vbOKCancel, key(win::VK_RETURN), vbOK},
      {"Enter, second default", vbOKCancel + vbDefaultButton2, key(win::VK_RETURN), vbCancel},
      {"Enter, third default", vbYesNoCancel + vbDefaultButton3, key(win::VK_RETURN), vbCancel},
      {"Enter, a default the box lacks", vbYesNo + vbDefaultButton3, key(win::VK_RETURN), vbYes},
      {"Tab from the default, Space", vbAbortRetryIgnore + vbDefaultButton2,
       [](MsgBoxWindow&) {
         test::Key(win::VK_TAB);
         test::Type(" ");
       },
       vbIgnore},
      {"access key", vbYesNo, [](MsgBoxWindow&) { test::Type("n"); }, vbNo},
      {"access key with Alt", vbAbortRetryIgnore, key('I', test::kAlt), vbIgnore},
      {"click", vbYesNoCancel, [](MsgBoxWindow& box) { test::Click(*box.Button(vbNo)); }, vbNo},
      {"no escape: Escape and the close box do nothing", vbYesNo,
       [&](MsgBoxWindow& box) {
         EXPECT_FALSE(win::OffersClose(box.hWnd()));
         test::Key(win::VK_ESCAPE);
         closeBox(box);
         EXPECT_TRUE(box.Visible());
         test::Key(win::VK_RETURN);
       },
       vbYes},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Answer(c.buttons, c.act), c.expected) << c.what;
    EXPECT_TRUE(Form::Forms().empty()) << c.what;
  }
}

TEST_F(MsgBoxDialog, TakesTheStyleButtonsCaptionsAndTitle) {
  auto box = Loaded("Keep the archive?", vbYesNoCancel + vbQuestion + vbDefaultButton2 + vbSystemModal, "Archive");
  EXPECT_EQ(box->Caption(), "Archive");
  EXPECT_EQ(box->Results(), (std::vector<int32_t>{vbYes, vbNo, vbCancel}));
  EXPECT_EQ(box->Button(vbYes)->Caption(), "&Yes");
  EXPECT_TRUE(box->Button(vbNo)->Default());
  EXPECT_TRUE(box->Button(vbCancel)->Cancel());
  EXPECT_TRUE(box->HasControl("imgIcon"));
  EXPECT_TRUE(win::OffersClose(box->hWnd()));
  // A system-modal box stays above other windows.
  EXPECT_NE(win::GetWindowLongA(box->hWnd(), win::GWL_EXSTYLE) & win::WS_EX_TOPMOST, 0);
  auto plain = Loaded("Plain", vbOKOnly + vbMsgBoxRight);
  EXPECT_FALSE(plain->HasControl("imgIcon"));
  EXPECT_EQ(plain->Prompt()->Alignment(), vbRightJustify);

  test::ScopedLocale german("de_DE.UTF-8");
  auto germanBox = Loaded("Erneut versuchen?", vbAbortRetryIgnore);
  EXPECT_EQ(germanBox->Button(vbAbort)->Caption(), "&Abbrechen");
  EXPECT_EQ(germanBox->Button(vbRetry)->Caption(), "&Wiederholen");
  EXPECT_EQ(germanBox->Button(vbIgnore)->Caption(), "&Ignorieren");
}

TEST_F(MsgBoxDialog, SizesItselfToItsText) {
  const auto width = [](const Form& f) { return gdi::TwipsToPixelsX(f.ScaleWidth()); };
  auto small = Loaded("Done.", vbOKOnly + vbInformation);
  // A short text beside the icon stands at its middle.
  const PixelRect icon = RectOf(*small->Control("imgIcon"));
  const PixelRect text = RectOf(*small->Prompt());
  EXPECT_EQ(text.top + text.bottom, icon.top + icon.bottom);
  EXPECT_GT(text.left, icon.right);

  // A long text wraps at the maximum width; its line breaks stay.
  const std::string sentence = "The user could not be saved because the connection to the server was lost. ";
  auto wide = Loaded(sentence + sentence + sentence, vbOKOnly + vbCritical);
  EXPECT_LT(width(*wide), 600);
  EXPECT_GT(wide->Prompt()->PixelHeight(), 2 * small->Prompt()->PixelHeight());
  auto lines = Loaded("One\r\nTwo\r\rFour", vbOKOnly);
  EXPECT_EQ(lines->Prompt()->PixelHeight(), 4 * small->Prompt()->PixelHeight());
  // A word longer than the maximum widens the box; a text too tall for the
  // screen is cut off, the buttons staying on the screen.
  auto path = Loaded("Cannot read /srv/quorvelle/" + std::string(90, 'x') + "/QVClient.cfg", vbOKOnly);
  EXPECT_TRUE(FindTextMisfits(*path).empty());
  EXPECT_GT(width(*path), 600);
  std::string manyLines;
  for (int i = 0; i < 300; ++i) manyLines += "Line " + std::to_string(i) + "\r\n";
  auto tall = Loaded(manyLines, vbOKCancel);
  win::MONITORINFO monitor;
  const win::RECT nowhere{};
  win::GetMonitorInfoA(win::MonitorFromRect(&nowhere, win::MONITOR_DEFAULTTOPRIMARY), &monitor);
  EXPECT_LE(gdi::TwipsToPixelsY(tall->Top() + tall->Height()), monitor.rcWork.bottom);
  EXPECT_GE(gdi::TwipsToPixelsY(tall->Top()), monitor.rcWork.top);
  EXPECT_GE(RectOf(*tall->Button(vbOK)).top, RectOf(*tall->Prompt()).bottom);
  // A long title widens the box.
  auto titled = Loaded("Done.", vbOKOnly, "Update assistant: the installation has finished");
  EXPECT_GT(width(*titled), width(*small) + 100);

  // The buttons: one row, of one width, centred below the text.
  auto three = Loaded(sentence, vbAbortRetryIgnore + vbExclamation);
  const PixelRect prompt = RectOf(*three->Prompt());
  int previousRight = 0;
  int left = 0;
  for (int32_t result : three->Results()) {
    const PixelRect b = RectOf(*three->Button(result));
    EXPECT_GE(b.top, prompt.bottom + 12);
    EXPECT_GT(b.left, previousRight);
    EXPECT_EQ(b.right - b.left, RectOf(*three->Button(vbAbort)).right - RectOf(*three->Button(vbAbort)).left);
    if (previousRight == 0) left = b.left;
    previousRight = b.right;
  }
  EXPECT_LE(std::abs(left - (width(*three) - previousRight)), 1);
}

TEST_F(MsgBoxDialog, CentresOnTheActiveFormOrTheScreen) {
  const auto centre = [](const Form& f) {
    return std::pair{gdi::TwipsToPixelsX(f.Left() + f.Width() / 2), gdi::TwipsToPixelsY(f.Top() + f.Height() / 2)};
  };
  auto alone = Loaded("Done.", vbOKOnly);
  win::MONITORINFO monitor;
  const win::RECT nowhere{};
  win::GetMonitorInfoA(win::MonitorFromRect(&nowhere, win::MONITOR_DEFAULTTOPRIMARY), &monitor);
  const win::RECT work = monitor.rcWork;
  EXPECT_LE(std::abs(centre(*alone).first - (work.left + work.right) / 2), 1);
  EXPECT_LE(std::abs(centre(*alone).second - (work.top + work.bottom) / 2), 1);
  alone->Unload();

  auto owner = std::make_shared<Form>("frmOwner");
  owner->Load();
  owner->Move(3000, 2400, 6000, 4500);
  owner->Show();
  EXPECT_LE(std::abs(centre(*Loaded("Done.", vbOKOnly)).first - centre(*owner).first), 1);
  EXPECT_LE(std::abs(centre(*Loaded("Done.", vbOKOnly)).second - centre(*owner).second), 1);
  // Near the screen's corner the box stays on the screen.
  owner->Move(-3000, -2400);
  auto box = Loaded("Done.", vbOKOnly);
  EXPECT_EQ(gdi::TwipsToPixelsX(box->Left()), work.left);
  EXPECT_EQ(gdi::TwipsToPixelsY(box->Top()), work.top);
}

// The pictures, with the real fonts: every button set with each icon in
// turn, a long wrapped prompt with line breaks, in English and German.
TEST_F(MsgBoxDialog, RendersEveryButtonSetAndIconWithItsTextFitting) {
  gdi::UsePangoMetrics();
  const int32_t icons[] = {vbCritical, vbQuestion, vbExclamation, vbInformation, 0};
  struct Language {
    const char* locale;
    const char* name;
    std::string shortText;
    std::string longText;
  };
  const Language languages[] = {
      {"C.UTF-8", "en", "Do you want to save the changes to the user \"Administrator\"?",
       "The connection to the database server \"QVSERVER\\QVault\" was lost while the user list was being saved.\r\n"
       "\r\nCheck the network connection and the server, then try again. Changes that were not saved are kept in "
       "the form until you close it."},
      {"de_DE.UTF-8", "de", "Möchten Sie die Änderungen am Benutzer \"Administrator\" speichern?",
       "Die Verbindung zum Datenbankserver \"QVSERVER\\QVault\" ist beim Speichern der Benutzerliste "
       "unterbrochen worden.\r\n\r\nÜberprüfen Sie die Netzwerkverbindung und den Server und versuchen Sie es "
       "erneut. Nicht gespeicherte Änderungen bleiben im Formular, bis Sie es schließen."},
  };
  const std::string prefix = rt::TestRenderPath("msgbox-plain-");
  for (const Language& language : languages) {
    test::ScopedLocale locale(language.locale);
    for (int32_t set = vbOKOnly; set <= vbRetryCancel; ++set) {
      for (bool longText : {false, true}) {
        const int32_t buttons = set + icons[(set + (longText ? 2 : 0)) % 5];
        auto box = Loaded(longText ? language.longText : language.shortText, buttons);
        const std::string name = std::string(language.name) + "-" + std::to_string(buttons) + (longText ? "-long" : "");
        for (const TextMisfit& misfit : FindTextMisfits(*box)) ADD_FAILURE() << name << ": " << misfit.Describe();
        EXPECT_TRUE(box->RenderToPng(prefix + name + ".png")) << name;
        box->Unload();
      }
    }
  }
}

}  // namespace
}  // namespace forms
