// A main window with a docking manager for the docking tests and the
// gallery: menus, two tool bars, a status bar, and two small views to dock.
#pragma once

#include <memory>
#include <string>

#include "forms/Form.h"

namespace forms::test {

inline const char* kDockMain = R"FRM(Begin Form frmMain
   Caption = "Quorvelle Administration"
   ClientWidth = 9600
   ClientHeight = 6000
   Begin InnovaDSXP2.DockStudio Dock
      Left = 0
      Top = 0
      Width = 9600
      Height = 6000
      Begin CommandBar MenuBar
         Type = "MenuBar"
         Begin Tool mnuDatei
            Caption = "&File"
            Begin Tool DBConnect
               Caption = "Establish &Database Connection"
            End
            Begin Tool DBDisconnect
               Caption = "&Disconnect"
               Enabled = False
            End
            Begin Tool AddUser
               Caption = "Add &User"
               BeginGroup = True
            End
            Begin Tool Beenden
               Caption = "E&xit"
               Shortcut = "Alt+F4"
               BeginGroup = True
            End
         End
         Begin Tool mnuFenster
            Caption = "&Window"
            Begin Tool WindowList
               Caption = "(List of Current Windows)"
               Kind = "WindowList"
            End
         End
         Begin Tool mnuOpt
            Caption = "&Options"
            Begin Tool Farbstyle
               Caption = "&Color Scheme"
               Begin Tool Farb0
                  Caption = "&Standard Layout"
                  Checked = True
               End
               Begin Tool Farb1
                  Caption = "C&lassic Layout"
               End
            End
         End
      End
      Begin CommandBar Start
         Type = "ToolBar"
         Begin Tool Go2Start
            Caption = "&Back"
            ToolTipText = "Back to Start Page"
            ShowCaption = True
         End
         Begin Tool Refresh
            Caption = "Refresh Data"
         End
      End
      Begin CommandBar User
         Type = "ToolBar"
         Begin Tool AddUser
         End
         Begin Tool Delete
            Caption = "Delete"
            BeginGroup = True
         End
      End
      Begin CommandBar StatusBar
         Type = "StatusBar"
         Begin Panel StatMsg
            Text = "Ready"
            Spring = True
         End
         Begin Panel StatForm
            Width = 160
         End
         Begin Panel StatCaps
            Width = 40
            Kind = "Caps"
         End
      End
   End
End
)FRM";

inline const char* kDockView = R"FRM(Begin Form frmView
   Caption = "View"
   ClientWidth = 4000
   ClientHeight = 3000
   Begin XtremeSuiteControls.FlatEdit txtName
      Left = 240
      Top = 240
      Width = 2400
      Height = 315
      TabIndex = 0
   End
   Begin XtremeSuiteControls.PushButton cmdGo
      Caption = "&Go"
      Left = 240
      Top = 720
      Width = 1200
      Height = 375
      TabIndex = 1
   End
End
)FRM";

inline std::shared_ptr<Form> NewDockView(const std::string& name, const std::string& caption) {
  auto view = std::make_shared<Form>(name);
  view->SetDesignText(kDockView);
  view->Load();
  view->SetCaption(caption);
  return view;
}

}  // namespace forms::test
