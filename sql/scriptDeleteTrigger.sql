/* Loeschtrigger T_DBList_DTrig auf DBList: entfernt zu jeder geloeschten
   Zeile die Tabellen ihrer Memo-Datenbank, die Haupttabelle zuletzt.
   Fehlt eine Tabelle der Familie schon, wird sie uebergangen. */
USE QVault;
GO
BEGIN;
GO
DROP TRIGGER IF EXISTS T_DBList_DTrig ON dbo.DBList;
GO
CREATE OR REPLACE FUNCTION dbo.T_DBList_DTrig() RETURNS trigger
  language plpgsql SET search_path = dbo, public AS $fn$
declare
  n varchar(40) := OLD.ID::text;
  suffix text;
begin
  foreach suffix in array array['_Texte', '_Raw', '_Links', '_Fav', '_ArchHis', '_ArchRaw', '_Arch',
                                '_Rechte', '_Verfall', '_Com', '_Keywords', '_KWList', ''] loop
    execute format('drop table if exists dbo.Memos%1$s%2$s', n, suffix);
  end loop;
  return null;
end
$fn$;
CREATE TRIGGER T_DBList_DTrig AFTER DELETE ON dbo.DBList FOR EACH ROW EXECUTE FUNCTION dbo.T_DBList_DTrig();
GO
COMMIT;
GO
USE MASTER;
