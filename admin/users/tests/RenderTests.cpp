// Renders of the views and dialogs filled from the test database, as PNG
// files in the build folder, to look at.
#include <gtest/gtest.h>

#include "UsersTestSupport.h"
#include "core/DockedViews.h"
#include "forms/containers/TabControl.h"
#include "forms/controls/ComboBox.h"
#include "users/AccountDirectory.h"
#include "users/frmAddWinUsr.h"
#include "users/frmDBEdit.h"
#include "users/frmDBPflege.h"
#include "users/frmGrpEdit.h"
#include "users/frmUser.h"
#include "users/frmUserEdit.h"
#include "users/wizNewDB.h"

namespace qvadmin {
namespace {

using test::PngPath;

class Renders : public test::UsersTest {};

TEST_F(Renders, ViewsAndDialogsFilledFromTheDatabase) {
  const std::string group = test::AddGroupRow("Editors");
  for (const std::string& name : test::AwkwardNames())
    test::Join(test::AddUserRow("x" + name, name, true, 15201381), group);
  test::Exec(
      "INSERT INTO DBList (Bez, MInf, Privat) VALUES ('Handbook', 'Company handbook', false), ('Support', NULL, "
      "false)");

  auto users = frmUser::Default();
  ShowDockedForm(users);
  EXPECT_TRUE(users->RenderToPng(PngPath("frmUser")));

  OnDialog<frmUserEdit>([](frmUserEdit& dialog) {
    EXPECT_TRUE(dialog.RenderToPng(PngPath("frmUserEdit-general")));
    dialog.Get<forms::TabControl>("tabEdit")->SetSelectedItem(1);
    EXPECT_TRUE(dialog.RenderToPng(PngPath("frmUserEdit-groups")));
    dialog.Unload();
  });
  users->Eigenschaften();

  OnDialog<frmGrpEdit>([](frmGrpEdit& dialog) {
    EXPECT_TRUE(dialog.RenderToPng(PngPath("frmGrpEdit-general")));
    dialog.Get<forms::TabControl>("tabEdit")->SetSelectedItem(1);
    EXPECT_TRUE(dialog.RenderToPng(PngPath("frmGrpEdit-users")));
    dialog.Unload();
  });
  frmGrpEdit::Default()->Init(group);

  auto databases = frmDBPflege::Default();
  ShowDockedForm(databases);
  EXPECT_TRUE(databases->RenderToPng(PngPath("frmDBPflege")));

  OnDialog<frmDBEdit>([](frmDBEdit& dialog) {
    EXPECT_TRUE(dialog.RenderToPng(PngPath("frmDBEdit-general")));
    dialog.Get<forms::TabControl>("tabEdit")->SetSelectedItem(1);
    EXPECT_TRUE(dialog.RenderToPng(PngPath("frmDBEdit-groups")));
    dialog.Unload();
  });
  databases->Eigenschaften();

  OnDialog<wizNewDB>([](wizNewDB& wizard) {
    for (int page = 1; page <= 4; ++page) {
      EXPECT_TRUE(wizard.RenderToPng(PngPath("wizNewDB-" + std::to_string(page))));
      if (page < 4) test::ClickOn(wizard, "cmdWiz", 2);
    }
    wizard.Unload();
  });
  databases->AddDB();

  // The import with two accounts of a domain reserved: the account lists,
  // the details of the one selected and the groups they will join.
  SetAccountDirectory(std::make_shared<test::FixtureDirectory>());
  auto import = frmAddWinUsr::Default();
  import->Load();
  import->Get<forms::ComboBox>("cboDomains")->SetListIndex(1);
  auto& accounts = *import->Get<forms::ReportControl>("rctUsr", 0);
  accounts.SetRowSelected(1, true);
  accounts.SetRowSelected(3, true);
  import->Control("cmdMove", 0)->SetEnabled(true);
  test::ClickOn(*import, "cmdMove", 0);
  test::SelectRowByKeys(accounts, 0);
  EXPECT_TRUE(import->RenderToPng(PngPath("frmAddWinUsr")));
  import->Get<forms::TabControl>("tabInf", 0)->SetSelectedItem(1);
  import->Get<forms::TabControl>("tabInf", 1)->SetSelectedItem(2);
  EXPECT_TRUE(import->RenderToPng(PngPath("frmAddWinUsr-details")));
  SetAccountDirectory(nullptr);
}

}  // namespace
}  // namespace qvadmin
