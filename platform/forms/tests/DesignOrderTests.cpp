// What a form's design data says stays true once the form is loaded: the
// control drawn on top is the one the mouse reaches, and a control placed
// in a user control keeps the font its design data names.
#include <gtest/gtest.h>

#include "com/ControlFactory.h"
#include "com/UserControl.h"
#include "forms/Form.h"
#include "forms/Label.h"
#include "forms/controls/FlatEdit.h"
#include "gdi/FontBackend.h"
#include "win/Input.h"
#include "win/Window.h"

namespace forms {
namespace {

// A user control that contains the controls placed on it, as a panel does.
class Panel : public com::UserControl {
 public:
  std::string ClassName() const override { return "Panel"; }
  bool AcceptsContainedControls() const override { return true; }
};
const com::ControlRegistration<Panel> registration{"Test.Panel"};

const char* kForm = R"(Begin Form frmOrder
   ClientWidth = 4800
   ClientHeight = 2400
   Font = Font("Tahoma", 8.25)
   Begin XtremeSuiteControls.FlatEdit txtOver
      Left = 600
      Top = 600
      Width = 2400
      Height = 315
   End
   Begin Test.Panel panUnder
      Left = 120
      Top = 120
      Width = 4500
      Height = 2100
      Begin VB.Label lblBold
         Caption = "Bold"
         Left = 120
         Top = 1200
         Width = 1200
         Height = 255
         Font = Font("Tahoma", 12, True)
      End
   End
End
)";

TEST(DesignOrder, TheControlDrawnOnTopTakesTheMouseAndContainedControlsKeepTheirFont) {
  gdi::ScopedFixedMetrics metrics;
  auto form = std::make_shared<Form>("frmOrder");
  form->SetDesignText(kForm);
  form->Show();
  auto edit = form->Get<FlatEdit>("txtOver");
  win::POINT centre{edit->PixelWidth() / 2, edit->PixelHeight() / 2};
  win::ClientToScreen(edit->hWnd(), &centre);
  EXPECT_EQ(win::WindowFromPoint(centre), edit->hWnd());

  auto label = form->Get<Label>("lblBold");
  EXPECT_TRUE(label->Font()->Bold());
  EXPECT_DOUBLE_EQ(label->Font()->Size(), 12);
  form->Unload();
}

}  // namespace
}  // namespace forms
