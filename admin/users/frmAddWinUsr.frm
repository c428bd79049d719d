' The Windows account import: the accounts of the chosen domain on the
' left, the reserved accounts and the groups they will join on the right,
' the move buttons between them.
Begin Form frmAddWinUsr
   Caption = "Import Windows Users"
   BorderStyle = 3
   MinButton = False
   MaxButton = False
   KeyPreview = True
   StartUpPosition = 1
   ClientWidth = 10680
   ClientHeight = 6660
   Font = Font("Tahoma", 8.25)
   Begin VB.Label lblDomain
      Caption = "Domain / Workgroup:"
      Left = 120
      Top = 165
      Width = 1680
      Height = 225
      BackStyle = 0
   End
   Begin XtremeSuiteControls.ComboBox cboDomains
      Left = 1860
      Top = 120
      Width = 2760
      Height = 315
      Style = 2
      TabIndex = 0
   End
   Begin XtremeSuiteControls.TabControl tabInf(0)
      Left = 120
      Top = 540
      Width = 4560
      Height = 5400
      TabIndex = 1
      Begin XtremeSuiteControls.TabControlPage pgUsr(0)
         Caption = "Windows Users"
         Begin XtremeReportControl.ReportControl rctUsr(0)
            Left = 120
            Top = 150
            Width = 4320
            Height = 4170
            TabIndex = 2
         End
         Begin VB.Label lblFilter
            Caption = "Filter:"
            Left = 120
            Top = 4470
            Width = 600
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtFilter
            Left = 780
            Top = 4425
            Width = 3660
            Height = 315
            TabIndex = 3
         End
      End
      Begin XtremeSuiteControls.TabControlPage pgDet(0)
         Caption = "Details"
         Begin VB.Label lblDetail(0)
            Caption = "Username:"
            Left = 120
            Top = 195
            Width = 1200
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtUsr(0)
            Left = 1380
            Top = 150
            Width = 3060
            Height = 315
            TabIndex = 4
            Locked = True
         End
         Begin VB.Label lblDetail(1)
            Caption = "Description:"
            Left = 120
            Top = 585
            Width = 1200
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtInfo(0)
            Left = 1380
            Top = 540
            Width = 3060
            Height = 315
            TabIndex = 5
            Locked = True
         End
         Begin VB.Label lblDetail(2)
            Caption = "User Profile:"
            Left = 120
            Top = 975
            Width = 1200
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtProfil(0)
            Left = 1380
            Top = 930
            Width = 3060
            Height = 315
            TabIndex = 6
            Locked = True
         End
         Begin VB.Label lblDetail(3)
            Caption = "Login Script:"
            Left = 120
            Top = 1365
            Width = 1200
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtLScrpt(0)
            Left = 1380
            Top = 1320
            Width = 3060
            Height = 315
            TabIndex = 7
            Locked = True
         End
         Begin VB.Label lblDetail(4)
            Caption = "Home Folder:"
            Left = 120
            Top = 1755
            Width = 1200
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtHome(0)
            Left = 1380
            Top = 1710
            Width = 3060
            Height = 315
            TabIndex = 8
            Locked = True
         End
         Begin VB.Label lblGrpHead(0)
            Caption = "       Member of the following Windows Groups: "
            Left = 120
            Top = 2190
            Width = 4320
            Height = 225
            BackStyle = 0
         End
         Begin VB.Image imgGrp(0)
            Left = 150
            Top = 2175
            Width = 240
            Height = 240
         End
         Begin VB.ListBox lstGrp(0)
            Left = 120
            Top = 2460
            Width = 4320
            Height = 2310
            TabIndex = 9
         End
      End
   End
   Begin XtremeSuiteControls.PushButton cmdMove(0)
      Caption = "&>>"
      Left = 4800
      Top = 2280
      Width = 900
      Height = 375
      TabIndex = 10
   End
   Begin XtremeSuiteControls.PushButton cmdMove(1)
      Caption = "&<<"
      Left = 4800
      Top = 2760
      Width = 900
      Height = 375
      TabIndex = 11
   End
   Begin XtremeSuiteControls.PushButton cmdMove(2)
      Caption = "Reload"
      Left = 4800
      Top = 3600
      Width = 900
      Height = 375
      TabIndex = 12
   End
   Begin XtremeSuiteControls.TabControl tabInf(1)
      Left = 5820
      Top = 540
      Width = 4740
      Height = 5400
      TabIndex = 13
      Begin XtremeSuiteControls.TabControlPage pgUsr(1)
         Caption = "Reserved Users"
         Image = 9
         Begin XtremeReportControl.ReportControl rctUsr(1)
            Left = 120
            Top = 150
            Width = 4320
            Height = 4590
            TabIndex = 20
         End
      End
      Begin XtremeSuiteControls.TabControlPage pgDet(1)
         Caption = "Details"
         Begin VB.Label lblDetail(5)
            Caption = "Username:"
            Left = 120
            Top = 195
            Width = 1200
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtUsr(1)
            Left = 1380
            Top = 150
            Width = 3060
            Height = 315
            TabIndex = 21
            Locked = True
         End
         Begin VB.Label lblDetail(6)
            Caption = "Description:"
            Left = 120
            Top = 585
            Width = 1200
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtInfo(1)
            Left = 1380
            Top = 540
            Width = 3060
            Height = 315
            TabIndex = 22
            Locked = True
         End
         Begin VB.Label lblDetail(7)
            Caption = "User Profile:"
            Left = 120
            Top = 975
            Width = 1200
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtProfil(1)
            Left = 1380
            Top = 930
            Width = 3060
            Height = 315
            TabIndex = 23
            Locked = True
         End
         Begin VB.Label lblDetail(8)
            Caption = "Login Script:"
            Left = 120
            Top = 1365
            Width = 1200
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtLScrpt(1)
            Left = 1380
            Top = 1320
            Width = 3060
            Height = 315
            TabIndex = 24
            Locked = True
         End
         Begin VB.Label lblDetail(9)
            Caption = "Home Folder:"
            Left = 120
            Top = 1755
            Width = 1200
            Height = 225
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtHome(1)
            Left = 1380
            Top = 1710
            Width = 3060
            Height = 315
            TabIndex = 25
            Locked = True
         End
         Begin VB.Label lblGrpHead(1)
            Caption = "       Member of the following Windows Groups: "
            Left = 120
            Top = 2190
            Width = 4320
            Height = 225
            BackStyle = 0
         End
         Begin VB.Image imgGrp(1)
            Left = 150
            Top = 2175
            Width = 240
            Height = 240
         End
         Begin VB.ListBox lstGrp(1)
            Left = 120
            Top = 2460
            Width = 4320
            Height = 2310
            TabIndex = 26
         End
      End
      Begin XtremeSuiteControls.TabControlPage pgGrp
         Caption = "Assigned to Group"
         Image = 0
         Begin XtremeReportControl.ReportControl rctGrp(0)
            Left = 120
            Top = 150
            Width = 1920
            Height = 4590
            TabIndex = 30
         End
         Begin XtremeSuiteControls.PushButton cmdMoveGrp(0)
            Left = 2100
            Top = 1800
            Width = 420
            Height = 375
            TabIndex = 31
            Caption = ">"
         End
         Begin XtremeSuiteControls.PushButton cmdMoveGrp(1)
            Left = 2100
            Top = 2280
            Width = 420
            Height = 375
            TabIndex = 32
            Caption = "<"
         End
         Begin XtremeReportControl.ReportControl rctGrp(1)
            Left = 2580
            Top = 150
            Width = 1860
            Height = 4590
            TabIndex = 33
         End
      End
   End
   Begin XtremeSuiteControls.PushButton cmdAction(2)
      Caption = "Help"
      Left = 120
      Top = 6120
      Width = 1245
      Height = 375
      TabIndex = 40
   End
   Begin XtremeSuiteControls.PushButton cmdAction(0)
      Caption = "&Import Reserved Users..."
      Left = 6795
      Top = 6120
      Width = 2385
      Height = 375
      TabIndex = 41
      Enabled = False
   End
   Begin XtremeSuiteControls.PushButton cmdAction(1)
      Caption = "Cancel"
      Left = 9315
      Top = 6120
      Width = 1245
      Height = 375
      TabIndex = 42
      Cancel = True
   End
   Begin XtremeSuiteControls.PushButton cmdTestuser
      Caption = "Create Test User"
      Left = 1500
      Top = 6120
      Width = 1800
      Height = 375
      TabIndex = 43
      Visible = False
   End
End
