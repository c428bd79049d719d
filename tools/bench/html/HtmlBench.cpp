// The HTML view against litehtml: generated documents of 4, 16 and 32 KB
// (the largest the view's data model takes) are laid out and drawn by the
// view (Text assignment: parse, measure, grow the page, draw) and
// laid out by litehtml with a fixed-metrics host, in the same run. Both use
// fixed font metrics, so fonts do not enter the comparison. Prints Google
// Benchmark's table, then per size the median time per document and per KB
// of both and their ratio.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "BenchDocuments.h"
#include "LitehtmlHost.h"
#include "gdi/FontBackend.h"
#include "html/KVXHTML.h"

namespace {

constexpr int kWidthPixels = 600;
constexpr int kHeightPixels = 400;
const std::vector<int64_t> kSizesKb = {4, 16, 32};

// 32 KB stands for the data model's whole range, 32,767 characters.
size_t BytesFor(int64_t kb) { return kb == 32 ? 32767 : static_cast<size_t>(kb * 1024); }

void Ours(benchmark::State& state) {
  gdi::ScopedFixedMetrics metrics;
  const std::string doc = qvbench::GeneratedDocument(BytesFor(state.range(0)));
  kvctl2::KVXHTML html;
  html.SetEnableAnchors(true);
  html.SetEnableScroll(kvctl2::htmScrollBars::Beide);
  html.Move(0, 0, kWidthPixels * 15, kHeightPixels * 15);
  html.SetText(doc);  // the bars settle once
  for (auto _ : state) {
    html.SetText(doc);
    benchmark::DoNotOptimize(html.PageHeight());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
  state.counters["elements"] = html.ElementCount();
  state.counters["page_px"] = html.PageHeight();
}

void Litehtml(benchmark::State& state) {
  const std::string doc = qvbench::GeneratedDocument(BytesFor(state.range(0)));
  const std::string page = "<html><body>" + doc + "</body></html>";
  qvbench::LitehtmlHost host(kWidthPixels);
  litehtml::context context;
  context.load_master_stylesheet(qvbench::LitehtmlHost::MasterStyleSheet());
  int height = 0;
  for (auto _ : state) {
    litehtml::document::ptr document = litehtml::document::createFromString(page.c_str(), &host, &context);
    document->render(kWidthPixels);
    document->draw(0, 0, 0, nullptr);
    height = document->height();
    benchmark::DoNotOptimize(height);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(doc.size()));
  state.counters["page_px"] = height;
}

BENCHMARK(Ours)->ArgsProduct({kSizesKb})->Unit(benchmark::kMillisecond);
BENCHMARK(Litehtml)->ArgsProduct({kSizesKb})->Unit(benchmark::kMillisecond);

// Keeps the median time per document (ms) of each benchmark's repetitions.
class Recorder : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median" && !run.error_occurred)
        millis[run.run_name.str()] = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> millis;
};

}  // namespace

int main(int argc, char** argv) {
  // The machine may be busy: each benchmark runs a few times and the
  // median counts (options given on the command line come later and win).
  std::vector<char*> args{argv[0]};
  std::string repetitions = "--benchmark_repetitions=7";
  std::string aggregates = "--benchmark_report_aggregates_only=true";
  args.push_back(repetitions.data());
  args.push_back(aggregates.data());
  for (int i = 1; i < argc; ++i) args.push_back(argv[i]);
  int count = static_cast<int>(args.size());
  benchmark::Initialize(&count, args.data());
  Recorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  std::printf("\n%6s %10s %12s %12s %14s %8s\n", "size", "bytes", "ours ms/doc", "ours us/KB", "litehtml ms/doc",
              "ratio");
  for (int64_t kb : kSizesKb) {
    const std::string arg = "/" + std::to_string(kb);
    const double ours = recorder.millis["Ours" + arg];
    const double theirs = recorder.millis["Litehtml" + arg];
    const double bytes = static_cast<double>(qvbench::GeneratedDocument(BytesFor(kb)).size());
    std::printf("%4ld KB %10.0f %12.3f %12.1f %14.3f %7.2fx\n", static_cast<long>(kb), bytes, ours,
                ours * 1e3 / (bytes / 1024.0), theirs, ours > 0 ? theirs / ours : 0.0);
  }
  benchmark::Shutdown();
  return 0;
}
