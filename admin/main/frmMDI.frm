' The main window: the docking control with its menus, one tool bar per
' view and the status bar; the message box control; the image lists of
' the message icons, of the small pictures and of the caption icons. The
' captions below are the designed German ones; the English texts replace
' them when the window loads. The tool icons are set at load.
Begin Form frmMDI
   Caption = "Quorvelle Administration"
   ClientWidth = 12705
   ClientHeight = 8730
   KeyPreview = True
   Begin InnovaDSXP2.DockStudio Dock
      Left = 0
      Top = 0
      Width = 12705
      Height = 8730
      Begin CommandBar MenuBar
         Type = "MenuBar"
         Begin Tool mnuDatei
            Caption = "&Datei"
            Begin Tool DBConnect
               Caption = "Datenbankverbindung herstellen"
            End
            Begin Tool DBDisconnect
               Caption = "Datenbankverbindung trennen"
               Enabled = False
            End
            Begin Tool Go2Start
               Caption = "Zurück"
               ToolTipText = "Zurück zur Startseite"
               BeginGroup = True
            End
            Begin Tool ImpWinUser
               Caption = "Windows-Benutzer importieren"
               ToolTipText = "Windows-Benutzer importieren"
            End
            Begin Tool Beenden
               Caption = "&Beenden"
               Shortcut = "Alt+F4"
               BeginGroup = True
            End
         End
         Begin Tool mnuOpt
            Caption = "&Optionen"
            Begin Tool Farbstyle
               Caption = "Farbschema"
               Begin Tool Farb0
                  Caption = "Standard-Layout"
               End
               Begin Tool Farb1
                  Caption = "Klassisches Layout"
               End
               Begin Tool Farb2
                  Caption = "Office-2003-Layout"
               End
               Begin Tool Farb3
                  Caption = "Ocean-Fresh-Layout"
               End
               Begin Tool Farb7
                  Caption = "System Layout"
                  BeginGroup = True
               End
            End
            Begin Tool AutoUpdate
               Caption = "Online-Aktualisierung prüfen"
               Enabled = False
               BeginGroup = True
            End
         End
         Begin Tool mnuFenster
            Caption = "&Fenster"
            Begin Tool WindowList
               Caption = "(Liste der offenen Fenster)"
               Kind = "WindowList"
            End
         End
         Begin Tool mnuHelp
            Caption = "&?"
            Begin Tool Hilfe
               Caption = "Hilfe anzeigen"
               Shortcut = "F1"
            End
            Begin Tool Feedback
               Caption = "E-Mail an den Support..."
               Description = "Kundenfeedback..."
               BeginGroup = True
            End
            Begin Tool KelvaroOnline
               Caption = "Kelvaro im Internet"
               Description = "Kelvaro Online"
            End
            Begin Tool About
               Caption = "Über Quorvelle..."
               BeginGroup = True
            End
         End
      End
      Begin CommandBar Start
         Caption = "Start"
         Begin Tool DBConnect
         End
         Begin Tool DBDisconnect
         End
         Begin Tool AutoUpdate
            BeginGroup = True
         End
         Begin Tool Hilfe
            BeginGroup = True
         End
      End
      Begin CommandBar User
         Caption = "Benutzer"
         Visible = False
         Begin Tool Go2Start
         End
         Begin Tool AddUser
            Caption = "Benutzer hinzufügen"
            ToolTipText = "Fügt einen neuen Benutzer hinzu"
            BeginGroup = True
         End
         Begin Tool AddGrp
            Caption = "Benutzergruppe hinzufügen"
            ToolTipText = "Legt eine neue Benutzergruppe an"
         End
         Begin Tool ImpWinUser
         End
         Begin Tool Delete
            Caption = "Löschen"
            Enabled = False
            BeginGroup = True
         End
         Begin Tool Eigenschaften
            Caption = "Eigenschaften"
            Enabled = False
         End
         Begin Tool Refresh
            Caption = "Daten aktualisieren"
            BeginGroup = True
         End
         Begin Tool Hilfe
         End
      End
      Begin CommandBar DBPflege
         Caption = "Memo-Datenbanken"
         Visible = False
         Begin Tool Go2Start
         End
         Begin Tool AddDB
            Caption = "Datenbank hinzufügen"
            ToolTipText = "Legt eine leere Memo-Datenbank an"
            BeginGroup = True
         End
         Begin Tool Delete
            BeginGroup = True
         End
         Begin Tool Eigenschaften
         End
         Begin Tool Refresh
            BeginGroup = True
         End
         Begin Tool Hilfe
         End
      End
      Begin CommandBar Konfig
         Caption = "Konfiguration"
         Visible = False
         Begin Tool Go2Start
         End
         Begin Tool Save
            Caption = "Speichern"
            BeginGroup = True
         End
         Begin Tool Refresh
         End
         Begin Tool AutoUpdate
            BeginGroup = True
         End
         Begin Tool Hilfe
            BeginGroup = True
         End
      End
      Begin CommandBar StatusBar
         Type = "StatusBar"
         Begin Panel StatMsg
            Spring = True
         End
         Begin Panel StatForm
            Width = 200
         End
         Begin Panel StatCaps
            Kind = "Caps"
            Width = 44
         End
         Begin Panel StatIns
            Kind = "Ins"
            Width = 44
         End
         Begin Panel StatNum
            Kind = "Num"
            Width = 44
         End
         Begin Panel StatDate
            Kind = "Date"
            Width = 84
         End
      End
   End
   Begin Kvctl2.msg msg
   End
   Begin KvImgCtl.kvsImg imgMsg
   End
   Begin MSComctlLib.ImageListCtrl ImageList
   End
   Begin MSComctlLib.ImageListCtrl img24x24
   End
End
