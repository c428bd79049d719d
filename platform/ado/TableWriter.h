// Writes the rows of an updatable recordset back to its one table: INSERT
// for new rows, UPDATE and DELETE located by the primary key, with the
// original values of the changed columns as the optimistic check. Without
// a primary key among the read columns, a row is located by all of them
// (one row at most is touched). Every value goes as a parameter.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "ado/Session.h"

namespace ado {

// Column index in the recordset and the text to write (no value: NULL).
using ColumnValues = std::vector<std::pair<size_t, RawValue>>;

class TableWriter {
 public:
  // Raises 3251 when the columns do not all come from one table.
  static TableWriter For(Session& session, const std::vector<ColumnInfo>& columns);

  // Each returns the row as stored (defaults, identity values and trigger
  // results included), in the recordset's column order.
  RawRow Insert(Session& session, const ColumnValues& values) const;
  // Raises 0x80040E38 when the row is gone or a changed column no longer
  // holds its original value; nothing is then written.
  RawRow Update(Session& session, const RawRow& original, const ColumnValues& changes) const;
  // Raises 0x80040E38 when the row is gone.
  void Delete(Session& session, const RawRow& original) const;

 private:
  struct Statement {
    std::string sql;
    std::vector<RawValue> params;
    std::vector<uint32_t> types;
    std::string Add(size_t column, const RawValue& value, const std::vector<uint32_t>& columnTypes);
  };
  // Appends the conditions that locate `original` (and, for an update, that
  // the changed columns are unchanged) to the statement.
  void Locate(Statement& st, const RawRow& original, const ColumnValues& changes) const;
  std::string ReturningList() const;
  static RawRow SingleRow(QueryResult&& result);

  std::string m_table;               // qualified and quoted as the search path needs
  std::vector<std::string> m_names;  // quoted column names, recordset order
  std::vector<uint32_t> m_types;
  std::vector<bool> m_comparable;    // has an equality operator
  std::vector<size_t> m_key;         // recordset columns of the primary key; empty when not all read
};

}  // namespace ado
