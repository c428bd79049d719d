#include <gtest/gtest.h>

#include "CoreTestSupport.h"
#include "core/ConnectSQLServer.h"

namespace qvadmin {
namespace {

class ConnectSQLServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QV_REQUIRE_SERVER();
    test::ResetSession();
  }
  void TearDown() override {
    if (cnMain) cnMain->Close();
  }
};

TEST_F(ConnectSQLServerTest, SqlServerAuthenticationOpensWithoutCatalog) {
  test::Captured captured;
  EXPECT_TRUE(ConnectSQLServer(false, true, ado::TestServer::TcpDataSource(), ado::TestServer::User(),
                               ado::TestServer::Password()));
  EXPECT_EQ(cnMain->State(), ado::adStateOpen);
  EXPECT_EQ(cnMain->DefaultDatabase(), "postgres");
  EXPECT_EQ(cnMain->ConnectionTimeout(), 8);
  EXPECT_EQ(cnMain->Provider(), "SQLOLEDB.1");
  EXPECT_TRUE(captured.Messages().empty());
  EXPECT_EQ(captured.Status(), std::vector<std::string>{""});
}

TEST_F(ConnectSQLServerTest, SwitchingAuthenticationKeepsNothingOfTheOtherLogin) {
  test::Captured captured;
  ASSERT_TRUE(ConnectSQLServer(false, true, ado::TestServer::TcpDataSource(), ado::TestServer::User(),
                               ado::TestServer::Password()));
  EXPECT_TRUE(ConnectSQLServer(false, false, ado::TestServer::SocketDataSource(), "", ""));
  EXPECT_EQ(cnMain->Execute("SELECT current_user").Fields(0).Value().ToString(), ado::TestServer::OsUser());
  ASSERT_TRUE(ConnectSQLServer(false, true, ado::TestServer::TcpDataSource(), ado::TestServer::User(),
                               ado::TestServer::Password()));
  EXPECT_EQ(cnMain->Execute("SELECT current_user").Fields(0).Value().ToString(), ado::TestServer::User());
  EXPECT_TRUE(captured.Messages().empty());
}

TEST_F(ConnectSQLServerTest, RefusedLogin) {
  test::Captured captured;
  EXPECT_FALSE(ConnectSQLServer(false, true, ado::TestServer::TcpDataSource(), ado::TestServer::User(), "wrong"));
  EXPECT_NE(cnMain->State(), ado::adStateOpen);
  EXPECT_EQ(captured.Status(), std::vector<std::string>{"<Wrong Access Data!>"});
  ASSERT_EQ(captured.Messages().size(), 1u);
  const auto& m = captured.Messages()[0];
  EXPECT_EQ(m.buttons, 16);
  // The server's reason is in the text, not only in the title.
  EXPECT_EQ(m.prompt.rfind("Please check your login and password!\r\r", 0), 0u) << m.prompt;
  EXPECT_NE(m.prompt.find("password authentication failed for user \"" + ado::TestServer::User() + "\""),
            std::string::npos)
      << m.prompt;
  EXPECT_EQ(m.title.rfind("No Connection - ", 0), 0u) << m.title;
  EXPECT_GT(m.title.size(), std::string("No Connection - ").size());
}

TEST_F(ConnectSQLServerTest, NoServer) {
  test::Captured captured;
  EXPECT_FALSE(ConnectSQLServer(false, true, "127.0.0.1,1", "sa", "secret"));
  EXPECT_EQ(captured.Status(), std::vector<std::string>{"<No SQL Server found!>"});
  ASSERT_EQ(captured.Messages().size(), 1u);
  const auto& m = captured.Messages()[0];
  EXPECT_EQ(m.buttons, 16);
  EXPECT_EQ(m.title, "Error: " + std::to_string(ado::errCannotConnect));
  const std::string tail = "\r\rPlease check the connection to Microsoft SQL Server.";
  ASSERT_GT(m.prompt.size(), tail.size());
  EXPECT_EQ(m.prompt.substr(m.prompt.size() - tail.size()), tail);
}

TEST_F(ConnectSQLServerTest, WithTheMasterDatabaseTheStatusLineStaysUntouched) {
  test::Captured captured;
  EXPECT_FALSE(ConnectSQLServer(true, true, "127.0.0.1,1", "sa", "secret"));
  EXPECT_TRUE(captured.Status().empty());
  EXPECT_EQ(captured.Messages().size(), 1u);
}

TEST_F(ConnectSQLServerTest, SqlServerAuthenticationWithoutUserAndPassword) {
  test::Captured captured;
  EXPECT_FALSE(ConnectSQLServer(false, true, ado::TestServer::TcpDataSource(), "  ", ""));
  ASSERT_EQ(captured.Messages().size(), 1u);
  const auto& m = captured.Messages()[0];
  EXPECT_EQ(m.buttons, 48);
  EXPECT_EQ(m.prompt, "The Server authentication\rrequires a user name.");
  EXPECT_EQ(m.title, "The server login failed!");
  EXPECT_TRUE(captured.Status().empty());
}

}  // namespace
}  // namespace qvadmin
