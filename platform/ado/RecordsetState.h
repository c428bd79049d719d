// The inside of a recordset (shared by Recordset and its Field views).
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "ado/Session.h"
#include "ado/TableWriter.h"
#include "runtime/Variant.h"

namespace ado {

struct RecordsetState {
  struct Row {
    RawRow raw;                       // as read, for the conditions of writes
    std::vector<rt::Variant> values;  // as the runtime sees them
    bool deleted = false;
  };
  enum class Edit { None = 0, Editing = 1, Adding = 2 };

  std::shared_ptr<Session> session;
  bool open = false;
  int32_t cursorType = 0;
  int32_t lockType = 1;
  std::vector<ColumnInfo> columns;
  std::vector<Row> rows;
  std::ptrdiff_t position = 0;  // -1 before the first row, rows.size() after the last
  Edit edit = Edit::None;
  std::vector<std::optional<rt::Variant>> pending;  // per column, while editing or adding
  std::optional<TableWriter> writer;                // found on the first write

  Row& Current();  // raises 40009 without a current row, 0x80040E23 on a deleted one
  void RequireOpen() const;
  void RequireUpdatable() const;
};

}  // namespace ado
