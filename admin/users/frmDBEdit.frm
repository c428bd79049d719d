' The Memo database properties dialog: title, type, owner and password
' on the first page, the groups with access on the second.
Begin Form frmDBEdit
   Caption = "Properties"
   BorderStyle = 3
   MinButton = False
   MaxButton = False
   KeyPreview = True
   StartUpPosition = 1
   ClientWidth = 7605
   ClientHeight = 6165
   Font = Font("Tahoma", 8.25)
   Begin XtremeSuiteControls.TabControl tabEdit
      Left = 120
      Top = 120
      Width = 7365
      Height = 5430
      TabIndex = 0
      Begin XtremeSuiteControls.TabControlPage page(0)
         Caption = "General"
         Begin VB.Label lblInf(0)
            Caption = "Title:"
            Left = 240
            Top = 405
            Width = 1680
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtBez
            Left = 1980
            Top = 360
            Width = 4860
            Height = 315
            TabIndex = 1
         End
         Begin VB.Label lblInf(1)
            Caption = "Description:"
            Left = 240
            Top = 825
            Width = 1680
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtMInf
            Left = 1980
            Top = 780
            Width = 4860
            Height = 315
            TabIndex = 2
         End
         Begin XtremeSuiteControls.RadioButton optDBTyp(0)
            Caption = "Public Memo Database"
            Left = 1980
            Top = 1320
            Width = 4860
            Height = 255
            TabIndex = 3
         End
         Begin XtremeSuiteControls.RadioButton optDBTyp(1)
            Caption = "Personal Memo Database"
            Left = 1980
            Top = 1620
            Width = 4860
            Height = 255
            TabIndex = 4
         End
         Begin VB.Label lblInf(2)
            Caption = "Owner:"
            Left = 240
            Top = 2085
            Width = 1680
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.ComboBox cboOwner
            Left = 1980
            Top = 2040
            Width = 4530
            Height = 315
            Style = 2
            TabIndex = 5
         End
         Begin VB.Label lblInf(3)
            Caption = "Password:"
            Left = 240
            Top = 2625
            Width = 1680
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtPWD
            Left = 1980
            Top = 2580
            Width = 2400
            Height = 315
            TabIndex = 6
            PasswordChar = "*"
         End
         Begin VB.Label lblInf(4)
            Caption = "Confirm:"
            Left = 240
            Top = 3045
            Width = 1680
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtPWDWdh
            Left = 1980
            Top = 3000
            Width = 2400
            Height = 315
            TabIndex = 7
            PasswordChar = "*"
         End
         Begin VB.Label lblInf(5)
            Caption = "Date Created:"
            Left = 240
            Top = 3600
            Width = 1680
            Height = 225
            BackStyle = 0
         End
         Begin VB.Label lblCreated
            Caption = ""
            Left = 1980
            Top = 3600
            Width = 4860
            Height = 225
            BackStyle = 0
         End
      End
      Begin XtremeSuiteControls.TabControlPage page(1)
         Caption = "Assigned Groups"
         Begin XtremeReportControl.ReportControl rctGrp(0)
            Left = 120
            Top = 240
            Width = 2910
            Height = 4560
            TabIndex = 10
         End
         Begin XtremeSuiteControls.PushButton cmdMove(0)
            Caption = "  &Add"
            Left = 3150
            Top = 1440
            Width = 1020
            Height = 375
            TabIndex = 11
         End
         Begin XtremeSuiteControls.PushButton cmdMove(1)
            Caption = "R&emove     "
            Left = 3150
            Top = 1920
            Width = 1020
            Height = 375
            TabIndex = 12
         End
         Begin XtremeSuiteControls.PushButton cmdMove(2)
            Caption = "&Reset"
            Left = 3150
            Top = 2880
            Width = 1020
            Height = 375
            TabIndex = 13
         End
         Begin XtremeReportControl.ReportControl rctGrp(1)
            Left = 4290
            Top = 240
            Width = 2910
            Height = 4560
            TabIndex = 14
         End
      End
   End
   Begin XtremeSuiteControls.PushButton cmdHelp
      Caption = "Help <F1>"
      Left = 120
      Top = 5670
      Width = 1245
      Height = 375
      TabIndex = 20
   End
   Begin XtremeSuiteControls.PushButton cmdSave
      Caption = "Apply"
      Left = 3510
      Top = 5670
      Width = 1245
      Height = 375
      Enabled = False
      TabIndex = 21
   End
   Begin XtremeSuiteControls.PushButton cmdSaveClose
      Caption = "&OK"
      Left = 4875
      Top = 5670
      Width = 1245
      Height = 375
      Default = True
      Enabled = False
      TabIndex = 22
   End
   Begin XtremeSuiteControls.PushButton cmdCancel
      Caption = "Cancel"
      Left = 6240
      Top = 5670
      Width = 1245
      Height = 375
      Cancel = True
      TabIndex = 23
   End
End
