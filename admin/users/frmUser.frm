' The user and group view: the tree of lists on the left; on the right the
' caption frame over the tab area whose pages hold the user list and the
' group list with their info lines.
Begin Form frmUser
   Caption = "User Administration"
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
            Caption = "Users"
            Begin XtremeReportControl.ReportControl rctUser
               Left = 0
               Top = 525
               Width = 8610
               Height = 5745
               TabIndex = 2
            End
            Begin VB.Label lblUserInfo
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
            Caption = "Groups"
            Begin XtremeReportControl.ReportControl rctGrp
               Left = 0
               Top = 525
               Width = 8610
               Height = 5745
               TabIndex = 3
            End
            Begin VB.Label lblGrpInfo
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
