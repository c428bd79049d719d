' The start page: the head with the product's logo, a welcome text, and
' the frame of links to the administration's views and dialogs. The links
' are switched on after a connect to a master database of the current
' build; Form_Resize keeps the frame of links towards the bottom right.
Begin Form frmStart
   Caption = "Start Page"
   ClientWidth = 12600
   ClientHeight = 7200
   BackColor = &HFFFFFF
   KeyPreview = True
   HelpContextID = 1010
   Font = Font("Tahoma", 8.25)
   Begin Kvctl2.KVXPane fraHead
      Left = 0
      Top = 0
      Width = 12600
      Height = 1140
      BackColor = &HFFFFFF
      BackColor2 = &HE0D6C5
      Gradient = True
      BorderStyle = 0
      Begin VB.Image imgLogoEN
         Left = 240
         Top = 180
         Width = 7200
         Height = 780
      End
      Begin VB.Image imgLogo
         Left = 240
         Top = 180
         Width = 7200
         Height = 780
         Visible = False
      End
   End
   Begin Kvctl2.KVXInfoPanelLight panProfTxt
      Left = 240
      Top = 1860
      Width = 4140
      Height = 1500
      WordWrap = True
      Text = "Welcome to the Quorvelle administration. Here you manage the users, user groups and Memo databases of your installation."
   End
   Begin Kvctl2.KVXFrame fraStart
      Caption = "Administration"
      Left = 4620
      Top = 1860
      Width = 7500
      Height = 4200
      Begin VB.Label lblGroup(0)
         Caption = "Memo Databases"
         Left = 300
         Top = 480
         Width = 6600
         Height = 255
         BackStyle = 0
         Font = Font("Tahoma", 8.25, True)
      End
      Begin Kvctl2.KVXLineHover hovDB(0)
         Caption = "Create a new Memo database"
         Left = 480
         Top = 810
         Width = 6600
         Height = 300
         AutoBackColor = False
         BackColor = &HFFFFFF
         TabIndex = 1
      End
      Begin Kvctl2.KVXLineHover hovDB(1)
         Caption = "Manage the Memo databases"
         Left = 480
         Top = 1170
         Width = 6600
         Height = 300
         AutoBackColor = False
         BackColor = &HFFFFFF
         TabIndex = 2
      End
      Begin VB.Label lblGroup(1)
         Caption = "Users and Configuration"
         Left = 300
         Top = 1680
         Width = 6600
         Height = 255
         BackStyle = 0
         Font = Font("Tahoma", 8.25, True)
      End
      Begin Kvctl2.KVXLineHover hovVerwalt(0)
         Caption = "Import Windows users"
         Left = 480
         Top = 2010
         Width = 6600
         Height = 300
         AutoBackColor = False
         BackColor = &HFFFFFF
         TabIndex = 3
      End
      Begin Kvctl2.KVXLineHover hovVerwalt(1)
         Caption = "Manage users and user groups"
         Left = 480
         Top = 2370
         Width = 6600
         Height = 300
         AutoBackColor = False
         BackColor = &HFFFFFF
         TabIndex = 4
      End
      Begin Kvctl2.KVXLineHover hovVerwalt(2)
         Caption = "Configuration"
         Left = 480
         Top = 2730
         Width = 6600
         Height = 300
         AutoBackColor = False
         BackColor = &HFFFFFF
         TabIndex = 5
      End
      Begin VB.Label lblGroup(2)
         Caption = "Resources"
         Left = 300
         Top = 3240
         Width = 6600
         Height = 255
         BackStyle = 0
         Font = Font("Tahoma", 8.25, True)
      End
      Begin Kvctl2.KVXLineHover hovRessource
         Caption = "Kelvaro on the Web"
         Left = 480
         Top = 3570
         Width = 6600
         Height = 300
         AutoBackColor = False
         BackColor = &HFFFFFF
         TabIndex = 6
      End
   End
End
