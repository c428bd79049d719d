// The database server goes away under a running session (stopped on a
// server of the test's own) and comes back: every action tells the lost
// connection once, plainly; nothing is half written; the first action after
// the server is back connects again with the session's login.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ado/ErrorMap.h"
#include "core/ConnectionLoss.h"
#include "core/DockedViews.h"
#include "forms/CheckBox.h"
#include "forms/lists/ReportControl.h"
#include "main/frmKonfig.h"
#include "main/tests/PrivateServer.h"
#include "main/tests/SessionTest.h"
#include "users/frmUser.h"
#include "win/MessageQueue.h"

namespace qvadmin {
namespace {

class ConnectionLoss : public test::SessionTest {
 protected:
  // Runs one action of the user and returns the texts of the messages it
  // showed; afterwards the message loop runs, as it does between actions.
  std::vector<std::string> Act(const std::function<void()>& action) {
    msg->calls.clear();
    action();
    std::vector<std::string> prompts;
    for (const auto& call : msg->calls) prompts.push_back(call[0].ToString());
    win::DoEvents();
    return prompts;
  }
  void Click(const std::string& key) { dock->ClickTool(dock->Tool(key)); }
  // Konfig.UsersAutoReg as the server has it, read over a connection of
  // its own.
  std::string AutoRegistration(const test::PrivateServer& server) {
    ado::Connection cn;
    cn.SetProperty("Data Source", server.TcpDataSource());
    cn.SetProperty("User ID", server.User());
    cn.SetProperty("Password", server.Password());
    cn.SetProperty("Initial Catalog", kMasterDatabase);
    cn.Open();
    return cn.Execute("SELECT UsersAutoReg FROM Konfig")(0).Value().ToString();
  }
};

TEST_F(ConnectionLoss, IsToldOncePerActionAndTheFirstActionAfterTheServerIsBackConnectsAgain) {
  QV_REQUIRE_SERVER();
  test::PrivateServer server;
  ASSERT_TRUE(server.Running());
  LoginWith({server.TcpDataSource(), true, server.User(), server.Password(), false});
  ASSERT_FALSE(CurrentUserID.empty());
  const std::vector<std::string> told{kConnectionLostText};
  const std::vector<std::string> nothing;

  // The configuration and the users are open; the user who runs the
  // program is listed.
  const std::shared_ptr<frmKonfig> konfig = frmKonfig::Default();
  ShowDockedForm(konfig);
  const std::shared_ptr<frmUser> users = frmUser::Default();
  ShowDockedForm(users);
  ASSERT_EQ(users->rctUser()->RowCount(), 1);
  users->rctUser()->SetFocusedRow(0);

  ASSERT_TRUE(server.Stop());
  // Opening the user: the dialog's loading and its start fail.
  EXPECT_EQ(Act([&] { Click("Eigenschaften"); }), told);
  EXPECT_EQ(Act([&] { Click("Refresh"); }), told);
  // A change of the configuration is not saved.
  EXPECT_EQ(Act([&] { ShowDockedForm(konfig); }), told);
  konfig->Get<forms::CheckBox>("chkAutoReg")->SetValue(0);
  EXPECT_EQ(Act([&] { Click("Save"); }), told);
  // The update hand-over says the loss, not that it is not configured.
  EXPECT_EQ(Act([&] { Click("AutoUpdate"); }), told);
  // The details give the server's reason and the procedure.
  EXPECT_NE(msg->calls[0][6].ToString().find(ado::kConnectionLost), std::string::npos) << msg->calls[0][6].ToString();

  ASSERT_TRUE(server.Start());
  EXPECT_EQ(AutoRegistration(server), "True");  // nothing was written meanwhile
  EXPECT_EQ(Act([&] { Click("Save"); }), nothing);
  EXPECT_EQ(AutoRegistration(server), "False");
  EXPECT_FALSE(cnMain->Lost());
  EXPECT_EQ(Act([&] { ShowDockedForm(users); }), nothing);
  EXPECT_EQ(users->rctUser()->RowCount(), 1);
  users->Unload();
  konfig->Unload();
}

// The server restarts while the program is idle: the first action after it
// runs on a new connection, with nothing told.
TEST_F(ConnectionLoss, AServerRestartedWhileTheProgramWasIdleIsNotNoticed) {
  QV_REQUIRE_SERVER();
  test::PrivateServer server;
  ASSERT_TRUE(server.Running());
  LoginWith({server.TcpDataSource(), true, server.User(), server.Password(), false});
  const std::shared_ptr<frmKonfig> konfig = frmKonfig::Default();
  ShowDockedForm(konfig);
  const std::shared_ptr<frmUser> users = frmUser::Default();
  ShowDockedForm(users);
  ASSERT_EQ(users->rctUser()->RowCount(), 1);
  const std::vector<std::string> nothing;

  ASSERT_TRUE(server.Stop());
  ASSERT_TRUE(server.Start());
  EXPECT_EQ(Act([&] { Click("Refresh"); }), nothing);
  EXPECT_EQ(users->rctUser()->RowCount(), 1);
  // A save goes through as well.
  EXPECT_EQ(Act([&] { ShowDockedForm(konfig); }), nothing);
  konfig->Get<forms::CheckBox>("chkAutoReg")->SetValue(0);
  ASSERT_TRUE(server.Stop());
  ASSERT_TRUE(server.Start());
  EXPECT_EQ(Act([&] { Click("Save"); }), nothing);
  EXPECT_EQ(AutoRegistration(server), "False");
  users->Unload();
  konfig->Unload();
}

}  // namespace
}  // namespace qvadmin
