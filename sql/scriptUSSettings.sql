/* Erste Zeilen der Hauptdatenbank: Konfiguration (Build 203), der
   Vorgabebenutzer, die Gruppe "General" und seine Mitgliedschaft. Ein
   einziger Block: die Datenbankschicht fuehrt die beiden USE selbst aus,
   die Einfuegungen dazwischen laufen als eine Einheit und schliessen die
   Transaktion ab, die scriptMakeHauptDB mit den Tabellen begonnen hat. */
USE QVault;
INSERT INTO dbo.Konfig (UsersAutoReg, PassProt, ArchLocPath, ArchNetPath, UpdLocPath, UpdNetPath, Build)
  VALUES (true, '-', '', '', '', '', 203);
INSERT INTO dbo.Benutzer (ID, WinUsr, Fullname, BInf, Setting, ViewMode, TextWrap, PageSize, PageSizeCode,
                          PageSizeGrd, TableGrid, SuchOption, PLT, Aktiv, Admin)
  VALUES ('{00000001-0000-0000-0000-000000000000}', '!DEFAULT', '<Template>', 'Default Setting for new users',
          '3345', 3, 3, '1134|1418|1418|1418|12240|15840', '1000|1000|1000|1000|0|0|0',
          '1418|1134|1134|1418|1|0|0|0', true, 0, 0, false, true);
INSERT INTO dbo.Gruppen (ID, Bez) VALUES ('{00000001-0000-0000-0000-000000000000}', 'General');
INSERT INTO dbo.Benutzer_Gruppen (UserID, GrpID)
  VALUES ('{00000001-0000-0000-0000-000000000000}', '{00000001-0000-0000-0000-000000000000}');
COMMIT;
USE master;
