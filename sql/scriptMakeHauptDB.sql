/* Hauptdatenbank QVault: Datenbank, Schema dbo und Tabellen.
   Zeichenspalten sind citext (Vergleiche ohne Beachtung der
   Schreibweise), ihre Laengen halten CHECK-Bedingungen, ebenso den
   Bereich 0 bis 255 der Ein-Byte-Spalten.
   Alles nach CREATE DATABASE laeuft in einer Transaktion, die erst das
   Skript der ersten Zeilen (scriptUSSettings) abschliesst: bricht die
   Anlage ab, bleibt eine leere Datenbank ohne Tabellen zurueck, nie eine
   halbe. */
CREATE DATABASE "QVault";
GO
USE QVault;
GO
BEGIN;
CREATE EXTENSION IF NOT EXISTS citext SCHEMA public;
CREATE SCHEMA IF NOT EXISTS dbo;
ALTER DATABASE "QVault" SET search_path = dbo, public;
SET search_path = dbo, public;
GO
/* Tabelle Konfig */
CREATE TABLE dbo.Konfig (
  PassProt citext NULL CHECK (char_length(PassProt) <= 254),
  Setting citext NULL CHECK (char_length(Setting) <= 255),
  DBID uuid NOT NULL DEFAULT gen_random_uuid(),
  UsersAutoReg boolean NOT NULL,
  ArchLocPath citext NOT NULL CHECK (char_length(ArchLocPath) <= 800),
  ArchNetPath citext NOT NULL CHECK (char_length(ArchNetPath) <= 800),
  UpdLocPath citext NOT NULL CHECK (char_length(UpdLocPath) <= 800),
  UpdNetPath citext NOT NULL CHECK (char_length(UpdNetPath) <= 800),
  WinAuth citext NULL CHECK (char_length(WinAuth) <= 255),
  Build smallint NULL
);
GO
/* Tabelle Benutzer */
CREATE TABLE dbo.Benutzer (
  ID uuid NOT NULL DEFAULT gen_random_uuid() PRIMARY KEY,
  WinUsr citext NULL CHECK (char_length(WinUsr) <= 80),
  Fullname citext NULL CHECK (char_length(Fullname) <= 80),
  Setting citext NULL CHECK (char_length(Setting) <= 255),
  BInf citext NULL CHECK (char_length(BInf) <= 255),
  ViewMode smallint NULL,
  TextWrap smallint NULL,
  PageSize citext NULL CHECK (char_length(PageSize) <= 50),
  PageSizeCode citext NULL CHECK (char_length(PageSizeCode) <= 250),
  PageSizeGrd citext NULL CHECK (char_length(PageSizeGrd) <= 250),
  TableGrid boolean NOT NULL DEFAULT false,
  SuchOption integer NULL,
  PLT integer NOT NULL,
  Aktiv boolean NOT NULL DEFAULT true,
  CanInsDB smallint NOT NULL DEFAULT 2,
  CanDelDB smallint NOT NULL DEFAULT 2,
  Admin boolean NOT NULL DEFAULT false,
  Created timestamp DEFAULT now(),
  LastDataKey uuid
);
GO
/* Index iWinUsr: ein Windows-Konto gehoert hoechstens einem Benutzer */
CREATE UNIQUE INDEX iWinUsr ON dbo.Benutzer (WinUsr) NULLS NOT DISTINCT;
GO
/* Tabelle DBList */
CREATE TABLE dbo.DBList (
  ID integer GENERATED ALWAYS AS IDENTITY (START WITH 1 INCREMENT BY 1) PRIMARY KEY,
  DBID uuid NOT NULL DEFAULT gen_random_uuid(),
  Bez citext NOT NULL CHECK (char_length(Bez) <= 900),
  MInf citext NULL CHECK (char_length(MInf) <= 255),
  OwnerID uuid,
  PWD citext DEFAULT '' CHECK (char_length(PWD) <= 254),
  Privat boolean DEFAULT false,
  Created timestamp DEFAULT now()
);
GO
/* Tabelle Gruppen */
CREATE TABLE dbo.Gruppen (
  ID uuid NOT NULL DEFAULT gen_random_uuid() PRIMARY KEY,
  Bez citext CHECK (char_length(Bez) <= 255),
  GInf citext NULL CHECK (char_length(GInf) <= 255)
);
GO
/* Tabelle Benutzer_Gruppen */
CREATE TABLE dbo.Benutzer_Gruppen (
  UserID uuid NOT NULL REFERENCES dbo.Benutzer (ID) ON DELETE CASCADE ON UPDATE CASCADE,
  GrpID uuid NOT NULL REFERENCES dbo.Gruppen (ID) ON DELETE CASCADE ON UPDATE CASCADE,
  CONSTRAINT PKBGrp PRIMARY KEY (UserID, GrpID)
);
GO
/* Tabelle DBList_Gruppen */
CREATE TABLE dbo.DBList_Gruppen (
  DBListID integer NOT NULL REFERENCES dbo.DBList (ID) ON DELETE CASCADE ON UPDATE CASCADE,
  GrpID uuid NOT NULL REFERENCES dbo.Gruppen (ID) ON DELETE CASCADE ON UPDATE CASCADE,
  CONSTRAINT PKDLst PRIMARY KEY (DBListID, GrpID)
);
GO
/* Tabelle BMPng */
CREATE TABLE dbo.BMPng (
  MemoID uuid NOT NULL,
  DBListID integer NOT NULL,
  UsrID uuid NULL,
  Png smallint NULL DEFAULT 0 CHECK (Png BETWEEN 0 AND 255),
  CONSTRAINT PKBMPng PRIMARY KEY (MemoID),
  CONSTRAINT FK_BMPng_DBList FOREIGN KEY (DBListID) REFERENCES dbo.DBList (ID) ON DELETE CASCADE
);
GO
/* Index ixUsrID */
CREATE INDEX ixUsrID ON dbo.BMPng (UsrID);
GO
/* Tabelle DBList_Benutzer_Konfig */
CREATE TABLE dbo.DBList_Benutzer_Konfig (
  DBListID integer NOT NULL,
  UsrID uuid NOT NULL,
  Prop citext NOT NULL CHECK (char_length(Prop) <= 90),
  Wert citext NOT NULL CHECK (char_length(Wert) <= 255),
  CONSTRAINT PKDBLstBenKonf PRIMARY KEY (DBListID, UsrID, Prop),
  CONSTRAINT FK_DBBenKonf_DBLst FOREIGN KEY (DBListID) REFERENCES dbo.DBList (ID) ON DELETE CASCADE,
  CONSTRAINT FK_DBBenKonf_Benutzer FOREIGN KEY (UsrID) REFERENCES dbo.Benutzer (ID) ON DELETE CASCADE
);

