// The main window: what it shows when it loads, the views docked in it,
// its command table and the tools the views switch.
#include <gtest/gtest.h>

#include <vector>

#include "../../core/tests/CoreTestSupport.h"
#include "core/AppStyle.h"
#include "core/DockedViews.h"
#include "core/EnglishOnly.h"
#include "core/RegistrySettings.h"
#include "core/ShowMsgEx.h"
#include "forms/docking/DockStudio.h"
#include "gdi/FontBackend.h"
#include "main/frmMDI.h"
#include "main/tests/MainWindowLoad.h"
#include "main/frmStart.h"
#include "main/kvsImg.h"
#include "main/tests/FakeMsg.h"
#include "main/tests/MainTestAccess.h"
#include "main/tests/ViewStandIn.h"
#include "runtime/ErrorNumberOf.h"
#include "runtime/Strings.h"

namespace qvadmin {

namespace {

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    test::ResetSession();
    main = test::LoadMainWindow();
    dock = main->Dock();
    msg = test::FakeMsg::Last();
    ASSERT_NE(msg, nullptr);
  }
  void TearDown() override {
    main->Unload();
    forms::Responders::Clear();
  }
  // The property of `tool` that a kind letter names.
  static std::string TextOfKind(const forms::DockTool& tool, const std::string& kind) {
    if (kind == "C") return tool.Caption();
    if (kind == "D") return tool.Description();
    if (kind == "T") return tool.ToolTipText();
    if (kind == "L") return tool.Label();
    return tool.Text();
  }
  std::vector<std::string> VisibleToolBars() const {
    std::vector<std::string> keys;
    for (const auto& bar : dock->Bars()) {
      if (bar->Type() == forms::BarType::ToolBar && bar->Visible()) keys.push_back(bar->Key());
    }
    return keys;
  }
  void Click(const std::string& key) { dock->ClickTool(dock->Tool(key)); }

  gdi::ScopedFixedMetrics metrics;
  test::ScopedFakeMsg fakeMsg;
  std::shared_ptr<frmMDI> main;
  std::shared_ptr<forms::DockStudio> dock;
  test::FakeMsg* msg = nullptr;
};

TEST_F(MainWindow, LoadsCentredWithTheStartPageAndTheMessageCaptions) {
  EXPECT_EQ(main->Width(), 12945);
  EXPECT_EQ(main->Height(), 9210);
  EXPECT_EQ(msg->captionOrder,
            (std::vector<std::string>{"strAbord", "strCancel", "strCheck", "strCopy", "strDelText", "strHelp",
                                      "strIgnore", "strNo", "strRetry", "strSend", "strYes"}));
  EXPECT_EQ(msg->captions["strAbord"], "&Abord");
  EXPECT_EQ(msg->captions["strCheck"], "Don't show this message again");
  EXPECT_EQ(msg->captions["strDelText"], ".");
  EXPECT_EQ(msg->captions["strYes"], "&Yes");

  EXPECT_EQ(ActiveDockedForm(), frmStart::Default());
  EXPECT_EQ(VisibleToolBars(), (std::vector<std::string>{"Start"}));
  EXPECT_EQ(dock->Panel("StatForm")->Text(), frmStart::Default()->Caption());
  // The docking control fills the window.
  EXPECT_EQ(dock->Width(), main->ScaleWidth());
  EXPECT_EQ(dock->Height(), main->ScaleHeight());
}

TEST_F(MainWindow, EveryRowOfTheTextTableReachesItsTool) {
  const std::vector<std::string> rows = rt::Split(DockTextTable(), kDockRowEnd);
  ASSERT_EQ(rows.size(), 34u);  // 33 rows and the empty piece after the last
  for (size_t i = 0; i + 1 < rows.size(); ++i) {
    const std::vector<std::string> f = rt::Split(rows[i], kDockFieldSep);
    ASSERT_EQ(f.size(), 4u) << rows[i];
    const forms::DockToolPtr tool = dock->FindTool(f[1]);
    ASSERT_TRUE(tool) << "no tool " << f[1];
    EXPECT_EQ(TextOfKind(*tool, f[2]), f[3]) << f[1] << " " << f[2];
  }
  // Two rows of one key set two properties of one tool.
  EXPECT_EQ(dock->Tool("AddDB")->Caption(), "Add Database");
  EXPECT_EQ(dock->Tool("AddDB")->ToolTipText(), "Creates an empty Memo database");
  EXPECT_EQ(dock->Tool("Feedback")->Description(), "Customer feedback...");
}

TEST_F(MainWindow, TextTablesOfOtherNamesAndUnknownKindsChangeNothing) {
  const std::string designed = dock->Tool("Refresh")->Caption();
  ApplyDockTexts(*dock, "frmUserDock");
  ASSERT_EQ(msg->calls.size(), 1u);
  EXPECT_EQ(msg->calls[0][0].ToString(), "Error on DockSet");
  EXPECT_EQ(msg->calls[0][2].ToString(), "Error 9918");
  EXPECT_EQ(dock->Tool("Refresh")->Caption(), designed);

  auto tool = dock->Tool("Save");
  SetTextByKind(*tool, "X", "ignored");
  SetTextByKind(*tool, "c", "ignored");
  SetTextByKind(*tool, "L", "Label text");
  SetTextByKind(*tool, "S", "Text text");
  EXPECT_EQ(tool->Caption(), "Save");
  EXPECT_EQ(tool->Label(), "Label text");
  EXPECT_EQ(tool->Text(), "Text text");
}

TEST_F(MainWindow, ImageListsOfferTheirPicturesByIndexAndKey) {
  std::vector<com::StdPicturePtr> seen;
  for (const rt::Variant& which :
       {rt::Variant(1), rt::Variant(2), rt::Variant(3), rt::Variant("UserCard"), rt::Variant("UserGrp"),
        rt::Variant("DBEdit"), rt::Variant("SQLSrv"), rt::Variant("Archiv"), rt::Variant("LivUpd")}) {
    const com::StdPicturePtr picture = main->ListPicture(which);
    ASSERT_TRUE(picture && !picture->IsEmpty()) << which.ToString();
    EXPECT_EQ(picture->PixelWidth(), 16) << which.ToString();
    seen.push_back(picture);
  }
  EXPECT_NE(seen[0]->PngData(), seen[1]->PngData());  // active and inactive users differ
  for (const char* key : {"UserDeakt", "Gruppe", "QVOeff", "QVPers"}) {
    EXPECT_EQ(main->CaptionPicture(key)->PixelWidth(), 24) << key;
  }
  for (const char* key : {"MsgError", "MsgDelete", "msgerror"}) EXPECT_EQ(main->ImagePicture(key)->PixelWidth(), 32);
  EXPECT_EQ(rt::ErrorNumberOf([&] { main->ImagePicture("MsgInfo"); }), errElementNotFound);
  EXPECT_EQ(rt::ErrorNumberOf([&] { main->ListPicture(99); }), 35600);
}

TEST_F(MainWindow, DockedViewsShowTheirToolBarAndRefreshWhenDockedAgain) {
  auto users = std::make_shared<test::ViewStandIn>("frmUser", "User Administration");
  auto konfig = std::make_shared<test::ViewStandIn>("frmKonfig", "Configuration");
  ShowDockedForm(users);
  EXPECT_EQ(ActiveDockedForm(), users);
  EXPECT_EQ(VisibleToolBars(), (std::vector<std::string>{"User"}));
  EXPECT_EQ(dock->Panel("StatForm")->Text(), "User Administration");
  EXPECT_TRUE(users->calls.empty());
  ShowDockedForm(konfig);
  EXPECT_EQ(VisibleToolBars(), (std::vector<std::string>{"Konfig"}));
  ShowDockedForm(users);
  EXPECT_EQ(users->calls, (std::vector<std::string>{"Aktualisieren"}));
  EXPECT_EQ(dock->Panes().size(), 3u);  // a docked view keeps its pane
  // The start page is never refreshed by docking it again.
  ShowDockedForm(frmStart::Default());
  EXPECT_EQ(VisibleToolBars(), (std::vector<std::string>{"Start"}));
  EXPECT_TRUE(msg->calls.empty());
  users->Unload();
  konfig->Unload();
}

// Choosing a view's tab makes it the active view: its tool bar shows, the
// list commands reach it, and the tools find the states the view left
// them in (the views switch them as their selection changes). Nothing is
// refreshed by a tab.
TEST_F(MainWindow, ATabChosenBringsItsViewsToolBarAndCommands) {
  auto users = std::make_shared<test::ViewStandIn>("frmUser", "User Administration");
  auto databases = std::make_shared<test::ViewStandIn>("frmDBPflege", "Memo Databases");
  ShowDockedForm(users);
  main->ToolButtonErlauben("Delete", false);  // no user selected
  ShowDockedForm(databases);
  main->ToolButtonErlauben("Delete", true);  // a database selected
  dock->Tool("Eigenschaften")->SetVisible(false);

  const struct {
    std::shared_ptr<test::ViewStandIn> view;
    const char* bar;
    const char* command;  // a command of the bar
    const char* procedure;
    bool deleteEnabled;
    bool propertiesShown;
  } tabs[] = {
      {users, "User", "AddUser", "AddUser", false, true},
      {databases, "DBPflege", "AddDB", "AddDB", true, false},
      {users, "User", "AddGrp", "AddGrp", false, true},
  };
  for (const auto& tab : tabs) {
    SCOPED_TRACE(tab.bar);
    users->calls.clear();
    databases->calls.clear();
    dock->ActivatePane(dock->PaneOf(*tab.view));
    EXPECT_EQ(ActiveDockedForm(), tab.view);
    EXPECT_EQ(VisibleToolBars(), std::vector<std::string>{tab.bar});
    EXPECT_EQ(dock->Panel("StatForm")->Text(), tab.view->Caption());
    EXPECT_EQ(dock->Tool("Delete")->Enabled(), tab.deleteEnabled);
    EXPECT_EQ(dock->Tool("Eigenschaften")->Visible(), tab.propertiesShown);
    EXPECT_TRUE(tab.view->calls.empty());
    main->ToolButtonErlauben(tab.command, true);
    Click(tab.command);
    EXPECT_EQ(tab.view->calls, std::vector<std::string>{tab.procedure});
  }
  EXPECT_TRUE(msg->calls.empty()) << msg->calls.size();
  users->Unload();
  databases->Unload();
}

TEST_F(MainWindow, ListCommandsReachTheActiveViewByName) {
  auto view = std::make_shared<test::ViewStandIn>("frmUser", "User Administration");
  ShowDockedForm(view);
  const std::pair<const char*, const char*> table[] = {
      {"AddDB", "AddDB"},           {"AddUser", "AddUser"}, {"AddGrp", "AddGrp"},
      {"Delete", "Delete"},         {"Save", "Speichern"},  {"Eigenschaften", "Eigenschaften"},
      {"Refresh", "Aktualisieren"},
  };
  for (const auto& [key, procedure] : table) {
    view->calls.clear();
    main->ToolButtonErlauben(key, true);
    Click(key);
    EXPECT_EQ(view->calls, (std::vector<std::string>{procedure})) << key;
  }
  // A disabled tool reaches nothing.
  view->calls.clear();
  main->ToolButtonErlauben("Delete", false);
  Click("Delete");
  EXPECT_TRUE(view->calls.empty());
  EXPECT_TRUE(msg->calls.empty());
  view->Unload();
}

TEST_F(MainWindow, ACommandTheActiveViewLacksIsReportedUnderMenuSelection) {
  main->ToolButtonErlauben("Delete", true);
  ShowDockedForm(frmStart::Default());
  Click("Delete");
  ASSERT_EQ(msg->calls.size(), 1u);
  const std::string details = msg->calls[0][6].ToString();
  EXPECT_NE(details.find("Error 438"), std::string::npos) << details;
  EXPECT_NE(details.find("\"Menu Selection\""), std::string::npos) << details;
}

TEST_F(MainWindow, ToolButtonErlaubenSwitchesToolsByKeyAlsoByName) {
  main->ToolButtonErlauben("AddUser", false);
  EXPECT_FALSE(dock->Tool("AddUser")->Enabled());
  main->Call("ToolButtonErlauben", {"AddUser", true});
  EXPECT_TRUE(dock->Tool("AddUser")->Enabled());
  main->ToolButtonErlauben("NoSuchTool", true);
  main->Call("ToolButtonErlauben", {"NoSuchTool", false});
  EXPECT_TRUE(msg->calls.empty());
}

TEST_F(MainWindow, ColourSchemeToolsStoreTheirNumberForTheNextStart) {
  test::Captured captured;
  struct Case {
    const char* key;
    int32_t stored;
  };
  for (const Case& c : {Case{"Farb3", 3}, Case{"Farb0", 0}, Case{"Farb7", 7}, Case{"FarbX", 0}}) {
    frmMDITestAccess::ToolClick(*main, c.key);
    EXPECT_EQ(ReadRegValue("DesignStyle", -1), std::to_string(c.stored)) << c.key;
  }
  ASSERT_EQ(captured.Messages().size(), 4u);
  EXPECT_EQ(captured.Messages()[0].title, "Quorvelle Administration");
  EXPECT_EQ(captured.Messages()[0].prompt,
            "For the change to become effective, you have to restart the Quorvelle administration.");
  // The scheme of this run stays.
  EXPECT_EQ(CurrentScheme(), kSystemScheme);
}

TEST_F(MainWindow, ClosingUnloadsEveryOtherForm) {
  auto view = std::make_shared<test::ViewStandIn>("frmUser", "User Administration");
  auto loose = std::make_shared<test::ViewStandIn>("frmAbout", "About");
  ShowDockedForm(view);
  loose->Show();
  Click("Beenden");
  EXPECT_FALSE(main->IsLoaded());
  EXPECT_FALSE(view->IsLoaded());
  EXPECT_FALSE(loose->IsLoaded());
  EXPECT_FALSE(frmStart::Default()->IsLoaded());
  EXPECT_TRUE(forms::Form::Forms().empty());
}

}  // namespace
}  // namespace qvadmin
