' The login dialog: the server, the authentication, the login name and
' password, whether to log on automatically from now on, the status line
' of the connection, and the buttons at the right.
Begin Form frmLogin
   Caption = "SQL Server :: Login"
   BorderStyle = 3
   MinButton = False
   MaxButton = False
   KeyPreview = True
   StartUpPosition = 1
   HelpContextID = 1020
   ClientWidth = 6600
   ClientHeight = 3555
   Font = Font("Tahoma", 8.25)
   Begin VB.Label lblServer
      Caption = "SQL &Server:"
      Left = 240
      Top = 255
      Width = 1320
      Height = 255
      TabIndex = 0
   End
   Begin XtremeSuiteControls.ComboBox cboServer
      Left = 1680
      Top = 210
      Width = 3120
      Height = 315
      TabIndex = 1
   End
   Begin XtremeSuiteControls.RadioButton optAuth(0)
      Caption = "&Windows Authentication"
      Left = 240
      Top = 720
      Width = 4560
      Height = 270
      Value = True
      TabIndex = 2
   End
   Begin XtremeSuiteControls.RadioButton optAuth(1)
      Caption = "SQL Server &Authentication"
      Left = 240
      Top = 1020
      Width = 4560
      Height = 270
      TabIndex = 3
   End
   Begin VB.Label lblUID
      Caption = "&Username:"
      Left = 600
      Top = 1425
      Width = 1000
      Height = 255
      TabIndex = 4
   End
   Begin XtremeSuiteControls.FlatEdit txtUID
      Left = 1680
      Top = 1380
      Width = 3120
      Height = 315
      TabIndex = 5
   End
   Begin VB.Label lblPWD
      Caption = "&Password:"
      Left = 600
      Top = 1815
      Width = 1000
      Height = 255
      TabIndex = 6
   End
   Begin XtremeSuiteControls.FlatEdit txtPWD
      Left = 1680
      Top = 1770
      Width = 3120
      Height = 315
      PasswordChar = "*"
      TabIndex = 7
   End
   Begin XtremeSuiteControls.CheckBox chkSaveLogin
      Caption = "Log on automatically in future"
      Left = 240
      Top = 2220
      Width = 4560
      Height = 270
      TabIndex = 8
   End
   Begin XtremeSuiteControls.GroupBox fraStep3
      Caption = "Connection"
      Left = 240
      Top = 2640
      Width = 6120
      Height = 690
      Begin VB.Label lblStatus
         Left = 150
         Top = 300
         Width = 5820
         Height = 255
      End
   End
   Begin XtremeSuiteControls.PushButton cmdLogin
      Caption = "&Login"
      Left = 5040
      Top = 210
      Width = 1320
      Height = 375
      TabIndex = 9
   End
   Begin XtremeSuiteControls.PushButton cmdCancel
      Caption = "Cancel"
      Left = 5040
      Top = 660
      Width = 1320
      Height = 375
      Cancel = True
      TabIndex = 10
   End
   Begin XtremeSuiteControls.PushButton cmdHelp
      Caption = "Help <F1>"
      Left = 5040
      Top = 1110
      Width = 1320
      Height = 375
      TabIndex = 11
   End
End
