// One column of a recordset's current row: its name, type and value, and
// the value to write when the row is updated.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/Variant.h"

namespace ado {

struct RecordsetState;

class Field {
 public:
  const std::string& Name() const;
  int32_t Type() const;         // DataTypeEnum
  int32_t DefinedSize() const;  // declared length of a varchar(n)/char(n), else -1
  // The current row's value (the pending one while the row is edited).
  // Raises 40009 without a current row, 0x80040E23 on a deleted row.
  rt::Variant Value() const;
  // Puts the row into edit mode (when it is not being added) and keeps the
  // value until Update or CancelUpdate. Raises 3251 on a read-only recordset.
  void SetValue(const rt::Variant& value);
  Field& operator=(const rt::Variant& value) {
    SetValue(value);
    return *this;
  }
  // The value as read from the server, before pending changes.
  rt::Variant OriginalValue() const;

 private:
  friend class Recordset;
  Field(RecordsetState* state, size_t index) : m_state(state), m_index(index) {}
  RecordsetState* m_state;
  size_t m_index;
};

}  // namespace ado
