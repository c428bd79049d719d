#include "ado/TableWriter.h"

#include <algorithm>

#include "ado/Constants.h"
#include "ado/ErrorMap.h"
#include "ado/ValueText.h"

namespace ado {

namespace {

constexpr const char* kNotUpdatable =
    "Current Recordset does not support updating. This may be a limitation of the provider, or of the selected "
    "locktype.";
constexpr const char* kRowChanged =
    "Row cannot be located for updating. Some values may have been changed since it was last read.";

}  // namespace

TableWriter TableWriter::For(Session& session, const std::vector<ColumnInfo>& columns) {
  if (columns.empty() || columns[0].tableOid == 0) RaiseAdo(errNotUpdatable, kNotUpdatable);
  uint32_t table = columns[0].tableOid;
  for (const auto& c : columns) {
    if (c.tableOid != table || c.tableColumn <= 0) RaiseAdo(errNotUpdatable, kNotUpdatable);
  }
  QueryResult info = session.ExecTyped(
      "SELECT $1::regclass::text, a.attnum, quote_ident(a.attname), "
      "coalesce(a.attnum = ANY(i.indkey::int2[]), false) "
      "FROM pg_attribute a LEFT JOIN pg_index i ON i.indrelid = a.attrelid AND i.indisprimary "
      "WHERE a.attrelid = $1 AND a.attnum > 0 AND NOT a.attisdropped",
      {std::to_string(table)}, {pgtype::Oid});
  if (info.rows.empty()) RaiseAdo(errNotUpdatable, kNotUpdatable);

  TableWriter w;
  w.m_table = *info.rows[0][0];
  std::vector<int> primaryKey;
  for (const auto& row : info.rows) {
    if (*row[3] == "t") primaryKey.push_back(std::stoi(*row[1]));
  }
  for (size_t i = 0; i < columns.size(); ++i) {
    const auto& c = columns[i];
    auto it = std::find_if(info.rows.begin(), info.rows.end(),
                           [&](const RawRow& r) { return std::stoi(*r[1]) == c.tableColumn; });
    if (it == info.rows.end()) RaiseAdo(errNotUpdatable, kNotUpdatable);
    w.m_names.push_back(*(*it)[2]);
    w.m_types.push_back(c.typeOid);
    w.m_comparable.push_back(c.typeOid != pgtype::Json && c.typeOid != pgtype::Xml);
  }
  for (int attnum : primaryKey) {
    auto it = std::find_if(columns.begin(), columns.end(), [&](const ColumnInfo& c) { return c.tableColumn == attnum; });
    if (it == columns.end()) {
      w.m_key.clear();
      break;
    }
    w.m_key.push_back(static_cast<size_t>(it - columns.begin()));
  }
  return w;
}

std::string TableWriter::Statement::Add(size_t column, const RawValue& value, const std::vector<uint32_t>& columnTypes) {
  params.push_back(value);
  types.push_back(columnTypes[column]);
  return "$" + std::to_string(params.size());
}

std::string TableWriter::ReturningList() const {
  std::string list;
  for (const auto& name : m_names) list += (list.empty() ? "" : ", ") + name;
  return " RETURNING " + list;
}

RawRow TableWriter::SingleRow(QueryResult&& result) {
  if (result.rows.empty()) RaiseAdo(errConcurrencyViolation, kRowChanged);
  return std::move(result.rows[0]);
}

void TableWriter::Locate(Statement& st, const RawRow& original, const ColumnValues& changes) const {
  std::string where;
  auto condition = [&](size_t column, const char* op) {
    where += (where.empty() ? "" : " AND ") + m_names[column] + op + st.Add(column, original[column], m_types);
  };
  if (!m_key.empty()) {
    for (size_t k : m_key) condition(k, " = ");
    for (const auto& [column, value] : changes) {
      if (m_comparable[column] && std::find(m_key.begin(), m_key.end(), column) == m_key.end()) {
        condition(column, " IS NOT DISTINCT FROM ");
      }
    }
    st.sql += " WHERE " + where;
  } else {
    for (size_t c = 0; c < m_names.size(); ++c) {
      if (m_comparable[c]) condition(c, " IS NOT DISTINCT FROM ");
    }
    st.sql += " WHERE ctid = (SELECT ctid FROM " + m_table + (where.empty() ? "" : " WHERE " + where) + " LIMIT 1)";
  }
}

RawRow TableWriter::Insert(Session& session, const ColumnValues& values) const {
  Statement st;
  if (values.empty()) {
    st.sql = "INSERT INTO " + m_table + " DEFAULT VALUES";
  } else {
    std::string names, placeholders;
    for (const auto& [column, value] : values) {
      names += (names.empty() ? "" : ", ") + m_names[column];
      placeholders += (placeholders.empty() ? "" : ", ") + st.Add(column, value, m_types);
    }
    st.sql = "INSERT INTO " + m_table + " (" + names + ") VALUES (" + placeholders + ")";
  }
  st.sql += ReturningList();
  return SingleRow(session.ExecTyped(st.sql, st.params, st.types));
}

RawRow TableWriter::Update(Session& session, const RawRow& original, const ColumnValues& changes) const {
  Statement st;
  std::string assignments;
  for (const auto& [column, value] : changes) {
    assignments += (assignments.empty() ? "" : ", ") + m_names[column] + " = " + st.Add(column, value, m_types);
  }
  st.sql = "UPDATE " + m_table + " SET " + assignments;
  Locate(st, original, changes);
  st.sql += ReturningList();
  return SingleRow(session.ExecTyped(st.sql, st.params, st.types));
}

void TableWriter::Delete(Session& session, const RawRow& original) const {
  Statement st;
  st.sql = "DELETE FROM " + m_table;
  Locate(st, original, {});
  if (session.ExecTyped(st.sql, st.params, st.types).affected < 1) RaiseAdo(errConcurrencyViolation, kRowChanged);
}

}  // namespace ado
