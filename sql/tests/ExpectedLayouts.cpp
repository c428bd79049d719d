#include "ExpectedLayouts.h"

#include <algorithm>

namespace sqltest {
namespace {

const char* const kCascadeBoth = " on update cascade on delete cascade";

// Keys, indexes and triggers are compared as sorted lists.
ExpectedTable Expect(std::string name, std::vector<std::string> columns, std::vector<std::string> keys,
               std::vector<std::string> indexes = {}, std::vector<std::string> triggers = {}) {
  for (auto* list : {&keys, &indexes, &triggers}) std::sort(list->begin(), list->end());
  return {std::move(name), {std::move(columns), std::move(keys), std::move(indexes), std::move(triggers)}};
}

std::string Fk(const std::string& column, const std::string& target, const std::string& rules) {
  return "foreign key (" + column + ") references " + target + "(id)" + rules;
}

}  // namespace

std::vector<ExpectedTable> MasterTables() {
  return {
      Expect("konfig",
           {"passprot citext(254)", "setting citext(255)", "dbid uuid not null default gen_random_uuid()",
            "usersautoreg boolean not null", "archlocpath citext(800) not null", "archnetpath citext(800) not null",
            "updlocpath citext(800) not null", "updnetpath citext(800) not null", "winauth citext(255)",
            "build smallint"},
           {}),
      Expect("benutzer",
           {"id uuid not null default gen_random_uuid()", "winusr citext(80)", "fullname citext(80)",
            "setting citext(255)", "binf citext(255)", "viewmode smallint", "textwrap smallint",
            "pagesize citext(50)", "pagesizecode citext(250)", "pagesizegrd citext(250)",
            "tablegrid boolean not null default false", "suchoption integer", "plt integer not null",
            "aktiv boolean not null default true", "caninsdb smallint not null default 2",
            "candeldb smallint not null default 2", "admin boolean not null default false",
            "created timestamp default now()", "lastdatakey uuid"},
           {"primary key (id)"}, {"iwinusr unique (winusr) nulls not distinct"}),
      Expect("dblist",
           {"id integer not null identity always", "dbid uuid not null default gen_random_uuid()",
            "bez citext(900) not null", "minf citext(255)", "ownerid uuid", "pwd citext(254) default ''::citext",
            "privat boolean default false", "created timestamp default now()"},
           {"primary key (id)"}, {},
           {"t_dblist_itrig after insert t_dblist_itrig", "t_dblist_dtrig after delete t_dblist_dtrig",
            "t_dblist_utrig before update of id t_dblist_utrig"}),
      Expect("gruppen", {"id uuid not null default gen_random_uuid()", "bez citext(255)", "ginf citext(255)"},
           {"primary key (id)"}),
      Expect("benutzer_gruppen", {"userid uuid not null", "grpid uuid not null"},
           {"pkbgrp primary key (userid, grpid)", Fk("userid", "benutzer", kCascadeBoth),
            Fk("grpid", "gruppen", kCascadeBoth)}),
      Expect("dblist_gruppen", {"dblistid integer not null", "grpid uuid not null"},
           {"pkdlst primary key (dblistid, grpid)", Fk("dblistid", "dblist", kCascadeBoth),
            Fk("grpid", "gruppen", kCascadeBoth)}),
      Expect("bmpng",
           {"memoid uuid not null", "dblistid integer not null", "usrid uuid", "png smallint 0..255 default 0"},
           {"pkbmpng primary key (memoid)", "fk_bmpng_dblist " + Fk("dblistid", "dblist", " on delete cascade")},
           {"ixusrid (usrid)"}),
      Expect("dblist_benutzer_konfig",
           {"dblistid integer not null", "usrid uuid not null", "prop citext(90) not null",
            "wert citext(255) not null"},
           {"pkdblstbenkonf primary key (dblistid, usrid, prop)",
            "fk_dbbenkonf_dblst " + Fk("dblistid", "dblist", " on delete cascade"),
            "fk_dbbenkonf_benutzer " + Fk("usrid", "benutzer", " on delete cascade")}),
  };
}

std::vector<ExpectedTable> MemoTables(int number) {
  const std::string n = std::to_string(number);
  const std::string m = "memos" + n;
  const std::string timst = "t_timst before insert or update settimst";
  const std::string toMemo = Fk("memoid", m, kCascadeBoth);
  const std::string toMemoDelete = Fk("memoid", m, " on delete cascade");
  return {
      Expect(m,
           {"id uuid not null default gen_random_uuid()", "parent uuid", "pos smallint", "typ smallint 0..255 not null",
            "titel citext(255) not null", "clr integer", "tag smallint", "firstedit timestamp default now()",
            "firstusr uuid", "lastedit timestamp default now()", "lastusr uuid", "del uuid", "mpw citext(60)",
            "kinf citext(255)", "timst bigint"},
           {"primary key (id)"},
           {"ixtitel" + n + " (titel)", "ixparent" + n + " (parent)", "ixtag" + n + " (tag)",
            "ixlusr" + n + " (lastusr)", "ixfusr" + n + " (firstusr)", "ixdel" + n + " (del)"},
           {timst, "t_" + m + "_dtrig after delete t_memos_dtrig", "t_" + m + "_itrig after insert t_memos_itrig"}),
      Expect(m + "_fav",
           {"memoid uuid not null", "ownerid uuid not null", "typ smallint 0..255 not null", "bez citext(255) not null",
            "timst bigint"},
           {"pk" + n + " primary key (memoid, ownerid)", toMemo}, {}, {timst}),
      Expect(m + "_links",
           {"id uuid not null default gen_random_uuid()", "memoid uuid not null", "pfad citext(1024) not null",
            "timst bigint"},
           {"primary key (id)", toMemo}, {"ixmm" + n + " (memoid)"}, {timst}),
      Expect(m + "_texte", {"memoid uuid not null", "rtf bytea", "timst bigint"}, {"primary key (memoid)", toMemo},
           {}, {timst}),
      Expect(m + "_raw", {"memoid uuid not null", "raw citext", "timst bigint"}, {"primary key (memoid)", toMemo},
           {}, {timst}),
      Expect(m + "_arch",
           {"id uuid not null default gen_random_uuid()", "memoid uuid not null", "datei citext(255) not null",
            "ainf citext(2048)", "createdate timestamp default now()", "filesize integer"},
           {"primary key (id)", toMemo}, {"ixar" + n + " (memoid)"}),
      Expect(m + "_archhis",
           {"id uuid not null default gen_random_uuid()", "archid uuid not null", "userid uuid not null",
            "chkstate boolean", "hinf citext(2048)", "datum timestamp default now()"},
           {"primary key (id)", Fk("archid", m + "_arch", kCascadeBoth)},
           {"ixuh" + n + " (userid)", "ixih" + n + " (archid)"}),
      Expect(m + "_archraw", {"archid uuid not null", "araw citext"},
           {"primary key (archid)", Fk("archid", m + "_arch", kCascadeBoth)}),
      Expect(m + "_rechte",
           {"id uuid not null default gen_random_uuid()", "memoid uuid not null", "grpid uuid", "userid uuid",
            "redit boolean not null default false", "rread boolean not null default false",
            "rdel boolean not null default false", "rexp boolean not null default false",
            "rchg boolean not null default false"},
           {"primary key (id)", toMemo, Fk("userid", "benutzer", kCascadeBoth), Fk("grpid", "gruppen", kCascadeBoth)},
           {"ix_rechtmemo" + n + " (memoid)", "ix_rechtuser" + n + " (userid)", "ix_rechtgrp" + n + " (grpid)"}),
      Expect(m + "_verfall",
           {"memoid uuid not null", "userid uuid not null", "stamp timestamp(0) not null default now()",
            "verfall integer not null", "aktion smallint not null", "vinf citext(255)"},
           {"primary key (memoid)", Fk("userid", "benutzer", " on delete cascade"), toMemoDelete},
           {"ix_verfverf" + n + " (verfall)"}),
      Expect(m + "_com",
           {"id uuid not null", "memoid uuid not null", "cinf citext(255) not null", "firstedit timestamp default now()",
            "firstusr uuid", "lastedit timestamp default now()", "lastusr uuid"},
           {"pkmemos" + n + "com primary key (id)", toMemoDelete},
           {"ixfirstusr" + n + " (firstusr)", "ixlastusr" + n + " (lastusr)", "ixmemoid" + n + " (memoid)"}),
      Expect(m + "_kwlist", {"id uuid not null", "bez citext(255) not null"}, {"pkmemos" + n + "kwlist primary key (id)"},
           {"ixbez" + n + " unique (bez) nulls not distinct"}),
      Expect(m + "_keywords", {"memoid uuid not null", "keyid uuid not null"},
           {"pkmemos" + n + "keywords primary key (memoid, keyid)", toMemoDelete,
            Fk("keyid", m + "_kwlist", " on delete cascade")}),
  };
}

}  // namespace sqltest
