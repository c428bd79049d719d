' The message window: MsgBoxEx lays it out and shows it for one call.
Begin Form frmMsgBoxIe
   Caption = "Meldung"
   BorderStyle = 3
   ControlBox = True
   MinButton = False
   MaxButton = False
   KeyPreview = True
   StartUpPosition = 0
   ClientWidth = 4680
   ClientHeight = 1500
   Font = Font("Tahoma", 8.25)
   Begin Kvctl2.KVXHTML txtDetail
      Left = 60
      Top = 1560
      Width = 4560
      Height = 2070
      Visible = False
      TabStop = False
      Appearance = 0
      BorderStyle = 1
      BackColor = &HFFFFFF
      EnableAnchors = True
      EnableScroll = 3
      EnableTooltips = False
      DefaultFontName = "Tahoma"
      DefaultFontSize = 8
      UnderlineLinks = True
      DefaultPadding = 4
      DefaultSpacing = 0
      Gradient = True
      GradientAngle = 285
      BackColor2 = &HEFE9E0
      LinkColor = &HFF0000
      LinkHoverColor = &H800080
      Text = ""
   End
   Begin VB.Label lblMsg
      Left = 165
      Top = 165
      Width = 600
      Height = 195
      AutoSize = True
      BackStyle = 0
      UseMnemonic = False
      Font = Font("Tahoma", 8.25)
   End
   Begin VB.Image ImIco
      Left = 120
      Top = 135
      Width = 480
      Height = 480
      Visible = False
   End
   Begin VB.CommandButton cmdSys(0)
      Left = 120
      Top = 900
      Width = 1200
      Height = 360
      Visible = False
      TabIndex = 0
   End
   Begin VB.CommandButton cmdSys(1)
      Left = 1425
      Top = 900
      Width = 1200
      Height = 360
      Visible = False
      TabIndex = 1
      TabStop = False
   End
   Begin VB.CommandButton cmdSys(2)
      Left = 2730
      Top = 900
      Width = 1200
      Height = 360
      Visible = False
      TabIndex = 2
      TabStop = False
   End
   Begin VB.CommandButton cmdSys(3)
      Left = 4035
      Top = 900
      Width = 1200
      Height = 360
      Visible = False
      TabIndex = 3
      TabStop = False
   End
   Begin VB.CommandButton cmdDetail
      Width = 1200
      Height = 360
      Visible = False
      TabIndex = 4
   End
   Begin VB.CommandButton cmdCopier
      Width = 3500
      Height = 360
      Visible = False
      TabIndex = 5
   End
   Begin VB.CheckBox chkMsg
      Width = 3130
      Height = 300
      Visible = False
      TabIndex = 6
      Font = Font("Tahoma", 8.25)
   End
   Begin VB.Timer Timer1
      Interval = 1000
      Enabled = False
   End
End
