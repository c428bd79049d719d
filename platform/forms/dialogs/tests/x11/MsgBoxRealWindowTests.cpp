// The plain message box on a private X server with nobody scripted to
// answer it: MsgBox shows the dialog, and a user answers it with the mouse
// and the keyboard through XTest.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>

#include "forms/App.h"
#include "forms/ControlPainter.h"
#include "forms/MsgBox.h"
#include "forms/Responder.h"
#include "forms/TextFit.h"
#include "forms/dialogs/MsgBoxWindow.h"
#include "gdi/FontBackend.h"
#include "win/Menu.h"
#include "win/MessageQueue.h"
#include "win/Window.h"
#include "win/X11Testing.h"
#include "x11/RealWindowChecks.h"

namespace forms {
namespace {

namespace x11 = win::x11test;

class MsgBoxRealWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UsePangoMetrics();
    App().Title = "QVAdmin";
  }
  void TearDown() override {
    win::SetIdleHandler(nullptr);
    for (const auto& f : Form::Forms()) f->Unload();
  }
  // Calls MsgBox; `act` plays the user once the box shows.
  int32_t Ask(const std::string& prompt, int32_t buttons, const std::function<void(MsgBoxWindow&)>& act) {
    bool acted = false;
    win::SetIdleHandler([&] {
      auto* box = dynamic_cast<MsgBoxWindow*>(Form::ActiveForm());
      if (!acted && box) {
        acted = true;
        EXPECT_TRUE(x11::SettleUntil([&] { return x11::IsShown(box->hWnd()) && x11::FocusWindow() == box->hWnd(); }));
        act(*box);
        x11::Settle();
        if (box->IsLoaded()) {
          ADD_FAILURE() << "the box is still open";
          box->Unload();
        }
      }
      // The modal loop looks whether the box has gone.
      win::PostMessageA(win::kNoWindow, win::WM_NULL, 0, 0);
      return true;
    });
    const int32_t result = MsgBox(prompt, buttons);
    EXPECT_TRUE(acted);
    win::SetIdleHandler(nullptr);
    return result;
  }
};

TEST_F(MsgBoxRealWindow, ShowsWhatItsRenderShowsAndReturnsTheButtonClicked) {
  auto owner = std::make_shared<Form>("frmOwner");
  owner->Load();
  owner->Move(1500, 1500, 9000, 6000);
  owner->Show();
  x11::Settle();
  const int32_t result =
      Ask("Do you want to save the changes to the user \"Administrator\"?", vbYesNoCancel + vbQuestion,
          [&](MsgBoxWindow& box) {
            EXPECT_EQ(box.Caption(), "QVAdmin");
            for (const TextMisfit& misfit : FindTextMisfits(box)) ADD_FAILURE() << misfit.Describe();
            const int difference = test::CompareShownWithRender(box, "msgbox-plain-real-window");
            EXPECT_GE(difference, 0) << "the window shows nothing, or another size";
            EXPECT_LE(difference, 2);
            // Centred on the form that was active, which takes no input meanwhile.
            EXPECT_LE(std::abs((box.Left() + box.Width() / 2) - (owner->Left() + owner->Width() / 2)), 15);
            EXPECT_LE(std::abs((box.Top() + box.Height() / 2) - (owner->Top() + owner->Height() / 2)), 15);
            EXPECT_FALSE(win::IsWindowEnabled(owner->hWnd()));
            x11::Click(box.hWnd(), test::CentreOf(*box.Button(vbNo)));
          });
  EXPECT_EQ(result, vbNo);
  EXPECT_TRUE(win::IsWindowEnabled(owner->hWnd()));
}

TEST_F(MsgBoxRealWindow, KeysAnswerTheBox) {
  struct Case {
    const char* what;
    int32_t buttons;
    const char* keys;
    int32_t expected;
  };
  const Case cases[] = {
      {"Escape with Cancel", vbOKCancel + vbExclamation, "\x1b", vbCancel},
      {"Escape, OK only", vbOKOnly + vbInformation, "\x1b", vbOK},
      {"Enter presses the default button", vbYesNoCancel + vbDefaultButton2, "\r", vbNo},
      {"an access key", vbAbortRetryIgnore + vbCritical, "r", vbRetry},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Ask(c.what, c.buttons, [&](MsgBoxWindow&) { x11::TypeText(c.keys); }), c.expected) << c.what;
  }
}

TEST_F(MsgBoxRealWindow, BoxWithoutEscapeResultIgnoresEscapeAndTheCloseBox) {
  const int32_t result = Ask("Keep the archive?", vbYesNo + vbQuestion, [](MsgBoxWindow& box) {
    EXPECT_FALSE(win::OffersClose(box.hWnd()));
    x11::RequestClose(box.hWnd());
    x11::TypeText("\x1b");
    x11::Settle();
    EXPECT_TRUE(box.Visible());
    x11::Click(box.hWnd(), test::CentreOf(*box.Button(vbYes)));
  });
  EXPECT_EQ(result, vbYes);
}

TEST_F(MsgBoxRealWindow, CloseBoxGivesTheEscapeResult) {
  EXPECT_EQ(Ask("Retry the download?", vbRetryCancel, [](MsgBoxWindow& box) { x11::RequestClose(box.hWnd()); }),
            vbCancel);
}

// Under a window manager a box is a dialog window that cannot be maximised
// (openbox keeps a minimise button on every window) and is wide enough for
// its whole title beside the frame's buttons.
TEST_F(MsgBoxRealWindow, IsADialogWindowWideEnoughForItsTitle) {
  x11::WindowManager manager;
  ASSERT_TRUE(manager.Started());
  for (const char* title : {"Update-Assistent, Fehler: 0", "The data record of the user could not be saved."}) {
    SCOPED_TRACE(title);
    App().Title = title;
    EXPECT_EQ(Ask("x", vbOKOnly, [&](MsgBoxWindow& box) {
                const auto has = [](const std::vector<std::string>& atoms, const char* atom) {
                  return std::find(atoms.begin(), atoms.end(), atom) != atoms.end();
                };
                std::vector<std::string> actions;
                EXPECT_TRUE(x11::SettleUntil([&] {
                  actions = x11::AtomsOf(box.hWnd(), "_NET_WM_ALLOWED_ACTIONS");
                  return !actions.empty();
                }));
                EXPECT_EQ(x11::AtomsOf(box.hWnd(), "_NET_WM_WINDOW_TYPE"),
                          std::vector<std::string>{"_NET_WM_WINDOW_TYPE_DIALOG"});
                EXPECT_FALSE(has(actions, "_NET_WM_ACTION_MAXIMIZE_HORZ"));
                EXPECT_TRUE(has(actions, "_NET_WM_ACTION_CLOSE"));
                // The title in the caption font with room for the frame's
                // icon and three buttons.
                const auto captionFont = com::StdFont::Create(box.Font()->Name(), box.Font()->Size(), true);
                win::RECT client;
                win::GetClientRect(box.hWnd(), &client);
                EXPECT_GE(client.right - painter::MeasureText(title, captionFont, 0, false).cx, 120);
                x11::TypeText("\r");
              }),
              vbOK);
  }
}

// With a display too, a scripted responder answers before any dialog shows.
TEST_F(MsgBoxRealWindow, ResponderComesFirst) {
  ScopedResponders scope([](const ModalRequest&) { return vbIgnore; });
  EXPECT_EQ(MsgBox("Skip the file?", vbAbortRetryIgnore), vbIgnore);
  EXPECT_TRUE(Form::Forms().empty());
}

}  // namespace
}  // namespace forms
