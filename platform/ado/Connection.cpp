#include "ado/Connection.h"

#include "ado/ErrorMap.h"
#include "ado/Session.h"
#include "ado/SqlText.h"
#include "ado/ValueText.h"
#include "runtime/Strings.h"

namespace ado {

namespace {

bool IsTrue(const std::string& text) {
  std::string t = rt::LCase(text);
  return t == "true" || t == "yes" || t == "-1" || t == "1";
}

void Merge(QueryResult& into, QueryResult&& part) {
  if (!into.hasRows && part.hasRows) {
    into.hasRows = true;
    into.columns = std::move(part.columns);
    into.rows = std::move(part.rows);
  }
  if (part.affected >= 0) into.affected = (into.affected < 0 ? 0 : into.affected) + part.affected;
}

}  // namespace

Connection::Connection() = default;

Connection::~Connection() { Close(); }

void Connection::RequireClosed() const {
  if (m_session) RaiseAdo(errObjectOpen, "Operation is not allowed when the object is open.");
}

Session& Connection::Live() const {
  if (!m_session) RaiseAdo(errObjectClosed, "Operation is not allowed when the object is closed.");
  if (m_session->Lost() && m_reconnect) {
    m_reconnect = false;
    m_session->Reconnect();
  }
  if (m_session->Lost()) RaiseAdo(errCannotConnect, kConnectionLost);
  return *m_session;
}

bool Connection::Lost() const noexcept { return m_session && m_session->Lost(); }

void Connection::ReconnectOnNextUse() noexcept { m_reconnect = Lost(); }

void Connection::SetProvider(std::string provider) {
  RequireClosed();
  m_provider = std::move(provider);
}

std::string Connection::ConnectionString() const {
  bool withPassword = !m_session || IsTrue(m_properties.Get("Persist Security Info"));
  std::string rest = m_properties.ToConnectionString(withPassword);
  std::string out = m_provider.empty() ? std::string() : "Provider=" + m_provider;
  if (!rest.empty()) out += (out.empty() ? "" : ";") + rest;
  return out;
}

void Connection::SetConnectionString(const std::string& text) {
  RequireClosed();
  m_properties.MergeConnectionString(text);
  // The provider is kept on its own, not among the login properties.
  if (m_properties.Has("Provider")) {
    m_provider = m_properties.Get("Provider");
    m_properties.Remove("Provider");
  }
}

void Connection::SetConnectionTimeout(int32_t seconds) {
  RequireClosed();
  m_timeoutSeconds = seconds < 0 ? 0 : seconds;
}

rt::Variant Connection::Property(std::string_view name) const {
  if (!m_properties.Has(name)) return rt::Variant();
  return rt::Variant(m_properties.Get(name));
}

void Connection::SetProperty(std::string_view name, const rt::Variant& value) {
  m_properties.Set(name, value.IsNull() || value.IsEmpty() ? std::string() : value.ToString());
}

void Connection::Open(const std::string& connectionString, const std::string& userId, const std::string& password) {
  RequireClosed();
  if (!connectionString.empty()) SetConnectionString(connectionString);
  if (!userId.empty()) m_properties.Set("User ID", userId);
  if (!password.empty()) m_properties.Set("Password", password);
  m_session = std::make_shared<Session>(m_properties.ToConnectParams(m_timeoutSeconds));
  m_reconnect = false;
}

void Connection::Close() noexcept {
  if (m_session) m_session->Close();
  m_session.reset();
  m_reconnect = false;
}

int32_t Connection::State() const noexcept { return m_session ? adStateOpen : adStateClosed; }

std::string Connection::DefaultDatabase() const { return Live().DatabaseName(); }

bool Connection::InTransaction() const noexcept { return m_session && m_session->InTransaction(); }

Recordset Connection::Execute(const std::string& commandText, int32_t* recordsAffected, int32_t options) {
  return Execute(commandText, {}, recordsAffected, options);
}

Recordset Connection::Execute(const std::string& commandText, const std::vector<rt::Variant>& parameters,
                              int32_t* recordsAffected, int32_t options) {
  Recordset rs = Run(commandText, parameters, adOpenForwardOnly, adLockReadOnly, recordsAffected);
  if (options & adExecuteNoRecords) rs.Close();
  return rs;
}

Recordset Connection::Run(const std::string& sql, const std::vector<rt::Variant>& parameters, int32_t cursorType,
                          int32_t lockType, int32_t* recordsAffected) {
  Session& session = Live();
  QueryResult result;
  if (parameters.empty()) {
    result = RunBatch(sql);
  } else {
    size_t count = 0;
    std::string numbered = NumberPlaceholders(sql, count);
    if (count != parameters.size()) RaiseAdo(errMissingParameter, "No value given for one or more required parameters.");
    result = session.ExecParams(numbered, parameters);
  }
  if (recordsAffected) *recordsAffected = result.affected;
  return Recordset::FromResult(m_session, std::move(result), cursorType, lockType);
}

QueryResult Connection::RunBatch(const std::string& sql) {
  Session& session = Live();
  std::vector<StatementSpan> spans = SplitStatements(sql);
  bool hasUse = false;
  for (const auto& s : spans) hasUse = hasUse || UseTarget(std::string_view(sql).substr(s.begin, s.end - s.begin));
  if (!hasUse) return session.ExecBatch(sql);

  // The parts between "USE" statements run as batches of their own.
  QueryResult result;
  size_t chunkBegin = 0;
  auto flush = [&](size_t end) {
    std::string chunk = sql.substr(chunkBegin, end - chunkBegin);
    if (chunk.find_first_not_of(" \t\r\n;") != std::string::npos) Merge(result, Live().ExecBatch(chunk));
  };
  for (const auto& s : spans) {
    if (auto name = UseTarget(std::string_view(sql).substr(s.begin, s.end - s.begin))) {
      flush(s.begin);
      Use(*name);
      chunkBegin = s.end;
    }
  }
  flush(sql.size());
  return result;
}

void Connection::Use(const std::string& name) {
  Session& session = Live();
  // Database names compare without regard to case, as on the original
  // server; an exact match wins.
  std::string wanted = ServerDatabaseName(name);
  // The database in use already: nothing to do, also inside a transaction,
  // which goes on.
  if (wanted == session.DatabaseName()) return;
  if (session.InTransaction()) RaiseAdo(errCommandFailed, "USE is not allowed while a transaction is open.");
  QueryResult found = session.ExecTyped(
      "SELECT datname FROM pg_database WHERE lower(datname) = lower($1) ORDER BY datname = $1 DESC LIMIT 1",
      {wanted}, {pgtype::Text});
  if (found.rows.empty() || !found.rows[0][0]) {
    RaiseAdo(errCommandFailed,
             "Database '" + name + "' does not exist. Make sure that the name is entered correctly.");
  }
  session.SwitchDatabase(*found.rows[0][0]);
}

int32_t Connection::BeginTrans() {
  Session& session = Live();
  if (session.InTransaction()) RaiseAdo(errTransactionExists, "Only one transaction can be active on this session.");
  session.ExecBatch("BEGIN");
  return 1;
}

void Connection::CommitTrans() {
  Session& session = Live();
  if (!session.InTransaction()) RaiseAdo(errNoTransaction, "No transaction is active.");
  session.ExecBatch("COMMIT");
}

void Connection::RollbackTrans() {
  Session& session = Live();
  if (!session.InTransaction()) RaiseAdo(errNoTransaction, "No transaction is active.");
  session.ExecBatch("ROLLBACK");
}

}  // namespace ado
