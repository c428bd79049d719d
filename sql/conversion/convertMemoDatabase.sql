/* Brings the tables of Memo database @DBListID@ to the current layout.
   Each step runs only where its table or column is missing; the whole
   script is one block and so one transaction: it changes all or nothing.
   The raw texts move from Memos n_Texte to Memos n_Raw, and the old column
   is dropped only when every text it holds has arrived there. Runs on
   QVault before the triggers of DBList are reinstalled; the conversion
   then runs scriptInsertTriggerMemos with the same number. */
DO $conv$
declare
  n constant text := '@DBListID@';
  texts_lost boolean;
begin
  set local search_path = dbo, public;
  if to_regclass('dbo.memos' || n) is null then
    raise exception 'Memo database % has no main table', n;
  end if;

  if not exists (select 1 from information_schema.columns
                 where table_schema = 'dbo' and table_name = 'memos' || n and column_name = 'tag') then
    execute format('alter table Memos%1$s add Tag smallint', n);
  end if;
  execute format('create index if not exists ixTag%1$s on Memos%1$s (Tag)', n);

  if not exists (select 1 from information_schema.columns
                 where table_schema = 'dbo' and table_name = 'memos' || n and column_name = 'firstedit') then
    execute format('alter table Memos%1$s add FirstEdit timestamp default now(), add FirstUsr uuid', n);
    execute format('update Memos%1$s set FirstEdit = LastEdit, FirstUsr = LastUsr', n);
    /* white was the old "no colour" */
    execute format('update Memos%1$s set Clr = null where Clr = 16777215', n);
  end if;
  execute format('create index if not exists ixFUsr%1$s on Memos%1$s (FirstUsr)', n);

  execute format('create table if not exists Memos%1$s_Raw ('
    'MemoID uuid primary key references Memos%1$s (ID) on delete cascade on update cascade, '
    'Raw citext null, '
    'timst bigint null)', n);
  execute format('create or replace trigger T_Timst before insert or update on Memos%1$s_Raw '
    'for each row execute function SetTimst()', n);
  if exists (select 1 from information_schema.columns
             where table_schema = 'dbo' and table_name = 'memos' || n || '_texte' and column_name = 'raw') then
    execute format('insert into Memos%1$s_Raw as r (MemoID, Raw) select MemoID, Raw from Memos%1$s_Texte '
      'on conflict (MemoID) do update set Raw = excluded.Raw where r.Raw is null', n);
    execute format('select exists (select 1 from Memos%1$s_Texte t left join Memos%1$s_Raw r using (MemoID) '
      'where t.Raw is not null and r.Raw::text is distinct from t.Raw::text)', n) into texts_lost;
    if texts_lost then
      raise exception 'Memo database %: raw texts differ between Memos%_Texte and Memos%_Raw', n, n, n;
    end if;
    execute format('alter table Memos%1$s_Texte drop column Raw', n);
  end if;

  execute format('alter table Memos%1$s add column if not exists Del uuid', n);
  execute format('create index if not exists ixDel%1$s on Memos%1$s (Del)', n);
  execute format('alter table Memos%1$s add column if not exists MPW citext check (char_length(MPW) <= 60)', n);

  execute format('create table if not exists Memos%1$s_Verfall ('
    'MemoID uuid not null primary key, '
    'UserID uuid not null, '
    'Stamp timestamp(0) not null default now(), '
    'Verfall integer not null, '
    'Aktion smallint not null, '
    'VInf citext null check (char_length(VInf) <= 255), '
    'foreign key (UserID) references Benutzer (ID) on delete cascade, '
    'foreign key (MemoID) references Memos%1$s (ID) on delete cascade)', n);
  execute format('create index if not exists IX_VerfVerf%1$s on Memos%1$s_Verfall (Verfall)', n);

  execute format('create table if not exists Memos%1$s_Rechte ('
    'ID uuid not null default gen_random_uuid() primary key, '
    'MemoID uuid not null references Memos%1$s (ID) on delete cascade on update cascade, '
    'GrpID uuid references Gruppen (ID) on delete cascade on update cascade, '
    'UserID uuid references Benutzer (ID) on delete cascade on update cascade, '
    'rEdit boolean not null default false, '
    'rRead boolean not null default false, '
    'rDel boolean not null default false, '
    'rExp boolean not null default false, '
    'rChg boolean not null default false)', n);
  execute format('create index if not exists IX_RechtMemo%1$s on Memos%1$s_Rechte (MemoID)', n);
  execute format('create index if not exists IX_RechtUser%1$s on Memos%1$s_Rechte (UserID)', n);
  execute format('create index if not exists IX_RechtGrp%1$s on Memos%1$s_Rechte (GrpID)', n);

  execute format('create table if not exists Memos%1$s_ArchRaw ('
    'ArchID uuid primary key references Memos%1$s_Arch (ID) on delete cascade on update cascade, '
    'ARaw citext null)', n);

  execute format('create table if not exists Memos%1$s_Com ('
    'ID uuid not null, '
    'MemoID uuid not null, '
    'CInf citext not null check (char_length(CInf) <= 255), '
    'FirstEdit timestamp default now(), '
    'FirstUsr uuid, '
    'LastEdit timestamp default now(), '
    'LastUsr uuid, '
    'constraint PKMemos%1$sCom primary key (ID), '
    'foreign key (MemoID) references Memos%1$s (ID) on delete cascade)', n);
  execute format('create index if not exists ixFirstUsr%1$s on Memos%1$s_Com (FirstUsr)', n);
  execute format('create index if not exists ixLastUsr%1$s on Memos%1$s_Com (LastUsr)', n);
  execute format('create index if not exists ixMemoID%1$s on Memos%1$s_Com (MemoID)', n);

  execute format('create table if not exists Memos%1$s_KWList ('
    'ID uuid not null, '
    'Bez citext not null check (char_length(Bez) <= 255), '
    'constraint PKMemos%1$sKWList primary key (ID))', n);
  execute format('create unique index if not exists ixBez%1$s on Memos%1$s_KWList (Bez) nulls not distinct', n);

  execute format('create table if not exists Memos%1$s_Keywords ('
    'MemoID uuid not null, '
    'KeyID uuid not null, '
    'constraint PKMemos%1$sKeywords primary key (MemoID, KeyID), '
    'foreign key (MemoID) references Memos%1$s (ID) on delete cascade, '
    'foreign key (KeyID) references Memos%1$s_KWList (ID) on delete cascade)', n);

  execute format('alter table Memos%1$s add column if not exists KInf citext check (char_length(KInf) <= 255)', n);
  execute format('alter table Memos%1$s_Rechte alter column ID set default gen_random_uuid()', n);
end
$conv$;
