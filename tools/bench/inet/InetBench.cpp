// A 200 MB download from the scripted server on 127.0.0.1, once through the
// update assistant's download class (1024-byte chunks, a progress event and
// a pass of the message pump after each, as the update window handles
// them) and once through the curl command line, alternating for a few
// rounds. Prints the median of each and their ratio.
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
#include <vector>

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
  const std::string body = download->Downloadfile(std::string(kHost) + kPath, 1024, "Download");
  const double seconds = Seconds(start);
  if (body.size() != size) std::fprintf(stderr, "download class: %zu bytes instead of %zu\n", body.size(), size);
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
  server.On("HEAD", kPath, {inet::steps::Bytes(inet::ResponseHead(200, size))});
  server.On("GET", kPath, {inet::steps::Bytes(inet::ResponseHead(200, size)), inet::steps::Pattern(size)});
  inet::ScopedConnectTo mapping({server.ConnectToEntry(kHost)});

  // curl writes the file into the temporary folder, as a user fetching it
  // would; the figure for /dev/null shows the transfer alone.
  const char* temp = std::getenv("TMPDIR");
  const std::string file = std::string(temp && *temp ? temp : "/tmp") + "/qvinetbench-" + std::to_string(getpid());
  std::vector<double> classTimes, curlTimes, curlNullTimes;
  for (int i = 0; i < rounds; ++i) {
    classTimes.push_back(TimeClass(size));
    curlTimes.push_back(TimeCurl(server, file));
    std::remove(file.c_str());
    curlNullTimes.push_back(TimeCurl(server, "/dev/null"));
  }
  const double byClass = Median(classTimes);
  const double byCurl = Median(curlTimes);
  const double byCurlNull = Median(curlNullTimes);
  std::printf("download of %zu MB from 127.0.0.1, median of %d rounds\n", megabytes, rounds);
  std::printf("  clsDownload (1024-byte chunks, events, message pump): %.3f s (%.0f MB/s)\n", byClass,
              static_cast<double>(megabytes) / byClass);
  std::printf("  curl command line into a file:                         %.3f s (%.0f MB/s)\n", byCurl,
              static_cast<double>(megabytes) / byCurl);
  std::printf("  curl command line into /dev/null:                      %.3f s (%.0f MB/s)\n", byCurlNull,
              static_cast<double>(megabytes) / byCurlNull);
  std::printf("  ratio to curl into a file: %.2f (goal: at most 1.30); to /dev/null: %.2f\n", byClass / byCurl,
              byClass / byCurlNull);
  return 0;
}
