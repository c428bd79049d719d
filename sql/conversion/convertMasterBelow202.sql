/* Master database from builds before 202: per-user settings of the Memo
   databases and the memo markers, laid out as a new master database has
   them. One statement a batch, each safe to run again. */
CREATE TABLE IF NOT EXISTS dbo.DBList_Benutzer_Konfig (
  DBListID integer NOT NULL,
  UsrID uuid NOT NULL,
  Prop citext NOT NULL CHECK (char_length(Prop) <= 90),
  Wert citext NOT NULL CHECK (char_length(Wert) <= 255),
  CONSTRAINT PKDBLstBenKonf PRIMARY KEY (DBListID, UsrID, Prop),
  CONSTRAINT FK_DBBenKonf_DBLst FOREIGN KEY (DBListID) REFERENCES dbo.DBList (ID) ON DELETE CASCADE,
  CONSTRAINT FK_DBBenKonf_Benutzer FOREIGN KEY (UsrID) REFERENCES dbo.Benutzer (ID) ON DELETE CASCADE
);
GO
CREATE TABLE IF NOT EXISTS dbo.BMPng (
  MemoID uuid NOT NULL,
  DBListID integer NOT NULL,
  UsrID uuid NULL,
  Png smallint NULL DEFAULT 0 CHECK (Png BETWEEN 0 AND 255),
  CONSTRAINT PKBMPng PRIMARY KEY (MemoID),
  CONSTRAINT FK_BMPng_DBList FOREIGN KEY (DBListID) REFERENCES dbo.DBList (ID) ON DELETE CASCADE
);
GO
CREATE INDEX IF NOT EXISTS ixUsrID ON dbo.BMPng (UsrID);
