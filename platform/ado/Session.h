// One live connection to the server (inside the layer): connects, runs
// batches and parameterised statements, reconnects for "USE", and turns the
// server's failures into the layer's errors. A failure that leaves the
// session's transaction aborted rolls it back before the error is raised.
// A session whose server went away under a statement (stopped, restarted,
// the network gone, the session ended by the server) is lost: the server
// has rolled back its transaction, and every statement raises the lost
// connection at once until Reconnect succeeds.
//
// A statement outside a transaction whose connection turns out to be gone
// before the statement ran (the server restarted while the session was
// idle), or was ended by the server under it (so that nothing of it was
// kept), is run again once on a new connection with the same login; only
// when that cannot be made is the session lost. Inside a transaction the
// statement fails as lost, since the work before it is gone. A connection
// that broke without the server's word is not run again: the statement may
// have been carried out.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "runtime/Variant.h"

struct pg_conn;
struct pg_result;

namespace ado {

struct ColumnInfo {
  std::string name;
  uint32_t typeOid = 0;
  int32_t typmod = -1;
  uint32_t tableOid = 0;    // 0 when the column is not a plain table column
  int32_t tableColumn = 0;  // its attribute number in that table
};

using RawValue = std::optional<std::string>;  // server text, no value for NULL
using RawRow = std::vector<RawValue>;

struct QueryResult {
  bool hasRows = false;  // a row set came back (possibly empty)
  std::vector<ColumnInfo> columns;
  std::vector<RawRow> rows;
  int32_t affected = -1;  // rows changed by INSERT, UPDATE, DELETE; -1 when none ran
};

struct ConnectParams {
  std::string host;  // name, address or socket folder; empty for the default socket
  std::string port;  // empty for the default (PGPORT or 5432)
  std::string dbname;
  std::string user;
  std::string password;
  int32_t timeoutSeconds = 15;
};

class Session {
 public:
  explicit Session(ConnectParams params);  // connects or raises
  ~Session();
  Session(const Session&) = delete;
  Session& operator=(const Session&) = delete;

  bool IsOpen() const noexcept { return m_conn != nullptr; }
  bool Lost() const noexcept { return m_lost; }
  void Close() noexcept;
  // Connects again with the same login to the database the session was
  // on; the session stays lost and the lost connection is raised (with
  // the server's reason) when that fails.
  void Reconnect();
  const ConnectParams& Params() const noexcept { return m_params; }
  std::string DatabaseName() const;
  bool InTransaction() const;

  // Reconnects with the same login to another database; the session stays
  // on its database when that fails.
  void SwitchDatabase(const std::string& dbname);

  // A batch of one or more statements, without parameters.
  QueryResult ExecBatch(const std::string& sql);
  // One statement with $1..$n and values converted for the parameter types
  // the server infers.
  QueryResult ExecParams(const std::string& sql, const std::vector<rt::Variant>& params);
  // One statement with $1..$n whose types and text values the caller gives.
  QueryResult ExecTyped(const std::string& sql, const std::vector<RawValue>& params,
                        const std::vector<uint32_t>& types);

 private:
  struct ConnDeleter {
    void operator()(pg_conn* conn) const noexcept;
  };
  using ConnPtr = std::unique_ptr<pg_conn, ConnDeleter>;

  static ConnPtr Connect(const ConnectParams& params);
  // Runs `statement` on the live connection, again once on a new one as
  // the header tells.
  QueryResult Run(const std::function<QueryResult(pg_conn*)>& statement);
  // Whether the connection still stands: reads what the server sent while
  // the session was idle, without waiting.
  bool StillConnected() const;
  // The connection; raises the lost connection when lost, 3704 when closed.
  pg_conn* Live() const;
  // Raises the error of a failed statement (or of the connection when
  // there is no result): a connection that broke makes the session lost,
  // a transaction the failure aborted is rolled back.
  [[noreturn]] void Fail(const pg_result* result);

  ConnectParams m_params;
  ConnPtr m_conn;
  bool m_lost = false;
  bool m_endedByServer = false;  // the loss came with the server's word that it ended the session
};

}  // namespace ado
