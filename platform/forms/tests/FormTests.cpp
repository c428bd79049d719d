#include "runtime/ErrorNumberOf.h"
#include <gtest/gtest.h>

#include <filesystem>

#include "com/ControlFactory.h"
#include "com/UserControl.h"
#include "forms/CheckBox.h"
#include "forms/CommandButton.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/MsgBox.h"
#include "forms/Responder.h"
#include "forms/SendKeys.h"
#include "forms/TextBox.h"
#include "forms/Timer.h"
#include "gdi/Bitmaps.h"
#include "gdi/FontBackend.h"
#include "runtime/Clock.h"
#include "runtime/TestRenders.h"
#include "win/MessageQueue.h"
#include "win/Window.h"

namespace {

using rt::ErrorNumberOf;

const char* kDialog = R"(Begin Form frmTest
   Caption = "Test"
   BorderStyle = 3
   ClientWidth = 3000
   ClientHeight = 1500
   Begin VB.TextBox txtName
      Left = 120
      Top = 120
      Width = 2000
      Height = 300
      TabIndex = 0
   End
   Begin VB.CommandButton cmdOK
      Caption = "OK"
      Default = True
      Left = 120
      Top = 600
      Width = 1200
      Height = 360
      TabIndex = 1
   End
   Begin VB.CommandButton cmdSys(0)
      Caption = "Cancel"
      Cancel = True
      Left = 1440
      Top = 600
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

// A form that records its events.
class TestForm : public forms::Form {
 public:
  TestForm() : Form("frmTest") {
    SetDesignText(kDialog);
    DefineMethod("Aktualisieren", [this](com::Args&) {
      log.push_back("Aktualisieren");
      return rt::Variant();
    });
    OnControlEvent("cmdOK", "Click", [this](int16_t, com::Args&) {
      log.push_back("cmdOK_Click");
      Unload();
    });
    OnControlEvent("cmdSys", "Click", [this](int16_t index, com::Args&) {
      log.push_back("cmdSys_Click " + std::to_string(index));
      Unload();
    });
    OnControlEvent("Timer1", "Timer", [this](int16_t, com::Args&) { log.push_back("Timer"); });
  }
  std::vector<std::string> log;
  bool cancelQueryUnload = false;
  bool swallowKeys = false;

 protected:
  void Form_Load() override { log.push_back("Load"); }
  void Form_Resize() override { log.push_back("Resize"); }
  void Form_Activate() override { log.push_back("Activate"); }
  void Form_Deactivate() override { log.push_back("Deactivate"); }
  void Form_QueryUnload(int16_t& cancel, int16_t mode) override {
    log.push_back("QueryUnload " + std::to_string(mode));
    if (cancelQueryUnload) cancel = 1;
  }
  void Form_Unload(int16_t&) override { log.push_back("Unload"); }
  void Form_KeyDown(int16_t& keyCode, int16_t) override {
    log.push_back("Form_KeyDown " + std::to_string(keyCode));
    if (swallowKeys) keyCode = 0;
  }
};

class Forms : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const auto& f : forms::Form::Forms()) f->Unload();
    forms::Responders::Clear();
  }
};

TEST_F(Forms, LifecycleOrderAndQueryUnloadCancel) {
  auto form = std::make_shared<TestForm>();
  form->Show();
  EXPECT_EQ(form->log, (std::vector<std::string>{"Load", "Resize", "Activate"}));
  EXPECT_EQ(forms::Form::Forms().size(), 1u);
  EXPECT_EQ(forms::Form::ActiveForm(), form.get());
  EXPECT_EQ(form->Caption(), "Test");
  EXPECT_EQ(form->ScaleWidth(), 3000);
  EXPECT_EQ(form->Width() - form->ScaleWidth(), 90);

  form->log.clear();
  form->cancelQueryUnload = true;
  EXPECT_FALSE(form->Close());
  EXPECT_TRUE(form->IsLoaded());
  EXPECT_EQ(form->log, (std::vector<std::string>{"QueryUnload 0"}));

  form->log.clear();
  form->cancelQueryUnload = false;
  EXPECT_TRUE(form->Unload());
  EXPECT_EQ(form->log, (std::vector<std::string>{"QueryUnload 1", "Unload", "Deactivate"}));
  EXPECT_FALSE(form->IsLoaded());
  EXPECT_TRUE(forms::Form::Forms().empty());
  EXPECT_TRUE(form->Controls().empty());
  // The form object can be loaded again, with its controls.
  form->Load();
  EXPECT_TRUE(form->HasControl("cmdOK"));
}

TEST_F(Forms, KeyPreviewAndDefaultAndCancelButtons) {
  auto form = std::make_shared<TestForm>();
  form->Show();
  auto text = form->Get<forms::TextBox>("txtName");
  EXPECT_EQ(form->ActiveControl(), text);  // the lowest TabIndex gets the focus

  // Without KeyPreview keys go to the active control only.
  form->log.clear();
  form->PressKey('A', com::vbShiftMask);
  EXPECT_EQ(text->Text(), "A");
  EXPECT_TRUE(form->log.empty());

  // With KeyPreview the form sees them first and can swallow them.
  form->SetKeyPreview(true);
  form->swallowKeys = true;
  form->KeyDown('B');
  EXPECT_EQ(form->log, (std::vector<std::string>{"Form_KeyDown 66"}));

  // Escape clicks the cancel button, which unloads the form.
  form->log.clear();
  form->PressKey(forms::vbKeyEscape);
  EXPECT_EQ(form->log[0], "cmdSys_Click 0");
  EXPECT_FALSE(form->IsLoaded());

  // Enter clicks the default button.
  form->Show();
  form->log.clear();
  form->KeyDown(forms::vbKeyReturn);
  EXPECT_EQ(form->log[0], "cmdOK_Click");
}

TEST_F(Forms, WindowMessagesReachTheFormAndItsControls) {
  auto form = std::make_shared<TestForm>();
  form->Show();
  auto text = form->Get<forms::TextBox>("txtName");
  win::PostMessageA(text->hWnd(), win::WM_CHAR, 'z', 0);
  win::DoEvents();
  EXPECT_EQ(text->Text(), "z");
  // Characters arrive as code points and are typed in the ANSI code page;
  // one it has no code for types "?".
  for (win::WPARAM cp : {0xE4, 0x20AC, 0x4E2D}) win::SendMessageA(text->hWnd(), win::WM_CHAR, cp, 0);
  EXPECT_EQ(text->Text(), "zä€?");
  text->SetText("z");
  forms::SendKeys("ab{BACKSPACE}C");
  EXPECT_EQ(text->Text(), "zaC");
  EXPECT_EQ(ErrorNumberOf([] { forms::SendKeys("{NOPE}"); }), rt::errInvalidProcedureCall);
  // A press and a release on the button click it.
  win::SendMessageA(form->Control("cmdSys", 0)->hWnd(), win::WM_LBUTTONDOWN, 0, 0);
  win::SendMessageA(form->Control("cmdSys", 0)->hWnd(), win::WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(form->log[3], "cmdSys_Click 0");
  EXPECT_FALSE(form->IsLoaded());
  form->Show();
  form->cancelQueryUnload = true;
  win::SendMessageA(form->hWnd(), win::WM_CLOSE, 0, 0);
  EXPECT_EQ(form->log.back(), "QueryUnload 0");
  EXPECT_TRUE(form->IsLoaded());
}

TEST_F(Forms, ModalShowIsAnsweredByTheResponderOrRaises) {
  auto owner = std::make_shared<TestForm>();
  owner->Show();
  auto dialog = std::make_shared<TestForm>();
  bool ownerDisabled = false;
  forms::Responders::Push([&](const forms::ModalRequest& request) {
    EXPECT_EQ(request.kind, forms::ModalRequest::Kind::Form);
    EXPECT_EQ(request.form, dialog.get());
    EXPECT_TRUE(dialog->IsModal());
    ownerDisabled = !win::IsWindowEnabled(owner->hWnd());
    dialog->Get<forms::TextBox>("txtName")->SetText("typed");
    dialog->Get<forms::CommandButton>("cmdOK")->Click();
    return 0;
  });
  dialog->Show(forms::vbModal, owner.get());
  EXPECT_TRUE(ownerDisabled);
  EXPECT_FALSE(dialog->IsLoaded());
  EXPECT_TRUE(win::IsWindowEnabled(owner->hWnd()));
  EXPECT_EQ(forms::Form::ActiveForm(), owner.get());

  // Nobody answers: a clear error instead of a hang.
  auto lonely = std::make_shared<TestForm>();
  EXPECT_EQ(ErrorNumberOf([&] { lonely->Show(forms::vbModal); }), forms::errNoResponder);
  EXPECT_FALSE(lonely->Visible());
  EXPECT_FALSE(lonely->IsModal());
}

TEST_F(Forms, MessageBoxesAreAnsweredByTheResponder) {
  EXPECT_EQ(ErrorNumberOf([] { forms::MsgBox("Hello"); }), forms::errNoResponder);
  forms::ScopedResponders scope(
      [](const forms::ModalRequest& r) { return r.prompt == "Save?" ? forms::vbNo : forms::vbOK; });
  forms::Responders::Push([](const forms::ModalRequest& r) {
    EXPECT_EQ(r.title, "Title");
    EXPECT_EQ(r.buttons, forms::vbYesNoCancel + forms::vbQuestion);
    return forms::vbCancel;
  });
  EXPECT_EQ(forms::MsgBox("Save?", forms::vbYesNoCancel + forms::vbQuestion, "Title"), forms::vbCancel);
  EXPECT_EQ(forms::MsgBox("Save?", forms::vbYesNo), forms::vbNo);
  EXPECT_EQ(forms::MsgBox("Done"), forms::vbOK);
  // An answer the box does not offer is a fault of the test script.
  forms::Responders::Push([](const forms::ModalRequest&) { return forms::vbYes; });
  EXPECT_EQ(ErrorNumberOf([] { forms::MsgBox("Only OK"); }), rt::errInvalidProcedureCall);
  EXPECT_EQ(forms::MsgBoxEscapeResult(forms::vbYesNo), 0);
  EXPECT_EQ(forms::MsgBoxEscapeResult(forms::vbRetryCancel), forms::vbCancel);
}

TEST_F(Forms, ControlArraysLoadAndUnloadMembers) {
  auto form = std::make_shared<TestForm>();
  form->Load();
  EXPECT_EQ(ErrorNumberOf([&] { form->Control("cmdSys"); }), forms::errNotAControlArray);
  EXPECT_EQ(ErrorNumberOf([&] { form->Control("cmdSys", 1); }), forms::errControlArrayElementMissing);
  EXPECT_EQ(ErrorNumberOf([&] { form->Control("cmdNone"); }), 730);

  auto member = form->LoadControl("cmdSys", 1);
  EXPECT_EQ(member->Index(), 1);
  EXPECT_FALSE(member->Visible());
  EXPECT_EQ(member->Get("Caption").ToString(), "Cancel");
  EXPECT_EQ(member->Left(), 1440);
  EXPECT_EQ(form->ControlArray("CMDSYS").size(), 2u);
  EXPECT_EQ(ErrorNumberOf([&] { form->LoadControl("cmdSys", 1); }), forms::errObjectAlreadyLoaded);

  // Events of the new member reach the array's handler with its index.
  form->Get<forms::CommandButton>("cmdSys", 1)->Click();
  EXPECT_NE(std::find(form->log.begin(), form->log.end(), "cmdSys_Click 1"), form->log.end());
  form->Load();
  form->Show();
  form->LoadControl("cmdSys", 2);
  EXPECT_EQ(ErrorNumberOf([&] { form->UnloadControl("cmdSys", 0); }), forms::errCantUnloadDesignControl);
  form->UnloadControl("cmdSys", 2);
  EXPECT_FALSE(form->HasControl("cmdSys", 2));

  // Controls are members of the form by name: frm.cmdSys(0).Caption.
  com::Args index{rt::Variant(int16_t{0})};
  auto viaDispatch = com::AsDispatch(form->Invoke("cmdSys", com::CallKind::PropertyGet, index));
  EXPECT_EQ(viaDispatch->Get("Caption").ToString(), "Cancel");
}

TEST_F(Forms, PublicProceduresAreCalledByName) {
  auto form = std::make_shared<TestForm>();
  com::CallByName(*form, "aktualisieren", com::CallKind::Method);
  EXPECT_EQ(form->log.back(), "Aktualisieren");
  EXPECT_EQ(ErrorNumberOf([&] { com::CallByName(*form, "AddUser", com::CallKind::Method); }), rt::errNoSuchMember);
}

TEST_F(Forms, TimerFiresOnTheManualClock) {
  rt::ManualClock clock;
  rt::ScopedClock useClock(clock);
  auto form = std::make_shared<TestForm>();
  form->Show();
  auto timer = form->Get<forms::Timer>("Timer1");
  clock.Advance(5000);
  win::DoEvents();
  EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "Timer"), 0);  // disabled at design time

  timer->SetEnabled(true);
  clock.Advance(999);
  win::DoEvents();
  EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "Timer"), 0);
  clock.Advance(1);
  win::DoEvents();
  EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "Timer"), 1);
  clock.Advance(1000);
  win::DoEvents();
  EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "Timer"), 2);

  // Unloading the form stops its timer.
  form->Unload();
  clock.Advance(3000);
  win::DoEvents();
  EXPECT_EQ(std::count(form->log.begin(), form->log.end(), "Timer"), 2);
}

TEST_F(Forms, LabelAutoSizeWithAndWithoutWordWrap) {
  gdi::ScopedFixedMetrics fixed;  // MS Sans Serif 8.25: 11 px lines, 6 px characters
  auto form = std::make_shared<forms::Form>("frmLabel");
  form->Load();
  auto label = std::dynamic_pointer_cast<forms::Label>(form->AddControl("VB.Label", "lblMsg"));
  ASSERT_TRUE(label);
  label->SetAutoSize(true);
  label->SetCaption("Hello");
  EXPECT_EQ(label->Width(), 5 * 6 * 15);
  EXPECT_EQ(label->Height(), 11 * 15);
  label->SetCaption("Hello\r\nWide world");
  EXPECT_EQ(label->Width(), 10 * 6 * 15);
  EXPECT_EQ(label->Height(), 2 * 11 * 15);

  // With WordWrap the width stays and the height follows the wrapped text.
  label->SetWordWrap(true);
  label->SetWidth(40 * 15);
  label->SetCaption("aaa bbb ccc");
  EXPECT_EQ(label->Width(), 600);
  EXPECT_EQ(label->Height(), 3 * 11 * 15);
  label->SetCaption("aaa");
  EXPECT_EQ(label->Height(), 11 * 15);
}

TEST_F(Forms, CheckBoxValueRaisesClick) {
  auto form = std::make_shared<forms::Form>("frmCheck");
  int clicks = 0;
  form->OnControlEvent("chkMsg", "Click", [&](int16_t, com::Args&) { ++clicks; });
  form->Load();
  auto check = std::dynamic_pointer_cast<forms::CheckBox>(form->AddControl("VB.CheckBox", "chkMsg"));
  check->Click();
  EXPECT_EQ(check->Value(), forms::vbChecked);
  check->Let("Value", int16_t{0});
  check->SetValue(0);  // no change, no event
  EXPECT_EQ(clicks, 2);
  EXPECT_EQ(ErrorNumberOf([&] { check->SetValue(3); }), 380);
}

// A user control that records its life cycle and what it sees of its host.
class Probe : public com::UserControl {
 public:
  std::string ClassName() const override { return "Probe"; }
  void InitProperties() override { log.push_back("InitProperties"); }
  void ReadProperties(const com::PropertyBag& bag) override {
    log.push_back("ReadProperties " + bag.ReadProperty("Text", "").ToString());
    text = bag.ReadProperty("Text", "").ToString();
  }
  void WriteProperties(com::PropertyBag& bag) override { bag.WriteProperty("Text", text, ""); }
  void Resize() override {
    log.push_back("Resize");
    // A control of fixed size, whatever the designer asked for.
    Extender().Move(Left(), Top(), 480, 480);
  }
  void Show() override { log.push_back("Show"); }
  void Paint() override { Surface().Print("P"); }
  std::vector<std::string> log;
  std::string text;
};
com::ControlRegistration<Probe> probeRegistration{"Test.Probe"};

class Host : public forms::Form {
 public:
  Host() : Form("frmHost") {
    SetDesignText(R"(Begin Form frmHost
   BackColor = &HFF
   Begin Test.Probe prb
      Text = "saved"
      Width = 2000
      Height = 900
   End
End
)");
  }
  std::vector<std::string> changed;
  void OnControlPropertyChanged(com::Control&, std::string_view name) override { changed.emplace_back(name); }
};

TEST_F(Forms, UserControlLifeCycleAmbientAndExtender) {
  auto host = std::make_shared<Host>();
  host->Show();
  auto probe = host->Get<Probe>("prb");
  // Resizing inside Resize raises Resize again, as on the original.
  EXPECT_EQ(probe->log, (std::vector<std::string>{"ReadProperties saved", "Resize", "Resize", "Show"}));
  EXPECT_EQ(probe->Width(), 480);
  EXPECT_EQ(probe->Height(), 480);
  EXPECT_EQ(probe->Ambient().DisplayName, "prb");
  EXPECT_EQ(probe->Ambient().BackColor, 0xFFu);
  EXPECT_TRUE(probe->Ambient().UserMode);
  EXPECT_EQ(com::AsDispatch(probe->Get("Container")).get(), host.get());
  probe->PropertyChanged("Text");
  EXPECT_EQ(host->changed, (std::vector<std::string>{"Text"}));
  com::PropertyBag bag;
  probe->WriteProperties(bag);
  EXPECT_EQ(bag.ToText(), "Text = \"saved\"\n");

  auto added = std::dynamic_pointer_cast<Probe>(host->AddControl("Test.Probe", "prb2"));
  EXPECT_EQ(added->log.front(), "InitProperties");
}

TEST_F(Forms, DesignDataRoundTrip) {
  forms::DesignNode node = forms::ReadDesignText(kDialog);
  EXPECT_EQ(node.name, "frmTest");
  ASSERT_EQ(node.children.size(), 4u);
  EXPECT_EQ(node.children[2].name, "cmdSys");
  EXPECT_EQ(node.children[2].index, 0);
  EXPECT_EQ(forms::ReadDesignText(forms::WriteDesignText(node)).children[1].properties.ToText(),
            node.children[1].properties.ToText());
  for (const char* bad :
       {"Begin Form f\n", "End\n", "Begin Form f\nCaption\nEnd\n", "Begin Form f\nEnd\nBegin Form g\nEnd\n"}) {
    EXPECT_EQ(ErrorNumberOf([&] { forms::ReadDesignText(bad); }), com::errInvalidPropertyValue) << bad;
  }
}

TEST_F(Forms, RendersASmallDialogToPng) {
  const char* design = R"(Begin Form frmRender
   Caption = "Render test"
   BorderStyle = 3
   ClientWidth = 4200
   ClientHeight = 1800
   Begin VB.Label lblMsg
      Caption = "A label with wrapped text that needs more than one line in its width."
      Left = 165
      Top = 165
      Width = 3800
      AutoSize = True
      WordWrap = True
   End
   Begin VB.CheckBox chkMsg
      Caption = "Don't show this message again"
      Value = 1
      Left = 165
      Top = 900
      Width = 3000
      Height = 300
   End
   Begin VB.CommandButton cmdOK
      Caption = "OK"
      Default = True
      Left = 1620
      Top = 1300
      Width = 1200
      Height = 360
   End
   Begin VB.CommandButton cmdCancel
      Caption = "&Cancel"
      Left = 2925
      Top = 1300
      Width = 1200
      Height = 360
   End
End
)";
  auto form = std::make_shared<forms::Form>("frmRender");
  form->SetDesignText(design);
  form->Show();
  const std::string path = rt::TestRenderPath("forms_render_dialog.png");
  ASSERT_TRUE(form->RenderToPng(path));
  gdi::OwnedBitmap png(gdi::LoadBitmapFromPngFile(path));
  const gdi::SIZE size = gdi::GetBitmapSize(png.Get());
  EXPECT_EQ(size.cx, 4200 / 15 + 6);
  EXPECT_EQ(size.cy, 1800 / 15 + 6 + 22);
  EXPECT_GT(form->Control("lblMsg")->Height(), 200);  // wrapped onto more lines
}

}  // namespace
