// The values of a record as a properties dialog loaded them. The dialog's
// save compares them with the row as it stands just before writing, so
// that a change another administrator saved meanwhile is never silently
// overwritten with the dialog's older values.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ado/Recordset.h"
#include "runtime/Error.h"

namespace qvadmin {

class LoadedRecord {
 public:
  // `fields`: the columns the dialog shows and its save writes.
  explicit LoadedRecord(std::vector<std::string> fields) : m_fields(std::move(fields)) {}

  // Keeps the values of the fields in the current row of `rs`.
  void Keep(const ado::Recordset& rs);
  // Nothing kept (a new record that is not stored yet).
  void Forget() { m_values.clear(); }
  // Before a save: raises 0x80040E23 when `rs` has no row (the record was
  // deleted meanwhile) and 0x80040E38 when its row no longer holds the kept
  // values (a text changed only in letter case counts as changed). Nothing
  // kept, nothing to compare.
  void Check(const ado::Recordset& rs, const std::string& source) const;

 private:
  std::vector<std::optional<std::string>> Read(const ado::Recordset& rs) const;

  std::vector<std::string> m_fields;
  std::vector<std::optional<std::string>> m_values;
};

// The refusals of a save whose record someone else changed or deleted since
// the dialog loaded it (0x80040E38 and 0x80040E23, raised from `source`).
[[noreturn]] void RaiseChangedMeanwhile(const std::string& source);
[[noreturn]] void RaiseDeletedMeanwhile(const std::string& source);
// The refusal of a save that assigns an entry (the `noun` named `name`)
// that someone else deleted since the dialog listed it: 0x80040E23, told
// apart from a deleted record by IsAssignedDeletedMeanwhile.
[[noreturn]] void RaiseAssignedDeletedMeanwhile(const std::string& noun, const std::string& name);
bool IsAssignedDeletedMeanwhile(const rt::Error& e);

}  // namespace qvadmin
