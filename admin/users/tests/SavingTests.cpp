// Saving in the properties dialogs of users, groups and Memo databases: a
// save that is refused or fails keeps the dialog open with every entry, and
// a save that would overwrite what another administrator saved meanwhile
// (a second connection here) is refused.
#include <gtest/gtest.h>

#include <functional>

#include "UsersTestSupport.h"
#include "core/CreateGUID.h"
#include "forms/controls/FlatEdit.h"
#include "users/frmDBEdit.h"
#include "users/frmGrpEdit.h"
#include "users/frmUserEdit.h"

namespace qvadmin {
namespace {

using test::Count;
using test::Scalar;

// A dialog with the record it edits: how the record is made and opened,
// the text box of its name and where that is stored.
struct Subject {
  std::string name;
  std::function<rt::Variant()> make;
  std::function<void(const rt::Variant&)> open;
  std::string field;
  std::string table;
  std::string column;
};

std::vector<Subject> Subjects() {
  return {
      {"user", [] { return rt::Variant(test::AddUserRow(CreateGUID(), "Original")); },
       [](const rt::Variant& id) { frmUserEdit::Default()->Init(id.ToString()); }, "txtFullname", "Benutzer",
       "Fullname"},
      {"group", [] { return rt::Variant(test::AddGroupRow("Original")); },
       [](const rt::Variant& id) { frmGrpEdit::Default()->Init(id.ToString()); }, "txtBez", "Gruppen", "Bez"},
      {"Memo database",
       [] { return Scalar("INSERT INTO DBList (Bez, Privat) VALUES ('Original', false) RETURNING ID"); },
       [](const rt::Variant& id) { frmDBEdit::Default()->Init(id.ToLong()); }, "txtBez", "DBList", "Bez"},
  };
}

class Saving : public test::UsersTest {
 protected:
  void SetUp() override {
    test::UsersTest::SetUp();
    if (ado::TestServer::Available()) ado::TestServer::OpenWithPassword(other, "QVault");
  }
  void TearDown() override {
    other.Close();
    test::UsersTest::TearDown();
  }
  // A statement of the other administrator, committed at once.
  void OtherRuns(const std::string& sql, const rt::Variant& id) {
    other.Execute(sql, {id}, nullptr, ado::adCmdText | ado::adExecuteNoRecords);
  }
  std::string Stored(const Subject& s, const rt::Variant& id) {
    return Scalar("SELECT " + s.column + " FROM " + s.table + " WHERE ID=?", {id}).ToString();
  }
  std::string LastPrompt() const { return messages.empty() ? std::string() : messages.back().prompt; }

  ado::Connection other;
};

TEST_F(Saving, ARefusedOrFailedSaveKeepsTheDialogOpenWithEveryEntry) {
  // Per dialog: an entry the save refuses or the server rejects, and how to
  // put it right.
  struct Case {
    Subject subject;
    std::string badField, bad, good;
  };
  const std::vector<Subject> subjects = Subjects();
  const std::vector<Case> cases{
      {subjects[0], "txtBInf", std::string(256, 'b'), "Described"},
      {subjects[1], "txtGInf", std::string(256, 'g'), "Described"},
      {subjects[2], "txtPWD", "Ωmega", "Omega"},
  };
  for (const Case& c : cases) {
    for (const char* button : {"cmdSave", "cmdSaveClose"}) {
      SCOPED_TRACE(c.subject.name + " " + button);
      const rt::Variant id = c.subject.make();
      OnDialog<forms::Form>([&](forms::Form& dialog) {
        const auto text = [&](const std::string& name) { return dialog.Get<forms::FlatEdit>(name); };
        text(c.subject.field)->SetText("Changed");
        text(c.badField)->SetText(c.bad);
        if (c.badField == "txtPWD") text("txtPWDWdh")->SetText(c.bad);
        messages.clear();
        test::ClickOn(dialog, button);
        EXPECT_EQ(messages.size(), 1u);
        EXPECT_TRUE(dialog.IsLoaded());
        EXPECT_TRUE(dialog.Visible());
        EXPECT_EQ(text(c.subject.field)->Text(), "Changed");
        EXPECT_EQ(text(c.badField)->Text(), c.bad);
        EXPECT_EQ(Stored(c.subject, id), "Original");

        text(c.badField)->SetText(c.good);
        if (c.badField == "txtPWD") text("txtPWDWdh")->SetText(c.good);
        test::ClickOn(dialog, "cmdSaveClose");
        EXPECT_FALSE(dialog.IsLoaded());
      });
      c.subject.open(id);
      EXPECT_EQ(Stored(c.subject, id), "Changed");
    }
  }
}

TEST_F(Saving, ASaveThatWouldOverwriteAChangeMadeMeanwhileIsRefusedAndCanReload) {
  for (const Subject& s : Subjects()) {
    SCOPED_TRACE(s.name);
    const rt::Variant id = s.make();
    OnDialog<forms::Form>([&](forms::Form& dialog) {
      auto name = dialog.Get<forms::FlatEdit>(s.field);
      OtherRuns("UPDATE " + s.table + " SET " + s.column + "='By the other' WHERE ID=?", id);
      name->SetText("Mine");
      answer = forms::vbNo;  // keep my entries
      test::ClickOn(dialog, "cmdSaveClose");
      EXPECT_NE(LastPrompt().find("changed by another user meanwhile"), std::string::npos) << LastPrompt();
      EXPECT_TRUE(dialog.IsLoaded());
      EXPECT_EQ(name->Text(), "Mine");
      EXPECT_EQ(Stored(s, id), "By the other");

      answer = forms::vbYes;  // reload
      test::ClickOn(dialog, "cmdSave");
      EXPECT_EQ(name->Text(), "By the other");
      EXPECT_EQ(Stored(s, id), "By the other");

      // The reloaded record saves as any other; so does a second save.
      name->SetText("Mine after reading");
      test::ClickOn(dialog, "cmdSave");
      name->SetText("Mine again");
      test::ClickOn(dialog, "cmdSaveClose");
      EXPECT_FALSE(dialog.IsLoaded());
    });
    s.open(id);
    EXPECT_EQ(Stored(s, id), "Mine again");
  }
}

TEST_F(Saving, ASaveOfARecordDeletedMeanwhileIsRefusedAndWritesNothing) {
  for (const Subject& s : Subjects()) {
    SCOPED_TRACE(s.name);
    const rt::Variant id = s.make();
    OnDialog<forms::Form>([&](forms::Form& dialog) {
      OtherRuns("DELETE FROM " + s.table + " WHERE ID=?", id);
      dialog.Get<forms::FlatEdit>(s.field)->SetText("Mine");
      test::ClickOn(dialog, "cmdSaveClose");
      EXPECT_NE(LastPrompt().find("deleted by another user meanwhile"), std::string::npos) << LastPrompt();
      EXPECT_TRUE(dialog.IsLoaded());
      EXPECT_EQ(dialog.Get<forms::FlatEdit>(s.field)->Text(), "Mine");
      test::ClickOn(dialog, "cmdCancel");
    });
    s.open(id);
    EXPECT_EQ(Count("SELECT count(*) FROM " + s.table + " WHERE ID=?", {id}), 0);
  }
}

// What the dialog neither shows nor writes may change meanwhile: the
// product's client stamps a user's login, and a database's creation time is
// not the dialog's to write.
TEST_F(Saving, AChangeToWhatTheDialogDoesNotWriteLetsTheSaveThrough) {
  const std::vector<Subject> subjects = Subjects();
  struct Case {
    Subject subject;
    std::string otherSql, check;
  };
  for (const Case& c : {Case{subjects[0], "UPDATE Benutzer SET PLT=15201381 WHERE ID=?", "SELECT PLT FROM Benutzer"},
                        Case{subjects[2], "UPDATE DBList SET Created='2001-02-03' WHERE ID=?",
                             "SELECT to_char(Created, 'YYYY-MM-DD') FROM DBList"}}) {
    SCOPED_TRACE(c.subject.name);
    const rt::Variant id = c.subject.make();
    const auto otherValue = [&] { return Scalar(c.check + " WHERE ID=?", {id}).ToString(); };
    std::string expected;
    OnDialog<forms::Form>([&](forms::Form& dialog) {
      OtherRuns(c.otherSql, id);
      expected = otherValue();
      dialog.Get<forms::FlatEdit>(c.subject.field)->SetText("Mine");
      test::ClickOn(dialog, "cmdSaveClose");
      EXPECT_FALSE(dialog.IsLoaded());
    });
    c.subject.open(id);
    EXPECT_TRUE(messages.empty()) << LastPrompt();
    EXPECT_EQ(Stored(c.subject, id), "Mine");
    EXPECT_EQ(otherValue(), expected);
  }
}

// Group memberships written meanwhile are not replaced by the dialog's
// older assignment.
TEST_F(Saving, AnAssignmentChangedMeanwhileIsNotOverwritten) {
  const std::string user = test::AddUserRow("member", "Member");
  const std::string mine = test::AddGroupRow("Mine");
  const std::string theirs = test::AddGroupRow("Theirs");
  OnDialog<frmUserEdit>([&](frmUserEdit& dialog) {
    OtherRuns("INSERT INTO Benutzer_Gruppen (UserID, GrpID) VALUES (?, '" + theirs + "')", rt::Variant(user));
    auto& available = *dialog.Get<forms::ReportControl>("rctGrp", 0);
    for (int32_t r = 0; r < available.RowCount(); ++r) {
      if (available.RowRecord(r)->Item(0).Caption() == mine) test::SelectRowByKeys(available, r);
    }
    test::ClickOn(dialog, "cmdMove", 0);
    answer = forms::vbNo;
    test::ClickOn(dialog, "cmdSaveClose");
    EXPECT_NE(LastPrompt().find("changed by another user meanwhile"), std::string::npos) << LastPrompt();
    EXPECT_TRUE(dialog.IsLoaded());
    EXPECT_TRUE(dialog.GroupsChanged());
    // Reset shows the assignment as it stands; saving it then goes through.
    test::ClickOn(dialog, "cmdMove", 2);
    test::ClickOn(dialog, "cmdSaveClose");
    EXPECT_FALSE(dialog.IsLoaded());
  });
  frmUserEdit::Default()->Init(user);
  EXPECT_EQ(Count("SELECT count(*) FROM Benutzer_Gruppen WHERE UserID=? AND GrpID=?",
                  {rt::Variant(user), rt::Variant(theirs)}),
            1);
  EXPECT_EQ(Count("SELECT count(*) FROM Benutzer_Gruppen WHERE UserID=?", {rt::Variant(user)}), 1);
}

// An entry assigned in the dialog that another administrator deletes
// before the save: nothing is written, the user is told so and may reload,
// and the reloaded lists no longer offer the entry.
TEST_F(Saving, AnAssignedEntryDeletedMeanwhileIsToldAndTheDialogCanReload) {
  const std::vector<Subject> subjects = Subjects();
  struct Case {
    Subject subject;
    std::string list;                              // the assignment lists
    std::function<std::string()> makeEntry;        // the entry to assign, its name "Gone"
    std::string entryTable, linkTable, linkOwner;  // where it and its link rows are
  };
  const std::vector<Case> cases{
      {subjects[0], "rctGrp", [] { return test::AddGroupRow("Gone"); }, "Gruppen", "Benutzer_Gruppen", "UserID"},
      {subjects[1], "rctUsr", [] { return test::AddUserRow("Gone", "Gone"); }, "Benutzer", "Benutzer_Gruppen", "GrpID"},
      {subjects[2], "rctGrp", [] { return test::AddGroupRow("Gone"); }, "Gruppen", "DBList_Gruppen", "DBListID"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.subject.name);
    const rt::Variant id = c.subject.make();
    const std::string entry = c.makeEntry();
    const auto listed = [&](forms::Form& dialog) {
      int32_t count = 0;
      for (int16_t side = 0; side <= 1; ++side) {
        auto& list = *dialog.Get<forms::ReportControl>(c.list, side);
        for (int32_t r = 0; r < list.RowCount(); ++r) count += list.RowRecord(r)->Item(0).Caption() == entry;
      }
      return count;
    };
    OnDialog<forms::Form>([&](forms::Form& dialog) {
      auto& available = *dialog.Get<forms::ReportControl>(c.list, 0);
      for (int32_t r = 0; r < available.RowCount(); ++r) {
        if (available.RowRecord(r)->Item(0).Caption() == entry) test::SelectRowByKeys(available, r);
      }
      test::ClickOn(dialog, "cmdMove", 0);
      ASSERT_EQ(dialog.Get<forms::ReportControl>(c.list, 1)->RowCount(), 1);
      OtherRuns("DELETE FROM " + c.entryTable + " WHERE ID=?", rt::Variant(entry));
      messages.clear();
      answer = forms::vbYes;  // reload
      test::ClickOn(dialog, "cmdSaveClose");
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_NE(LastPrompt().find("\"Gone\" was deleted by another user meanwhile"), std::string::npos) << LastPrompt();
      EXPECT_NE(LastPrompt().find("Do you want to reload"), std::string::npos) << LastPrompt();
      EXPECT_EQ(messages[0].buttons & 0xF, forms::vbYesNo);
      EXPECT_TRUE(dialog.IsLoaded());
      EXPECT_EQ(listed(dialog), 0);
      answer = 1;
      test::ClickOn(dialog, "cmdSaveClose");
      EXPECT_FALSE(dialog.IsLoaded());
    });
    c.subject.open(id);
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_EQ(Count("SELECT count(*) FROM " + c.linkTable + " WHERE " + c.linkOwner + "=?", {id}), 0);
  }
}

}  // namespace
}  // namespace qvadmin
