#include "ado/Connection.h"
#include "ado/ErrorMap.h"

#include "ServerFixture.h"

using namespace ado;

TEST_F(ServerTest, PasswordAndPeerLoginsReachTheirRoles) {
  EXPECT_EQ(cn.State(), adStateOpen);
  EXPECT_EQ(cn.DefaultDatabase(), DbName());
  EXPECT_EQ(Scalar("SELECT current_user"), TestServer::User());

  Connection peer;
  TestServer::OpenWithPeer(peer, DbName());
  ado::Recordset rs = peer.Execute("SELECT current_user");
  EXPECT_EQ(rs(0).Value().ToString(), TestServer::OsUser());
  peer.Close();
  EXPECT_EQ(peer.State(), adStateClosed);
}

// What statements and quoting rely on is set by the layer on every
// connection, whatever a database or role default says.
TEST_F(ServerTest, EverySessionGetsTheSettingsTheStatementsRelyOn) {
  cn.Execute("ALTER DATABASE \"" + DbName() + "\" SET search_path = public");
  cn.Execute("ALTER DATABASE \"" + DbName() + "\" SET standard_conforming_strings = off");
  cn.Execute("ALTER ROLE \"" + TestServer::OsUser() + "\" IN DATABASE \"" + DbName() +
             "\" SET client_encoding = 'LATIN1'");
  Connection other;
  TestServer::OpenWithPeer(other, "");
  other.Execute("USE " + DbName());
  for (const char* setting : {"search_path", "standard_conforming_strings", "client_encoding"}) {
    ado::Recordset rs = other.Execute(std::string("SHOW ") + setting);
    const std::string expected = std::string(setting) == "search_path"       ? "dbo, public"
                                 : std::string(setting) == "client_encoding" ? "UTF8"
                                                                             : "on";
    EXPECT_EQ(rs(0).Value().ToString(), expected) << setting;
  }
  // A backslash in a literal is a plain character; text comes back as sent.
  ado::Recordset rs = other.Execute("SELECT length('a\\b') || ' ' || '\xc3\xa4\xe2\x82\xac'");
  EXPECT_EQ(rs(0).Value().ToString(), "3 \xc3\xa4\xe2\x82\xac");
}

TEST_F(ServerTest, ConnectionStringSetsPropertiesAndHidesThePassword) {
  Connection other;
  other.SetConnectionTimeout(8);
  other.Open("Provider=SQLOLEDB.1;Persist Security Info=False;Data Source=" + TestServer::TcpDataSource() +
                 ";Initial Catalog=" + DbName(),
             TestServer::User(), TestServer::Password());
  EXPECT_EQ(other.Provider(), "SQLOLEDB.1");
  EXPECT_EQ(other.Property("data source").ToString(), TestServer::TcpDataSource());
  EXPECT_EQ(other.ConnectionString().find(TestServer::Password()), std::string::npos);
  EXPECT_EQ(ErrorNumberOf([&] { other.Open(); }), errObjectOpen);
}

TEST(ConnectionLogin, RefusalsAndUnreachableServersHaveTheirNumbers) {
  if (!TestServer::Available()) GTEST_SKIP() << TestServer::SkipReason();
  struct Case {
    const char* what;
    std::string source, user, password, integrated, catalog;
    int32_t number;
  } cases[] = {
      {"wrong password", TestServer::TcpDataSource(), TestServer::User(), "wrong", "", "", errLoginRefused},
      {"unknown login", TestServer::TcpDataSource(), "nobody_here", "x", "", "", errLoginRefused},
      {"password on the peer socket", TestServer::SocketDataSource(), TestServer::User(), TestServer::Password(), "",
       "", errLoginRefused},
      {"missing database", TestServer::TcpDataSource(), TestServer::User(), TestServer::Password(), "", "no_such_db",
       errLoginRefused},
      {"nothing listening", "127.0.0.1,1", "u", "p", "", "", errCannotConnect},
      {"no socket folder", "/nonexistent/socket,5432", "", "", "SSPI", "", errCannotConnect},
  };
  for (const auto& c : cases) {
    Connection cn;
    cn.SetProperty("Data Source", c.source);
    if (!c.integrated.empty()) cn.SetProperty("Integrated Security", c.integrated);
    if (!c.user.empty()) cn.SetProperty("User ID", c.user);
    if (!c.password.empty()) cn.SetProperty("Password", c.password);
    if (!c.catalog.empty()) cn.SetProperty("Initial Catalog", c.catalog);
    try {
      cn.Open();
      ADD_FAILURE() << c.what << ": opened";
    } catch (const rt::Error& e) {
      EXPECT_EQ(e.Number(), c.number) << c.what << ": " << e.Description();
      EXPECT_FALSE(e.Description().empty()) << c.what;
    }
    EXPECT_EQ(cn.State(), adStateClosed) << c.what;
  }
}

TEST(ConnectionLogin, ClosedConnectionRefusesStatements) {
  Connection cn;
  EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("SELECT 1"); }), errObjectClosed);
  cn.Close();  // closing a closed connection is harmless
}

TEST_F(ServerTest, UseSwitchesDatabaseWithTheSameLogin) {
  cn.Execute("USE master");
  EXPECT_EQ(cn.DefaultDatabase(), "postgres");
  std::string upper = DbName();
  for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  cn.Execute("USE [" + upper + "];");
  EXPECT_EQ(cn.DefaultDatabase(), DbName());
  EXPECT_EQ(Scalar("SELECT current_user"), TestServer::User());

  // Statements around a USE run on their own databases, in order.
  ado::Recordset rs = cn.Execute("CREATE TABLE here (x int);\nUSE master;\nSELECT current_database()");
  EXPECT_EQ(rs(0).Value().ToString(), "postgres");
  cn.Execute("USE \"" + DbName() + "\"");
  EXPECT_EQ(Scalar("SELECT count(*) FROM here"), "0");

  EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("USE no_such_database"); }), errCommandFailed);
  EXPECT_EQ(cn.DefaultDatabase(), DbName());

  // Inside a transaction, USE of the database in use goes on with it; any
  // other database is refused.
  cn.Execute("BEGIN; INSERT INTO here VALUES (1);\nUSE \"" + DbName() + "\";\nINSERT INTO here VALUES (2)");
  EXPECT_TRUE(cn.InTransaction());
  EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("USE master"); }), errCommandFailed);
  cn.Execute("ROLLBACK");
  EXPECT_EQ(Scalar("SELECT count(*) FROM here"), "0");
}

TEST_F(ServerTest, ExecuteReportsRowsAffectedAndRunsWholeBatches) {
  int32_t affected = 0;
  cn.Execute(
      "CREATE TABLE t (id int PRIMARY KEY, name text);\n"
      "CREATE FUNCTION twice(v int) RETURNS int LANGUAGE plpgsql AS $$\n"
      "DECLARE r int;\nBEGIN\n  r := v * 2; -- a ';' inside the body\n  RETURN r;\nEND;\n$$;\n"
      "INSERT INTO t VALUES (1, 'a'), (2, 'b'), (3, 'c');",
      &affected);
  EXPECT_EQ(affected, 3);
  ado::Recordset none = cn.Execute("DELETE FROM t WHERE id > ?", {rt::Variant(1)}, &affected, adCmdText | adExecuteNoRecords);
  EXPECT_EQ(affected, 2);
  EXPECT_EQ(none.State(), adStateClosed);
  EXPECT_EQ(Scalar("SELECT twice(21)"), "42");
  cn.Execute("SELECT 1", &affected);
  EXPECT_EQ(affected, -1);
}

TEST_F(ServerTest, FailedStatementsCarryTheirNumbersAndTheServersText) {
  cn.Execute("CREATE TABLE u (id int PRIMARY KEY, name text NOT NULL)");
  cn.Execute("INSERT INTO u VALUES (1, 'a')");
  // A role without rights on u; the batch that takes it on fails as a
  // whole, so the session keeps its own login.
  const std::string noRights = DbName() + "_norights";
  cn.Execute("CREATE ROLE \"" + noRights + "\" NOLOGIN");
  struct Case {
    std::string sql;
    int32_t number;
    const char* text;
  } cases[] = {
      {"SELEC 1", errCommandFailed, "syntax error"},
      {"SELECT * FROM missing_table", errCommandFailed, "missing_table"},
      {"INSERT INTO u VALUES (1, 'b')", errIntegrityViolation, "duplicate key"},
      {"INSERT INTO u VALUES (2, NULL)", errIntegrityViolation, "null value"},
      {"SET ROLE \"" + noRights + "\"; SELECT * FROM u", errPermissionDenied, "permission denied"},
  };
  for (const auto& c : cases) {
    try {
      cn.Execute(c.sql);
      ADD_FAILURE() << c.sql;
    } catch (const rt::Error& e) {
      EXPECT_EQ(e.Number(), c.number) << c.sql;
      EXPECT_NE(e.Description().find(c.text), std::string::npos) << e.Description();
    }
  }
  EXPECT_EQ(Scalar("SELECT current_user"), TestServer::User());
  cn.Execute("DROP ROLE \"" + noRights + "\"");
}

// The server ends the session under the program (as a stop or restart of
// the server does): the statement fails as a lost connection, so does
// every later one without going to the server, and the transaction that
// was open is gone with everything it wrote. Only after
// ReconnectOnNextUse does the next statement connect again, with the same
// login on the same database.
TEST_F(ServerTest, ALostConnectionFailsAtOnceUntilItMayReconnect) {
  cn.Execute("CREATE TABLE t (id int PRIMARY KEY)");
  const std::string pid = Scalar("SELECT pg_backend_pid()");
  cn.BeginTrans();
  cn.Execute("INSERT INTO t VALUES (1)");
  Connection other;
  TestServer::OpenWithPassword(other, DbName());
  auto otherScalar = [&](const std::string& sql) { return other.Execute(sql)(0).Value().ToString(); };
  EXPECT_TRUE(other.Execute("SELECT pg_terminate_backend(" + pid + ", 10000)")(0).Value().ToBool());

  auto expectLost = [&](const char* what) {
    try {
      cn.Execute("INSERT INTO t VALUES (2)");
      ADD_FAILURE() << what << ": ran";
    } catch (const rt::Error& e) {
      EXPECT_EQ(e.Number(), errCannotConnect) << what;
      EXPECT_EQ(e.Description().rfind(kConnectionLost, 0), 0u) << what << ": " << e.Description();
    }
    EXPECT_TRUE(cn.Lost()) << what;
    EXPECT_EQ(cn.State(), adStateOpen) << what;
    EXPECT_FALSE(cn.InTransaction()) << what;
  };
  expectLost("the statement that meets the loss");
  expectLost("a later statement");
  EXPECT_EQ(ErrorNumberOf([&] { cn.RollbackTrans(); }), errCannotConnect);
  EXPECT_EQ(otherScalar("SELECT count(*) FROM pg_stat_activity WHERE usename = current_user AND datname = "
                        "current_database()"),
            "1");

  cn.ReconnectOnNextUse();
  EXPECT_EQ(Scalar("SELECT count(*) FROM t"), "0");
  EXPECT_FALSE(cn.Lost());
  EXPECT_EQ(cn.DefaultDatabase(), DbName());
  EXPECT_EQ(Scalar("SELECT current_user"), TestServer::User());
  cn.Execute("INSERT INTO t VALUES (3)");
  EXPECT_EQ(otherScalar("SELECT count(*) FROM t"), "1");

  // Not lost: asking for a reconnect changes nothing.
  const std::string again = Scalar("SELECT pg_backend_pid()");
  cn.ReconnectOnNextUse();
  EXPECT_EQ(Scalar("SELECT pg_backend_pid()"), again);
}

// The server ends the session while the program is idle (as a restart of
// the server does): the next statement outside a transaction runs on a new
// connection with the same login on the same database, whatever its kind;
// inside a transaction it fails as lost, with the transaction's work gone.
TEST_F(ServerTest, AStatementOutsideATransactionRunsAgainOnANewConnection) {
  cn.Execute("CREATE TABLE t (id int PRIMARY KEY, name text)");
  cn.Execute("CREATE SEQUENCE s");
  Connection other;
  TestServer::OpenWithPassword(other, DbName());
  auto otherScalar = [&](const std::string& sql) { return other.Execute(sql)(0).Value().ToString(); };
  auto endSession = [&] {
    const std::string pid = Scalar("SELECT pg_backend_pid()");
    EXPECT_TRUE(other.Execute("SELECT pg_terminate_backend(" + pid + ", 10000)")(0).Value().ToBool());
  };

  ado::Recordset rs;
  rs.Open("SELECT id, name FROM t", cn, adOpenKeyset, adLockOptimistic);
  struct Case {
    const char* name;
    std::function<void()> run;
  };
  const Case cases[] = {
      {"a batch", [&] { cn.Execute("INSERT INTO t VALUES (1, 'batch')"); }},
      {"a statement with parameters",
       [&] {
         cn.Execute("INSERT INTO t VALUES (?, ?)", {rt::Variant(2), rt::Variant("p")});
       }},
      {"a recordset's new row",
       [&] {
         rs.AddNew();
         rs("id") = rt::Variant(3);
         rs("name") = rt::Variant("row");
         rs.Update();
       }},
      {"a transaction",
       [&] {
         cn.BeginTrans();
         cn.Execute("INSERT INTO t VALUES (4, 'transaction')");
         cn.CommitTrans();
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    endSession();
    c.run();
    EXPECT_FALSE(cn.Lost());
  }
  EXPECT_EQ(otherScalar("SELECT string_agg(name, ',' ORDER BY id) FROM t"), "batch,p,row,transaction");
  EXPECT_EQ(cn.DefaultDatabase(), DbName());
  EXPECT_EQ(Scalar("SELECT current_user"), TestServer::User());

  // Ended under the statement itself: run again once, and no more.
  EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("SELECT nextval('s'), pg_terminate_backend(pg_backend_pid())"); }),
            errCannotConnect);
  EXPECT_TRUE(cn.Lost());
  EXPECT_EQ(otherScalar("SELECT last_value FROM s"), "2");
  cn.ReconnectOnNextUse();

  // Inside a transaction the loss is told and the transaction is gone.
  cn.BeginTrans();
  cn.Execute("INSERT INTO t VALUES (5, 'lost')");
  endSession();
  EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("INSERT INTO t VALUES (6, 'lost')"); }), errCannotConnect);
  EXPECT_TRUE(cn.Lost());
  EXPECT_FALSE(cn.InTransaction());
  EXPECT_EQ(otherScalar("SELECT count(*) FROM t"), "4");
}

TEST_F(ServerTest, FailedBatchInTransactionLeavesNoTransactionOpen) {
  cn.Execute("CREATE TABLE t (id int PRIMARY KEY)");
  EXPECT_EQ(cn.BeginTrans(), 1);
  EXPECT_EQ(ErrorNumberOf([&] { cn.BeginTrans(); }), errTransactionExists);
  cn.Execute("INSERT INTO t VALUES (1)");
  EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("INSERT INTO t VALUES (1)"); }), errIntegrityViolation);
  EXPECT_FALSE(cn.InTransaction());
  EXPECT_EQ(ErrorNumberOf([&] { cn.CommitTrans(); }), errNoTransaction);
  EXPECT_EQ(Scalar("SELECT count(*) FROM t"), "0");

  cn.BeginTrans();
  cn.Execute("INSERT INTO t VALUES (2)");
  cn.CommitTrans();
  EXPECT_EQ(Scalar("SELECT count(*) FROM t"), "1");
}

TEST_F(ServerTest, ParametersCarryQuotesAsPlainText) {
  cn.Execute("CREATE TABLE p (name text, n smallint, flag boolean, stamp timestamp)");
  const std::string nasty = "O'Brien'); DROP TABLE p; --";
  int32_t affected = 0;
  cn.Execute("INSERT INTO p VALUES (?, ?, ?, ?)",
             {rt::Variant(nasty), rt::Variant(int32_t{7}), rt::Variant(true), rt::Variant(rt::DateValue{45000.5})},
             &affected);
  EXPECT_EQ(affected, 1);
  // A "?" inside a literal is text, not a placeholder.
  ado::Recordset rs = cn.Execute("SELECT '?' AS q, name, n, flag, stamp FROM p WHERE name = ?", {rt::Variant(nasty)});
  ASSERT_FALSE(rs.Eof());
  EXPECT_EQ(rs("q").Value().ToString(), "?");
  EXPECT_EQ(rs("name").Value().ToString(), nasty);
  EXPECT_EQ(rs("n").Value().Type(), rt::VarType::Integer);
  EXPECT_EQ(rs("flag").Value().Type(), rt::VarType::Boolean);
  EXPECT_TRUE(rs("flag").Value().ToBool());
  EXPECT_EQ(rs("stamp").Value(), rt::Variant(rt::DateValue{45000.5}));
  EXPECT_EQ(ErrorNumberOf([&] { cn.Execute("SELECT ?, ?", {rt::Variant(1)}); }), errMissingParameter);
}
