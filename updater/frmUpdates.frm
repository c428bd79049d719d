' The update window: a borderless window with its header, the link menu
' on the left panel, the browser over the status area, and the buttons
' on the bottom panel. Form_Load sizes it to the header and the left
' panel and places the browser between them.
Begin Form frmUpdates
   Caption = "Online-Update"
   BorderStyle = 0
   ControlBox = False
   MinButton = False
   MaxButton = False
   KeyPreview = True
   StartUpPosition = 0
   ClientWidth = 9360
   ClientHeight = 6300
   BackColor = &HFFFFFF
   Font = Font("Tahoma", 8.25)
   Begin Kvctl2.msg msg
   End
   Begin VB.PictureBox picFileAnim
      Left = 90
      Top = 60
      Width = 1440
      Height = 600
      Visible = False
      BorderStyle = 0
      BackColor = &H783C1F
      TabStop = False
   End
   Begin VB.CommandButton cmdDoUpdate
      Caption = "Jetzt &aktualisieren"
      Left = 5160
      Top = 5790
      Width = 2085
      Height = 375
      Visible = False
      TabIndex = 8
   End
   Begin VB.CommandButton cmdClose
      Caption = "&Schließen"
      Left = 7365
      Top = 5790
      Width = 1830
      Height = 375
      Cancel = True
      TabIndex = 9
   End
   Begin VB.Label lblInfo(0)
      Caption = "Support: support@kelvaro.de"
      Left = 2760
      Top = 5760
      Width = 2280
      Height = 195
      BackStyle = 0
      ForeColor = &H606060
   End
   Begin VB.Label lblInfo(10)
      Caption = "Hilfe"
      Left = 2760
      Top = 5985
      Width = 2280
      Height = 195
      BackStyle = 0
      ForeColor = &H606060
   End
   Begin Kvctl2.KVXLineHover hovAktion(0)
      Caption = "Willkommen"
      Left = 180
      Top = 900
      Width = 2220
      Height = 300
      BackColor = &HF7EFE6
      AutoBackColor = False
      TabIndex = 1
   End
   Begin Kvctl2.KVXLineHover hovAktion(1)
      Caption = "Neuigkeiten"
      Left = 180
      Top = 1260
      Width = 2220
      Height = 300
      BackColor = &HF7EFE6
      AutoBackColor = False
      TabIndex = 2
   End
   Begin Kvctl2.KVXLineHover hovAktion(2)
      Caption = "Verfügbare Updates"
      Left = 180
      Top = 1620
      Width = 2220
      Height = 300
      BackColor = &HF7EFE6
      AutoBackColor = False
      TabIndex = 3
   End
   Begin Kvctl2.KVXLineHover hovAktion(3)
      Caption = "Fragen & Antworten"
      Left = 180
      Top = 1980
      Width = 2220
      Height = 300
      BackColor = &HF7EFE6
      AutoBackColor = False
      TabIndex = 4
   End
   Begin Kvctl2.KVXLineHover hovAktion(4)
      Caption = "Bitte beachten"
      Left = 180
      Top = 2340
      Width = 2220
      Height = 300
      BackColor = &HF7EFE6
      AutoBackColor = False
      TabIndex = 5
   End
   Begin Kvctl2.KVXLineHover hovAktion(5)
      Caption = "Techn. Support"
      Left = 180
      Top = 2700
      Width = 2220
      Height = 300
      BackColor = &HF7EFE6
      AutoBackColor = False
      TabIndex = 6
   End
   Begin Kvctl2.KVXLineHover hovAktion(6)
      Caption = "Update-Historie"
      Left = 180
      Top = 3060
      Width = 2220
      Height = 300
      BackColor = &HF7EFE6
      AutoBackColor = False
      TabIndex = 7
   End
   Begin VB.PictureBox picLogo
      Left = 300
      Top = 4560
      Width = 1980
      Height = 900
      BorderStyle = 0
      BackColor = &HF7EFE6
      TabIndex = 0
   End
   Begin VB.PictureBox picLogoUS
      Left = 300
      Top = 4560
      Width = 1980
      Height = 900
      Visible = False
      BorderStyle = 0
      BackColor = &HF7EFE6
      TabStop = False
   End
   Begin Kvctl2.KVXFrame fraHead
      Caption = "Automatisches Online-Update     "
      Left = 0
      Top = 0
      Width = 9360
      Height = 660
      CaptionHeight = 10
      CaptionStyle = 3
      CaptionAlign = 2
      TopLeftAColor = &H783C1F
      TopRightAColor = &HC07F4F
      CaptionFontColor = &HFFFFFF
      CaptionFont = Font("Tahoma", 12, True)
      BackColor = &H783C1F
   End
   Begin Kvctl2.KVXPane panInf
      Left = 0
      Top = 660
      Width = 2550
      Height = 5640
      BackColor = &HF7EFE6
   End
   Begin Kvctl2.KVXPane panBottom
      Left = 2550
      Top = 5610
      Width = 6810
      Height = 690
      BackColor = &HF7EFE6
      BorderStyle = 1
   End
   Begin SHDocVwCtl.WebBrowser brw
      Left = 2535
      Top = 630
      Width = 6870
      Height = 5010
      PageView = "Kvctl2.KVXHTML"
   End
   Begin VB.Label lblStatus
      Caption = "Bitte warten..."
      Left = 4080
      Top = 2280
      Width = 4965
      Height = 450
      BackStyle = 0
      ForeColor = &H404040
   End
   Begin VB.ListBox lstStat
      Left = 4080
      Top = 3000
      Width = 4965
      Height = 1515
      ForeColor = &H808080
      TabStop = False
   End
   Begin VB.Label lblDatei
      Caption = "Bitte warten..."
      Left = 4080
      Top = 3840
      Width = 4965
      Height = 255
      Visible = False
      BackStyle = 0
   End
   Begin Kvctl2.KVXProgress PBar
      Left = 4080
      Top = 4140
      Width = 4965
      Height = 330
      Visible = False
   End
   Begin VB.Label lblTotal_OLD
      Caption = "Gesamtfortschritt"
      Left = 4080
      Top = 4560
      Width = 4965
      Height = 255
      Visible = False
   End
   Begin Kvctl2.KVXProgress PTotal_OLD
      Left = 4080
      Top = 4860
      Width = 4965
      Height = 330
      Visible = False
   End
End
