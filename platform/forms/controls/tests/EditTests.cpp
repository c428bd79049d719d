// The edit box and the text editing it shares with the combo box, played
// through routed keys and mouse input.
#include <gtest/gtest.h>

#include "forms/Clipboard.h"
#include "forms/Form.h"
#include "forms/ControlPainter.h"
#include "forms/controls/FlatEdit.h"
#include "gdi/FontBackend.h"
#include "runtime/ErrorNumberOf.h"
#include "tests/PlayUser.h"

namespace forms {
namespace {

using test::Key;
using test::Type;

const char* kEdits = R"(Begin Form frmEdits
   ClientWidth = 4000
   ClientHeight = 1500
   Begin XtremeSuiteControls.FlatEdit txtName
      Left = 120
      Top = 120
      Width = 3000
      Height = 300
      TabIndex = 0
   End
   Begin XtremeSuiteControls.FlatEdit txtPWD
      Left = 120
      Top = 600
      Width = 3000
      Height = 300
      PasswordChar = "*"
      MaxLength = 8
      TabIndex = 1
   End
End
)";

class Edits : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UseFixedMetrics();
    form = std::make_shared<Form>("frmEdits");
    form->SetDesignText(kEdits);
    form->Show();
    name = form->Get<FlatEdit>("txtName");
    pwd = form->Get<FlatEdit>("txtPWD");
    name->Events().Connect("Change", [this](com::Args&) { ++changes; });
    Clipboard::Clear();
  }
  void TearDown() override {
    form->Unload();
    Clipboard::Clear();
  }
  rt::ManualClock clock;
  rt::ScopedClock scopedClock{clock};
  std::shared_ptr<Form> form;
  std::shared_ptr<FlatEdit> name, pwd;
  int changes = 0;
};

TEST_F(Edits, TypingSelectingAndTheClipboard) {
  ASSERT_EQ(form->ActiveControl(), name);
  Type("Hello wörld");
  EXPECT_EQ(name->Text(), "Hello wörld");
  EXPECT_EQ(changes, 11);  // one Change a character
  EXPECT_EQ(name->SelStart(), 11);

  // Ctrl+Shift+Left selects the last word; typing replaces it.
  Key(win::VK_LEFT, test::kCtrl | test::kShift);
  EXPECT_EQ(name->SelStart(), 6);
  EXPECT_EQ(name->SelLength(), 5);
  EXPECT_EQ(name->SelText(), "wörld");
  Type("\x03");  // Ctrl+C
  EXPECT_EQ(Clipboard::GetText(), "wörld");
  Type("you");
  EXPECT_EQ(name->Text(), "Hello you");

  // Home, Shift+End, Ctrl+X empties the field; Ctrl+V brings it back twice.
  Key(win::VK_HOME);
  Key(win::VK_END, test::kShift);
  Type("\x18");
  EXPECT_EQ(name->Text(), "");
  EXPECT_EQ(Clipboard::GetText(), "Hello you");
  Type("\x16\x16");
  EXPECT_EQ(name->Text(), "Hello youHello you");

  // Backspace and Delete around the caret; SelStart and SelLength by code.
  name->SetSelStart(5);
  name->SetSelLength(4);
  Key(win::VK_DELETE);
  EXPECT_EQ(name->Text(), "HelloHello you");
  Type("\b");
  EXPECT_EQ(name->Text(), "HellHello you");
  EXPECT_EQ(rt::ErrorNumberOf([&] { name->SetSelStart(-1); }), 380);
  // Characters beyond the ANSI code page are typed as they are.
  name->SetText("");
  Type("€ Жук");
  EXPECT_EQ(name->Text(), "€ Жук");
}

TEST_F(Edits, PasswordFieldMasksLimitsAndCopiesNothing) {
  Key(win::VK_TAB);
  ASSERT_EQ(form->ActiveControl(), pwd);
  Type("secret1234");
  EXPECT_EQ(pwd->Text(), "secret12");  // MaxLength 8
  Clipboard::SetText("kept");
  Key(win::VK_HOME, test::kShift);
  Type("\x03\x18");
  EXPECT_EQ(Clipboard::GetText(), "kept");
  EXPECT_EQ(pwd->Text(), "secret12");
  // A key handler that sets the key to 0 swallows it.
  pwd->Events().Connect("KeyPress", [](com::Args& args) { args[0] = int16_t{0}; });
  Type("x");
  EXPECT_EQ(pwd->Text(), "secret12");
}

TEST_F(Edits, TheMousePlacesTheCaretAndSelects) {
  name->SetText("alpha beta gamma");
  // Fixed metrics: 7 pixels a character at the default font; the text
  // starts 4 pixels into the field.
  const int charWidth = painter::CharOffsets("a", name->Font()).back();
  const int left = 4;
  test::Click(*name, left + 6 * charWidth + 1, 10);
  EXPECT_EQ(name->SelStart(), 6);
  EXPECT_EQ(name->SelLength(), 0);
  test::DoubleClick(*name, left + 12 * charWidth, 10);
  EXPECT_EQ(name->SelText(), "gamma");
  test::Drag(*name, left, 10, left + 5 * charWidth, 10);
  EXPECT_EQ(name->SelText(), "alpha");
}

TEST_F(Edits, TabbingInSelectsEverythingAndLockedRefusesEdits) {
  name->SetText("abc");
  Key(win::VK_TAB);
  Key(win::VK_TAB, test::kShift);
  EXPECT_EQ(name->SelLength(), 3);
  name->SetLocked(true);
  Type("x\b");
  Key(win::VK_DELETE);
  EXPECT_EQ(name->Text(), "abc");
}

}  // namespace
}  // namespace forms
