' The Memo database view: the tree of the two kinds of Memo databases on
' the left; on the right the caption frame over the tab area whose second
' page holds the database list with its info line.
Begin Form frmDBPflege
   Caption = "Memo Database Maintenance"
   ClientWidth = 11400
   ClientHeight = 6600
   KeyPreview = True
   Font = Font("Tahoma", 8.25)
   Begin Kvctl2.KVXFrame fraTop
      Left = 2790
      Top = 0
      Width = 8610
      Height = 480
      CaptionHeight = 7
   End
   Begin SSSplitter.SSSplitter splTap
      Left = 0
      Top = 0
      Width = 11400
      Height = 6600
      SplitterPosition = 3150
      Pane1Name = "Tree"
      Pane1Control = "treDB"
      Pane2Name = "Details"
      Pane2Control = "tabTab"
      Begin SSActiveTreeView.SSTree treDB
         TabIndex = 0
      End
      Begin ActiveTabs.SSActiveTabs tabTab
         ShowTabs = False
         TabIndex = 1
         Begin ActiveTabs.SSActiveTabPanel pnlLeer
            Caption = "Start"
         End
         Begin ActiveTabs.SSActiveTabPanel pnl(0)
            Caption = "Databases"
            Begin XtremeReportControl.ReportControl rctDB
               Left = 0
               Top = 525
               Width = 8610
               Height = 5745
               TabIndex = 2
            End
            Begin VB.Label lblDBInfo
               Left = 60
               Top = 6345
               Width = 8550
               Height = 225
               BackStyle = 0
               ForeColor = &H404040
            End
            Begin VB.Shape shp(0)
               Left = -15
               Top = 6270
               Width = 8640
               Height = 330
               BackStyle = 1
               BackColor = &HF0F0F0
               BorderColor = &HC0C0C0
            End
         End
         Begin ActiveTabs.SSActiveTabPanel pnl(1)
            Caption = "Other"
            Begin XtremeReportControl.ReportControl rctGrp
               Left = 0
               Top = 525
               Width = 8610
               Height = 5745
               TabIndex = 3
            End
            Begin VB.Label lblXInfo
               Left = 60
               Top = 6345
               Width = 8550
               Height = 225
               BackStyle = 0
               ForeColor = &H404040
            End
            Begin VB.Shape shp(1)
               Left = -15
               Top = 6270
               Width = 8640
               Height = 330
               BackStyle = 1
               BackColor = &HF0F0F0
               BorderColor = &HC0C0C0
            End
         End
      End
   End
End
