#include <gtest/gtest.h>

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

TEST(AccountDirectoryOfTheSystem, ListsTheAccountsOfThisMachine) {
  const std::vector<std::string> domains = Directory().Domains();
  ASSERT_FALSE(domains.empty());
  for (const DirectoryAccount& account : Directory().Users(domains.front())) EXPECT_FALSE(account.name.empty());
  EXPECT_EQ(Directory().Account(domains.front(), "root").name, "root");
}

}  // namespace
}  // namespace qvadmin
