#include "ado/Session.h"

#include <libpq-fe.h>

#include <cstring>

#include "ado/Constants.h"
#include "ado/ErrorMap.h"
#include "ado/ValueText.h"
#include "runtime/Error.h"

namespace ado {

namespace {

struct ResultDeleter {
  void operator()(PGresult* r) const noexcept { PQclear(r); }
};
using ResultPtr = std::unique_ptr<PGresult, ResultDeleter>;

void IgnoreNotice(void*, const char*) {}

// libpq's message on one line: its continuation lines ("\n\t...") joined
// with blanks, the final line break dropped.
std::string TrimmedMessage(const char* text) {
  std::string s;
  for (const char* c = text ? text : ""; *c; ++c) {
    if (*c == '\n' || *c == '\t') {
      if (!s.empty() && s.back() != ' ') s += ' ';
    } else {
      s += *c;
    }
  }
  while (!s.empty() && s.back() == ' ') s.pop_back();
  return s;
}

bool IsDataChange(const PGresult* r) {
  const char* status = PQcmdStatus(const_cast<PGresult*>(r));
  for (const char* verb : {"INSERT", "UPDATE", "DELETE", "MERGE"}) {
    if (std::strncmp(status, verb, std::strlen(verb)) == 0) return true;
  }
  return false;
}

void ReadRows(const PGresult* r, QueryResult& out) {
  out.hasRows = true;
  int cols = PQnfields(r);
  for (int c = 0; c < cols; ++c) {
    out.columns.push_back(ColumnInfo{PQfname(r, c), PQftype(r, c), PQfmod(r, c), PQftable(r, c), PQftablecol(r, c)});
  }
  int rows = PQntuples(r);
  out.rows.reserve(static_cast<size_t>(rows));
  for (int i = 0; i < rows; ++i) {
    RawRow row(static_cast<size_t>(cols));
    for (int c = 0; c < cols; ++c) {
      if (!PQgetisnull(r, i, c)) row[static_cast<size_t>(c)] = std::string(PQgetvalue(r, i, c), static_cast<size_t>(PQgetlength(r, i, c)));
    }
    out.rows.push_back(std::move(row));
  }
}

// Adds one result of a statement to `out`; returns whether it failed.
bool Collect(const PGresult* r, QueryResult& out) {
  switch (PQresultStatus(r)) {
    case PGRES_TUPLES_OK:
      if (!out.hasRows) ReadRows(r, out);
      [[fallthrough]];
    case PGRES_COMMAND_OK:
      if (IsDataChange(r)) out.affected = (out.affected < 0 ? 0 : out.affected) + std::atoi(PQcmdTuples(const_cast<PGresult*>(r)));
      return false;
    case PGRES_EMPTY_QUERY:
      return false;
    default:
      return true;
  }
}

}  // namespace

void Session::ConnDeleter::operator()(pg_conn* conn) const noexcept { PQfinish(conn); }

Session::Session(ConnectParams params) : m_params(std::move(params)), m_conn(Connect(m_params)) {}

Session::~Session() = default;

// What the statements and the quoting of values rely on, set at the start
// of every session so that no database or role default can change it: the
// schema dbo first on the search path, backslashes as plain characters in
// literals, UTF-8 text, and dates written as ISO.
constexpr const char* kSessionOptions =
    "-c DateStyle=ISO,MDY -c search_path=dbo,\\ public -c standard_conforming_strings=on";

Session::ConnPtr Session::Connect(const ConnectParams& p) {
  std::string timeout = std::to_string(p.timeoutSeconds > 0 && p.timeoutSeconds < 2 ? 2 : p.timeoutSeconds);
  const char* keys[] = {"host", "port", "dbname", "user", "password", "connect_timeout", "client_encoding",
                        "options", "sslmode", "gssencmode", nullptr};
  const char* values[] = {p.host.c_str(),     p.port.c_str(),  p.dbname.c_str(), p.user.c_str(),
                          p.password.c_str(), timeout.c_str(), "UTF8",           kSessionOptions,
                          "disable",          "disable",       nullptr};
  ConnPtr conn(PQconnectdbParams(keys, values, 0));
  if (!conn) RaiseAdo(errCannotConnect, "out of memory");
  if (PQstatus(conn.get()) != CONNECTION_OK) {
    std::string message = TrimmedMessage(PQerrorMessage(conn.get()));
    RaiseAdo(ErrorNumberForConnectFailure(message), message);
  }
  PQsetNoticeProcessor(conn.get(), IgnoreNotice, nullptr);
  return conn;
}

void Session::Close() noexcept {
  m_conn.reset();
  m_lost = false;
}

bool Session::StillConnected() const {
  // A read that brings data (the server's farewell) does not look for the
  // end of the connection behind it: the next read does.
  for (int read = 0; read < 3 && m_conn && PQstatus(m_conn.get()) == CONNECTION_OK; ++read) {
    if (PQconsumeInput(m_conn.get()) == 0) break;
  }
  return m_conn && PQstatus(m_conn.get()) == CONNECTION_OK;
}

QueryResult Session::Run(const std::function<QueryResult(pg_conn*)>& statement) {
  pg_conn* conn = Live();
  if (PQtransactionStatus(conn) != PQTRANS_IDLE) return statement(conn);
  if (!StillConnected()) {
    // Gone while idle: nothing of the statement has run yet.
    m_conn.reset();
    m_lost = true;
    Reconnect();
    return statement(Live());
  }
  try {
    return statement(conn);
  } catch (const rt::Error&) {
    if (!m_lost || !m_endedByServer) throw;
  }
  Reconnect();
  return statement(Live());
}

pg_conn* Session::Live() const {
  if (m_lost) RaiseAdo(errCannotConnect, kConnectionLost);
  if (!m_conn) RaiseAdo(errObjectClosed, "Operation is not allowed when the object is closed.");
  return m_conn.get();
}

void Session::Reconnect() {
  if (!m_lost) return;
  try {
    m_conn = Connect(m_params);
  } catch (const rt::Error& e) {
    RaiseAdo(errCannotConnect, std::string(kConnectionLost) + " " + e.Description());
  }
  m_lost = false;
}

std::string Session::DatabaseName() const { return m_conn ? PQdb(m_conn.get()) : ""; }

bool Session::InTransaction() const {
  return m_conn && PQtransactionStatus(m_conn.get()) != PQTRANS_IDLE;
}

void Session::SwitchDatabase(const std::string& dbname) {
  ConnectParams next = m_params;
  next.dbname = dbname;
  ConnPtr conn = Connect(next);
  m_conn = std::move(conn);
  m_params = std::move(next);
}

void Session::Fail(const PGresult* r) {
  PGconn* conn = m_conn.get();
  int32_t number = errCannotConnect;
  std::string message;
  if (r) {
    const char* state = PQresultErrorField(r, PG_DIAG_SQLSTATE);
    const char* primary = PQresultErrorField(r, PG_DIAG_MESSAGE_PRIMARY);
    number = state ? ErrorNumberForSqlState(state) : errCannotConnect;
    message = primary ? TrimmedMessage(primary) : TrimmedMessage(PQresultErrorMessage(r));
    if (state) message = DescriptionForServerError(state, message);
  }
  if (message.empty()) message = TrimmedMessage(PQerrorMessage(conn));
  if (PQstatus(conn) != CONNECTION_OK) {
    // The server is gone or ended the session: whatever ran in it was
    // rolled back by the server. The dead connection is let go; the
    // session keeps its login for Reconnect.
    m_conn.reset();
    m_lost = true;
    // Class 57P: the server ended the session (shut down, restarted, told
    // to by an administrator) and kept nothing of the statement.
    m_endedByServer = r && PQresultErrorField(r, PG_DIAG_SQLSTATE) &&
                      std::strncmp(PQresultErrorField(r, PG_DIAG_SQLSTATE), "57P", 3) == 0;
    RaiseAdo(errCannotConnect, std::string(kConnectionLost) + " " + message);
  }
  if (PQtransactionStatus(conn) == PQTRANS_INERROR) ResultPtr(PQexec(conn, "ROLLBACK"));
  RaiseAdo(number, message);
}

QueryResult Session::ExecBatch(const std::string& sql) {
  return Run([&](PGconn* conn) {
    if (!PQsendQuery(conn, sql.c_str())) Fail(nullptr);
    QueryResult out;
    ResultPtr failure;
    while (ResultPtr r{PQgetResult(conn)}) {
      if (Collect(r.get(), out) && !failure) failure = std::move(r);
    }
    if (failure) Fail(failure.get());
    return out;
  });
}

QueryResult Session::ExecTyped(const std::string& sql, const std::vector<RawValue>& params,
                               const std::vector<uint32_t>& types) {
  std::vector<const char*> values;
  values.reserve(params.size());
  for (const auto& p : params) values.push_back(p ? p->c_str() : nullptr);
  return Run([&](PGconn* conn) {
    ResultPtr r(PQexecParams(conn, sql.c_str(), static_cast<int>(params.size()), types.empty() ? nullptr : types.data(),
                             values.data(), nullptr, nullptr, 0));
    QueryResult out;
    if (!r || Collect(r.get(), out)) Fail(r.get());
    return out;
  });
}

QueryResult Session::ExecParams(const std::string& sql, const std::vector<rt::Variant>& params) {
  return Run([&](PGconn* conn) {
    // The unnamed statement is prepared first so that each value can be
    // written for the type the server expects in its place.
    ResultPtr prepared(PQprepare(conn, "", sql.c_str(), 0, nullptr));
    if (!prepared || PQresultStatus(prepared.get()) != PGRES_COMMAND_OK) Fail(prepared.get());
    ResultPtr described(PQdescribePrepared(conn, ""));
    if (!described || PQresultStatus(described.get()) != PGRES_COMMAND_OK) Fail(described.get());
    int expected = PQnparams(described.get());
    if (expected != static_cast<int>(params.size())) {
      RaiseAdo(errMissingParameter, "No value given for one or more required parameters.");
    }
    std::vector<RawValue> texts;
    std::vector<const char*> values;
    texts.reserve(params.size());
    for (size_t i = 0; i < params.size(); ++i) {
      texts.push_back(ToServerText(params[i], PQparamtype(described.get(), static_cast<int>(i))));
    }
    for (const auto& t : texts) values.push_back(t ? t->c_str() : nullptr);
    ResultPtr r(PQexecPrepared(conn, "", expected, values.data(), nullptr, nullptr, 0));
    QueryResult out;
    if (!r || Collect(r.get(), out)) Fail(r.get());
    return out;
  });
}

}  // namespace ado
