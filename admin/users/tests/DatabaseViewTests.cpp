#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

#include "UsersTestSupport.h"
#include "core/DockedViews.h"
#include "core/ScrambleKeys.h"
#include "core/Scrambler.h"
#include "forms/ControlPainter.h"
#include "forms/Label.h"
#include "forms/controls/ComboBox.h"
#include "forms/controls/FlatEdit.h"
#include "forms/controls/OptionButton.h"
#include "users/frmDBEdit.h"
#include "users/frmDBPflege.h"
#include "users/wizNewDB.h"

namespace qvadmin {
namespace {

using test::Count;
using test::Scalar;

class DatabaseView : public test::UsersTest {
 protected:
  int32_t AddDatabase(const std::string& title, bool personal, const std::string& owner = {}) {
    return Scalar("INSERT INTO DBList (Bez, Privat, OwnerID) VALUES (?,?,?) RETURNING ID",
                  {rt::Variant(title), rt::Variant(personal), owner.empty() ? rt::Variant::Null() : rt::Variant(owner)})
        .ToLong();
  }
  std::shared_ptr<frmDBPflege> Open() {
    auto view = frmDBPflege::Default();
    ShowDockedForm(view);
    return view;
  }
};

TEST_F(DatabaseView, ListsOwnersAndDeletesTheArchiveFolderOnlyBelowTheRoot) {
  const std::string owner = test::AddUserRow("owner", "Owner O'Neil");
  AddDatabase("Zeta", false);
  const int32_t doomed = AddDatabase("Alpha; \\ 'x'", false);
  AddDatabase("Mine", true, owner);
  const auto root = std::filesystem::temp_directory_path() / ("qvusers-archive-" + std::to_string(::getpid()));
  std::filesystem::create_directories(root);
  char folder[8];
  std::snprintf(folder, sizeof folder, "%05d", doomed);
  std::filesystem::create_directories(root / folder / "inner");
  ArchivePath = root.string();

  auto view = Open();
  auto list = view->rctDB();
  ASSERT_EQ(list->RowCount(), 2);
  EXPECT_EQ(list->RowRecord(0)->Item(1).Caption(), "Alpha; \\ 'x'");
  EXPECT_EQ(list->RowRecord(0)->Item(3).Caption(), "<none>");
  EXPECT_EQ(list->RowRecord(0)->Item(4).Caption(), "No");

  answer = 6;
  list->SetFocusedRow(0);
  view->Delete();
  EXPECT_EQ(Count("SELECT count(*) FROM DBList WHERE ID=?", {rt::Variant(doomed)}), 0);
  EXPECT_FALSE(std::filesystem::exists(root / folder));
  EXPECT_TRUE(std::filesystem::exists(root));
  EXPECT_EQ(list->RowCount(), 1);
  EXPECT_EQ(list->SelectedRows(), std::vector<int32_t>{0});
  std::filesystem::remove_all(root);

  view->treDB()->SetSelectedItem(view->treDB()->Node(3).get());
  view->Aktualisieren();
  ASSERT_EQ(list->RowCount(), 1);
  EXPECT_EQ(list->RowRecord(0)->Item(3).Caption(), "Owner O'Neil");
}

// Every database's archive folder goes with it, whatever the number of
// digits; an archive that cannot be examined is reported, and the database
// stays deleted.
TEST_F(DatabaseView, TheArchiveFolderGoesForAnyIdAndAFailureIsReported) {
  struct Case {
    const char* name;
    int32_t id;
    bool unreachable;  // the archive root turns into a link to itself
  };
  for (const Case& c : {Case{"six digits", 123456, false}, Case{"unreachable archive", 42, true}}) {
    SCOPED_TRACE(c.name);
    test::RecordingMsg::Calls().clear();
    test::Exec("INSERT INTO DBList (ID, Bez, Privat) OVERRIDING SYSTEM VALUE VALUES (?, 'Numbered', false)",
               {rt::Variant(c.id)});
    const auto root = std::filesystem::temp_directory_path() / ("qvusers-archive-" + std::to_string(::getpid()));
    const auto folder = std::filesystem::path(ArchiveFolderOf(root.string(), c.id));
    std::filesystem::create_directories(folder / "inner");
    ArchivePath = root.string();
    if (c.unreachable) {
      std::filesystem::remove_all(root);
      std::filesystem::create_directory_symlink(root, root);
    }

    auto view = Open();
    auto list = view->rctDB();
    ASSERT_EQ(list->RowCount(), 1);
    answer = 6;
    list->SetFocusedRow(0);
    view->Delete();
    EXPECT_EQ(Count("SELECT count(*) FROM DBList WHERE ID=?", {rt::Variant(c.id)}), 0);
    EXPECT_EQ(list->RowCount(), 0);
    if (c.unreachable) {
      ASSERT_EQ(test::RecordingMsg::Calls().size(), 2u);  // the question, the report
      const test::RecordingMsg::Call& report = test::RecordingMsg::Calls()[1];
      EXPECT_NE(report.details.find("Procedure: \"Delete the archive folder\""), std::string::npos);
      // The report says what went wrong, with the folder it concerns.
      EXPECT_NE(report.prompt.find("could not be removed"), std::string::npos) << report.prompt;
      EXPECT_NE(report.prompt.find(folder.string()), std::string::npos) << report.prompt;
      EXPECT_EQ(report.details.find("Error 0,"), std::string::npos) << report.details;
    } else {
      EXPECT_EQ(test::RecordingMsg::Calls().size(), 1u);
      EXPECT_FALSE(std::filesystem::exists(folder));
      EXPECT_TRUE(std::filesystem::exists(root));
    }
    std::filesystem::remove_all(root);
  }
}

TEST_F(DatabaseView, TheDialogKeepsAnInactiveOwnerAndWritesTheGroupsWithTheRow) {
  const std::string owner = test::AddUserRow("former", "Former Owner", false);
  const std::string group = test::AddGroupRow("Editors");
  const int32_t id = AddDatabase("Private notes", true, owner);
  auto view = Open();
  OnDialog<frmDBEdit>([&](frmDBEdit& dialog) {
    EXPECT_EQ(OwnerEntryID(dialog.Get<forms::ComboBox>("cboOwner")->Text()), owner);
    dialog.Get<forms::FlatEdit>("txtPWD")->SetText("s3cret'; --");
    EXPECT_FALSE(dialog.Control("cmdSave")->Enabled());  // the confirmation differs
    dialog.Get<forms::FlatEdit>("txtPWDWdh")->SetText("s3cret'; --");
    auto& available = *dialog.Get<forms::ReportControl>("rctGrp", 0);
    for (int32_t r = 0; r < available.RowCount(); ++r) {
      if (available.RowRecord(r)->Item(0).Caption() == group) test::SelectRowByKeys(available, r);
    }
    test::ClickOn(dialog, "cmdMove", 0);
    test::ClickOn(dialog, "cmdSaveClose");
  });
  frmDBEdit::Default()->Init(id);
  EXPECT_EQ(Scalar("SELECT OwnerID FROM DBList WHERE ID=?", {rt::Variant(id)}).ToString(), owner);
  EXPECT_EQ(UnscrambleText(Scalar("SELECT PWD FROM DBList WHERE ID=?", {rt::Variant(id)}).ToString(), kMemoPasswordKey),
            "s3cret'; --");
  EXPECT_EQ(
      Count("SELECT count(*) FROM DBList_Gruppen WHERE DBListID=? AND GrpID=?", {rt::Variant(id), rt::Variant(group)}),
      1);
}

TEST_F(DatabaseView, TheWizardCreatesTheRowWithItsGrantsOrNothing) {
  const std::string group = test::AddGroupRow("Team");
  test::Join(CurrentUserID, group);
  auto view = Open();
  const auto runWizard = [&](const std::string& title, bool closeBox) {
    OnDialog<wizNewDB>([&](wizNewDB& wizard) {
      if (wizard.Page() == 1) test::ClickOn(wizard, "cmdWiz", 2);
      test::ClickOn(wizard, "cmdWiz", 2);
      wizard.Get<forms::FlatEdit>("txtDBName")->SetText(title);
      test::ClickOn(wizard, "cmdWiz", 2);
      EXPECT_EQ(wizard.Page(), 4);
      test::ClickOn(wizard, "cmdWiz", 3);
      if (closeBox) {
        wizard.Close();
      } else {
        test::ClickOn(wizard, "cmdWiz", 3);
      }
    });
    view->AddDB();
  };
  runWizard("Ωμέγα's; notes", true);
  const rt::Variant id = Scalar("SELECT ID FROM DBList WHERE Bez=?", {rt::Variant("Ωμέγα's; notes")});
  ASSERT_FALSE(id.IsNull());
  EXPECT_EQ(Count("SELECT count(*) FROM DBList_Gruppen WHERE DBListID=? AND GrpID=?", {id, rt::Variant(group)}), 1);
  // The close box refreshed the view: the new database is selected.
  auto list = view->rctDB();
  ASSERT_FALSE(list->SelectedRows().empty());
  EXPECT_EQ(list->RowRecord(list->SelectedRow(0))->Item(0).Value().ToLong(), id.ToLong());

  // A title the server refuses (longer than the column) leaves nothing behind.
  runWizard(std::string(901, 't'), false);
  EXPECT_EQ(Count("SELECT count(*) FROM DBList"), 1);
  EXPECT_EQ(Count("SELECT count(*) FROM DBList_Gruppen"), 1);
  EXPECT_EQ(wizNewDB::Default()->NewDBID(), 0);
}

// Two administrators create Memo databases of one title: the other one's
// database, committed after this wizard checked its title page or while
// this one's Finish waits for it, makes Finish refuse with the title page's
// message and go back to that page; nothing is written, and another title
// is then created.
TEST_F(DatabaseView, TwoWizardsDoNotCreateTwoDatabasesOfOneTitle) {
  ado::Connection other;
  ado::TestServer::OpenWithPassword(other, "QVault");
  const auto othersDatabase = [&] {
    other.Execute("INSERT INTO DBList (Bez, Privat) VALUES ('Same', false)", nullptr,
                  ado::adCmdText | ado::adExecuteNoRecords);
  };
  for (const bool meanwhile : {false, true}) {
    SCOPED_TRACE(meanwhile ? "while waiting" : "after the title page");
    test::Exec("DELETE FROM DBList");
    OnDialog<wizNewDB>([&](wizNewDB& wizard) {
      if (wizard.Page() == 1) test::ClickOn(wizard, "cmdWiz", 2);
      test::ClickOn(wizard, "cmdWiz", 2);
      wizard.Get<forms::FlatEdit>("txtDBName")->SetText("Same");
      test::ClickOn(wizard, "cmdWiz", 2);
      ASSERT_EQ(wizard.Page(), 4);
      std::thread creator;
      if (meanwhile) {
        // The other creation holds the lock until this one waits for it.
        const std::string pid = Scalar("SELECT pg_backend_pid()").ToString();
        other.BeginTrans();
        other.Execute(kMemoCreationLock);
        othersDatabase();
        creator = std::thread([&other, pid] {
          for (int i = 0; i < 100; ++i) {
            if (other.Execute("SELECT count(*) FROM pg_locks WHERE NOT granted AND pid=" + pid)(0).Value().ToLong())
              break;
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
          }
          other.CommitTrans();
        });
      } else {
        othersDatabase();
      }
      messages.clear();
      test::ClickOn(wizard, "cmdWiz", 3);
      if (creator.joinable()) creator.join();
      ASSERT_EQ(messages.size(), 1u);
      EXPECT_EQ(messages[0].title, "Please check your entry.");
      EXPECT_EQ(messages[0].prompt.rfind("The title of this Memo database already exists.", 0), 0u);
      EXPECT_EQ(wizard.Page(), 3);
      EXPECT_EQ(wizard.Control("cmdWiz", 3)->Get("Caption").ToString(), "&Finish");
      EXPECT_EQ(Count("SELECT count(*) FROM DBList WHERE Bez='Same'"), 1);

      wizard.Get<forms::FlatEdit>("txtDBName")->SetText("Different");
      test::ClickOn(wizard, "cmdWiz", 2);
      test::ClickOn(wizard, "cmdWiz", 3);
      EXPECT_NE(wizard.NewDBID(), 0);
      test::ClickOn(wizard, "cmdWiz", 3);
    });
    Open()->AddDB();
    EXPECT_EQ(Count("SELECT count(*) FROM DBList"), 2);
  }
}

// After Finish the result picture, the tick or the cross, stands left of
// the result line, which moves to its place beside it; the error text
// stays below the summary.
TEST_F(DatabaseView, TheWizardShowsItsResultPictureBesideTheResultLine) {
  struct Case {
    std::string title;
    const char* shown;
    const char* hidden;
    const char* result;
  };
  const std::vector<Case> cases{{"Placed", "picOK", "PicErr", "The new Memo database was created successfully."},
                                {std::string(901, 't'), "PicErr", "picOK", "The Memo database could not be created!"}};
  for (const Case& c : cases) {
    OnDialog<wizNewDB>([&](wizNewDB& wizard) {
      auto tick = wizard.Control("picOK");
      auto cross = wizard.Control("PicErr");
      EXPECT_EQ(std::make_pair(cross->Left(), cross->Top()), std::make_pair(tick->Left(), tick->Top()));
      if (wizard.Page() == 1) test::ClickOn(wizard, "cmdWiz", 2);
      test::ClickOn(wizard, "cmdWiz", 2);
      wizard.Get<forms::FlatEdit>("txtDBName")->SetText(c.title);
      test::ClickOn(wizard, "cmdWiz", 2);
      test::ClickOn(wizard, "cmdWiz", 3);
      auto picture = wizard.Control(c.shown);
      auto line = wizard.Get<forms::Label>("lblInf", 6);
      auto error = wizard.Control("lblErr");
      EXPECT_TRUE(picture->Visible()) << c.shown;
      EXPECT_FALSE(wizard.Control(c.hidden)->Visible()) << c.hidden;
      EXPECT_EQ(line->Caption(), c.result);
      EXPECT_EQ(std::make_pair(line->Left(), line->Top()), std::make_pair(645, 510));
      // Left of the line, level with its first row of text, above the error.
      EXPECT_LE(picture->Left() + picture->Width(), line->Left()) << c.shown;
      EXPECT_LT(picture->Top(), line->Top() + 225) << c.shown;
      EXPECT_GT(picture->Top() + picture->Height(), line->Top()) << c.shown;
      EXPECT_LE(picture->Top() + picture->Height(), error->Top()) << c.shown;
      EXPECT_TRUE(wizard.RenderToPng(test::PngPath(std::string("wizNewDB-result-") + c.shown)));
      wizard.Unload();
    });
    Open()->AddDB();
  }
}

// The user lists hold the ID after a run of blanks; the blanks must push it
// past the list's right edge even after the shortest name.
TEST_F(DatabaseView, TheUserListsKeepTheIdOutOfSight) {
  test::AddUserRow("a", "a");
  test::AddUserRow("b", "");
  const auto idOutOfSight = [](forms::ComboBox& list) {
    ASSERT_GT(list.ListCount(), 0);
    for (int32_t i = 0; i < list.ListCount(); ++i) {
      const std::string& entry = list.List(i);
      const std::string shown = entry.substr(0, entry.find('|'));
      EXPECT_GE(forms::painter::MeasureText(shown, list.Font(), 0, false).cx, list.PixelWidth())
          << list.Name() << ": " << entry;
    }
  };
  auto wizard = wizNewDB::Default();
  wizard->Load();
  idOutOfSight(*wizard->Get<forms::ComboBox>("cboErsteller"));
  idOutOfSight(*wizard->Get<forms::ComboBox>("cboOwner"));
  wizard->Unload();
  OnDialog<frmDBEdit>([&](frmDBEdit& dialog) {
    idOutOfSight(*dialog.Get<forms::ComboBox>("cboOwner"));
    dialog.Unload();
  });
  frmDBEdit::Default()->Init(AddDatabase("Any", false));
}

}  // namespace
}  // namespace qvadmin
