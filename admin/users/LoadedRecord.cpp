#include "users/LoadedRecord.h"

#include "ado/Constants.h"
#include "runtime/Error.h"

namespace qvadmin {

namespace {

// The source of the refusal of a save whose assigned entry was deleted.
constexpr const char* kAssignedEntrySource = "AssignmentLists";

}  // namespace

std::vector<std::optional<std::string>> LoadedRecord::Read(const ado::Recordset& rs) const {
  std::vector<std::optional<std::string>> values;
  values.reserve(m_fields.size());
  for (const std::string& field : m_fields) {
    const rt::Variant value = rs(field).Value();
    values.push_back(value.IsNull() ? std::nullopt : std::optional<std::string>(value.ToString()));
  }
  return values;
}

void LoadedRecord::Keep(const ado::Recordset& rs) { m_values = Read(rs); }

void LoadedRecord::Check(const ado::Recordset& rs, const std::string& source) const {
  if (rs.Eof()) RaiseDeletedMeanwhile(source);
  if (!m_values.empty() && Read(rs) != m_values) RaiseChangedMeanwhile(source);
}

void RaiseChangedMeanwhile(const std::string& source) {
  rt::Raise(ado::errConcurrencyViolation, source, "The data record was changed by another user meanwhile.");
}

void RaiseDeletedMeanwhile(const std::string& source) {
  rt::Raise(ado::errRowDeleted, source, "The data record was deleted by another user meanwhile.");
}

void RaiseAssignedDeletedMeanwhile(const std::string& noun, const std::string& name) {
  rt::Raise(
      ado::errRowDeleted, kAssignedEntrySource,
      "The " + noun + " \"" + name + "\" was deleted by another user meanwhile, so your entries cannot be saved.");
}

bool IsAssignedDeletedMeanwhile(const rt::Error& e) {
  return e.Number() == ado::errRowDeleted && e.Source() == kAssignedEntrySource;
}

}  // namespace qvadmin
