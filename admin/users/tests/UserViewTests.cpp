#include <gtest/gtest.h>

#include "UsersTestSupport.h"
#include "core/DockedViews.h"
#include "forms/CheckBox.h"
#include "forms/controls/FlatEdit.h"
#include "forms/docking/DockStudio.h"
#include "runtime/Date.h"
#include "users/frmGrpEdit.h"
#include "users/frmUser.h"
#include "users/frmUserEdit.h"

namespace qvadmin {
namespace {

using test::Count;
using test::Scalar;

class UserView : public test::UsersTest {
 protected:
  std::shared_ptr<frmUser> Open() {
    auto view = frmUser::Default();
    ShowDockedForm(view);
    return view;
  }
  std::vector<std::string> Column(forms::ReportControl& list, int32_t item) {
    std::vector<std::string> texts;
    for (int32_t r = 0; r < list.RowCount(); ++r) texts.push_back(list.RowRecord(r)->Item(item).Caption());
    return texts;
  }
};

TEST_F(UserView, ListsAwkwardNamesAndAnUndecodableStampAsEmpty) {
  for (const std::string& name : test::AwkwardNames()) test::AddUserRow("x" + name, name, true, 15201381);
  test::AddUserRow("broken", "Broken stamp", true, 7);
  test::AddUserRow("gone", "Inactive", false);
  auto view = Open();
  auto users = view->rctUser();
  const std::vector<std::string> names = Column(*users, 2);
  for (const std::string& name : test::AwkwardNames())
    EXPECT_NE(std::find(names.begin(), names.end(), name), names.end());
  for (int32_t r = 0; r < users->RowCount(); ++r) {
    const auto& record = *users->RowRecord(r);
    if (record.Item(1).Caption() == "broken") {
      EXPECT_TRUE(record.Item(7).Value().IsNull());
    }
    if (record.Item(1).Caption() == "xO'Brien") {
      EXPECT_EQ(record.Item(7).Value().ToDate(), rt::DateSerial(2024, 3, 5));
    }
  }
  EXPECT_EQ(users->FocusedRow(), 0);
  // The deactivated users' node lists the inactive one only.
  view->treDB()->SetSelectedItem(view->treDB()->Node(3).get());
  view->Aktualisieren();
  const std::vector<std::string> inactive = Column(*users, 1);
  EXPECT_NE(std::find(inactive.begin(), inactive.end(), "gone"), inactive.end());
  EXPECT_EQ(std::find(inactive.begin(), inactive.end(), "broken"), inactive.end());
}

TEST_F(UserView, DeletingNeverReachesTheDefaultUserAndSelectsTheRowAbove) {
  test::AddUserRow("a-user", "A");
  test::AddUserRow("b-user", "B");
  auto view = Open();
  auto users = view->rctUser();
  // The default user (inactive) is refused before any confirmation.
  view->treDB()->SetSelectedItem(view->treDB()->Node(3).get());
  view->Aktualisieren();
  for (int32_t r = 0; r < users->RowCount(); ++r) {
    if (users->RowRecord(r)->Item(0).Caption() == kDefaultUserID) users->SetFocusedRow(r);
  }
  view->Delete();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].prompt, "The default user can not be deleted!");
  EXPECT_EQ(Count("SELECT count(*) FROM Benutzer WHERE ID=?", {rt::Variant(kDefaultUserID)}), 1);

  messages.clear();
  answer = 6;
  view->treDB()->SetSelectedItem(view->treDB()->Node(2).get());
  view->Aktualisieren();
  const std::vector<std::string> before = Column(*users, 1);
  const auto b = std::find(before.begin(), before.end(), "b-user") - before.begin();
  users->SetFocusedRow(static_cast<int32_t>(b));
  view->Delete();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].title, "Confirmation for deletion is required.");
  EXPECT_EQ(Count("SELECT count(*) FROM Benutzer WHERE WinUsr='b-user'"), 0);
  EXPECT_EQ(users->SelectedRows(), std::vector<int32_t>{static_cast<int32_t>(b - 1)});
}

TEST_F(UserView, NewUserTakesTheDefaultGroupsAndKeepsItsIdOnlyAfterASavedRecord) {
  test::AddUserRow("taken", "Someone");
  auto view = Open();
  OnDialog<frmUserEdit>([&](frmUserEdit& dialog) {
    dialog.Get<forms::FlatEdit>("txtWinUsr")->SetText("ta ken");  // blanks go
    dialog.Get<forms::FlatEdit>("txtFullname")->SetText("Ωμέγα O'Brien; back\\slash");
    EXPECT_EQ(dialog.Get<forms::FlatEdit>("txtWinUsr")->Text(), "taken");
    test::ClickOn(dialog, "cmdSave");  // the login exists
    EXPECT_EQ(dialog.EditID(), "");
    EXPECT_TRUE(dialog.GroupsChanged());
    EXPECT_EQ(dialog.Caption(), "Add User");
    dialog.Get<forms::FlatEdit>("txtWinUsr")->SetText("Łukasz");
    test::ClickOn(dialog, "cmdSaveClose");
  });
  view->AddUser();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages[0].title, "The data record could not be saved.");
  const rt::Variant id = Scalar("SELECT ID FROM Benutzer WHERE WinUsr=?", {rt::Variant("Łukasz")});
  ASSERT_FALSE(id.IsNull());
  EXPECT_EQ(Scalar("SELECT Fullname FROM Benutzer WHERE ID=?", {id}).ToString(), "Ωμέγα O'Brien; back\\slash");
  EXPECT_EQ(Count("SELECT count(*) FROM Benutzer_Gruppen WHERE UserID=?", {id}),
            Count("SELECT count(*) FROM Benutzer_Gruppen WHERE UserID=?", {rt::Variant(kDefaultUserID)}));
  // The view re-read its list and selected the new user.
  auto users = view->rctUser();
  ASSERT_FALSE(users->SelectedRows().empty());
  EXPECT_EQ(users->RowRecord(users->SelectedRow(0))->Item(0).Caption(), id.ToString());
}

TEST_F(UserView, AFailedSaveKeepsTheOldMembershipsAndStaysDirty) {
  const std::string user = test::AddUserRow("member", "Member");
  const std::string group = test::AddGroupRow("Readers");
  test::Join(user, group);
  auto view = Open();
  view->rctUser()->ClearSelection();
  OnDialog<frmUserEdit>([&](frmUserEdit& dialog) {
    auto& assigned = *dialog.Get<forms::ReportControl>("rctGrp", 1);
    test::SelectRowByKeys(assigned, 0);
    test::ClickOn(dialog, "cmdMove", 1);
    EXPECT_EQ(assigned.RecordCount(), 0);
    dialog.Get<forms::FlatEdit>("txtFullname")->SetText(std::string(81, 'x'));  // longer than the column
    test::ClickOn(dialog, "cmdSave");
    EXPECT_TRUE(dialog.GroupsChanged());
    test::ClickOn(dialog, "cmdCancel");
  });
  frmUserEdit::Default()->Init(user);
  EXPECT_EQ(Count("SELECT count(*) FROM Benutzer_Gruppen WHERE UserID=?", {rt::Variant(user)}), 1);
  EXPECT_EQ(Scalar("SELECT Fullname FROM Benutzer WHERE ID=?", {rt::Variant(user)}).ToString(), "Member");
}

TEST_F(UserView, AUserThatIsGoneUnloadsTheDialogInsteadOfShowingIt) {
  frmUserEdit::Default()->Init("{0000000F-0000-0000-0000-000000000000}");
  EXPECT_FALSE(frmUserEdit::Default()->IsLoaded());
  ASSERT_EQ(messages.size(), 1u);
}

// A load step that fails (here the groups cannot be read) is reported once;
// the steps after it are skipped and the user is still shown.
TEST_F(UserView, AFailingLoadStepIsReportedOnceAndTheDialogStillShows) {
  const std::string user = test::AddUserRow("shown", "Still Shown");
  test::Exec("ALTER TABLE Gruppen RENAME TO Gruppen_away");
  struct Restore {
    ~Restore() { test::Exec("ALTER TABLE Gruppen_away RENAME TO Gruppen"); }
  } restore;
  // First the report, then the dialog.
  forms::Responders::Push([this](const forms::ModalRequest& r) {
    messages.push_back(r);
    return 1;
  });
  bool shown = false;
  OnDialog<frmUserEdit>([&](frmUserEdit& dialog) {
    shown = true;
    EXPECT_EQ(dialog.Get<forms::FlatEdit>("txtWinUsr")->Text(), "shown");
    EXPECT_EQ(dialog.Get<forms::FlatEdit>("txtFullname")->Text(), "Still Shown");
    test::ClickOn(dialog, "cmdCancel");
  });
  frmUserEdit::Default()->Init(user);
  EXPECT_TRUE(shown);
  ASSERT_EQ(test::RecordingMsg::Calls().size(), 1u);
  EXPECT_NE(test::RecordingMsg::Calls()[0].details.find("\"Benutzereigenschaft_LD\""), std::string::npos);
}

TEST_F(UserView, NewGroupWithMembersStoresNullForABlankDescription) {
  const std::string user = test::AddUserRow("grouped", "Grouped", false);
  auto view = Open();
  OnDialog<frmGrpEdit>([&](frmGrpEdit& dialog) {
    dialog.Get<forms::FlatEdit>("txtBez")->SetText("  semi;colon's  ");
    dialog.Get<forms::FlatEdit>("txtGInf")->SetText("   ");
    auto& available = *dialog.Get<forms::ReportControl>("rctUsr", 0);
    for (int32_t r = 0; r < available.RowCount(); ++r) {
      if (available.RowRecord(r)->Item(0).Caption() == user) test::SelectRowByKeys(available, r);
    }
    test::ClickOn(dialog, "cmdMove", 0);
    test::ClickOn(dialog, "cmdSaveClose");
  });
  view->AddGrp();
  const rt::Variant id = Scalar("SELECT ID FROM Gruppen WHERE Bez=?", {rt::Variant("semi;colon's")});
  ASSERT_FALSE(id.IsNull());
  EXPECT_TRUE(Scalar("SELECT GInf FROM Gruppen WHERE ID=?", {id}).IsNull());
  EXPECT_EQ(Count("SELECT count(*) FROM Benutzer_Gruppen WHERE GrpID=? AND UserID=?", {id, rt::Variant(user)}), 1);
}

TEST_F(UserView, TheMainWindowsToolsReachTheDockedView) {
  auto view = Open();
  auto dock = frmMDI::Default()->Dock();
  ASSERT_EQ(ActiveDockedForm(), view);
  // The tools that the chosen list offers show; the others hide.
  struct Case {
    int32_t node;
    bool addUser, addGroup;
  };
  for (const Case& c : {Case{4, false, true}, Case{3, true, false}, Case{2, true, false}}) {
    view->treDB()->SetSelectedItem(view->treDB()->Node(c.node).get());
    view->Aktualisieren();
    EXPECT_EQ(dock->Tool("AddUser")->Visible(), c.addUser) << c.node;
    EXPECT_EQ(dock->Tool("ImpWinUser")->Visible(), c.addUser) << c.node;
    EXPECT_EQ(dock->Tool("AddGrp")->Visible(), c.addGroup) << c.node;
  }

  OnDialog<frmUserEdit>([&](frmUserEdit& dialog) {
    EXPECT_EQ(dialog.Caption(), "Add User");
    dialog.Get<forms::FlatEdit>("txtWinUsr")->SetText("by-tool");
    dialog.Get<forms::FlatEdit>("txtFullname")->SetText("Added By Tool");
    test::ClickOn(dialog, "cmdSaveClose");
  });
  dock->ClickTool(dock->Tool("AddUser"));
  const rt::Variant id = Scalar("SELECT ID FROM Benutzer WHERE WinUsr='by-tool'");
  ASSERT_FALSE(id.IsNull());
  auto users = view->rctUser();
  ASSERT_FALSE(users->SelectedRows().empty());
  EXPECT_EQ(users->RowRecord(users->SelectedRow(0))->Item(0).Caption(), id.ToString());
  EXPECT_TRUE(dock->Tool("Delete")->Enabled());
  EXPECT_TRUE(dock->Tool("Eigenschaften")->Enabled());

  // Delete asks with the main window's delete icon, then removes the row.
  answer = 6;
  dock->ClickTool(dock->Tool("Delete"));
  ASSERT_EQ(test::RecordingMsg::Calls().size(), 1u);
  EXPECT_EQ(test::RecordingMsg::Calls()[0].icon, frmMDI::Default()->ImagePicture("MsgDelete"));
  EXPECT_EQ(Count("SELECT count(*) FROM Benutzer WHERE ID=?", {id}), 0);
}

}  // namespace
}  // namespace qvadmin
