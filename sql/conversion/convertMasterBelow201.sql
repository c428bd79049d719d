/* Master database from builds before 201: the users' last data key and
   code page sizes. One statement a batch, each safe to run again. */
ALTER TABLE dbo.Benutzer ADD COLUMN IF NOT EXISTS LastDataKey uuid;
GO
ALTER TABLE dbo.Benutzer ADD COLUMN IF NOT EXISTS PageSizeCode citext CHECK (char_length(PageSizeCode) <= 250);
GO
UPDATE dbo.Benutzer SET PageSizeCode = '1000|1000|1000|1000|0|0|0';
