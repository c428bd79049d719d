/* Setzt den Einfuegetrigger der Haupttabelle einer Memo-Datenbank neu
   (bei der Umstellung aelterer Datenbanken, "@DBListID@" ist die Nummer):
   ein neues Element erbt die Rechte seines Ordners. Die Funktion ist
   dieselbe wie im Einfuegetrigger von DBList. */
CREATE OR REPLACE FUNCTION dbo.T_Memos_ITrig() RETURNS trigger
  language plpgsql SET search_path = dbo, public AS $fn$
begin
  if NEW.Parent is not null then
    execute format(
      'insert into %1$I.%2$I (MemoID, GrpID, UserID, rEdit, rRead, rDel, rExp, rChg)'
      ' select $1, GrpID, UserID, rEdit, rRead, rDel, rExp, rChg from %1$I.%2$I where MemoID = $2',
      TG_TABLE_SCHEMA, TG_TABLE_NAME || '_rechte') using NEW.ID, NEW.Parent;
  end if;
  return null;
end
$fn$;
GO
DROP TRIGGER IF EXISTS T_Memos@DBListID@_ITrig ON dbo.Memos@DBListID@;
GO
CREATE TRIGGER T_Memos@DBListID@_ITrig AFTER INSERT ON dbo.Memos@DBListID@
  FOR EACH ROW EXECUTE FUNCTION dbo.T_Memos_ITrig();
GO
USE MASTER;
