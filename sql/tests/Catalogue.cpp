#include "Catalogue.h"

#include "ScriptServer.h"

namespace sqltest {
namespace {

std::vector<std::string> Lines(ado::Connection& db, const std::string& sql, const std::string& table) {
  std::vector<std::string> values;
  for (ado::Recordset rs = db.Execute(sql, {rt::Variant("dbo." + table)}); !rs.Eof(); rs.MoveNext()) {
    values.push_back(rs.Fields(0).Value().ToString());
  }
  return values;
}

const char* const kColumns = R"(
select lower(a.attname || ' ' || replace(format_type(a.atttypid, a.atttypmod), ' without time zone', '')
  || coalesce((select '(' || substring(pg_get_constraintdef(c.oid) from '<= (\d+)') || ')'
               from pg_constraint c
               where c.conrelid = a.attrelid and c.contype = 'c' and c.conkey = array[a.attnum]
                 and pg_get_constraintdef(c.oid) like '%char_length%'), '')
  || coalesce((select ' ' || substring(pg_get_constraintdef(c.oid) from '>= (-?\d+)') || '..'
                      || substring(pg_get_constraintdef(c.oid) from '<= (-?\d+)')
               from pg_constraint c
               where c.conrelid = a.attrelid and c.contype = 'c' and c.conkey = array[a.attnum]
                 and pg_get_constraintdef(c.oid) not like '%char_length%'), '')
  || case when a.attnotnull then ' not null' else '' end
  || coalesce(' default ' || pg_get_expr(d.adbin, d.adrelid), '')
  || case a.attidentity when 'a' then ' identity always' when 'd' then ' identity' else '' end)
from pg_attribute a left join pg_attrdef d on d.adrelid = a.attrelid and d.adnum = a.attnum
where a.attrelid = to_regclass(?) and a.attnum > 0 and not a.attisdropped
order by a.attnum)";

const char* const kKeys = R"(
select lower(case when conname ~ '_(pkey|fkey)$' then '' else conname || ' ' end || pg_get_constraintdef(oid))
from pg_constraint where conrelid = to_regclass(?) and contype in ('p', 'f', 'u')
order by 1)";

const char* const kIndexes = R"(
select lower(i.relname || case when x.indisunique then ' unique ' else ' ' end
  || regexp_replace(pg_get_indexdef(x.indexrelid), '^.* USING btree ', ''))
from pg_index x join pg_class i on i.oid = x.indexrelid
where x.indrelid = to_regclass(?)
  and not exists (select 1 from pg_constraint c where c.conindid = x.indexrelid and c.conrelid = x.indrelid)
order by 1)";

const char* const kTriggers = R"(
select lower(regexp_replace(pg_get_triggerdef(t.oid),
  '^CREATE TRIGGER (\S+) (.*) ON \S+ FOR EACH ROW EXECUTE FUNCTION (dbo\.)?(\S+)\(\)$', '\1 \2 \4'))
from pg_trigger t where t.tgrelid = to_regclass(?) and not t.tgisinternal
order by 1)";

}  // namespace

TableLayout ReadLayout(ado::Connection& db, const std::string& table) {
  return {Lines(db, kColumns, table), Lines(db, kKeys, table), Lines(db, kIndexes, table),
          Lines(db, kTriggers, table)};
}

std::vector<std::string> TableNames(ado::Connection& db) {
  return Column(db, "select tablename::text from pg_tables where schemaname = 'dbo' order by 1");
}

}  // namespace sqltest
