// Forms in real windows on a private X server, driven through XTest as a
// user would: what the window shows, clicks, typing, modal loops with
// timers, the clipboard shared with another client, moving a window by its
// caption area.
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include "forms/Clipboard.h"
#include "forms/Form.h"
#include "forms/Responder.h"
#include "forms/TextBox.h"
#include "forms/Timer.h"
#include "gdi/FontBackend.h"
#include "runtime/Clock.h"
#include "win/Input.h"
#include "win/InputRouting.h"
#include "win/Menu.h"
#include "win/MessageQueue.h"
#include "win/Window.h"
#include "win/X11Testing.h"
#include "x11/RealWindowChecks.h"

namespace {

namespace x11 = win::x11test;

const char* kDialog = R"(Begin Form frmProbe
   Caption = "Probe"
   BorderStyle = 3
   Left = 1500
   Top = 1500
   ClientWidth = 4200
   ClientHeight = 1800
   Font = Font("Tahoma", 8.25)
   Begin VB.TextBox txtName
      Left = 120
      Top = 120
      Width = 3960
      Height = 315
      TabIndex = 0
      Text = "Administrator"
   End
   Begin VB.Label lblInfo
      Caption = "Connect to SQL Server..."
      Left = 120
      Top = 600
      Width = 3960
      Height = 255
   End
   Begin VB.CommandButton cmdOK
      Caption = "OK"
      Default = True
      Left = 1560
      Top = 1200
      Width = 1200
      Height = 360
      TabIndex = 1
   End
   Begin VB.CommandButton cmdCancel
      Caption = "&Cancel"
      Cancel = True
      Left = 2880
      Top = 1200
      Width = 1200
      Height = 360
      TabIndex = 2
   End
   Begin VB.Timer Timer1
      Interval = 1000
      Enabled = False
   End
End
)";

class ProbeForm : public forms::Form {
 public:
  ProbeForm() : Form("frmProbe") {
    SetDesignText(kDialog);
    OnControlEvent("cmdOK", "Click", [this](int16_t, com::Args&) { log.push_back("cmdOK_Click"); });
    OnControlEvent("cmdCancel", "Click", [this](int16_t, com::Args&) {
      log.push_back("cmdCancel_Click");
      Unload();
    });
    OnControlEvent("Timer1", "Timer", [this](int16_t, com::Args&) {
      if (++ticks == 3) Unload();
    });
  }
  std::vector<std::string> log;
  int ticks = 0;
};

class RealWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UsePangoMetrics();
    form = std::make_shared<ProbeForm>();
  }
  void TearDown() override {
    for (const auto& f : forms::Form::Forms()) f->Unload();
    forms::Responders::Clear();
    win::SetIdleHandler(nullptr);
  }
  std::shared_ptr<ProbeForm> form;
};

TEST_F(RealWindows, WindowShowsWhatTheHeadlessRenderShows) {
  form->Show();
  x11::Settle();
  ASSERT_TRUE(x11::IsShown(form->hWnd()));
  // The server has the client area where the layer put it.
  win::RECT rect;
  win::GetWindowRect(form->hWnd(), &rect);
  EXPECT_EQ(x11::ServerOrigin(form->hWnd()).x, rect.left);
  EXPECT_EQ(x11::ServerOrigin(form->hWnd()).y, rect.top);

  const int difference = forms::test::CompareShownWithRender(*form, "forms-real-window");
  EXPECT_GE(difference, 0) << "the window shows nothing, or another size";
  EXPECT_LE(difference, 2);
}

TEST_F(RealWindows, ClickReachesTheButton) {
  form->Show();
  x11::Settle();
  x11::Click(form->hWnd(), forms::test::CentreOf(*form->Control("cmdOK")));
  x11::Settle();
  EXPECT_EQ(form->log, std::vector<std::string>{"cmdOK_Click"});
}

TEST_F(RealWindows, TypedTextReachesTheTextBox) {
  form->Show();
  x11::Settle();
  auto text = form->Get<forms::TextBox>("txtName");
  ASSERT_EQ(form->ActiveControl(), text);
  text->SetText("");
  x11::TypeText(
      "Gr\xC3\xBC\xC3\x9F"
      "e ä 5 €");
  x11::Settle();
  EXPECT_EQ(text->Text(),
            "Gr\xC3\xBC\xC3\x9F"
            "e ä 5 €");
  // A dead key composes with the letter after it.
  text->SetText("");
  x11::TapKeySymbol(XK_dead_diaeresis);
  x11::TapKeySymbol(XK_o);
  x11::Settle();
  EXPECT_EQ(text->Text(), "\xC3\xB6");
  // Escape reaches the form: the cancel button unloads it.
  x11::TypeText("\x1b");
  x11::Settle();
  EXPECT_FALSE(form->IsLoaded());
}

TEST_F(RealWindows, KeysGoToTheFormTheUserActivates) {
  auto other = std::make_shared<ProbeForm>();
  form->Show();
  other->Load();
  other->Move(7500, 1500);
  other->Show();
  x11::Settle();
  form->Get<forms::TextBox>("txtName")->SetText("");
  other->Get<forms::TextBox>("txtName")->SetText("");
  x11::Click(form->hWnd(), win::POINT{2, 2});
  x11::TypeText("x");
  x11::Settle();
  EXPECT_EQ(forms::Form::ActiveForm(), form.get());
  EXPECT_EQ(form->Get<forms::TextBox>("txtName")->Text(), "x");
  EXPECT_EQ(other->Get<forms::TextBox>("txtName")->Text(), "");
}

TEST_F(RealWindows, ModalFormEndsWithTheButtonClickedAndGivesTheKeyboardBack) {
  form->Show();
  auto modal = std::make_shared<ProbeForm>();
  forms::Responders::Push([](const forms::ModalRequest& request) {
    x11::Settle();
    x11::Click(request.form->hWnd(), forms::test::CentreOf(*request.form->Control("cmdCancel")));
    return 0;
  });
  modal->Show(forms::vbModal);
  EXPECT_EQ(modal->log, std::vector<std::string>{"cmdCancel_Click"});
  // The owner is active again and takes the keys.
  auto text = form->Get<forms::TextBox>("txtName");
  text->SetText("");
  x11::TypeText("k");
  x11::Settle();
  EXPECT_EQ(text->Text(), "k");
}

TEST_F(RealWindows, LettersTypeAfterAnAccessKeyClosedTheWindow) {
  form->Show();
  auto modal = std::make_shared<ProbeForm>();
  forms::Responders::Push([](const forms::ModalRequest&) {
    x11::Settle();
    // Alt+C clicks Cancel; Alt goes up while the server still sends the
    // keys to the dialog's window, which is gone when they are handled.
    x11::TapKeyWith(XK_Alt_L, XK_c);
    return 0;
  });
  modal->Show(forms::vbModal);
  EXPECT_EQ(modal->log, std::vector<std::string>{"cmdCancel_Click"});
  x11::Settle();
  auto text = form->Get<forms::TextBox>("txtName");
  text->SetText("");
  x11::TypeText("abc");
  x11::Settle();
  EXPECT_EQ(text->Text(), "abc");
  EXPECT_EQ(win::GetKeyState(static_cast<int>(win::VK_MENU)) & 0x8000, 0);
}

TEST_F(RealWindows, TimerFiresWhileAModalLoopWaits) {
  rt::ManualClock clock;
  rt::ScopedClock useClock(clock);
  // Whenever the loop has nothing to do, a second passes.
  win::SetIdleHandler([&clock] {
    clock.Advance(1000);
    return true;
  });
  form->Load();
  form->Get<forms::Timer>("Timer1")->SetEnabled(true);
  form->Show(forms::vbModal);
  EXPECT_EQ(form->ticks, 3);
}

TEST_F(RealWindows, ClipboardTextRoundTripsWithAnotherClient) {
  forms::Clipboard::SetText(
      "Gr\xC3\xBC\xC3\x9F"
      "e €");
  EXPECT_EQ(x11::OtherClientReadsClipboard(),
            "Gr\xC3\xBC\xC3\x9F"
            "e €");
  {
    x11::OtherClipboardOwner other("von dort ä");
    EXPECT_TRUE(forms::Clipboard::HasText());
    EXPECT_EQ(forms::Clipboard::GetText(), "von dort ä");
  }
}

TEST_F(RealWindows, CaptionPressMovesTheWindowWithThePointer) {
  form->SetBorderStyle(forms::vbBSNone);
  form->Show();
  x11::Settle();
  const int left = form->Left();
  const int top = form->Top();
  x11::MovePointer(form->hWnd(), win::POINT{10, 10});
  x11::PressButton(1, true);
  x11::Settle();
  win::ReleaseCapture();
  win::SendMessageA(form->hWnd(), win::WM_NCLBUTTONDOWN, win::HTCAPTION, 0);
  x11::MovePointer(form->hWnd(), win::POINT{50, 40});
  x11::PressButton(1, false);
  x11::Settle();
  EXPECT_EQ(form->Left(), left + 40 * 15);
  EXPECT_EQ(form->Top(), top + 30 * 15);
  win::RECT rect;
  win::GetWindowRect(form->hWnd(), &rect);
  EXPECT_EQ(x11::ServerOrigin(form->hWnd()).x, rect.left);
}

TEST_F(RealWindows, CloseRequestFollowsTheSystemMenu) {
  form->Show();
  x11::Settle();
  const win::HMENU menu = win::GetSystemMenu(form->hWnd(), win::FALSE);
  win::RemoveMenu(menu, win::SC_CLOSE, win::MF_BYCOMMAND);
  win::DrawMenuBar(form->hWnd());
  x11::RequestClose(form->hWnd());
  x11::Settle();
  EXPECT_TRUE(form->IsLoaded());
  win::GetSystemMenu(form->hWnd(), win::TRUE);
  x11::RequestClose(form->hWnd());
  x11::Settle();
  EXPECT_FALSE(form->IsLoaded());
}

}  // namespace
