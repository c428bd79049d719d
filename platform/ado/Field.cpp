#include "ado/Field.h"

#include "ado/Constants.h"
#include "runtime/Error.h"
#include "ado/RecordsetState.h"
#include "ado/ValueText.h"

namespace ado {

namespace {

const ColumnInfo& ColumnOf(const RecordsetState& s, size_t index) {
  s.RequireOpen();
  if (index >= s.columns.size()) {
    throw rt::Error(errItemNotFound, "Item cannot be found in the collection corresponding to the requested name or ordinal.", "ADODB");
  }
  return s.columns[index];
}

}  // namespace

const std::string& Field::Name() const { return ColumnOf(*m_state, m_index).name; }

int32_t Field::Type() const { return AdoTypeOf(ColumnOf(*m_state, m_index).typeOid); }

int32_t Field::DefinedSize() const {
  const auto& c = ColumnOf(*m_state, m_index);
  bool sized = c.typeOid == pgtype::VarChar || c.typeOid == pgtype::BpChar;
  return sized && c.typmod >= 4 ? c.typmod - 4 : -1;
}

rt::Variant Field::Value() const {
  auto& s = *m_state;
  ColumnOf(s, m_index);
  if (s.edit != RecordsetState::Edit::None && m_index < s.pending.size() && s.pending[m_index]) {
    return *s.pending[m_index];
  }
  if (s.edit == RecordsetState::Edit::Adding) return rt::Variant::Null();
  return s.Current().values[m_index];
}

rt::Variant Field::OriginalValue() const {
  ColumnOf(*m_state, m_index);
  if (m_state->edit == RecordsetState::Edit::Adding) return rt::Variant::Null();
  return m_state->Current().values[m_index];
}

void Field::SetValue(const rt::Variant& value) {
  auto& s = *m_state;
  ColumnOf(s, m_index);
  s.RequireUpdatable();
  if (s.edit == RecordsetState::Edit::None) {
    s.Current();  // editing needs a current row
    s.edit = RecordsetState::Edit::Editing;
    s.pending.assign(s.columns.size(), std::nullopt);
  }
  s.pending[m_index] = value;
}

}  // namespace ado
