// The report list: the late-bound paths its callers use, populating with
// sort and filter, and the user's selection, sorting, sizing and scrolling.
#include <gtest/gtest.h>

#include "forms/Form.h"
#include "forms/lists/ReportControl.h"
#include "gdi/FontBackend.h"
#include "gdi/Gdi.h"
#include "runtime/Date.h"
#include "runtime/ErrorNumberOf.h"
#include "tests/PlayUser.h"
#include "win/Metrics.h"

namespace forms {
namespace {

using rt::ErrorNumberOf;

const char* kList = R"FRM(Begin Form frmList
   ClientWidth = 7500
   ClientHeight = 3000
   Begin XtremeReportControl.ReportControl rctUser
      Left = 0
      Top = 0
      Width = 7500
      Height = 3000
      TabIndex = 0
   End
End
)FRM";

// Calls a member of a late-bound object by dispatch id.
rt::Variant Call(com::Dispatch& object, com::DispId id, com::Args args = {},
                 com::CallKind kind = com::CallKind::Method) {
  return object.Invoke(id, kind, args);
}
std::shared_ptr<com::Dispatch> Obj(const rt::Variant& v) { return com::AsDispatch(v); }
void Let(com::Dispatch& object, com::DispId id, rt::Variant value) {
  com::Args args{std::move(value)};
  object.Invoke(id, com::CallKind::PropertyLet, args);
}

class Report : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UseFixedMetrics();
    form = std::make_shared<Form>("frmList");
    form->SetDesignText(kList);
    form->OnControlEvent("rctUser", "SelectionChanged", [this](int16_t, com::Args&) { ++selectionChanges; });
    form->Show();
    list = form->Get<ReportControl>("rctUser");
  }
  void TearDown() override { form->Unload(); }
  // Three columns (ID hidden, Login with icons, Created) and records.
  void Fill(const std::vector<std::pair<std::string, int>>& users) {
    auto columns = Obj(Call(*list, 13));
    Call(*columns, 2, {0, "ID", 0, false});
    Let(*Obj(Call(*columns, 0, {0})), 2, false);
    Call(*columns, 2, {1, "Windows Login", 280, true});
    Call(*columns, 2, {2, "Date Created", 75, false});
    auto records = Obj(Call(*list, 14));
    int id = 0;
    for (const auto& [login, day] : users) {
      auto record = Obj(Call(*records, 2));
      Call(*record, 2, {std::to_string(++id)});
      Let(*Obj(Call(*record, 2, {login})), 9, 1);
      Call(*record, 2, {rt::Variant(rt::DateSerial(2024, 1, day))});
    }
    Call(*list, 15);
  }
  std::string LoginOfRow(int32_t row) { return list->RowRecord(row)->Item(1).Caption(); }
  rt::ManualClock clock;
  rt::ScopedClock scopedClock{clock};
  std::shared_ptr<Form> form;
  std::shared_ptr<ReportControl> list;
  int selectionChanges = 0;
};

TEST_F(Report, TheLateBoundPathsOfItsCallers) {
  gdi::OwnedBitmap picture(gdi::CreateFilledBitmap(16, 16, gdi::RGB(0, 128, 0)));
  Call(*Obj(Call(*list, 12)), 2, {gdi::ToInt(picture.Get()), 1, 0});
  auto paint = Obj(Call(*list, 16));
  Let(*paint, 10, "In this view, there are no entries.");
  Let(*paint, 14, static_cast<int32_t>(0xF0FFFF));
  EXPECT_EQ(list->NoItemsText(), "In this view, there are no entries.");
  EXPECT_EQ(list->RowBackColor(), 0xF0FFFFu);
  Fill({{"carl", 3}, {"anna", 1}, {"bert", 2}});
  EXPECT_NE(list->Icons().Icon(1), nullptr);
  EXPECT_FALSE(list->Column(0)->Visible());

  auto rows = Obj(Call(*list, 18));
  EXPECT_EQ(Call(*rows, 1).ToLong(), 3);
  // Without a sort the rows keep the records' order.
  auto row1 = Obj(Call(*rows, 0, {1}));
  auto record1 = Obj(Call(*row1, 1));
  EXPECT_EQ(Call(*Obj(Call(*record1, 0, {1})), 3, {}, com::CallKind::PropertyGet).ToString(), "anna");
  EXPECT_EQ(Call(*record1, 10, {}, com::CallKind::PropertyGet).ToLong(), 1);
  EXPECT_EQ(Call(*row1, 2, {}, com::CallKind::PropertyGet).ToLong(), 1);

  // No selection: reading selected row 0 raises 5.
  auto selected = Obj(Call(*list, 19));
  EXPECT_EQ(Call(*selected, 1).ToLong(), 0);
  EXPECT_EQ(ErrorNumberOf([&] { Call(*selected, 0, {0}); }), 5);
  Let(*row1, 7, true);
  EXPECT_EQ(Call(*Obj(Call(*selected, 0, {0})), 2).ToLong(), 1);
  Call(*selected, 5);
  EXPECT_EQ(Call(*selected, 1).ToLong(), 0);
  // Setting the focused row focuses and selects it.
  com::Args focus{com::ToVariant(row1)};
  list->Invoke(20, com::CallKind::PropertySet, focus);
  EXPECT_EQ(list->FocusedRow(), 1);
  EXPECT_EQ(list->SelectedRows(), std::vector<int32_t>{1});

  // Sort ascending by the login, then descending.
  auto sort = Obj(Call(*list, 21));
  Call(*sort, 5);
  Call(*sort, 2, {Call(*Obj(Call(*list, 13)), 0, {1})});
  Call(*list, 15);
  EXPECT_EQ(LoginOfRow(0), "anna");
  EXPECT_EQ(LoginOfRow(2), "carl");
  EXPECT_EQ(list->FocusedRow(), 0);  // the focus stays with anna's record
  EXPECT_EQ(Call(*row1, 2).ToLong(), -1);  // a row of the last Populate is gone
  Let(*Obj(Call(*sort, 0, {0})), 5, false);
  Call(*list, 15);
  EXPECT_EQ(LoginOfRow(0), "carl");
  // The row of a record.
  auto anna = Obj(Call(*Obj(Call(*rows, 0, {2})), 1));
  EXPECT_EQ(Call(*Obj(Call(*rows, 2, {com::ToVariant(anna)})), 2).ToLong(), 2);

  // A filter keeps the rows whose shown items contain it.
  Let(*list, 33, "AR");
  Call(*list, 15);
  EXPECT_EQ(list->RowCount(), 1);
  EXPECT_EQ(LoginOfRow(0), "carl");
  Let(*list, 33, "");
  // Removing by record index, deleting all.
  auto records = Obj(Call(*list, 14));
  Call(*records, 6, {Call(*anna, 10)});
  EXPECT_EQ(Call(*records, 1).ToLong(), 2);
  EXPECT_EQ(ErrorNumberOf([&] { Call(*records, 6, {7}); }), 5);
  Call(*records, 5);
  Call(*list, 15);
  EXPECT_EQ(list->RowCount(), 0);
  EXPECT_EQ(ErrorNumberOf([&] { Call(*rows, 0, {0}); }), 5);
}

TEST_F(Report, TheUserSelectsSortsAndOpensRows) {
  Fill({{"carl", 3}, {"anna", 1}, {"bert", 2}, {"dora", 4}});
  std::vector<std::string> opened;
  form->OnControlEvent("rctUser", "RowDblClick", [&](int16_t, com::Args& a) {
    auto row = com::AsDispatch(a[0]);
    auto item = com::AsDispatch(a[1]);
    opened.push_back(row->Get("Index").ToString() + " " + item->Get("Value").ToString());
  });
  const gdi::RECT first = list->RowRect(0);
  const int x = list->HeaderRect(*list->Column(1)).left + 10;
  test::Click(*list, x, first.top + 2);
  EXPECT_EQ(list->SelectedRows(), std::vector<int32_t>{0});
  EXPECT_EQ(form->ActiveControl(), list);
  test::Key(win::VK_DOWN, test::kShift);
  test::Key(win::VK_DOWN, test::kShift);
  EXPECT_EQ(list->SelectedRows(), (std::vector<int32_t>{0, 1, 2}));
  test::Key(win::VK_END);
  EXPECT_EQ(list->SelectedRows(), std::vector<int32_t>{3});
  EXPECT_EQ(selectionChanges, 4);
  // Ctrl+click adds a row.
  const gdi::RECT second = list->RowRect(1);
  win::RouteKey(win::VK_CONTROL, true);
  test::Click(*list, x, second.top + 2);
  win::RouteKey(win::VK_CONTROL, false);
  EXPECT_EQ(list->SelectedRows(), (std::vector<int32_t>{1, 3}));

  // A click on a header sorts by it; a second click turns it round. The
  // selection follows the records.
  const gdi::RECT header = list->HeaderRect(*list->Column(2));
  test::Click(*list, header.left + 5, header.top + 5);
  EXPECT_EQ(LoginOfRow(0), "anna");
  EXPECT_EQ(LoginOfRow(3), "dora");
  test::Click(*list, header.left + 5, header.top + 5);
  EXPECT_EQ(LoginOfRow(0), "dora");
  std::vector<std::string> selectedLogins;
  for (int32_t row : list->SelectedRows()) selectedLogins.push_back(LoginOfRow(row));
  EXPECT_EQ(selectedLogins, (std::vector<std::string>{"dora", "anna"}));

  test::DoubleClick(*list, x, list->RowRect(1).top + 2);
  EXPECT_EQ(opened, std::vector<std::string>{"1 carl"});
}

TEST_F(Report, ColumnsShareTheWidthAndALongListScrolls) {
  std::vector<std::pair<std::string, int>> many;
  for (int i = 0; i < 200; ++i) many.emplace_back("user" + std::to_string(1000 + i), 1 + i % 28);
  Fill(many);
  // The resizable column takes what the fixed one leaves.
  const gdi::RECT login = list->HeaderRect(*list->Column(1));
  const gdi::RECT created = list->HeaderRect(*list->Column(2));
  EXPECT_EQ(created.right - created.left, 75);
  EXPECT_EQ(login.right, created.left);
  EXPECT_EQ(created.right, 500 - 2 - win::GetSystemMetrics(win::SM_CXVSCROLL));  // less the scroll bar
  // Without automatic sizing, dragging the login column's edge narrows it.
  list->SetAutoColumnSizing(false);
  const int widthBefore = 280;
  const int edge = list->HeaderRect(*list->Column(1)).right;
  test::Drag(*list, edge, login.top + 5, edge - 40, login.top + 5);
  EXPECT_EQ(list->HeaderRect(*list->Column(1)).right - list->HeaderRect(*list->Column(1)).left, widthBefore - 40);
  // Keys and the wheel scroll.
  test::Click(*list, 30, list->RowRect(0).top + 2);
  test::Key(win::VK_NEXT);
  EXPECT_EQ(list->FocusedRow(), list->PageRows() - 1);
  test::Key(win::VK_END);
  EXPECT_EQ(list->TopRow() + list->PageRows() - 1, 199);
  test::Wheel(*list, 2);
  EXPECT_EQ(list->TopRow() + list->PageRows() - 1, 193);
}

}  // namespace
}  // namespace forms
