// The docking manager: tools by key, menus and tool bars played with the
// mouse and the keys, tooltips, the status bar, and forms docked in panes.
#include <gtest/gtest.h>

#include "docking/tests/DockTestMain.h"
#include "forms/Form.h"
#include "forms/Responder.h"
#include "forms/controls/FlatEdit.h"
#include "forms/docking/DockStudio.h"
#include "gdi/FontBackend.h"
#include "gdi/Rects.h"
#include "runtime/ErrorNumberOf.h"
#include "tests/PlayUser.h"
#include "tests/ScopedLocale.h"
#include "win/MessageQueue.h"

namespace forms {
namespace {

class Docking : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UseFixedMetrics();
    main = std::make_shared<Form>("frmMain");
    main->SetDesignText(test::kDockMain);
    main->OnControlEvent("Dock", "ToolClick",
                         [this](int16_t, com::Args& a) { clicks.push_back(com::AsObject<DockTool>(a[0])->Key()); });
    main->OnControlEvent("Dock", "ActivePaneChanged", [this](int16_t, com::Args& a) {
      panes.push_back(com::AsObject<DocumentPane>(a[0])->Title());
    });
    main->Show();
    dock = main->Get<DockStudio>("Dock");
  }
  void TearDown() override {
    for (const auto& f : Form::Forms()) f->Unload();
  }
  void ClickTool(const char* bar, const char* tool) {
    const gdi::RECT r = dock->ToolRect(bar, tool);
    ASSERT_FALSE(gdi::IsRectEmpty(r)) << tool;
    test::Click(*dock, (r.left + r.right) / 2, (r.top + r.bottom) / 2);
  }
  rt::ManualClock clock;
  rt::ScopedClock scopedClock{clock};
  std::shared_ptr<Form> main;
  std::shared_ptr<DockStudio> dock;
  std::vector<std::string> clicks;
  std::vector<std::string> panes;
};

TEST_F(Docking, ToolsAreOneByKeyAndTakeTheirTextsByName) {
  // "AddUser" sits in a menu and on a tool bar: one tool.
  auto addUser = dock->Tool("AddUser");
  EXPECT_EQ(dock->Bar("User")->Tools().front(), addUser);
  EXPECT_EQ(rt::ErrorNumberOf([&] { dock->Tool("Nope"); }), errElementNotFound);
  EXPECT_EQ(rt::ErrorNumberOf([&] { dock->Tool("adduser"); }), errElementNotFound);
  // Late bound, as a text table sets them.
  auto tools = com::AsObject<com::Dispatch>(dock->Get("Tools"));
  auto tool = com::AsObject<com::Dispatch>(tools->Call("Item", {"AddUser"}));
  for (const char* name : {"Caption", "Description", "ToolTipText", "Label", "Text"}) {
    com::CallByName(*tool, name, com::CallKind::PropertyLet, {std::string("en ") + name});
  }
  EXPECT_EQ(addUser->Caption(), "en Caption");
  EXPECT_EQ(addUser->Description(), "en Description");
  EXPECT_EQ(addUser->ToolTipText(), "en ToolTipText");
  EXPECT_EQ(addUser->Label(), "en Label");
  EXPECT_EQ(addUser->Text(), "en Text");
  // The Boolean property 11 holds back the layout while tools change.
  com::Args off{false};
  dock->Invoke(11, com::CallKind::PropertyLet, off);
  addUser->SetVisible(false);
  EXPECT_FALSE(gdi::IsRectEmpty(dock->ToolRect("User", "AddUser")));
  com::Args on{true};
  dock->Invoke(11, com::CallKind::PropertyLet, on);
  EXPECT_TRUE(gdi::IsRectEmpty(dock->ToolRect("User", "AddUser")));
}

TEST_F(Docking, ToolBarButtonsClickAndShowTooltips) {
  ClickTool("Start", "Refresh");
  EXPECT_EQ(clicks, (std::vector<std::string>{"Refresh"}));
  dock->Tool("Refresh")->SetEnabled(false);
  ClickTool("Start", "Refresh");
  EXPECT_EQ(clicks.size(), 1u);
  // Resting on a button shows its tooltip (or its caption without '&').
  const gdi::RECT back = dock->ToolRect("Start", "Go2Start");
  win::RouteMouseMove(test::ScreenPoint(*dock, back.left + 3, back.top + 3));
  EXPECT_EQ(dock->ShownToolTip(), "");
  clock.Advance(600);
  win::DoEvents();
  EXPECT_EQ(dock->ShownToolTip(), "Back to Start Page");
  const gdi::RECT del = dock->ToolRect("User", "Delete");
  win::RouteMouseMove(test::ScreenPoint(*dock, del.left + 3, del.top + 3));
  clock.Advance(600);
  win::DoEvents();
  EXPECT_EQ(dock->ShownToolTip(), "Delete");
  // A hidden bar takes its buttons away.
  dock->Bar("User")->SetVisible(false);
  EXPECT_TRUE(gdi::IsRectEmpty(dock->ToolRect("User", "Delete")));
}

TEST_F(Docking, TooltipsGoWhileADialogIsOpenAndStayGoneAfterIt) {
  const gdi::RECT back = dock->ToolRect("Start", "Go2Start");
  const gdi::RECT del = dock->ToolRect("User", "Delete");
  struct Case {
    const char* what;
    gdi::RECT tool;
    bool shownBefore;  // the tooltip shows when the dialog opens
  };
  for (const Case& c : {Case{"shown", back, true}, Case{"still waiting", del, false}}) {
    SCOPED_TRACE(c.what);
    win::RouteMouseMove(test::ScreenPoint(*dock, c.tool.left + 3, c.tool.top + 3));
    if (c.shownBefore) {
      clock.Advance(600);
      win::DoEvents();
      ASSERT_NE(dock->ShownToolTip(), "");
    }
    // A shortcut opens a dialog while the pointer rests on the button.
    auto dialog = std::make_shared<Form>("frmDialog");
    std::vector<std::string> during;
    Responders::Push([&](const ModalRequest& r) {
      during.push_back(dock->ShownToolTip());
      clock.Advance(600);
      win::DoEvents();
      during.push_back(dock->ShownToolTip());
      r.form->Unload();
      return 0;
    });
    dialog->Show(vbModal);
    EXPECT_EQ(during, (std::vector<std::string>{"", ""}));
    clock.Advance(600);
    win::DoEvents();
    EXPECT_EQ(dock->ShownToolTip(), "");
  }
}

TEST_F(Docking, MenusOpenWithTheMouseAndTheKeys) {
  ClickTool("MenuBar", "mnuDatei");
  ASSERT_EQ(dock->OpenMenus().size(), 1u);
  EXPECT_EQ(dock->OpenMenus()[0]->Key(), "mnuDatei");
  // The pointer on the menu bar opens the neighbour menu.
  const gdi::RECT opt = dock->ToolRect("MenuBar", "mnuOpt");
  win::RouteMouseMove(test::ScreenPoint(*dock, opt.left + 4, opt.top + 4));
  EXPECT_EQ(dock->OpenMenus()[0]->Key(), "mnuOpt");
  test::Key(win::VK_ESCAPE);
  EXPECT_TRUE(dock->OpenMenus().empty());

  // Alt+F, down past the disabled entry, Enter.
  test::Key('F', test::kAlt);
  ASSERT_EQ(dock->OpenMenus().size(), 1u);
  test::Key(win::VK_DOWN);
  test::Key(win::VK_RETURN);
  EXPECT_TRUE(dock->OpenMenus().empty());
  EXPECT_EQ(clicks, (std::vector<std::string>{"AddUser"}));
  // A sub-menu with Right, an entry by its access key.
  test::Key('O', test::kAlt);
  test::Key(win::VK_RIGHT);
  ASSERT_EQ(dock->OpenMenus().size(), 2u);
  test::Type("l");
  EXPECT_EQ(clicks.back(), "Farb1");
  // Right on an entry without sub-menu goes to the next menu of the bar.
  test::Key(win::VK_F10);
  EXPECT_EQ(dock->OpenMenus()[0]->Key(), "mnuDatei");
  test::Key(win::VK_RIGHT);
  EXPECT_EQ(dock->OpenMenus()[0]->Key(), "mnuFenster");
  // A click elsewhere closes the menus.
  test::Click(*dock, 200, 300);
  EXPECT_TRUE(dock->OpenMenus().empty());
}

TEST_F(Docking, FormsLiveInDocumentPanes) {
  auto start = test::NewDockView("frmStart", "Start Page");
  auto users = test::NewDockView("frmUser", "User Administration");
  dock->ShowForm(start);
  dock->ShowForm(users);
  EXPECT_EQ(panes, (std::vector<std::string>{"Start Page", "User Administration"}));
  EXPECT_EQ(dock->ActiveForm(), users);
  EXPECT_EQ(Form::ActiveForm(), users.get());
  EXPECT_TRUE(users->Visible());
  EXPECT_FALSE(start->Visible());
  // The view fills the document area, as a child window of the manager.
  EXPECT_EQ(win::GetParent(users->hWnd()), dock->hWnd());
  const gdi::RECT doc = dock->DocumentRect();
  EXPECT_EQ(users->Width(), gdi::PixelsToTwipsX(doc.right - doc.left));
  // Its controls take the mouse and the keys there.
  auto name = users->Get<FlatEdit>("txtName");
  test::Click(*name);
  test::Type("abc");
  EXPECT_EQ(name->Text(), "abc");
  // The main window activated again (by the window manager) leaves the
  // view that holds the focus the active form.
  main->Show();
  EXPECT_EQ(Form::ActiveForm(), users.get());
  // Alt and a menu's key from inside the view open the main window's menu.
  test::Key('W', test::kAlt);
  ASSERT_EQ(dock->OpenMenus().size(), 1u);
  test::Key(win::VK_RETURN);  // the window list's first entry: the start page
  EXPECT_EQ(dock->ActiveForm(), start);
  EXPECT_EQ(panes.back(), "Start Page");
  // A click on a pane's tab activates it; docking it again keeps its pane.
  const gdi::RECT tab = dock->PaneTabRect(*dock->PaneOf(*users));
  test::Click(*dock, (tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
  EXPECT_EQ(dock->ActiveForm(), users);
  dock->ShowForm(start);
  EXPECT_EQ(dock->Panes().size(), 2u);
  // An unloaded view leaves its pane.
  users->Unload();
  EXPECT_EQ(dock->Panes().size(), 1u);
}

TEST_F(Docking, StatusPanelsByKey) {
  dock->Panel("StatForm")->SetText("User Administration");
  const gdi::RECT msg = dock->PanelRect("StatMsg");
  const gdi::RECT form = dock->PanelRect("StatForm");
  EXPECT_EQ(form.right - form.left, 160);
  EXPECT_EQ(msg.left, 2);
  EXPECT_GT(msg.right - msg.left, 300);  // the spring panel takes the rest
  EXPECT_EQ(rt::ErrorNumberOf([&] { dock->Panel("StatNope"); }), errElementNotFound);
}

TEST_F(Docking, DatePanelShowsTodayInTheSystemsShortDateFormat) {
  rt::ManualClock noon9February2024(1707480000000);
  rt::ScopedClock useClock(noon9February2024);
  test::ScopedLocale locale("C.UTF-8");
  auto date = dock->AddPanel(*dock->Bar("StatusBar"), "StatDate");
  date->SetType(PanelType::Date);
  EXPECT_EQ(date->ShownText(), "02/09/24");
}

}  // namespace
}  // namespace forms
