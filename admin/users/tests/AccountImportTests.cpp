#include <gtest/gtest.h>

#include <algorithm>

#include "UsersTestSupport.h"
#include "forms/controls/ComboBox.h"
#include "users/AccountDirectory.h"
#include "users/frmAddWinUsr.h"

namespace qvadmin {
namespace {

using test::Count;
using test::Scalar;

class AccountImport : public test::UsersTest {
 protected:
  void SetUp() override {
    test::UsersTest::SetUp();
    SetAccountDirectory(std::make_shared<test::FixtureDirectory>());
  }
  void TearDown() override {
    SetAccountDirectory(nullptr);
    test::UsersTest::TearDown();
  }
};

TEST_F(AccountImport, ImportsEachAccountWithItsGroupsAndKeepsTheRefusedOne) {
  test::AddUserRow("EXISTING", "Case differs only");
  auto dialog = frmAddWinUsr::Default();
  dialog->Load();
  auto domains = dialog->Get<forms::ComboBox>("cboDomains");
  ASSERT_EQ(domains->ListCount(), 2);
  domains->SetListIndex(1);  // OFFICE
  auto& accounts = *dialog->Get<forms::ReportControl>("rctUsr", 0);
  ASSERT_EQ(accounts.RowCount(), 4);
  for (int32_t row = 0; row < accounts.RowCount(); ++row) accounts.SetRowSelected(row, true);
  dialog->Control("cmdMove", 0)->SetEnabled(true);
  test::ClickOn(*dialog, "cmdMove", 0);
  auto& reserved = *dialog->Get<forms::ReportControl>("rctUsr", 1);
  ASSERT_EQ(reserved.RecordCount(), 4);

  EXPECT_FALSE(dialog->ImportUsers());
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "User already exists!");
  ASSERT_EQ(reserved.RecordCount(), 1);
  EXPECT_EQ(reserved.Record(0)->Item(0).Caption(), "existing");
  const int32_t defaultGroups =
      Count("SELECT count(*) FROM Benutzer_Gruppen WHERE UserID=?", {rt::Variant(kDefaultUserID)});
  for (const char* login : {"anna", "ben", "łucja"}) {
    const rt::Variant id = Scalar("SELECT ID FROM Benutzer WHERE WinUsr=? AND Aktiv", {rt::Variant(login)});
    ASSERT_FALSE(id.IsNull()) << login;
    EXPECT_EQ(Count("SELECT count(*) FROM Benutzer_Gruppen WHERE UserID=?", {id}), defaultGroups) << login;
  }
  EXPECT_EQ(Scalar("SELECT Fullname FROM Benutzer WHERE WinUsr='ben'").ToString(), "Ben; Backslash \\");
  EXPECT_TRUE(dialog->UsersImported());
}

// Only a login that exists keeps an account reserved as "already exists";
// any other refusal of the server is reported and ends the import there.
TEST_F(AccountImport, AnyOtherRefusalIsReportedAndStopsTheImport) {
  struct Case {
    const char* name;
    std::string benFullname;  // ben's full name in the directory
    bool groupDeleted;        // the default user's group goes after the dialog loaded
    std::string refused;      // the account the server refuses
    std::vector<std::string> imported, reserved;
  };
  const std::vector<Case> cases{
      {"a full name longer than the column", std::string(81, 'B'), false, "ben", {"anna"}, {"existing", "ben"}},
      {"a group deleted meanwhile", "Ben", true, "anna", {}, {"existing", "ben", "anna"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    SetUp();
    auto directory = std::make_shared<test::FixtureDirectory>();
    for (auto& account : directory->domains["OFFICE"]) {
      if (account.name == "ben") account.fullname = c.benFullname;
    }
    SetAccountDirectory(directory);
    const std::string group = test::AddGroupRow("Doomed");
    test::Join(kDefaultUserID, group);
    auto dialog = frmAddWinUsr::Default();
    dialog->Load();
    dialog->Get<forms::ComboBox>("cboDomains")->SetListIndex(1);  // OFFICE
    auto& accounts = *dialog->Get<forms::ReportControl>("rctUsr", 0);
    // anna, ben and existing; the import takes them in the order anna, ben, existing.
    for (int32_t row = 0; row < 3; ++row) accounts.SetRowSelected(row, true);
    dialog->Control("cmdMove", 0)->SetEnabled(true);
    test::ClickOn(*dialog, "cmdMove", 0);
    if (c.groupDeleted) test::Exec("DELETE FROM Gruppen WHERE ID=?", {rt::Variant(group)});

    EXPECT_FALSE(dialog->ImportUsers());
    ASSERT_EQ(test::RecordingMsg::Calls().size(), 1u);
    EXPECT_NE(test::RecordingMsg::Calls()[0].details.find("Procedure: \"Windows User Import: "), std::string::npos);
    EXPECT_NE(test::RecordingMsg::Calls()[0].details.find("Windows-User: " + c.refused + "<br>"), std::string::npos);
    for (const auto& message : messages) EXPECT_NE(message.title, "User already exists!");
    std::vector<std::string> reserved;
    auto& list = *dialog->Get<forms::ReportControl>("rctUsr", 1);
    for (int32_t r = 0; r < list.RecordCount(); ++r) reserved.push_back(list.Record(r)->Item(0).Caption());
    EXPECT_EQ(reserved, c.reserved);
    for (const char* login : {"anna", "ben", "existing"}) {
      const bool expected = std::find(c.imported.begin(), c.imported.end(), login) != c.imported.end();
      EXPECT_EQ(Count("SELECT count(*) FROM Benutzer WHERE WinUsr=?", {rt::Variant(login)}), expected ? 1 : 0) << login;
    }
    TearDown();
  }
}

TEST(AccountDirectoryOfTheSystem, ListsTheAccountsOfThisMachine) {
  const std::vector<std::string> domains = Directory().Domains();
  ASSERT_FALSE(domains.empty());
  for (const DirectoryAccount& account : Directory().Users(domains.front())) EXPECT_FALSE(account.name.empty());
  EXPECT_EQ(Directory().Account(domains.front(), "root").name, "root");
}

}  // namespace
}  // namespace qvadmin
