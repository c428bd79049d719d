' The new Memo database wizard: an information page, the type and the
' deciding user, title and password, and the summary with the result.
Begin Form wizNewDB
   Caption = "Quorvelle :: Database Wizard"
   BorderStyle = 3
   MinButton = False
   MaxButton = False
   KeyPreview = True
   StartUpPosition = 1
   ClientWidth = 7605
   ClientHeight = 5400
   Font = Font("Tahoma", 8.25)
   Begin XtremeSuiteControls.TabControl tabWiz
      Left = 0
      Top = 0
      Width = 7605
      Height = 4740
      ShowTabs = False
      TabIndex = 0
      Begin XtremeSuiteControls.TabControlPage pgInfo
         Begin Kvctl2.KVXFrame fraHead
            Caption = "Add Database"
            Left = 0
            Top = 0
            Width = 7605
            Height = 480
            CaptionHeight = 7
         End
         Begin VB.Label lblInfo
            Caption = "This wizard will guide you through the process of\r\ncreating a new Memo database. It will show the\r\neffects of the chosen settings.\r\n\r\nA Memo database is a flexible knowledge base, which\r\nis available for you (personal) or your employees (public)\r\nat any time. It helps to make valuable resources available\r\nglobally.\r\n\r\nClick \"Next\" and follow the instructions."
            Left = 600
            Top = 840
            Width = 4920
            Height = 2700
            BackStyle = 0
         End
         Begin VB.Image imgWiz
            Left = 5880
            Top = 1140
            Width = 960
            Height = 960
         End
         Begin XtremeSuiteControls.CheckBox chkInfo
            Caption = "Show this information again."
            Left = 600
            Top = 3960
            Width = 4200
            Height = 255
            TabIndex = 1
         End
      End
      Begin XtremeSuiteControls.TabControlPage pgTyp
         Begin Kvctl2.KVXFrame fraTop(0)
            Caption = "Step 1 of 3: Type of Memo Database"
            Left = 0
            Top = 0
            Width = 7605
            Height = 480
            CaptionHeight = 7
         End
         Begin VB.Label lblNote(0)
            Caption = "Quorvelle offers the possibility of choosing between a public or personal Memo database. You can change the type and access permissions via the Administration at any time."
            Left = 600
            Top = 720
            Width = 6600
            Height = 480
            BackStyle = 0
            WordWrap = True
         End
         Begin XtremeSuiteControls.RadioButton optDBTyp(0)
            Caption = "Public Memo Database"
            Left = 600
            Top = 1380
            Width = 3600
            Height = 255
            TabIndex = 2
         End
         Begin VB.Label lblNote(1)
            Caption = "A public Memo database is accessible for those users that are part of the same user groups as the creator."
            Left = 960
            Top = 1680
            Width = 6240
            Height = 420
            BackStyle = 0
            WordWrap = True
            ForeColor = &H606060
         End
         Begin VB.Label lblInf(10)
            Caption = "Creator:"
            Left = 960
            Top = 2205
            Width = 960
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.ComboBox cboErsteller
            Left = 1980
            Top = 2160
            Width = 3210
            Height = 315
            Style = 2
            TabIndex = 3
         End
         Begin XtremeSuiteControls.RadioButton optDBTyp(1)
            Caption = "Personal Memo Database"
            Left = 600
            Top = 2760
            Width = 3600
            Height = 255
            TabIndex = 4
         End
         Begin VB.Label lblNote(2)
            Caption = "A personal Memo database is user-related and not accessible to other users."
            Left = 960
            Top = 3060
            Width = 6240
            Height = 420
            BackStyle = 0
            WordWrap = True
            ForeColor = &H606060
         End
         Begin VB.Label lblInf(9)
            Caption = "Owner:"
            Left = 960
            Top = 3585
            Width = 960
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.ComboBox cboOwner
            Left = 1980
            Top = 3540
            Width = 3210
            Height = 315
            Style = 2
            TabIndex = 5
         End
      End
      Begin XtremeSuiteControls.TabControlPage pgName
         Begin Kvctl2.KVXFrame fraTop(1)
            Caption = "Step 2 of 3: Database Name and Password Protection"
            Left = 0
            Top = 0
            Width = 7605
            Height = 480
            CaptionHeight = 7
         End
         Begin VB.Label lblNote(3)
            Caption = "Enter the name and optional title, and password.\r\nYou may change this data at any time, via the Administration."
            Left = 600
            Top = 720
            Width = 6600
            Height = 480
            BackStyle = 0
         End
         Begin VB.Label lblInf(0)
            Caption = "Title of the Memo Database:"
            Left = 600
            Top = 1380
            Width = 6600
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtDBName
            Left = 600
            Top = 1620
            Width = 6600
            Height = 315
            TabIndex = 6
         End
         Begin VB.Label lblInf(1)
            Caption = "Description (Optional):"
            Left = 600
            Top = 2040
            Width = 6600
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtDBInf
            Left = 600
            Top = 2280
            Width = 6600
            Height = 315
            TabIndex = 7
         End
         Begin VB.Label lblInf(2)
            Caption = "*Password:"
            Left = 600
            Top = 2745
            Width = 1680
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtPWD
            Left = 2340
            Top = 2700
            Width = 2400
            Height = 315
            TabIndex = 8
            PasswordChar = "*"
         End
         Begin VB.Label lblInf(3)
            Caption = "Confirm Password:"
            Left = 600
            Top = 3165
            Width = 1680
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtPWDWdh
            Left = 2340
            Top = 3120
            Width = 2400
            Height = 315
            TabIndex = 9
            PasswordChar = "*"
         End
         Begin VB.Label lblNote(4)
            Caption = "*If you do not wish a password, leave these two fields blank."
            Left = 600
            Top = 3660
            Width = 6600
            Height = 225
            BackStyle = 0
            ForeColor = &H606060
         End
      End
      Begin XtremeSuiteControls.TabControlPage pgSum
         Begin Kvctl2.KVXFrame fraTop(2)
            Caption = "Step 3 of 3: Summary"
            Left = 0
            Top = 0
            Width = 7605
            Height = 480
            CaptionHeight = 7
         End
         Begin VB.Label lblInf(6)
            Caption = "The wizard has all necessary information now.\r\nPlease click on \"Finish\"."
            Left = 600
            Top = 600
            Width = 6600
            Height = 480
            BackStyle = 0
         End
         Begin VB.Label picOK
            Caption = "✔"
            Left = 120
            Top = 465
            Width = 420
            Height = 420
            BackStyle = 0
            ForeColor = &H8000
            Visible = False
            Font = Font("DejaVu Sans", 14)
         End
         Begin VB.Label lblAssist(0)
            Caption = ""
            Left = 600
            Top = 1320
            Width = 6600
            Height = 225
            BackStyle = 0
         End
         Begin VB.Label lblAssist(1)
            Caption = ""
            Left = 600
            Top = 1620
            Width = 6600
            Height = 225
            BackStyle = 0
         End
         Begin VB.Label lblAssist(2)
            Caption = ""
            Left = 600
            Top = 1920
            Width = 6600
            Height = 225
            BackStyle = 0
         End
         Begin VB.Label lblErr
            Caption = ""
            Left = 600
            Top = 2400
            Width = 6600
            Height = 900
            BackStyle = 0
            ForeColor = &HC0
            WordWrap = True
         End
         Begin VB.Label PicErr
            Caption = "✖"
            Left = 120
            Top = 2400
            Width = 420
            Height = 420
            BackStyle = 0
            ForeColor = &HC0
            Visible = False
            Font = Font("DejaVu Sans", 14)
         End
      End
   End
   Begin VB.Shape shpBar
      Left = -15
      Top = 4755
      Width = 7635
      Height = 15
      BorderColor = &HC0C0C0
   End
   Begin XtremeSuiteControls.PushButton cmdHelp
      Caption = "Help <F1>"
      Left = 120
      Top = 4905
      Width = 1245
      Height = 375
      TabIndex = 14
   End
   Begin XtremeSuiteControls.PushButton cmdWiz(1)
      Caption = "< &Back"
      Left = 2280
      Top = 4905
      Width = 1245
      Height = 375
      TabIndex = 10
      Enabled = False
   End
   Begin XtremeSuiteControls.PushButton cmdWiz(2)
      Caption = "&Next >"
      Left = 3540
      Top = 4905
      Width = 1245
      Height = 375
      TabIndex = 11
      Default = True
   End
   Begin XtremeSuiteControls.PushButton cmdWiz(3)
      Caption = "&Finish"
      Left = 4860
      Top = 4905
      Width = 1245
      Height = 375
      TabIndex = 12
      Enabled = False
   End
   Begin XtremeSuiteControls.PushButton cmdWiz(0)
      Caption = "Cancel"
      Left = 6240
      Top = 4905
      Width = 1245
      Height = 375
      TabIndex = 13
      Cancel = True
   End
End
