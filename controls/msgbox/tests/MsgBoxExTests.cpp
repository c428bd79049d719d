#include <gtest/gtest.h>

#include "forms/App.h"
#include "forms/Clipboard.h"
#include "forms/Screen.h"
#include "forms/PictureBox.h"
#include "forms/controls/ScrollBar.h"
#include "html/KVXHTML.h"
#include "gdi/Bitmaps.h"
#include "gdi/FontBackend.h"
#include "msgbox/MsgIcons.h"
#include "msgbox/MsgState.h"
#include "win/Menu.h"
#include "runtime/Clock.h"
#include "runtime/ErrorNumberOf.h"
#include "runtime/Strings.h"
#include "shell/ShellExecute.h"
#include "tests/MsgTestHost.h"
#include "win/InputRouting.h"
#include "win/MessageQueue.h"
#include "win/Window.h"

namespace kvctl2 {
namespace {

using test::Answer;

// Fixed metrics: Tahoma 8.25 is 11 pixels high, every character 6 pixels
// (90 twips) wide, a line 165 twips high.
constexpr int32_t kChar = 90;
constexpr int32_t kLine = 165;

class MsgBoxExTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_shared<test::HostForm>();
    host->Show();
    msg = host->msg();
    forms::App().Title = "QVAdmin";
  }
  void TearDown() override {
    forms::Responders::Clear();
    for (const auto& f : forms::Form::Forms()) {
      MessageState().Result = 1;
      f->Unload();
    }
  }
  // Shows a message and records the window as the responder saw it.
  int32_t Show(const std::string& prompt, int32_t buttons, std::function<void(frmMsgBoxIe&)> act,
               int32_t options = 0, const std::string& details = "", bool copy = false) {
    Answer(std::move(act));
    return msg->MsgBoxEx(prompt, buttons, "Title", "", 0, options, details, copy);
  }

  gdi::ScopedFixedMetrics fixed;
  rt::ManualClock clock;
  rt::ScopedClock useClock{clock};
  shell::RecordingLauncher launcher;
  shell::ScopedLauncher useLauncher{launcher};
  std::shared_ptr<test::HostForm> host;
  std::shared_ptr<Msg> msg;
};

// Presses Escape and, when the window stays, clicks the first button.
void EscapeThenFirstButton(frmMsgBoxIe& w, bool& stayed) {
  w.PressKey(forms::vbKeyEscape);
  stayed = w.IsLoaded();
  if (stayed) w.cmdSys(0)->Click();
}

TEST_F(MsgBoxExTest, ButtonSetsTheirResultsAndTheEscapeResult) {
  struct Case {
    int32_t buttons;
    std::vector<std::string> captions;  // visible result buttons, left to right
    std::vector<std::string> tags;
    int32_t escapeResult;  // 0: Escape does nothing
  };
  const std::vector<Case> cases = {
      {forms::vbOKOnly, {"OK"}, {"1"}, forms::vbOK},
      {forms::vbOKCancel, {"OK", "Abbrechen"}, {"1", "2"}, forms::vbCancel},
      {forms::vbAbortRetryIgnore, {"&Abbrechen", "Wieder&holen", "&Ignorieren"}, {"3", "4", "5"}, 0},
      {forms::vbYesNoCancel, {"&Ja", "&Nein", "Abbrechen"}, {"6", "7", "2"}, forms::vbCancel},
      {forms::vbYesNo, {"&Ja", "&Nein"}, {"6", "7"}, 0},
      {forms::vbRetryCancel, {"Wieder&holen", "Abbrechen"}, {"4", "2"}, forms::vbCancel},
      // Icons, default buttons and the other style flags do not change the set.
      {forms::vbYesNo + forms::vbQuestion + forms::vbDefaultButton2 + forms::vbSystemModal, {"&Ja", "&Nein"},
       {"6", "7"}, 0},
  };
  for (const auto& c : cases) {
    std::vector<std::string> captions, tags;
    bool stayed = false;
    const int32_t result = Show("Text", c.buttons, [&](frmMsgBoxIe& w) {
      for (int16_t i = 0; i <= 3; ++i) {
        if (!w.cmdSys(i)->Visible()) continue;
        captions.push_back(w.cmdSys(i)->Caption());
        tags.push_back(w.cmdSys(i)->Tag());
      }
      EscapeThenFirstButton(w, stayed);
    });
    EXPECT_EQ(captions, c.captions) << c.buttons;
    EXPECT_EQ(tags, c.tags) << c.buttons;
    EXPECT_EQ(stayed, c.escapeResult == 0) << c.buttons;
    EXPECT_EQ(result, c.escapeResult ? c.escapeResult : std::stoi(c.tags[0])) << c.buttons;
  }
}

TEST_F(MsgBoxExTest, YesNoCannotBeClosedWithoutAButtonAndLosesCloseOnce) {
  int menuItems = -1;
  int32_t lastItem = -1;
  const int32_t result = Show("Delete?", forms::vbYesNo, [&](frmMsgBoxIe& w) {
    EXPECT_FALSE(w.Close());  // the control menu's close is refused
    w.PressKey(forms::vbKeyEscape);
    EXPECT_TRUE(w.IsLoaded());
    // A second activation does not trim the menu again.
    host->Show();
    w.Show();
    const win::HMENU menu = win::GetSystemMenu(w.hWnd(), win::FALSE);
    menuItems = win::GetMenuItemCount(menu);
    lastItem = win::GetMenuItemID(menu, menuItems - 1);
    w.cmdSys(1)->Click();
  });
  EXPECT_EQ(result, forms::vbNo);
  EXPECT_EQ(menuItems, 5);  // Close and its separator gone, the rest kept
  EXPECT_EQ(lastItem, static_cast<int32_t>(win::SC_MAXIMIZE));

  // A modeless Yes/No returns at once with 0: nothing was answered yet.
  EXPECT_EQ(msg->MsgBoxEx("Later?", forms::vbYesNo, "Title", "", 0, exNoModal), 0);
  auto window = MessageState().window;
  EXPECT_TRUE(window->Visible());
  EXPECT_FALSE(window->IsModal());
  window->cmdSys(0)->Click();
  EXPECT_FALSE(window->IsLoaded());
  EXPECT_EQ(MessageState().Result, forms::vbYes);
}

TEST_F(MsgBoxExTest, OptionsAndStyleFlagsAreDecoded) {
  int16_t alignment = -1;
  bool help = false;
  std::string helpFileDuring;
  int16_t defaultTab = -1;
  bool isDefault = false;
  forms::App().HelpFile = "main.chm";
  std::vector<std::pair<std::string, int32_t>> helpShown;
  forms::Form::SetHelpHandler([&](forms::Form&, const std::string& file, int32_t context) {
    helpShown.emplace_back(file, context);
  });
  Answer([&](frmMsgBoxIe& w) {
    alignment = w.lblMsg()->Alignment();
    help = w.cmdSys(3)->Visible() && w.cmdSys(3)->Caption() == "Hilfe";
    helpFileDuring = forms::App().HelpFile;
    defaultTab = w.cmdSys(2)->TabIndex();
    isDefault = w.cmdSys(2)->Default();
    w.cmdSys(3)->Click();  // help keeps the window open
    EXPECT_TRUE(w.IsLoaded());
    w.cmdSys(2)->Click();
  });
  const int32_t result =
      msg->MsgBoxEx("Text", forms::vbYesNoCancel + forms::vbDefaultButton3 + forms::vbMsgBoxHelpButton +
                                forms::vbMsgBoxRight + forms::vbExclamation,
                    "Title", "msg.chm", 42);
  EXPECT_EQ(result, forms::vbCancel);
  EXPECT_EQ(alignment, forms::vbRightJustify);
  EXPECT_TRUE(help);
  EXPECT_EQ(helpFileDuring, "msg.chm");
  forms::Form::SetHelpHandler(nullptr);
  EXPECT_EQ(helpShown, (std::vector<std::pair<std::string, int32_t>>{{"msg.chm", 42}}));
  EXPECT_EQ(forms::App().HelpFile, "main.chm");  // restored
  EXPECT_EQ(defaultTab, 0);
  EXPECT_TRUE(isDefault);

  Answer([&](frmMsgBoxIe& w) {
    alignment = w.lblMsg()->Alignment();
    w.cmdSys(0)->Click();
  });
  msg->MsgBoxEx("Text", forms::vbMsgBoxSetForeground, "Title", "", 0, exMsgBoxCenter + exCenterOwner);
  EXPECT_EQ(alignment, forms::vbCenter);
  EXPECT_TRUE(MessageState().TopMost);
}

TEST_F(MsgBoxExTest, IconsDeleteTitleAndOwnIcon) {
  UseStandardMsgIcons(*msg);
  auto own = StandardMsgIcon(kSlotInformation);
  com::StdPicturePtr shown;
  bool visible = false;
  auto look = [&](frmMsgBoxIe& w) {
    shown = w.ImIco()->Picture();
    visible = w.ImIco()->Visible();
    w.cmdSys(0)->Click();
  };
  Answer(look);
  msg->MsgBoxEx("x", forms::vbCritical, "Title");
  EXPECT_EQ(shown, msg->SlotPicture(kSlotCritical));
  EXPECT_TRUE(visible);

  // The delete title shows the delete picture without any icon flag ...
  const std::string deleteTitle = "L\xc3\xb6schbest\xc3\xa4tigung erforderlich!";
  Answer(look);
  msg->MsgBoxEx("x", forms::vbOKOnly, deleteTitle);
  EXPECT_EQ(shown, msg->SlotPicture(kSlotDelete));
  EXPECT_TRUE(visible);
  // ... and an own icon wins over both.
  Answer(look);
  msg->MsgBoxEx("x", forms::vbCritical, deleteTitle, "", 0, 0, "", false, own);
  EXPECT_EQ(shown, own);

  // Without icon the title "App.title" becomes the application's title.
  std::string caption;
  Answer([&](frmMsgBoxIe& w) {
    caption = w.Caption();
    visible = w.ImIco()->Visible();
    w.cmdSys(0)->Click();
  });
  msg->MsgBoxEx("x");
  EXPECT_EQ(caption, " QVAdmin");
  EXPECT_FALSE(visible);
}

TEST_F(MsgBoxExTest, LongPromptsWrapAtBlanksButNeverInsideAWord) {
  msg->Props().formMaxWidth = 20 * kChar;
  std::string caption;
  auto look = [&](frmMsgBoxIe& w) {
    caption = w.lblMsg()->Caption();
    w.cmdSys(0)->Click();
  };
  const std::string word(30, 'w');
  // Each line holds as many words as fit into 20 characters (with the blank
  // that follows each word); a line break of the prompt starts a fresh
  // line, and a word wider than the box widens only its own line.
  const struct {
    std::string prompt;
    std::string wrapped;
  } cases[] = {
      {"aaaa bbbb cccc dddd eeee ffff gggg", "aaaa bbbb cccc dddd\r\neeee ffff gggg "},
      {word, word + " "},
      {"ab " + word + " cd", "ab\r\n" + word + "\r\ncd "},
      {"ab " + word + " cd ef gh ij kl", "ab\r\n" + word + "\r\ncd ef gh ij kl "},
      {"aaaa bbbb cccc dddd eeee.\r\nffff gggg hhhh iiii jjjj kkkk",
       "aaaa bbbb cccc dddd\r\neeee.\r\nffff gggg hhhh iiii\r\njjjj kkkk "},
      {"aaaa bbbb.\r\ncccc dddd eeee ffff gggg hhhh", "aaaa bbbb.\r\ncccc dddd eeee ffff\r\ngggg hhhh "},
  };
  for (const auto& c : cases) {
    Show(c.prompt, 0, look);
    EXPECT_EQ(caption, c.wrapped) << c.prompt;
    EXPECT_EQ(rt::InStr(caption, "\r\n\r\n"), 0u) << c.prompt;  // no empty line
  }
}

// The prompt a user met: after a line break inside it, the words fill the
// lines again instead of standing one a line.
TEST_F(MsgBoxExTest, WrappedPromptWithALineBreakFillsItsLines) {
  std::string caption;
  int32_t labelWidth = 0;
  std::string prompt;
  for (int i = 0; i < 10; ++i) prompt += "connection ";
  prompt += "failed.\r\nPlease check the network cable and try again.";
  Show(prompt, 0, [&](frmMsgBoxIe& w) {
    caption = w.lblMsg()->Caption();
    labelWidth = w.lblMsg()->Width();
    w.cmdSys(0)->Click();
  });
  // Ten times "connection " fill the widest line; "failed." does not fit.
  EXPECT_EQ(caption,
            rt::RTrim(prompt.substr(0, 110)) + "\r\nfailed.\r\nPlease check the network cable and try again. ");
  EXPECT_LE(labelWidth, msg->Props().formMaxWidth);
}

TEST_F(MsgBoxExTest, LayoutFollowsTheLookProperties) {
  struct Geometry {
    int32_t labelLeft, labelTop, labelWidth, button0Left, buttonTop, scaleWidth, scaleHeight, iconTop;
  };
  Geometry g{};
  auto measure = [&](frmMsgBoxIe& w) {
    g = {w.lblMsg()->Left(), w.lblMsg()->Top(), w.lblMsg()->Width(), w.cmdSys(0)->Left(), w.cmdSys(0)->Top(),
         w.ScaleWidth(),     w.ScaleHeight(),   w.ImIco()->Top()};
    w.cmdSys(0)->Click();
  };
  // Text only: the narrowest window, one button at the right.
  Show("Hello world", forms::vbOKOnly, measure);
  EXPECT_EQ(g.labelLeft, 165);
  EXPECT_EQ(g.labelTop, 165);
  EXPECT_EQ(g.labelWidth, 4000);
  EXPECT_EQ(g.scaleWidth, 4000 + 165 + 165);
  EXPECT_EQ(g.buttonTop, 165 + kLine + 255);
  EXPECT_EQ(g.button0Left, g.scaleWidth - 165 - 1200);
  EXPECT_EQ(g.scaleHeight, g.buttonTop + 360 + 165);

  // With an icon (32 x 32 pixels) the text moves right and is centred on it.
  UseStandardMsgIcons(*msg);
  Show("Hello world", forms::vbOKCancel + forms::vbInformation, measure);
  EXPECT_EQ(g.labelLeft, 165 + 480 + 240);
  EXPECT_EQ(g.labelWidth, 4000);
  EXPECT_EQ(g.scaleWidth, 4000 + 480 + 240 + 165 + 165);
  EXPECT_EQ(g.iconTop, 165);
  EXPECT_EQ(g.labelTop, (480 - kLine) / 2 + 165);
  EXPECT_EQ(g.buttonTop, 165 + 480 + 255);

  // Buttons wider than the text set the width; a long title widens it.
  msg->Props().formMinWidth = 1000;
  Show("Hi", forms::vbYesNoCancel, measure);
  EXPECT_EQ(g.scaleWidth, 3 * 1200 + 2 * 105 + 2 * 165);
  EXPECT_EQ(g.button0Left, 165);
  // The whole title (" " and 60 characters of 6 pixels) beside the window
  // manager's icon and buttons (120 pixels); the text takes the width.
  Answer(measure);
  msg->MsgBoxEx("Hi", 0, std::string(60, 'T'));
  EXPECT_EQ(g.scaleWidth, (61 * 6 + 120) * 15);
  EXPECT_EQ(g.labelWidth, g.scaleWidth - 165 - 165);

  // Details widen to 6000 and add the details button at the bottom right;
  // the check box comes below it.
  int32_t moreLeft = 0, moreTop = 0, checkTop = 0, paneTop = 0;
  Show("Hi", 0, [&](frmMsgBoxIe& w) {
    moreLeft = w.cmdDetail()->Left();
    moreTop = w.cmdDetail()->Top();
    checkTop = w.chkMsg()->Top();
    paneTop = w.txtDetail()->Top();
    measure(w);
  }, exShowCheck, "Some <b>details</b>");
  EXPECT_EQ(g.scaleWidth, 6000 + 330);
  EXPECT_EQ(moreLeft, g.scaleWidth - 150 - 1200);
  EXPECT_EQ(moreTop, g.buttonTop + 360 + 165);
  EXPECT_EQ(checkTop, moreTop + 360 + 90);
  EXPECT_EQ(g.scaleHeight, checkTop + 300 + 90);
  EXPECT_EQ(paneTop, g.scaleHeight + 60);  // below everything, not under the check box
}

TEST_F(MsgBoxExTest, PlacementOnOwnerManualOrScreen) {
  int32_t left = 0, top = 0, width = 0, height = 0;
  auto where = [&](frmMsgBoxIe& w) {
    left = w.Left();
    top = w.Top();
    width = w.Width();
    height = w.Height();
    w.cmdSys(0)->Click();
  };
  Show("x", 0, where, exCenterOwner);
  EXPECT_EQ(left, host->Left() + (host->Width() - width) / 2);
  EXPECT_EQ(top, host->Top() + (host->Height() - height) / 2);
  msg->Props().FormLeft = 300;
  msg->Props().FormTop = 450;
  Show("x", 0, where, exManualPos);
  EXPECT_EQ(left, 300);
  EXPECT_EQ(top, 450);
  Show("x", 0, where);
  EXPECT_EQ(left, (forms::Screen::Width() - width) / 2);
  EXPECT_EQ(top, (forms::Screen::Height() - height) / 2);
}

TEST_F(MsgBoxExTest, WaitTimeKeepsTheButtonsDisabledUntilTheCountdownEnds) {
  std::vector<std::string> captions;
  bool disabledAtFirst = false, enabledAfter = false, escapeIgnored = false;
  const int32_t result = Show("Wait", forms::vbOKCancel, [&](frmMsgBoxIe& w) {
    disabledAtFirst = !w.cmdSys(0)->Enabled() && !w.cmdSys(1)->Enabled();
    captions.push_back(w.Caption());
    w.PressKey(forms::vbKeyEscape);
    escapeIgnored = w.IsLoaded();
    for (int s = 0; s < 3; ++s) {
      clock.Advance(1000);
      win::DoEvents();
      captions.push_back(w.Caption());
    }
    enabledAfter = w.cmdSys(0)->Enabled() && w.cmdSys(1)->Enabled() && !w.Timer1()->Enabled();
    w.cmdSys(1)->Click();
  }, exWaitTime);
  EXPECT_TRUE(disabledAtFirst);
  EXPECT_TRUE(escapeIgnored);
  EXPECT_TRUE(enabledAfter);
  EXPECT_EQ(captions, (std::vector<std::string>{" Title 3", "  Title 2", "  Title 1", "  Title"}));
  EXPECT_EQ(result, forms::vbCancel);
}

TEST_F(MsgBoxExTest, AutoClosePressesTheDefaultButtonAfterTheDelay) {
  msg->Props().DelaySec = 2;
  std::vector<std::string> captions;
  const int32_t result = Show("Auto", forms::vbYesNo + forms::vbDefaultButton2, [&](frmMsgBoxIe& w) {
    captions.push_back(w.cmdSys(1)->Caption());
    clock.Advance(1000);
    win::DoEvents();
    captions.push_back(w.cmdSys(1)->Caption());
    clock.Advance(1000);
    win::DoEvents();
    EXPECT_FALSE(w.IsLoaded());
  }, exAutoClose);
  EXPECT_EQ(captions, (std::vector<std::string>{"&Nein 2", "&Nein 1"}));
  EXPECT_EQ(result, forms::vbNo);
}

TEST_F(MsgBoxExTest, AutoCloseWithADefaultButtonTheBoxLacksPressesTheFirstButton) {
  msg->Props().DelaySec = 1;
  struct Case {
    int32_t buttons;
    int32_t result;
    std::string caption;
  };
  const std::vector<Case> cases = {
      {forms::vbOKOnly + forms::vbDefaultButton2, forms::vbOK, "OK 1"},
      {forms::vbYesNo + forms::vbDefaultButton3, forms::vbYes, "&Ja 1"},
      {forms::vbYesNo + forms::vbDefaultButton4, forms::vbYes, "&Ja 1"},
  };
  for (const auto& c : cases) {
    std::string caption;
    bool closed = false;
    int32_t result = -1;
    const int errorNumber = rt::ErrorNumberOf([&] {
      result = Show("Auto", c.buttons, [&](frmMsgBoxIe& w) {
        caption = w.cmdSys(0)->Caption();
        clock.Advance(1000);
        win::DoEvents();
        closed = !w.IsLoaded();
      }, exAutoClose);
    });
    EXPECT_EQ(errorNumber, 0) << c.buttons;
    EXPECT_EQ(caption, c.caption) << c.buttons;
    EXPECT_TRUE(closed) << c.buttons;
    EXPECT_EQ(result, c.result) << c.buttons;
  }
}

TEST_F(MsgBoxExTest, CheckBoxSetsDisplayAgain) {
  Show("x", 0, [](frmMsgBoxIe& w) { w.cmdSys(0)->Click(); }, exShowCheck);
  EXPECT_TRUE(msg->DisplayAgain);
  std::string caption;
  Show("x", 0, [&](frmMsgBoxIe& w) {
    caption = w.chkMsg()->Caption();
    w.chkMsg()->Click();
    w.cmdSys(0)->Click();
  }, exShowCheck);
  EXPECT_EQ(caption, "Diese Meldung nicht mehr anzeigen");
  EXPECT_FALSE(msg->DisplayAgain);
  EXPECT_TRUE(msg->Get("DisplayAgain").ToBool() == false);
}

TEST_F(MsgBoxExTest, DetailsPaneOpensAndClosesAndCopyPutsTheMessageOnTheClipboard) {
  const char* savedLocale = std::getenv("LC_ALL");
  const std::string restoreLocale = savedLocale ? savedLocale : "";
  setenv("LC_ALL", "C.UTF-8", 1);
  std::vector<int32_t> heights;
  std::string paneText, copyCaption;
  Show("Main text", 0, [&](frmMsgBoxIe& w) {
    heights.push_back(w.Height());
    EXPECT_EQ(w.cmdDetail()->Caption(), "&Details >>");
    w.cmdDetail()->Click();
    heights.push_back(w.Height());
    EXPECT_EQ(w.cmdDetail()->Caption(), "<< &Details");
    EXPECT_TRUE(w.txtDetail()->Visible());
    w.cmdDetail()->Click();
    heights.push_back(w.Height());
    copyCaption = w.cmdCopier()->Caption();
    w.cmdCopier()->Click();
    EXPECT_TRUE(w.IsLoaded());  // copying keeps the window open
    w.cmdSys(0)->Click();
  }, 0, "Error <b>42</b><br>line two", true);
  ASSERT_EQ(heights.size(), 3u);
  EXPECT_EQ(heights[1] - heights[0], 2070 + 360 + 180);
  EXPECT_EQ(heights[2], heights[0]);
  EXPECT_EQ(copyCaption, "Meldung in die Zwischenablage kopieren");
  // The clock stands at 1 January 1970, midnight; the date and time are
  // written in the system's formats, here those of the C locale.
  EXPECT_EQ(forms::Clipboard::GetText(),
            "!> Title\r\n\r\nMain text\r\n\r\n<01/01/70/00:00:00>\r\nError 42\r\nline two");
  EXPECT_TRUE(launcher.requests.empty());  // no mail without the automatic send
  if (savedLocale)
    setenv("LC_ALL", restoreLocale.c_str(), 1);
  else
    unsetenv("LC_ALL");
}

TEST_F(MsgBoxExTest, CopyWithEmptyDetailsEndsWithTheDateLine) {
  Show("M", 0, [&](frmMsgBoxIe& w) {
    w.cmdCopier()->SetTag("");
    EXPECT_TRUE(w.txtDetail()->Get("RawText").ToString().empty());
    w.cmdSys(0)->Click();
  });
  // The copy of a window without details: a copy button exists only with
  // details, so copy the text of a window laid out with a blank detail.
  Show("M", 0, [&](frmMsgBoxIe& w) {
    w.txtDetail()->Let("Text", "");
    w.cmdCopier()->Click();
    w.cmdSys(0)->Click();
  }, 0, " ", true);
  const std::string text = forms::Clipboard::GetText();
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(text[text.size() - 3], '>');
}

TEST_F(MsgBoxExTest, SendAutomaticallyOpensAMailAndManualSendRaisesSendClick) {
  msg->Props().SendMethode = exSendAuto;
  msg->Props().strMailAdress = "support@example.org";
  msg->Props().strMailSubject = "Fehler & mehr";
  std::string caption;
  Show("Broken", 0, [&](frmMsgBoxIe& w) {
    caption = w.cmdCopier()->Caption();
    w.cmdCopier()->Click();
    w.cmdSys(0)->Click();
  }, 0, "detail", true);
  EXPECT_EQ(caption, "Meldung per E-Mail versenden...");
  ASSERT_EQ(launcher.requests.size(), 1u);
  const auto& link = launcher.requests[0].file;
  EXPECT_EQ(link.rfind("mailto:support@example.org?subject=Fehler%20%26%20mehr&body=Bitte%20eine%20m%C3%B6glichst", 0),
            0u)
      << link;
  EXPECT_NE(link.find("%0D%0A%0D%0A%0D%0A%0D%0A%0D%0A%0D%0A%0D%0A%2A%2A%2A"), std::string::npos);
  EXPECT_EQ(launcher.requests[0].showCmd, win::SW_SHOWNORMAL);

  // Manual sending: the host gets SendClick after the window closed.
  msg->Props().SendMethode = exSendManual;
  std::vector<std::string> events;
  msg->Events().ConnectAll([&](std::string_view name, com::Args& args) {
    events.push_back(std::string(name) + ":" + args[0].ToString() + (args.size() > 1 ? ":" + args[1].ToString() : ""));
  });
  Show("Broken", 0, [&](frmMsgBoxIe& w) {
    w.cmdCopier()->Click();
    w.cmdSys(0)->Click();
  }, 0, "detail", true);
  EXPECT_EQ(events, (std::vector<std::string>{"SendClick:Title:Broken", "Closed:Title"}));
  EXPECT_EQ(launcher.requests.size(), 1u);
}

TEST_F(MsgBoxExTest, LinksOfTheDetailsOpenShownNormally) {
  Show("x", 0, [&](frmMsgBoxIe& w) {
    com::Args args{rt::Variant("a1"), rt::Variant("https://example.org/help")};
    w.txtDetail()->Events().Raise("HyperlinkClick", args);
    w.cmdSys(0)->Click();
  }, 0, "<a href=\"https://example.org/help\">help</a>");
  ASSERT_EQ(launcher.requests.size(), 1u);
  EXPECT_EQ(launcher.requests[0].file, "https://example.org/help");
  EXPECT_EQ(launcher.requests[0].showCmd, win::SW_SHOWNORMAL);
}

TEST_F(MsgBoxExTest, ALongReportScrollsInTheDetailsAndItsLinksOpen) {
  std::string report = "<b>Reporting system for maintenance purposes:</b><br>";
  for (int i = 1; i <= 30; ++i) report += "Line " + std::to_string(i) + " of the report<br>";
  report += "See <a href=\"https://example.org/help\">the help page</a>.";
  int32_t pageHeight = 0, paneHeight = 0;
  bool barShown = false;
  Show("Failed", 0, [&](frmMsgBoxIe& w) {
    w.cmdDetail()->Click();
    auto pane = std::dynamic_pointer_cast<KVXHTML>(w.txtDetail());
    ASSERT_TRUE(pane);
    pageHeight = pane->PageHeight();
    paneHeight = pane->ViewPort()->PixelHeight();
    barShown = pane->VerticalScrollBar()->Visible();
    // Down to the end of the report, then the link at its foot.
    auto& bar = static_cast<forms::ScrollBar&>(*pane->VerticalScrollBar());
    bar.SetValue(bar.Max());
    int x = 0, y = 0;
    ASSERT_TRUE(pane->LinkPoint(0, x, y));
    win::POINT at{x, y};
    win::ClientToScreen(pane->ViewPort()->hWnd(), &at);
    win::RouteMouseButton(at, win::MouseButton::Left, true);
    win::RouteMouseButton(at, win::MouseButton::Left, false);
    clock.Advance(100);
    win::DoEvents();
    w.cmdSys(0)->Click();
  }, 0, report);
  EXPECT_TRUE(barShown);
  EXPECT_GT(pageHeight, 30 * 11);  // all 30 lines are on the page
  EXPECT_LT(paneHeight, pageHeight);
  ASSERT_EQ(launcher.requests.size(), 1u);
  EXPECT_EQ(launcher.requests[0].file, "https://example.org/help");
}

TEST_F(MsgBoxExTest, LateBoundCallWithDefaults) {
  bool modal = false;
  Answer([&](frmMsgBoxIe& w) {
    modal = w.IsModal();
    w.PressKey(forms::vbKeyEscape);
  });
  const auto result = com::CallByName(*msg, "MsgBoxEx", com::CallKind::Method,
                                      {rt::Variant("Prompt"), rt::Variant(int32_t{forms::vbOKCancel})});
  EXPECT_TRUE(modal);
  EXPECT_EQ(result.ToLong(), forms::vbCancel);
}

}  // namespace
}  // namespace kvctl2
