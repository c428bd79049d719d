' The configuration view: the tree of the configuration's parts at the
' left of the splitter; at the right the caption band fraTop over the pages
' of tabTab (its tabs hidden: the tree chooses the page). The splitter's
' second pane holds no control; Form_Resize and the splitter's Resized
' place the band and the pages in it (above the splitter, which comes
' last). Each page's information panel holds
' the page's controls.
Begin Form frmKonfig
   Caption = "Configuration"
   ClientWidth = 12600
   ClientHeight = 7200
   KeyPreview = True
   HelpContextID = 1030
   Font = Font("Tahoma", 8.25)
   Begin MSComctlLib.ImageListCtrl imgTree
   End
   Begin Kvctl2.KVXFrame fraTop
      Caption = "Configuration"
      Left = 2940
      Top = 0
      Width = 9660
      Height = 420
      CaptionHeight = 6
   End
   Begin ActiveTabs.SSActiveTabs tabTab
      Left = 2940
      Top = 420
      Width = 9660
      Height = 6780
      ShowTabs = False
      TabIndex = 1
      Begin ActiveTabs.SSActiveTabPanel pnl(1)
         Caption = "Configuration"
         Begin Kvctl2.KVXFrame fraHead
            Caption = "Configuration"
            Left = 240
            Top = 240
            Width = 6000
            Height = 1500
            Begin VB.Label lblHead
               Caption = "Please make the left tree menu, your selection!"
               Left = 240
               Top = 600
               Width = 5400
               Height = 495
               WordWrap = True
               BackStyle = 0
            End
         End
      End
      Begin ActiveTabs.SSActiveTabPanel pnl(2)
         Caption = "Clients"
         Begin XtremeSuiteControls.CheckBox chkAutoReg
            Caption = "Allow automatic user registration at initial login."
            BackColor = &HE2FFFF
            Left = 660
            Top = 1500
            Width = 7200
            Height = 300
            TabIndex = 2
         End
         Begin Kvctl2.KVXInfoPanel pnlInf(0)
            Caption = "New users"
            Text = "A Windows user who starts Quorvelle for the first time can get a user record of his own, made from the default user. Otherwise the administrator adds every user."
            Left = 240
            Top = 240
            Width = 8400
            Height = 1800
         End
      End
      Begin ActiveTabs.SSActiveTabPanel pnl(3)
         Caption = "SQL Server Access"
         Begin XtremeSuiteControls.RadioButton optAuth(0)
            Caption = "&Windows Authentication"
            BackColor = &HE2FFFF
            Left = 660
            Top = 1290
            Width = 4200
            Height = 270
            Value = True
            TabIndex = 3
         End
         Begin XtremeSuiteControls.RadioButton optAuth(1)
            Caption = "SQL Server &Authentication"
            BackColor = &HE2FFFF
            Left = 660
            Top = 1590
            Width = 4200
            Height = 270
            TabIndex = 4
         End
         Begin VB.Label lblUID
            Caption = "Username:"
            Left = 1020
            Top = 2040
            Width = 1320
            Height = 255
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtUID
            Left = 2400
            Top = 1995
            Width = 3000
            Height = 315
            TabIndex = 5
         End
         Begin VB.Label lblPWD
            Caption = "Password:"
            Left = 1020
            Top = 2430
            Width = 1320
            Height = 255
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtPWD
            Left = 2400
            Top = 2385
            Width = 3000
            Height = 315
            PasswordChar = "*"
            TabIndex = 6
         End
         Begin VB.Label lblPWDWdh
            Caption = "Confirm:"
            Left = 1020
            Top = 2820
            Width = 1320
            Height = 255
            BackStyle = 0
         End
         Begin XtremeSuiteControls.FlatEdit txtPWDWdh
            Left = 2400
            Top = 2775
            Width = 3000
            Height = 315
            PasswordChar = "*"
            TabIndex = 7
         End
         Begin Kvctl2.KVXInfoPanel pnlInf(3)
            Caption = "Access of the clients"
            Text = "The workstations log on to the SQL Server with these access data (written into the client configuration file). With Windows authentication each user logs on as himself."
            Left = 240
            Top = 240
            Width = 8400
            Height = 3300
         End
      End
      Begin ActiveTabs.SSActiveTabPanel pnl(4)
         Caption = "Document Archive"
         Begin VB.Label lblArch(0)
            Caption = "Local Archive Path:"
            Left = 480
            Top = 1125
            Width = 2040
            Height = 255
            BackStyle = 0
         End
         Begin VB.Label lblArchNote(0)
            Caption = "(Must be accessible from this Administration)"
            Left = 2520
            Top = 1425
            Width = 5400
            Height = 255
            BackStyle = 0
            ForeColor = &H606060
         End
         Begin XtremeSuiteControls.FlatEdit txtArchPath(0)
            Left = 2520
            Top = 1080
            Width = 5340
            Height = 315
            TabIndex = 8
         End
         Begin XtremeSuiteControls.PushButton cmdGetPfad(0)
            Caption = "..."
            Left = 7920
            Top = 1080
            Width = 435
            Height = 315
            TabIndex = 9
         End
         Begin VB.Label lblArch(1)
            Caption = "Network Archive Path:"
            Left = 480
            Top = 1785
            Width = 2040
            Height = 255
            BackStyle = 0
         End
         Begin VB.Label lblArchNote(1)
            Caption = "(Must be accessible from any workstation)"
            Left = 2520
            Top = 2085
            Width = 5400
            Height = 255
            BackStyle = 0
            ForeColor = &H606060
         End
         Begin XtremeSuiteControls.FlatEdit txtArchPath(1)
            Left = 2520
            Top = 1740
            Width = 5340
            Height = 315
            TabIndex = 10
         End
         Begin XtremeSuiteControls.PushButton cmdGetPfad(1)
            Caption = "..."
            Left = 7920
            Top = 1740
            Width = 435
            Height = 315
            TabIndex = 11
         End
         Begin VB.Label lblArchHint(0)
            Caption = "Important: Both paths MUST lead to the general destination folder. Press <F1> for more help."
            Left = 480
            Top = 2430
            Width = 7920
            Height = 255
            BackStyle = 0
         End
         Begin VB.Label lblArchHint(1)
            Caption = "*If you do not wish to archive documents, please leave these fields blank."
            Left = 480
            Top = 2670
            Width = 7920
            Height = 255
            BackStyle = 0
            ForeColor = &H606060
         End
         Begin Kvctl2.KVXInfoPanel pnlInf(1)
            Caption = "Document archive"
            Text = "The archive keeps the documents attached to memos, one folder for each Memo database."
            Left = 240
            Top = 240
            Width = 8400
            Height = 2820
         End
         Begin Kvctl2.KVXLineHover hovCheckWaiseOrdner
            Caption = "Check the archive for orphaned folders..."
            Left = 480
            Top = 4140
            Width = 5400
            Height = 300
            AutoBackColor = False
            BackColor = &HE2FFFF
            TabIndex = 12
         End
         Begin XtremeReportControl.ReportControl rctWaise
            Left = 480
            Top = 4080
            Width = 7920
            Height = 1500
            Visible = False
            TabIndex = 13
         End
         Begin XtremeSuiteControls.PushButton cmdWaiseKill
            Caption = "&Remove Old Folders"
            Left = 6360
            Top = 5670
            Width = 2040
            Height = 375
            Visible = False
            TabIndex = 14
         End
         Begin Kvctl2.KVXInfoPanel pnlInf(4)
            Caption = "Orphaned archive folders"
            Text = "Folders of Memo databases that no longer exist can be found and removed."
            Left = 240
            Top = 3180
            Width = 8400
            Height = 1500
         End
      End
      Begin ActiveTabs.SSActiveTabPanel pnl(5)
         Caption = "Product Updates"
         Begin VB.Label lblUpd(0)
            Caption = "Update Local Index:"
            Left = 480
            Top = 1305
            Width = 2040
            Height = 255
            BackStyle = 0
         End
         Begin VB.Label lblUpdNote(0)
            Caption = "(Must be accessible from this Administration)"
            Left = 2520
            Top = 1605
            Width = 5400
            Height = 255
            BackStyle = 0
            ForeColor = &H606060
         End
         Begin XtremeSuiteControls.FlatEdit txtUpdPath(0)
            Left = 2520
            Top = 1260
            Width = 5340
            Height = 315
            TabIndex = 15
         End
         Begin XtremeSuiteControls.PushButton cmdGetUpdPfad(0)
            Caption = "..."
            Left = 7920
            Top = 1260
            Width = 435
            Height = 315
            TabIndex = 16
         End
         Begin VB.Label lblUpd(1)
            Caption = "Network Update Directory:"
            Left = 480
            Top = 1965
            Width = 2040
            Height = 255
            BackStyle = 0
         End
         Begin VB.Label lblUpdNote(1)
            Caption = "(Must be accessible from any workstation)"
            Left = 2520
            Top = 2265
            Width = 5400
            Height = 255
            BackStyle = 0
            ForeColor = &H606060
         End
         Begin XtremeSuiteControls.FlatEdit txtUpdPath(1)
            Left = 2520
            Top = 1920
            Width = 5340
            Height = 315
            TabIndex = 17
         End
         Begin XtremeSuiteControls.PushButton cmdGetUpdPfad(1)
            Caption = "..."
            Left = 7920
            Top = 1920
            Width = 435
            Height = 315
            TabIndex = 18
         End
         Begin Kvctl2.KVXLineHover hovCheckUpd
            Caption = "Checking for online updates now..."
            Left = 2520
            Top = 2580
            Width = 5340
            Height = 300
            AutoBackColor = False
            BackColor = &HE2FFFF
            TabIndex = 19
         End
         Begin VB.Label lblUpdHint(0)
            Caption = "Important: Both paths MUST lead to the general destination folder. Press <F1> for more help."
            Left = 480
            Top = 3000
            Width = 7920
            Height = 255
            BackStyle = 0
         End
         Begin VB.Label lblUpdHint(1)
            Caption = "*If you do not wish an automatic update distribution, please leave these fields blank."
            Left = 480
            Top = 3240
            Width = 7920
            Height = 255
            BackStyle = 0
            ForeColor = &H606060
         End
         Begin Kvctl2.KVXInfoPanel pnlInf(2)
            Caption = "Product updates"
            Text = "The update assistant copies each update into the update folder, from where the workstations take it when they start."
            Left = 240
            Top = 240
            Width = 8400
            Height = 3390
         End
      End
      Begin ActiveTabs.SSActiveTabPanel pnl(6)
         Caption = "Client Configuration File"
         Begin VB.Label lblMakeInfo
            Caption = "The client configuration file QVClient.cfg tells the workstations how to reach the master database. Create it here and copy it into the installation folder of every client."
            Left = 360
            Top = 300
            Width = 8280
            Height = 435
            WordWrap = True
            BackStyle = 0
         End
         Begin Kvctl2.KVXLineHover hovMakeL
            Caption = "Create Client Configuration File"
            Left = 360
            Top = 900
            Width = 4680
            Height = 300
            AutoBackColor = False
            BackColor = &H8000000F
            TabIndex = 20
         End
         Begin VB.Label lblKonfigInfo
            Caption = "Users log on with the following access data:\r\n     Server: @S\r\n     Login: @L\r\n     Password: @K\r\n     Connection type: \"@V\"\r\n     *Please copy the configuration file into the installation directory of all clients (workstations)."
            Left = 600
            Top = 1860
            Width = 7800
            Height = 1500
            WordWrap = True
            BackStyle = 0
            Visible = False
         End
         Begin Kvctl2.KVXInfoPanel infKonfig
            Caption = "The client configuration file was created successfully."
            Text = ""
            Left = 360
            Top = 1440
            Width = 8280
            Height = 2100
            Visible = False
         End
      End
   End
   Begin SSSplitter.SSSplitter splTap
      Left = 0
      Top = 0
      Width = 12600
      Height = 7200
      SplitterPosition = 3300
      Pane1Name = "Tree"
      Pane1Control = "treDB"
      Pane2Name = "Pages"
      Begin SSActiveTreeView.SSTree treDB
         TabIndex = 0
      End
   End
End
