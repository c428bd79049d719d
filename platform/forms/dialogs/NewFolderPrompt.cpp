#include "forms/dialogs/NewFolderPrompt.h"

#include "forms/controls/FlatEdit.h"
#include "runtime/Strings.h"

namespace forms {

namespace {

const char* kDesign = R"FRM(Begin Form frmNewFolder
   Caption = "Make New Folder"
   BorderStyle = 3
   StartUpPosition = 1
   ClientWidth = 4200
   ClientHeight = 1500
   Begin VB.Label lblName
      Caption = "&Name of the new folder:"
      Left = 180
      Top = 180
      Width = 3840
      Height = 255
      TabIndex = 0
   End
   Begin XtremeSuiteControls.FlatEdit txtName
      Text = "New Folder"
      Left = 180
      Top = 480
      Width = 3840
      Height = 315
      TabIndex = 1
   End
   Begin XtremeSuiteControls.PushButton cmdOK
      Caption = "OK"
      Default = True
      Left = 1500
      Top = 960
      Width = 1200
      Height = 375
      TabIndex = 2
   End
   Begin XtremeSuiteControls.PushButton cmdCancel
      Caption = "Cancel"
      Cancel = True
      Left = 2820
      Top = 960
      Width = 1200
      Height = 375
      TabIndex = 3
   End
End
)FRM";

}  // namespace

NewFolderPrompt::NewFolderPrompt() : Form("frmNewFolder") {
  SetDesignText(kDesign);
  OnControlEvent("cmdOK", "Click", [this](int16_t, com::Args&) { Answer(Get<FlatEdit>("txtName")->Text()); });
  OnControlEvent("cmdCancel", "Click", [this](int16_t, com::Args&) { Unload(); });
}

void NewFolderPrompt::Answer(const std::string& name) {
  m_result = rt::Trim(name);
  Unload();
}

std::string AskNewFolderName(Form* owner) {
  auto prompt = std::make_shared<NewFolderPrompt>();
  prompt->Show(vbModal, owner);
  return prompt->Result();
}

}  // namespace forms
