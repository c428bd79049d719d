/* Master database of any older build: the guard of the Memo database
   numbers, as a new master database has it. The number of a Memo database
   names its tables and never changes: every change of DBList.ID is
   refused. Safe to run again. */
CREATE OR REPLACE FUNCTION dbo.T_DBList_UTrig() RETURNS trigger
  language plpgsql AS $fn$
begin
  if NEW.ID is distinct from OLD.ID then
    raise exception using errcode = '428C9',
      message = 'Cannot update identity column ''ID'' of table ''DBList'': the number of a Memo database never changes.';
  end if;
  return NEW;
end
$fn$;
DROP TRIGGER IF EXISTS T_DBList_UTrig ON dbo.DBList;
CREATE TRIGGER T_DBList_UTrig BEFORE UPDATE OF ID ON dbo.DBList
  FOR EACH ROW EXECUTE FUNCTION dbo.T_DBList_UTrig();
