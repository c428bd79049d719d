// The combo box and the list box: their members, their errors, and the
// drop-down list played with the mouse and the keys.
#include <gtest/gtest.h>

#include "forms/Form.h"
#include "forms/Popup.h"
#include "forms/controls/ComboBox.h"
#include "forms/lists/ListBox.h"
#include "gdi/FontBackend.h"
#include "runtime/ErrorNumberOf.h"
#include "tests/PlayUser.h"

namespace forms {
namespace {

using rt::ErrorNumberOf;

const char* kLists = R"(Begin Form frmLists
   ClientWidth = 5000
   ClientHeight = 4000
   Begin XtremeSuiteControls.ComboBox cboServer
      Left = 120
      Top = 120
      Width = 3000
      Height = 315
      TabIndex = 0
   End
   Begin XtremeSuiteControls.ComboBox cboDomains
      Style = 2
      Left = 120
      Top = 600
      Width = 3000
      Height = 315
      TabIndex = 1
   End
   Begin VB.ListBox lstGrp
      Left = 120
      Top = 1200
      Width = 3000
      Height = 1000
      TabIndex = 2
   End
End
)";

class Lists : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UseFixedMetrics();
    form = std::make_shared<Form>("frmLists");
    form->SetDesignText(kLists);
    form->Show();
    server = form->Get<ComboBox>("cboServer");
    domains = form->Get<ComboBox>("cboDomains");
    groups = form->Get<ListBox>("lstGrp");
    for (auto* c : {static_cast<com::Control*>(server.get()), static_cast<com::Control*>(domains.get())}) {
      c->Events().ConnectAll([this, c](std::string_view event, com::Args&) {
        if (event == "Click" || event == "Change") log.push_back(c->Name() + " " + std::string(event));
      });
    }
  }
  void TearDown() override { form->Unload(); }
  rt::ManualClock clock;
  rt::ScopedClock scopedClock{clock};
  std::shared_ptr<Form> form;
  std::shared_ptr<ComboBox> server, domains;
  std::shared_ptr<ListBox> groups;
  std::vector<std::string> log;
};

TEST_F(Lists, ComboMembersAndErrors) {
  for (const char* s : {"alpha", "beta", "gamma"}) server->AddItem(s);
  server->AddItem("first", 0);
  EXPECT_EQ(server->ListCount(), 4);
  EXPECT_EQ(server->List(0), "first");
  server->SetListIndex(2);
  EXPECT_EQ(server->Text(), "beta");
  EXPECT_EQ(log, (std::vector<std::string>{"cboServer Change", "cboServer Click"}));
  // An editable combo takes any text; an equal item becomes ListIndex.
  server->SetText("GAMMA");
  EXPECT_EQ(server->ListIndex(), 3);
  server->SetText("elsewhere");
  EXPECT_EQ(server->ListIndex(), -1);
  server->SetListIndex(-1);
  EXPECT_EQ(server->Text(), "");
  EXPECT_EQ(ErrorNumberOf([&] { server->List(4); }), 381);
  EXPECT_EQ(ErrorNumberOf([&] { server->SetListIndex(9); }), 381);
  // A drop-down list takes only the text of one of its items.
  domains->AddItem("WORKGROUP");
  domains->SetText("workgroup");
  EXPECT_EQ(domains->ListIndex(), 0);
  EXPECT_EQ(ErrorNumberOf([&] { domains->SetText("nowhere"); }), 383);
  server->RemoveItem(0);
  EXPECT_EQ(server->List(0), "alpha");
  server->Clear();
  EXPECT_EQ(server->ListCount(), 0);
}

TEST_F(Lists, TheDropDownOpensAsAPopupAndChoosesWithTheMouse) {
  for (int i = 1; i <= 12; ++i) domains->AddItem("Domain " + std::to_string(i));
  log.clear();
  test::Click(*domains);
  ASSERT_TRUE(domains->DroppedDown());
  auto popups = Popup::OpenPopups();
  ASSERT_EQ(popups.size(), 1u);
  win::RECT combo;
  win::GetWindowRect(domains->hWnd(), &combo);
  EXPECT_EQ(popups[0]->ScreenPosition().y, combo.bottom);
  EXPECT_EQ(popups[0]->Width(), combo.right - combo.left);
  // Eight rows show; the list scrolls to the rest with the wheel.
  const int row = ItemList::RowHeight(domains->Font());
  EXPECT_EQ(popups[0]->Height(), 8 * row + 2);
  const win::POINT top{popups[0]->ScreenPosition().x + 10, popups[0]->ScreenPosition().y + 1 + row / 2};
  win::RouteMouseWheel(top, -120);
  test::ClickAt(win::POINT{top.x, top.y + 2 * row});
  EXPECT_FALSE(domains->DroppedDown());
  EXPECT_EQ(domains->Text(), "Domain 6");  // three rows scrolled, the third row chosen
  EXPECT_EQ(log, (std::vector<std::string>{"cboDomains Click"}));
  // A click outside closes the list without a change.
  test::Click(*domains);
  test::ClickAt(win::POINT{combo.right + 100, combo.bottom + 200});
  EXPECT_FALSE(domains->DroppedDown());
  EXPECT_EQ(domains->ListIndex(), 5);
}

TEST_F(Lists, TheKeysOpenMoveChooseAndCancel) {
  for (const char* s : {"Anna", "Bert", "Berta", "Carl"}) domains->AddItem(s);
  form->SetFocusTo(*domains);
  test::Key(win::VK_DOWN);
  EXPECT_EQ(domains->Text(), "Anna");
  test::Type("b");
  EXPECT_EQ(domains->Text(), "Bert");
  test::Type("b");
  EXPECT_EQ(domains->Text(), "Berta");
  test::Key(win::VK_DOWN, test::kAlt);
  ASSERT_TRUE(domains->DroppedDown());
  test::Key(win::VK_DOWN);
  EXPECT_EQ(domains->HighlightedItem(), 3);
  test::Key(win::VK_ESCAPE);
  EXPECT_FALSE(domains->DroppedDown());
  EXPECT_EQ(domains->Text(), "Berta");
  test::Key(win::VK_F1 + 3);
  test::Key(win::VK_HOME);
  test::Key(win::VK_RETURN);
  EXPECT_EQ(domains->Text(), "Anna");
  // Typing into the editable combo.
  form->SetFocusTo(*server);
  test::Type("srv01");
  EXPECT_EQ(server->Text(), "srv01");
}

TEST_F(Lists, ListBoxSelectsWithKeysAndMouse) {
  for (int i = 0; i < 20; ++i) groups->AddItem("Group " + std::to_string(i));
  int clicks = 0;
  groups->Events().Connect("Click", [&](com::Args&) { ++clicks; });
  const int row = ItemList::RowHeight(groups->Font());
  test::Click(*groups, 20, 2 + row + row / 2);
  EXPECT_EQ(groups->ListIndex(), 1);
  EXPECT_EQ(form->ActiveControl(), groups);
  test::Key(win::VK_END);
  EXPECT_EQ(groups->Text(), "Group 19");
  EXPECT_GT(groups->TopIndex(), 0);
  test::Key(win::VK_HOME);
  EXPECT_EQ(groups->TopIndex(), 0);
  EXPECT_EQ(clicks, 3);
  groups->RemoveItem(0);
  EXPECT_EQ(groups->ListIndex(), -1);
  EXPECT_EQ(ErrorNumberOf([&] { groups->RemoveItem(19); }), 381);
}

}  // namespace
}  // namespace forms
