// The expected tables of QVault and of a Memo database, in the lines that
// Catalogue.h reads from the server.
#pragma once

#include <string>
#include <vector>

#include "Catalogue.h"

namespace sqltest {

struct ExpectedTable {
  std::string name;
  TableLayout layout;
};

// The eight master tables, in the creation script's order.
std::vector<ExpectedTable> MasterTables();

// The thirteen tables of Memo database `n`, in the insert trigger's order.
std::vector<ExpectedTable> MemoTables(int n);

}  // namespace sqltest
