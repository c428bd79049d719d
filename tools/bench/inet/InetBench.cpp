// A 200 MB download from the scripted server on 127.0.0.1, side by side
// with the curl command line writing the same file from the same server,
// alternating for a few rounds: once through the update assistant's
// download class alone (1024-byte chunks, a progress event and a pass of
// the message pump after each, the body passed over), against curl into
// /dev/null, and once as Verscout's whole update path
// (the update window's "Update now": size pass, transfer with its progress
// events, temporary file and the two copies into the update folder).
// Prints the median of each and their ratios.
//   qvinetbench [megabytes] [rounds]
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "UpdatePath.h"
#include "clsDownload.h"
#include "inet/ConnectTo.h"
#include "inet/ScriptedHttpServer.h"
#include "win/MessageQueue.h"

extern char** environ;

namespace {

constexpr const char* kHost = "update.example.test";
constexpr const char* kPath = "/4/data/QVUpdate.exe";

// What the update window does with the events: moves its bar and lets
// pending messages through.
struct WindowLikeOwner : verscout::clsDownloadEvents {
  int32_t bar = 0;
  void Progresschanged(double& Progress, int32_t&, bool&) override {
    bar = static_cast<int32_t>(Progress + 0.5);
    win::DoEvents();
  }
  void Statechanged(int32_t&) override {}
  void Startdownloading(int32_t&) override {}
  void AddStatusLine(const std::string& text) override { std::fprintf(stderr, "status line: %s\n", text.c_str()); }
};

double Seconds(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double TimeClass(size_t size) {
  auto owner = std::make_shared<WindowLikeOwner>();
  auto download = std::make_shared<verscout::clsDownload>(owner);
  const auto start = std::chrono::steady_clock::now();
  // The body is passed over as it arrives, as curl's into /dev/null is.
  const size_t received =
      download->Downloadfile(std::string(kHost) + kPath, 1024, "Download", [](std::string_view) { return true; });
  const double seconds = Seconds(start);
  if (received != size) std::fprintf(stderr, "download class: %zu bytes instead of %zu\n", received, size);
  return seconds;
}

double TimeCurl(const inet::ScriptedHttpServer& server, const std::string& output) {
  const std::string connectTo = server.ConnectToEntry(kHost);
  const std::string url = std::string("http://") + kHost + kPath;
  const char* argv[] = {"curl", "-s", "-f", "-o", output.c_str(), "--connect-to", connectTo.c_str(), url.c_str(),
                        nullptr};
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  if (posix_spawnp(&pid, "curl", nullptr, nullptr, const_cast<char* const*>(argv), environ) != 0) {
    std::fprintf(stderr, "curl cannot be started\n");
    std::exit(1);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  const double seconds = Seconds(start);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) std::fprintf(stderr, "curl failed\n");
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const size_t megabytes = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 200;
  const int rounds = argc > 2 ? std::atoi(argv[2]) : 3;
  const size_t size = megabytes * 1000 * 1000;

  inet::ScriptedHttpServer server;
  for (const char* path : {kPath, bench::UpdatePath::kUpdatePath}) {
    server.On("HEAD", path, {inet::steps::Bytes(inet::ResponseHead(200, size))});
    server.On("GET", path, {inet::steps::Bytes(inet::ResponseHead(200, size)), inet::steps::Pattern(size)});
  }
  inet::ScopedConnectTo mapping({server.ConnectToEntry(kHost), server.ConnectToEntry(bench::UpdatePath::kHost)});

  // curl writes the file into the temporary folder, as a user fetching it
  // would; the figure for /dev/null shows the transfer alone.
  const char* temp = std::getenv("TMPDIR");
  const std::string folder = std::string(temp && *temp ? temp : "/tmp");
  const std::string file = folder + "/qvinetbench-" + std::to_string(getpid());
  bench::UpdatePath updatePath(folder + "/qvinetbench-world-" + std::to_string(getpid()), server);
  std::vector<double> classTimes, pathTimes, curlTimes, curlNullTimes;
  for (int i = 0; i < rounds; ++i) {
    classTimes.push_back(TimeClass(size));
    pathTimes.push_back(updatePath.TimeUpdate(size));
    if (pathTimes.back() < 0) std::fprintf(stderr, "the update folder did not get the whole update\n");
    curlTimes.push_back(TimeCurl(server, file));
    std::remove(file.c_str());
    curlNullTimes.push_back(TimeCurl(server, "/dev/null"));
  }
  const double byClass = Median(classTimes);
  const double byPath = Median(pathTimes);
  const double byCurl = Median(curlTimes);
  const double byCurlNull = Median(curlNullTimes);
  const auto rate = [megabytes](double seconds) { return static_cast<double>(megabytes) / seconds; };
  std::printf("download of %zu MB from 127.0.0.1, median of %d rounds\n", megabytes, rounds);
  std::printf("  clsDownload (1024-byte chunks, events, message pump, body passed over): %.3f s (%.0f MB/s)\n", byClass,
              rate(byClass));
  std::printf("  Verscout's update path (size pass, transfer, progress, temporary file, two copies): %.3f s (%.0f MB/s)\n",
              byPath, rate(byPath));
  std::printf("  curl command line into a file:                         %.3f s (%.0f MB/s)\n", byCurl, rate(byCurl));
  std::printf("  curl command line into /dev/null:                      %.3f s (%.0f MB/s)\n", byCurlNull,
              rate(byCurlNull));
  std::printf("  download class to curl into /dev/null: %.2f\n", byClass / byCurlNull);
  std::printf("  update path to curl into a file: %.2f (goal: at most 1.50)\n", byPath / byCurl);
  return 0;
}
