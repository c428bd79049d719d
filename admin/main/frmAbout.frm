' The about box: a borderless box with the product's logo and name, the
' program's version, and a link that closes it. It is dragged by any
' place that is not the link.
Begin Form frmAbout
   Caption = "About Quorvelle Administration"
   BorderStyle = 0
   ControlBox = False
   MinButton = False
   MaxButton = False
   KeyPreview = True
   StartUpPosition = 1
   ClientWidth = 7800
   ClientHeight = 3300
   Font = Font("Tahoma", 8.25)
   Begin Kvctl2.KVXPane panBack
      Left = 0
      Top = 0
      Width = 7800
      Height = 3300
      BackColor = &HFFFFFF
      BorderStyle = 1
      Begin VB.Image imgLogo
         Left = 300
         Top = 300
         Width = 7200
         Height = 780
      End
      Begin VB.Label lblVersion
         Left = 1245
         Top = 1290
         Width = 6000
         Height = 255
         BackStyle = 0
         Font = Font("Tahoma", 8.25, True)
      End
      Begin VB.Label lblInfo
         Caption = "The administration program of Quorvelle Professional: the master database, its users, user groups and Memo databases, the configuration of the clients and their updates."
         Left = 1245
         Top = 1650
         Width = 6000
         Height = 660
         WordWrap = True
         BackStyle = 0
      End
      Begin VB.Label lblCopyright
         Caption = "Copyright © Kelvaro. All rights reserved."
         Left = 1245
         Top = 2490
         Width = 4800
         Height = 255
         BackStyle = 0
         ForeColor = &H606060
      End
      Begin Kvctl2.KVXLineHover hovClose
         Caption = "Close"
         Left = 6300
         Top = 2790
         Width = 1200
         Height = 300
         AutoBackColor = False
         BackColor = &HFFFFFF
         TabIndex = 0
      End
   End
End
