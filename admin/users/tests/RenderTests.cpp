// Renders of the views and dialogs filled from the test database, as PNG
// files in the build folder, to look at.
#include <gtest/gtest.h>

#include <cstdlib>

#include "UsersTestSupport.h"
#include "core/DockedViews.h"
#include "forms/containers/TabControl.h"
#include "users/AccountDirectory.h"
#include "users/frmAddWinUsr.h"
#include "users/frmDBPflege.h"
#include "users/frmUser.h"
#include "users/frmUserEdit.h"
#include "users/wizNewDB.h"

namespace qvadmin {
namespace {

std::string PngPath(const std::string& name) {
  const char* build = std::getenv("QV_BUILD_DIR");
  return std::string(build ? build : ".") + "/users-" + name + ".png";
}

class Renders : public test::UsersTest {};

TEST_F(Renders, ViewsAndDialogsFilledFromTheDatabase) {
  const std::string group = test::AddGroupRow("Editors");
  for (const std::string& name : test::AwkwardNames()) test::Join(test::AddUserRow("x" + name, name, true, 15201381), group);
  test::Exec("INSERT INTO DBList (Bez, MInf, Privat) VALUES ('Handbook', 'Company handbook', false), ('Support', NULL, false)");

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

  auto databases = frmDBPflege::Default();
  ShowDockedForm(databases);
  EXPECT_TRUE(databases->RenderToPng(PngPath("frmDBPflege")));

  OnDialog<wizNewDB>([](wizNewDB& wizard) {
    for (int page = 1; page <= 4; ++page) {
      EXPECT_TRUE(wizard.RenderToPng(PngPath("wizNewDB-" + std::to_string(page))));
      if (page < 4) test::ClickOn(wizard, "cmdWiz", 2);
    }
    wizard.Unload();
  });
  databases->AddDB();

  auto import = frmAddWinUsr::Default();
  import->Load();
  EXPECT_TRUE(import->RenderToPng(PngPath("frmAddWinUsr")));
}

}  // namespace
}  // namespace qvadmin
