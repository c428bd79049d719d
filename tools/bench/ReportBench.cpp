// The report list with 10,000 rows of five columns: filling the records,
// populating with a sort and painting the first page, and repainting after
// scrolling one page. A program, not a test (tools/bench/run-report).
// Prints the median of a few rounds of each step.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Timing.h"
#include "forms/Form.h"
#include "forms/lists/ReportControl.h"
#include "gdi/FontBackend.h"
#include "gdi/Gdi.h"
#include "runtime/Date.h"

namespace {

constexpr int kRows = 10000;
constexpr int kRounds = 7;

const char* kDesign = R"FRM(Begin Form frmBench
   ClientWidth = 12000
   ClientHeight = 9000
   Begin XtremeReportControl.ReportControl rctList
      Left = 0
      Top = 0
      Width = 12000
      Height = 9000
   End
End
)FRM";

using bench::Median;
using bench::Milliseconds;

// A deterministic scramble of the row number, so the sort has work to do.
std::string Login(int i) {
  const unsigned v = static_cast<unsigned>(i) * 2654435761u;
  return "user" + std::to_string(v % 1000003) + "." + std::to_string(i);
}

}  // namespace

int main() {
  gdi::UsePangoMetrics();
  auto form = std::make_shared<forms::Form>("frmBench");
  form->SetDesignText(kDesign);
  form->Show();
  auto list = form->Get<forms::ReportControl>("rctList");
  list->AddColumn(0, "Windows Login", 200, true);
  list->AddColumn(1, "Username", 200, true);
  list->AddColumn(2, "Description", 300, true);
  list->AddColumn(3, "Administrator", 80, true);
  list->AddColumn(4, "Date Created", 90, false);
  gdi::OwnedDC dc(gdi::CreateSurfaceDC(list->PixelWidth(), list->PixelHeight()));

  std::vector<double> fill, populatePaint, scroll;
  for (int round = 0; round < kRounds; ++round) {
    list->DeleteAllRecords();
    list->ClearSortOrder();
    list->Populate();
    fill.push_back(Milliseconds([&] {
      for (int i = 0; i < kRows; ++i) {
        auto record = list->AddRecord();
        record->AddItem(Login(i)).SetIcon(1);
        record->AddItem("Full Name " + std::to_string(kRows - i));
        record->AddItem("Description of account " + std::to_string(i % 97));
        record->AddItem(i % 7 == 0 ? "Yes" : "No");
        record->AddItem(rt::DateSerial(2020 + i % 5, 1 + i % 12, 1 + i % 28));
      }
    }));
    populatePaint.push_back(Milliseconds([&] {
      list->AddSortColumn(list->Column(0));
      list->Populate();
      list->Draw(dc.Get(), 0, 0);
    }));
    scroll.push_back(Milliseconds([&] {
      list->SetTopRow(list->TopRow() + list->PageRows());
      list->Draw(dc.Get(), 0, 0);
    }));
  }
  std::printf("Report list, %d rows x 5 columns, %d x %d pixels (median of %d rounds):\n", kRows, list->PixelWidth(),
              list->PixelHeight(), kRounds);
  std::printf("  fill the records:              %8.1f ms\n", Median(fill));
  std::printf("  populate (sorted) + paint:     %8.1f ms   (goal: under 100 ms)\n", Median(populatePaint));
  std::printf("  scroll one page + repaint:     %8.1f ms   (goal: under 10 ms)\n", Median(scroll));
  form->Unload();
  return 0;
}
