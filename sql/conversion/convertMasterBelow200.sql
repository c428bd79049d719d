/* Master database from builds before 200: ErwSuche gives way to
   PageSizeGrd. One statement a batch, each safe to run again, so that the
   conversion can ignore a failing batch and go on. Runs on QVault. */
ALTER TABLE dbo.Benutzer ALTER COLUMN ErwSuche DROP DEFAULT;
GO
ALTER TABLE dbo.Benutzer ADD COLUMN IF NOT EXISTS PageSizeGrd citext CHECK (char_length(PageSizeGrd) <= 250);
GO
ALTER TABLE dbo.Benutzer DROP COLUMN IF EXISTS ErwSuche;
GO
UPDATE dbo.Benutzer SET PageSizeGrd = '1418|1134|1134|1418|1|0|0|0';
