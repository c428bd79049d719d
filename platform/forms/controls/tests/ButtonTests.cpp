// Buttons, check boxes, option groups, group boxes, access keys and F1 on
// a form, played through routed mouse and keys.
#include <gtest/gtest.h>

#include "forms/App.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/controls/FlatEdit.h"
#include "forms/controls/GroupBox.h"
#include "forms/controls/OptionButton.h"
#include "gdi/FontBackend.h"
#include "tests/PlayUser.h"

namespace forms {
namespace {

const char* kDialog = R"(Begin Form frmButtons
   ClientWidth = 6000
   ClientHeight = 3600
   HelpContextID = 77
   Begin XtremeSuiteControls.RadioButton optAuth(0)
      Caption = "&Windows Authentication"
      Left = 120
      Top = 120
      Width = 2800
      Height = 255
      Value = True
      TabIndex = 0
   End
   Begin XtremeSuiteControls.RadioButton optAuth(1)
      Caption = "SQL Server &Authentication"
      Left = 120
      Top = 420
      Width = 2800
      Height = 255
      TabIndex = 1
   End
   Begin VB.Label lblUID
      Caption = "&Username:"
      Left = 120
      Top = 780
      Width = 1000
      Height = 255
      TabIndex = 2
   End
   Begin XtremeSuiteControls.FlatEdit txtUID
      Left = 1200
      Top = 780
      Width = 1800
      Height = 300
      TabIndex = 3
      HelpContextID = 88
   End
   Begin XtremeSuiteControls.GroupBox fraStep3
      Caption = "Connection"
      Left = 3120
      Top = 120
      Width = 2700
      Height = 1500
      TabIndex = 4
      Begin XtremeSuiteControls.RadioButton optMode(0)
         Caption = "Fast"
         Left = 120
         Top = 300
         Width = 2000
         Height = 255
         TabIndex = 5
      End
      Begin XtremeSuiteControls.RadioButton optMode(1)
         Caption = "Safe"
         Left = 120
         Top = 600
         Width = 2000
         Height = 255
         TabIndex = 6
      End
      Begin XtremeSuiteControls.CheckBox chkSaveLogin
         Caption = "Log on &automatically"
         Left = 120
         Top = 900
         Width = 2400
         Height = 255
         TabIndex = 7
      End
   End
   Begin XtremeSuiteControls.PushButton cmdLogin
      Caption = "&Login"
      Left = 120
      Top = 2400
      Width = 1200
      Height = 375
      TabIndex = 8
   End
End
)";

class Buttons : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UseFixedMetrics();
    form = std::make_shared<Form>("frmButtons");
    form->SetDesignText(kDialog);
    form->OnControlEvent("optAuth", "Click", [this](int16_t i, com::Args&) { log.push_back("optAuth " + std::to_string(i)); });
    form->OnControlEvent("cmdLogin", "Click", [this](int16_t, com::Args&) { log.push_back("cmdLogin"); });
    form->OnControlEvent("lblUID", "Click", [this](int16_t, com::Args&) { log.push_back("lblUID"); });
    form->Show();
  }
  void TearDown() override {
    form->Unload();
    Form::SetHelpHandler(nullptr);
  }
  template <class T>
  std::shared_ptr<T> Get(const char* name, int16_t index = -1) {
    return form->Get<T>(name, index);
  }
  rt::ManualClock clock;
  rt::ScopedClock scopedClock{clock};
  std::shared_ptr<Form> form;
  std::vector<std::string> log;
};

TEST_F(Buttons, OptionGroupsFollowTheirHolders) {
  auto win0 = Get<OptionButton>("optAuth", 0);
  auto sql = Get<OptionButton>("optAuth", 1);
  auto fast = Get<OptionButton>("optMode", 0);
  auto safe = Get<OptionButton>("optMode", 1);
  test::Click(*sql);
  EXPECT_TRUE(sql->Value());
  EXPECT_FALSE(win0->Value());
  EXPECT_EQ(form->ActiveControl(), sql);
  EXPECT_EQ(log, (std::vector<std::string>{"optAuth 1"}));
  // The group box's options are a group of their own.
  test::Click(*safe);
  EXPECT_TRUE(safe->Value());
  EXPECT_TRUE(sql->Value());
  EXPECT_FALSE(fast->Value());
  // The arrow keys move within the group and set the option.
  form->SetFocusTo(*sql);
  test::Key(win::VK_UP);
  EXPECT_TRUE(win0->Value());
  EXPECT_EQ(form->ActiveControl(), win0);
  // Code sets an option: Click is raised too.
  log.clear();
  sql->SetValue(true);
  EXPECT_EQ(log, (std::vector<std::string>{"optAuth 1"}));
  // Tab reaches a group only through its set option.
  form->SetFocusTo(*sql);
  test::Key(win::VK_TAB);
  EXPECT_EQ(form->ActiveControl(), Get<FlatEdit>("txtUID"));
}

TEST_F(Buttons, ButtonsClickOnlyWhenReleasedOnThem) {
  auto login = Get<CommandButton>("cmdLogin");
  auto check = Get<CheckBox>("chkSaveLogin");
  test::Drag(*login, 5, 5, login->PixelWidth() + 20, 5);
  EXPECT_TRUE(log.empty());
  test::Click(*login);
  EXPECT_EQ(log, (std::vector<std::string>{"cmdLogin"}));
  test::Click(*check);
  EXPECT_EQ(check->Value(), vbChecked);
  form->SetFocusTo(*check);
  test::Key(win::VK_SPACE);
  win::RouteText(" ");
  EXPECT_EQ(check->Value(), vbUnchecked);
}

TEST_F(Buttons, AccessKeysClickButtonsAndLabelsFocusTheirField) {
  test::Key('L', test::kAlt);
  EXPECT_EQ(log, (std::vector<std::string>{"cmdLogin"}));
  test::Key('U', test::kAlt);
  EXPECT_EQ(form->ActiveControl(), Get<FlatEdit>("txtUID"));
  test::Key('A', test::kAlt);  // the first caption marking "a" in tab order
  EXPECT_TRUE(Get<OptionButton>("optAuth", 1)->Value());
  EXPECT_FALSE(form->PressAccessKey(U'q'));
}

TEST_F(Buttons, HidingAHolderHidesWhatItHolds) {
  auto frame = Get<GroupBox>("fraStep3");
  auto check = Get<CheckBox>("chkSaveLogin");
  EXPECT_EQ(form->HolderOf(*check), frame.get());
  EXPECT_TRUE(form->IsShown(*check));
  frame->SetVisible(false);
  EXPECT_FALSE(form->IsShown(*check));
  EXPECT_FALSE(win::IsWindowVisible(check->hWnd()));
  EXPECT_FALSE(form->SetFocusTo(*check) && form->ActiveControl() == check);
  frame->SetVisible(true);
  EXPECT_TRUE(win::IsWindowVisible(check->hWnd()));
  // Moving the holder moves what it holds.
  const int32_t left = check->Left();
  frame->Move(frame->Left() + 300);
  EXPECT_EQ(check->Left(), left + 300);
}

TEST_F(Buttons, F1OpensTheHelpOfTheActiveControlOrTheForm) {
  std::vector<int32_t> contexts;
  App().HelpFile = "help.chm";
  Form::SetHelpHandler([&](Form& f, const std::string& file, int32_t context) {
    EXPECT_EQ(&f, form.get());
    EXPECT_EQ(file, "help.chm");
    contexts.push_back(context);
  });
  form->SetFocusTo(*Get<FlatEdit>("txtUID"));
  test::Key(win::VK_F1);
  form->SetFocusTo(*Get<CommandButton>("cmdLogin"));
  test::Key(win::VK_F1);
  EXPECT_EQ(contexts, (std::vector<int32_t>{88, 77}));
  App().HelpFile.clear();
}

TEST_F(Buttons, WindowlessControlsTakeTheirClicks) {
  test::Click(*Get<Label>("lblUID"));
  EXPECT_EQ(log, (std::vector<std::string>{"lblUID"}));
}

}  // namespace
}  // namespace forms
