// A connection to the database server in the manner of an ADO connection:
// properties set before Open, statements run with Execute, transactions,
// and the statement "USE name" carried out by reconnecting with the same
// login to that database ("master" is the server's maintenance database
// "postgres"). Errors are rt::Error with the numbers of ado/Constants.h and
// the server's own message as description.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "ado/ConnectionProperties.h"
#include "ado/Constants.h"
#include "ado/Recordset.h"
#include "runtime/Variant.h"

namespace ado {

class Session;

class Connection {
 public:
  Connection();
  ~Connection();
  Connection(const Connection&) = delete;
  Connection& operator=(const Connection&) = delete;

  // Any provider name is accepted and kept; the server is always the same
  // kind. Raises 3705 while open.
  const std::string& Provider() const noexcept { return m_provider; }
  void SetProvider(std::string provider);
  // "Provider=...;Data Source=...;...": setting it sets the named
  // properties. Read back, it leaves the password out while the connection
  // is open unless "Persist Security Info" is true. Raises 3705 while open.
  std::string ConnectionString() const;
  void SetConnectionString(const std::string& text);
  // Seconds to wait for the server (0: no limit; default 15). Raises 3705
  // while open.
  int32_t ConnectionTimeout() const noexcept { return m_timeoutSeconds; }
  void SetConnectionTimeout(int32_t seconds);
  // Properties("Data Source") and the like, by name without regard to
  // case; see ConnectionProperties for the ones that shape the login. A
  // property never set reads as Empty.
  rt::Variant Property(std::string_view name) const;
  void SetProperty(std::string_view name, const rt::Variant& value);

  // Opens with the properties set (a non-empty connection string, user or
  // password given here is set first). Raises 3705 when open, 0x80004005
  // when the server can't be reached, 0x80040E4D when the login (or the
  // database) is refused.
  void Open(const std::string& connectionString = {}, const std::string& userId = {},
            const std::string& password = {});
  // Closes; recordsets opened on it keep their rows but can't write. Closing
  // a closed connection does nothing.
  void Close() noexcept;
  // Open (1) from Open to Close, also while the connection is lost.
  int32_t State() const noexcept;

  // A statement outside a transaction that finds the connection gone (the
  // server restarted while the connection was idle) or whose session the
  // server ended under it runs again once on a new connection with the
  // same login, on the same database. Otherwise a connection whose server
  // went away under a statement (stopped, restarted, the network gone, the
  // session ended by the server) is lost: that statement and every later
  // one raise 0x80004005 with a description that begins with
  // kConnectionLost, at once and without waiting for the server, until the
  // connection is reconnected, closed or opened anew. The server has rolled
  // back the transaction that was open; none is open afterwards.
  bool Lost() const noexcept;
  // Lets a lost connection try once, at its next statement, to connect
  // again with the same login to the database it was on; when that fails
  // the statement raises the lost connection (with the server's reason)
  // and the connection stays lost. Does nothing to a connection that is
  // not lost.
  void ReconnectOnNextUse() noexcept;
  // The database the connection is on.
  std::string DefaultDatabase() const;

  // Runs a batch: one or more statements separated by ";" (function bodies
  // in $$ quotes included), as one unit. Returns the first row set as a
  // forward-only, read-only recordset (closed when there is none, or with
  // adExecuteNoRecords); `recordsAffected` receives the rows changed by the
  // batch's INSERT, UPDATE and DELETE statements (-1 when none ran). "USE
  // name" statements in the batch switch the database between the parts
  // around them. Within a transaction a failing batch rolls the
  // transaction back, so none is open after the error.
  Recordset Execute(const std::string& commandText, int32_t* recordsAffected = nullptr, int32_t options = adCmdText);
  // Runs one statement whose "?" placeholders (outside quotes and
  // comments) take `parameters` in order; text values never become part of
  // the SQL. Raises 0x80040E10 when the counts differ.
  Recordset Execute(const std::string& commandText, const std::vector<rt::Variant>& parameters,
                    int32_t* recordsAffected = nullptr, int32_t options = adCmdText);

  // One transaction at a time: BeginTrans returns its level (1) and raises
  // 0x8004D013 when one is open; CommitTrans and RollbackTrans raise
  // 0x8004D00E when none is.
  int32_t BeginTrans();
  void CommitTrans();
  void RollbackTrans();
  bool InTransaction() const noexcept;

 private:
  friend class Recordset;
  // The session; raises 3704 when closed, the lost connection when lost
  // (after the one try that ReconnectOnNextUse allows).
  Session& Live() const;
  Recordset Run(const std::string& sql, const std::vector<rt::Variant>& parameters, int32_t cursorType,
                int32_t lockType, int32_t* recordsAffected);
  QueryResult RunBatch(const std::string& sql);
  void Use(const std::string& name);
  void RequireClosed() const;

  std::string m_provider;
  int32_t m_timeoutSeconds = 15;
  ConnectionProperties m_properties;
  std::shared_ptr<Session> m_session;
  mutable bool m_reconnect = false;
};

}  // namespace ado
