// A set of rows read from the server, with a current position. Recordsets
// opened with a lock type other than read-only on a query over one table
// can add, change and delete rows: changes are written with the table's
// primary key (or, without one, all read columns) and, for the changed
// columns, their values as read, so that a row changed or deleted by
// someone else in the meantime is not overwritten (error 0x80040E38).
// All rows are read when the recordset opens.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ado/Constants.h"
#include "ado/Field.h"
#include "runtime/Variant.h"

namespace ado {

class Connection;
class Session;
struct QueryResult;

class Recordset {
 public:
  Recordset();
  ~Recordset();
  Recordset(Recordset&&) noexcept;
  Recordset& operator=(Recordset&&) noexcept;
  Recordset(const Recordset&) = delete;
  Recordset& operator=(const Recordset&) = delete;

  // Runs `source` (a query; "?" placeholders take `parameters` in order).
  // Raises 3705 when already open, 3704 when the connection is closed.
  void Open(const std::string& source, Connection& connection, int32_t cursorType = adOpenForwardOnly,
            int32_t lockType = adLockReadOnly, const std::vector<rt::Variant>& parameters = {});
  // Closes; a pending edit is discarded.
  void Close() noexcept;
  int32_t State() const noexcept;
  int32_t CursorType() const noexcept;
  int32_t LockType() const noexcept;

  // EOF and BOF (named so because <cstdio> defines EOF as a macro).
  bool Eof() const;
  bool Bof() const;
  void MoveFirst();
  void MoveLast();
  void MoveNext();
  void MovePrevious();
  // The number of rows not deleted (every cursor type reports it).
  int32_t RecordCount() const;

  int32_t FieldCount() const;
  // By index (from 0) or by name without regard to case; raises 3265 for
  // an unknown one.
  Field Fields(int32_t index) const;
  Field Fields(std::string_view name) const;
  Field operator()(int32_t index) const { return Fields(index); }
  Field operator()(std::string_view name) const { return Fields(name); }

  // Starts a new row at the end; its fields start Null and the server fills
  // in defaults, identity values and trigger results on Update.
  void AddNew();
  // Writes the pending new row or changed fields; nothing pending does
  // nothing. A failure keeps the pending edit (CancelUpdate drops it).
  void Update();
  void CancelUpdate() noexcept;
  // Deletes the current row from its table.
  void Delete();
  // 0 none, 1 editing, 2 adding (EditModeEnum).
  int32_t EditMode() const noexcept;

 private:
  friend class Connection;
  static Recordset FromResult(std::shared_ptr<Session> session, QueryResult&& result, int32_t cursorType,
                              int32_t lockType);
  void Leave();  // writes a pending edit before the position changes
  std::unique_ptr<RecordsetState> m_state;
};

}  // namespace ado
