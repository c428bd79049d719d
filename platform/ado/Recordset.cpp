#include "ado/Recordset.h"

#include "ado/Connection.h"
#include "ado/ErrorMap.h"
#include "ado/RecordsetState.h"
#include "ado/ValueText.h"
#include "runtime/Strings.h"

namespace ado {

namespace {

constexpr const char* kClosed = "Operation is not allowed when the object is closed.";

RecordsetState::Row MakeRow(RawRow raw, const std::vector<ColumnInfo>& columns) {
  RecordsetState::Row row;
  row.values.reserve(raw.size());
  for (size_t c = 0; c < raw.size(); ++c) {
    row.values.push_back(raw[c] ? FromServerText(*raw[c], columns[c].typeOid) : rt::Variant::Null());
  }
  row.raw = std::move(raw);
  return row;
}

}  // namespace

// ---- RecordsetState ----

void RecordsetState::RequireOpen() const {
  if (!open) RaiseAdo(errObjectClosed, kClosed);
}

void RecordsetState::RequireUpdatable() const {
  RequireOpen();
  if (lockType == adLockReadOnly) {
    RaiseAdo(errNotUpdatable,
             "Current Recordset does not support updating. This may be a limitation of the provider, or of the "
             "selected locktype.");
  }
}

RecordsetState::Row& RecordsetState::Current() {
  RequireOpen();
  if (position < 0 || position >= static_cast<std::ptrdiff_t>(rows.size())) {
    RaiseAdo(errNoCurrentRow, "Either BOF or EOF is True, or the current record has been deleted. No current row.");
  }
  Row& row = rows[static_cast<size_t>(position)];
  if (row.deleted) RaiseAdo(errRowDeleted, "Row handle referred to a deleted row or a row marked for deletion.");
  return row;
}

// ---- Recordset ----

Recordset::Recordset() : m_state(std::make_unique<RecordsetState>()) {}
Recordset::~Recordset() = default;
Recordset::Recordset(Recordset&&) noexcept = default;
Recordset& Recordset::operator=(Recordset&&) noexcept = default;

Recordset Recordset::FromResult(std::shared_ptr<Session> session, QueryResult&& result, int32_t cursorType,
                                int32_t lockType) {
  Recordset rs;
  RecordsetState& s = *rs.m_state;
  if (!result.hasRows) return rs;  // a statement without rows: a closed recordset
  s.session = std::move(session);
  s.open = true;
  s.cursorType = cursorType;
  s.lockType = lockType;
  s.columns = std::move(result.columns);
  s.rows.reserve(result.rows.size());
  for (auto& raw : result.rows) s.rows.push_back(MakeRow(std::move(raw), s.columns));
  s.position = 0;
  return rs;
}

void Recordset::Open(const std::string& source, Connection& connection, int32_t cursorType, int32_t lockType,
                     const std::vector<rt::Variant>& parameters) {
  if (m_state->open) RaiseAdo(errObjectOpen, "Operation is not allowed when the object is open.");
  Recordset opened = connection.Run(source, parameters, cursorType, lockType, nullptr);
  *m_state = std::move(*opened.m_state);  // in place: Field views keep pointing at this state
}

void Recordset::Close() noexcept { *m_state = RecordsetState(); }

int32_t Recordset::State() const noexcept { return m_state->open ? adStateOpen : adStateClosed; }
int32_t Recordset::CursorType() const noexcept { return m_state->cursorType; }
int32_t Recordset::LockType() const noexcept { return m_state->lockType; }
int32_t Recordset::EditMode() const noexcept { return static_cast<int32_t>(m_state->edit); }

bool Recordset::Eof() const {
  m_state->RequireOpen();
  return m_state->position >= static_cast<std::ptrdiff_t>(m_state->rows.size());
}

bool Recordset::Bof() const {
  m_state->RequireOpen();
  return m_state->position < 0 || m_state->rows.empty();
}

int32_t Recordset::RecordCount() const {
  m_state->RequireOpen();
  int32_t n = 0;
  for (const auto& r : m_state->rows) n += r.deleted ? 0 : 1;
  return n;
}

void Recordset::Leave() {
  m_state->RequireOpen();
  if (m_state->edit != RecordsetState::Edit::None) Update();
}

void Recordset::MoveFirst() {
  Leave();
  auto& s = *m_state;
  s.position = 0;
  while (s.position < static_cast<std::ptrdiff_t>(s.rows.size()) && s.rows[static_cast<size_t>(s.position)].deleted) ++s.position;
}

void Recordset::MoveLast() {
  Leave();
  auto& s = *m_state;
  s.position = static_cast<std::ptrdiff_t>(s.rows.size()) - 1;
  while (s.position >= 0 && s.rows[static_cast<size_t>(s.position)].deleted) --s.position;
  if (s.position < 0) s.position = static_cast<std::ptrdiff_t>(s.rows.size());  // none left: BOF and EOF
}

void Recordset::MoveNext() {
  Leave();
  auto& s = *m_state;
  if (s.position >= static_cast<std::ptrdiff_t>(s.rows.size())) {
    RaiseAdo(errNoCurrentRow, "Either BOF or EOF is True, or the current record has been deleted. No current row.");
  }
  do ++s.position;
  while (s.position < static_cast<std::ptrdiff_t>(s.rows.size()) && s.rows[static_cast<size_t>(s.position)].deleted);
}

void Recordset::MovePrevious() {
  Leave();
  auto& s = *m_state;
  if (s.position < 0) {
    RaiseAdo(errNoCurrentRow, "Either BOF or EOF is True, or the current record has been deleted. No current row.");
  }
  do --s.position;
  while (s.position >= 0 && s.rows[static_cast<size_t>(s.position)].deleted);
}

int32_t Recordset::FieldCount() const {
  m_state->RequireOpen();
  return static_cast<int32_t>(m_state->columns.size());
}

Field Recordset::Fields(int32_t index) const {
  m_state->RequireOpen();
  if (index < 0 || index >= static_cast<int32_t>(m_state->columns.size())) {
    RaiseAdo(errItemNotFound, "Item cannot be found in the collection corresponding to the requested name or ordinal.");
  }
  return Field(m_state.get(), static_cast<size_t>(index));
}

Field Recordset::Fields(std::string_view name) const {
  m_state->RequireOpen();
  for (size_t i = 0; i < m_state->columns.size(); ++i) {
    if (rt::StrComp(m_state->columns[i].name, name, rt::CompareMethod::Text) == 0) return Field(m_state.get(), i);
  }
  RaiseAdo(errItemNotFound, "Item cannot be found in the collection corresponding to the requested name or ordinal.");
}

void Recordset::AddNew() {
  m_state->RequireUpdatable();
  Leave();
  auto& s = *m_state;
  s.edit = RecordsetState::Edit::Adding;
  s.pending.assign(s.columns.size(), std::nullopt);
}

void Recordset::Update() {
  auto& s = *m_state;
  s.RequireOpen();
  if (s.edit == RecordsetState::Edit::None) return;
  s.RequireUpdatable();
  if (!s.writer) s.writer = TableWriter::For(*s.session, s.columns);
  ColumnValues values;
  for (size_t c = 0; c < s.pending.size(); ++c) {
    if (s.pending[c]) values.emplace_back(c, ToServerText(*s.pending[c], s.columns[c].typeOid));
  }
  if (s.edit == RecordsetState::Edit::Adding) {
    RawRow stored = s.writer->Insert(*s.session, values);
    s.rows.push_back(MakeRow(std::move(stored), s.columns));
    s.position = static_cast<std::ptrdiff_t>(s.rows.size()) - 1;
  } else if (!values.empty()) {
    auto& row = s.Current();
    row = MakeRow(s.writer->Update(*s.session, row.raw, values), s.columns);
  }
  s.edit = RecordsetState::Edit::None;
  s.pending.clear();
}

void Recordset::CancelUpdate() noexcept {
  m_state->edit = RecordsetState::Edit::None;
  m_state->pending.clear();
}

void Recordset::Delete() {
  auto& s = *m_state;
  s.RequireUpdatable();
  if (s.edit == RecordsetState::Edit::Adding) {  // deleting a row not yet added drops it
    CancelUpdate();
    return;
  }
  auto& row = s.Current();
  if (!s.writer) s.writer = TableWriter::For(*s.session, s.columns);
  s.writer->Delete(*s.session, row.raw);
  row.deleted = true;
  CancelUpdate();
}

}  // namespace ado
