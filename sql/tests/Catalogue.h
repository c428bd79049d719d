// The server's catalogue of one table of QVault, written as short lower-
// case lines that a test compares with the expected layout.
#pragma once

#include <string>
#include <vector>

#include "ado/Connection.h"

namespace sqltest {

struct TableLayout {
  // In column order: "name type[(max length)][ not null][ default expr][ identity]";
  // timestamps without " without time zone", a text column's length taken
  // from its CHECK constraint.
  std::vector<std::string> columns;
  // Sorted: primary, foreign and unique keys as the server prints them,
  // preceded by the key's name unless the server chose it.
  std::vector<std::string> keys;
  // Sorted: other indexes, "name[ unique] (columns)[ nulls not distinct]".
  std::vector<std::string> indexes;
  // Sorted: "name timing events function".
  std::vector<std::string> triggers;
};

// The layout of table dbo.`table` (any case).
TableLayout ReadLayout(ado::Connection& db, const std::string& table);

// The names of the tables in schema dbo, sorted, lower case.
std::vector<std::string> TableNames(ado::Connection& db);

}  // namespace sqltest
