/* Einfuegetrigger T_DBList_ITrig auf DBList: legt zu jeder neuen Zeile
   die Tabellenfamilie der Memo-Datenbank an (Memos n und die Tabellen mit
   Endung), fuegt die Wurzel des Memo-Baums ein und setzt die beiden
   Trigger der Haupttabelle. Dazu der Waechter T_DBList_UTrig der
   Datenbanknummern. Namen ohne Anfuehrungszeichen, daher ohne
   Beachtung der Schreibweise; Indexnamen tragen die Datenbanknummer. */
USE QVault;
GO
BEGIN;
GO
/* Zeilenversion (timestamp): eine Folge je Datenbank, bei jedem Einfuegen
   und Aendern neu gezogen */
CREATE SEQUENCE IF NOT EXISTS dbo.RowVersion AS bigint;
CREATE OR REPLACE FUNCTION dbo.SetTimst() RETURNS trigger
  language plpgsql AS $fn$
begin
  NEW.timst := nextval('dbo.RowVersion');
  return NEW;
end
$fn$;
GO
/* Loeschtrigger der Haupttabelle: loescht mit einer Zeile ihren ganzen
   Teilbaum (Zeilen, die ihr eigener Elternteil sind, ausgenommen) */
CREATE OR REPLACE FUNCTION dbo.T_Memos_DTrig() RETURNS trigger
  language plpgsql SET search_path = dbo, public AS $fn$
begin
  execute format(
    'delete from %1$I.%2$I where ID in ('
    '  with recursive Sub (ID) as ('
    '    select ID from %1$I.%2$I where Parent = $1 and ID <> Parent'
    '    union'
    '    select c.ID from %1$I.%2$I c join Sub on c.Parent = Sub.ID where c.ID <> c.Parent)'
    '  select ID from Sub)',
    TG_TABLE_SCHEMA, TG_TABLE_NAME) using OLD.ID;
  return null;
end
$fn$;
GO
/* Einfuegetrigger der Haupttabelle: ein neues Element erbt die Rechte
   seines Ordners */
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
DROP TRIGGER IF EXISTS T_DBList_ITrig ON dbo.DBList;
GO
CREATE OR REPLACE FUNCTION dbo.T_DBList_ITrig() RETURNS trigger
  language plpgsql SET search_path = dbo, public AS $fn$
declare
  n varchar(40) := NEW.ID::text;
begin
  execute format('create table dbo.Memos%1$s ('
    'ID uuid not null default gen_random_uuid() primary key, '
    'Parent uuid null, '
    'Pos smallint, '
    'Typ smallint not null check (Typ between 0 and 255), '
    'Titel citext not null check (char_length(Titel) <= 255), '
    'Clr integer, '
    'Tag smallint, '
    'FirstEdit timestamp default now(), '
    'FirstUsr uuid, '
    'LastEdit timestamp default now(), '
    'LastUsr uuid, '
    'Del uuid, '
    'MPW citext check (char_length(MPW) <= 60), '
    'KInf citext check (char_length(KInf) <= 255), '
    'timst bigint null)', n);
  execute format('create trigger T_Timst before insert or update on dbo.Memos%1$s '
    'for each row execute function dbo.SetTimst()', n);
  execute format('create index ixTitel%1$s on dbo.Memos%1$s (Titel)', n);
  execute format('create index ixParent%1$s on dbo.Memos%1$s (Parent)', n);
  execute format('create index ixTag%1$s on dbo.Memos%1$s (Tag)', n);
  execute format('create index ixLUsr%1$s on dbo.Memos%1$s (LastUsr)', n);
  execute format('create index ixFUsr%1$s on dbo.Memos%1$s (FirstUsr)', n);
  execute format('create index ixDel%1$s on dbo.Memos%1$s (Del)', n);

  execute format('create table dbo.Memos%1$s_Fav ('
    'MemoID uuid, '
    'OwnerID uuid, '
    'Typ smallint not null check (Typ between 0 and 255), '
    'Bez citext not null check (char_length(Bez) <= 255), '
    'timst bigint null, '
    'constraint PK%1$s primary key (MemoID, OwnerID), '
    'foreign key (MemoID) references dbo.Memos%1$s (ID) on delete cascade on update cascade)', n);
  execute format('create trigger T_Timst before insert or update on dbo.Memos%1$s_Fav '
    'for each row execute function dbo.SetTimst()', n);

  execute format('create table dbo.Memos%1$s_Links ('
    'ID uuid not null default gen_random_uuid() primary key, '
    'MemoID uuid not null references dbo.Memos%1$s (ID) on delete cascade on update cascade, '
    'Pfad citext not null check (char_length(Pfad) <= 1024), '
    'timst bigint null)', n);
  execute format('create trigger T_Timst before insert or update on dbo.Memos%1$s_Links '
    'for each row execute function dbo.SetTimst()', n);
  execute format('create index ixMM%1$s on dbo.Memos%1$s_Links (MemoID)', n);

  execute format('create table dbo.Memos%1$s_Texte ('
    'MemoID uuid primary key references dbo.Memos%1$s (ID) on delete cascade on update cascade, '
    'RTF bytea null, '
    'timst bigint null)', n);
  execute format('create trigger T_Timst before insert or update on dbo.Memos%1$s_Texte '
    'for each row execute function dbo.SetTimst()', n);

  execute format('create table dbo.Memos%1$s_Raw ('
    'MemoID uuid primary key references dbo.Memos%1$s (ID) on delete cascade on update cascade, '
    'Raw citext null, '
    'timst bigint null)', n);
  execute format('create trigger T_Timst before insert or update on dbo.Memos%1$s_Raw '
    'for each row execute function dbo.SetTimst()', n);

  execute format('create table dbo.Memos%1$s_Arch ('
    'ID uuid not null default gen_random_uuid() primary key, '
    'MemoID uuid not null references dbo.Memos%1$s (ID) on delete cascade on update cascade, '
    'Datei citext not null check (char_length(Datei) <= 255), '
    'AInf citext null check (char_length(AInf) <= 2048), '
    'CreateDate timestamp default now(), '
    'FileSize integer null)', n);
  execute format('create index ixAR%1$s on dbo.Memos%1$s_Arch (MemoID)', n);

  execute format('create table dbo.Memos%1$s_ArchHis ('
    'ID uuid not null default gen_random_uuid() primary key, '
    'ArchID uuid not null references dbo.Memos%1$s_Arch (ID) on delete cascade on update cascade, '
    'UserID uuid not null, '
    'ChkState boolean, '
    'HInf citext null check (char_length(HInf) <= 2048), '
    'Datum timestamp default now())', n);
  execute format('create index ixUH%1$s on dbo.Memos%1$s_ArchHis (UserID)', n);
  execute format('create index ixIH%1$s on dbo.Memos%1$s_ArchHis (ArchID)', n);

  execute format('create table dbo.Memos%1$s_ArchRaw ('
    'ArchID uuid primary key references dbo.Memos%1$s_Arch (ID) on delete cascade on update cascade, '
    'ARaw citext null)', n);

  execute format('create table dbo.Memos%1$s_Rechte ('
    'ID uuid not null default gen_random_uuid() primary key, '
    'MemoID uuid not null references dbo.Memos%1$s (ID) on delete cascade on update cascade, '
    'GrpID uuid references dbo.Gruppen (ID) on delete cascade on update cascade, '
    'UserID uuid references dbo.Benutzer (ID) on delete cascade on update cascade, '
    'rEdit boolean not null default false, '
    'rRead boolean not null default false, '
    'rDel boolean not null default false, '
    'rExp boolean not null default false, '
    'rChg boolean not null default false)', n);
  execute format('create index IX_RechtMemo%1$s on dbo.Memos%1$s_Rechte (MemoID)', n);
  execute format('create index IX_RechtUser%1$s on dbo.Memos%1$s_Rechte (UserID)', n);
  execute format('create index IX_RechtGrp%1$s on dbo.Memos%1$s_Rechte (GrpID)', n);

  execute format('create table dbo.Memos%1$s_Verfall ('
    'MemoID uuid not null primary key, '
    'UserID uuid not null, '
    'Stamp timestamp(0) not null default now(), '
    'Verfall integer not null, '
    'Aktion smallint not null, '
    'VInf citext null check (char_length(VInf) <= 255), '
    'foreign key (UserID) references dbo.Benutzer (ID) on delete cascade, '
    'foreign key (MemoID) references dbo.Memos%1$s (ID) on delete cascade)', n);
  execute format('create index IX_VerfVerf%1$s on dbo.Memos%1$s_Verfall (Verfall)', n);

  execute format('create table dbo.Memos%1$s_Com ('
    'ID uuid not null, '
    'MemoID uuid not null, '
    'CInf citext not null check (char_length(CInf) <= 255), '
    'FirstEdit timestamp default now(), '
    'FirstUsr uuid, '
    'LastEdit timestamp default now(), '
    'LastUsr uuid, '
    'constraint PKMemos%1$sCom primary key (ID), '
    'foreign key (MemoID) references dbo.Memos%1$s (ID) on delete cascade)', n);
  execute format('create index ixFirstUsr%1$s on dbo.Memos%1$s_Com (FirstUsr)', n);
  execute format('create index ixLastUsr%1$s on dbo.Memos%1$s_Com (LastUsr)', n);
  execute format('create index ixMemoID%1$s on dbo.Memos%1$s_Com (MemoID)', n);

  execute format('create table dbo.Memos%1$s_KWList ('
    'ID uuid not null, '
    'Bez citext not null check (char_length(Bez) <= 255), '
    'constraint PKMemos%1$sKWList primary key (ID))', n);
  execute format('create unique index ixBez%1$s on dbo.Memos%1$s_KWList (Bez) nulls not distinct', n);

  execute format('create table dbo.Memos%1$s_Keywords ('
    'MemoID uuid not null, '
    'KeyID uuid not null, '
    'constraint PKMemos%1$sKeywords primary key (MemoID, KeyID), '
    'foreign key (MemoID) references dbo.Memos%1$s (ID) on delete cascade, '
    'foreign key (KeyID) references dbo.Memos%1$s_KWList (ID) on delete cascade)', n);

  execute format('insert into dbo.Memos%1$s (ID, Pos, Typ, Titel) '
    'values (''{00000001-0000-0000-0000-000000000000}'', 0, 2, ''Memos'')', n);

  execute format('create trigger T_Memos%1$s_DTrig after delete on dbo.Memos%1$s '
    'for each row execute function dbo.T_Memos_DTrig()', n);
  execute format('create trigger T_Memos%1$s_ITrig after insert on dbo.Memos%1$s '
    'for each row execute function dbo.T_Memos_ITrig()', n);
  return null;
end
$fn$;
CREATE TRIGGER T_DBList_ITrig AFTER INSERT ON dbo.DBList FOR EACH ROW EXECUTE FUNCTION dbo.T_DBList_ITrig();
GO
/* Die Nummer einer Memo-Datenbank benennt ihre Tabellen und aendert sich
   nie: Einfuegen ohne Nummer (die Identitaet vergibt sie), jede Aenderung
   wird abgewiesen. Auch eine umgestellte Hauptdatenbank bekommt den
   Waechter, den aeltere Builds nicht hatten. */
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
GO
COMMIT;
GO
USE MASTER;
