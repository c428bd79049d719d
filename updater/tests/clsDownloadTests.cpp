#include "clsDownload.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "Global.h"
#include "inet/ConnectTo.h"
#include "inet/ScriptedHttpServer.h"
#include "inet/Waiting.h"
#include "runtime/ErrorNumberOf.h"

namespace verscout {
namespace {

using inet::ResponseHead;
using inet::steps::Bytes;
using inet::steps::Close;

// Records the events and status lines of a download object.
struct Recorder : clsDownloadEvents {
  std::vector<std::string> events;
  std::vector<std::pair<double, int32_t>> progress;
  std::vector<std::string> lines;
  std::function<void(bool& cancel)> onProgress;

  void Progresschanged(double& Progress, int32_t& size, bool& Cancel) override {
    progress.emplace_back(Progress, size);
    events.push_back("Progress");
    if (onProgress) onProgress(Cancel);
  }
  void Statechanged(int32_t& State) override { events.push_back("State " + std::to_string(State)); }
  void Startdownloading(int32_t& size) override { events.push_back("Start " + std::to_string(size)); }
  void AddStatusLine(const std::string& text) override { lines.push_back(text); }
};

class clsDownloadTest : public ::testing::Test {
 protected:
  void SetUp() override { IsEnglish = true; }
  inet::ScriptedHttpServer server;
  inet::ScopedConnectTo mapping{{server.ConnectToEntry("update.example.test")}};
  std::shared_ptr<Recorder> recorder = std::make_shared<Recorder>();
  std::shared_ptr<clsDownload> download = std::make_shared<clsDownload>(recorder);

  std::string Fetch(const std::string& path, int32_t bytes = 1024) {
    return download->Downloadfile("update.example.test" + path, bytes, "Download");
  }
};

TEST_F(clsDownloadTest, SizeQueryAnswersTheAnnouncedLengthOnly) {
  struct Case {
    const char* what;
    std::string head;
    const char* expected;
  };
  const std::string manyHeaders = "X-Padding: " + std::string(1500, 'p');
  for (const Case& c : {Case{"announced", ResponseHead(200, 2500), "2500"},
                        Case{"lower-case header", "HTTP/1.1 200 OK\r\ncontent-length:  77 \r\n\r\n", "77"},
                        Case{"status 500", ResponseHead(500, 2500), "0"},
                        Case{"no length", ResponseHead(200, std::nullopt), "0"},
                        Case{"headers beyond 1024 bytes", ResponseHead(200, 2500, {manyHeaders}), "2500"}}) {
    SCOPED_TRACE(c.what);
    server.On("HEAD", "/4/data/QVUpdate.exe", {Bytes(c.head)});
    recorder->events.clear();
    EXPECT_EQ(Fetch("/4/data/QVUpdate.exe", 0), c.expected);
    EXPECT_EQ(recorder->events, std::vector<std::string>{"State 1"});
    EXPECT_TRUE(recorder->lines.empty());
  }
  const auto requests = server.Requests();
  ASSERT_FALSE(requests.empty());
  EXPECT_EQ(requests.front().Header("User-Agent"), "Download");
}

TEST_F(clsDownloadTest, TransferRaisesOneProgressEventPerChunkAfterTheFirst) {
  struct Case {
    size_t size;
    std::vector<std::pair<double, int32_t>> progress;
  };
  for (const Case& c : {Case{500, {}}, Case{2048, {{50, 1024}, {100, 2048}}}, Case{2500, {{40.96, 1024}, {81.92, 2048}}}}) {
    SCOPED_TRACE(c.size);
    const std::string body = inet::PatternBytes(c.size);
    server.Serve("/4/data/QVUpdate.exe", body);
    recorder->events.clear();
    recorder->progress.clear();
    EXPECT_EQ(Fetch("/4/data/QVUpdate.exe"), body);
    EXPECT_TRUE(download->LastBodyComplete());
    ASSERT_EQ(recorder->progress.size(), c.progress.size());
    for (size_t i = 0; i < c.progress.size(); ++i) {
      EXPECT_DOUBLE_EQ(recorder->progress[i].first, c.progress[i].first);
      EXPECT_EQ(recorder->progress[i].second, c.progress[i].second);
    }
    std::vector<std::string> expected{"State 1", "State 2", "Start " + std::to_string(c.size)};
    expected.insert(expected.end(), c.progress.size(), "Progress");
    expected.push_back("State 0");
    EXPECT_EQ(recorder->events, expected);
  }
  EXPECT_TRUE(recorder->lines.empty());
}

TEST_F(clsDownloadTest, PrefixIsDroppedInAnyCaseAndAUrlWithoutSlashIsAnError) {
  server.Serve("/ver.txt", "1|x|1234|QV");
  EXPECT_EQ(download->Downloadfile("HTTP://update.example.test/ver.txt", 1024, "Download"), "1|x|1234|QV");
  EXPECT_EQ(rt::ErrorNumberOf([&] { download->Downloadfile("update.example.test", 1024, "Download"); }),
            rt::errInvalidProcedureCall);
}

TEST_F(clsDownloadTest, NothingToFetchAddsItsNumberedLine) {
  struct Case {
    const char* what;
    std::string path;
    bool serverDown;
    const char* line;
  };
  for (const Case& c : {Case{"missing file", "/4/data/ver.txt", false, "#40502 Data is not accessible"},
                        Case{"missing probe", "/4/data/_FlagIsConnect", false, "#40555 No connection to web-server"},
                        Case{"server down", "/4/data/_flagisconnect", true, "#40555 No connection to web-server"}}) {
    SCOPED_TRACE(c.what);
    if (c.serverDown) server.Stop();
    recorder->lines.clear();
    EXPECT_EQ(Fetch(c.path), "");
    EXPECT_EQ(recorder->lines, std::vector<std::string>{c.line});
  }
  IsEnglish = false;
  recorder->lines.clear();
  Fetch("/4/data/ver.txt");
  EXPECT_EQ(recorder->lines, std::vector<std::string>{"#40502 Daten nicht abrufbar"});
}

TEST_F(clsDownloadTest, BodyOfAnotherLengthThanAnnouncedIsReturnedWithItsLine) {
  const std::string body = inet::PatternBytes(5000);
  // Cut short: the server closes the connection after 3000 bytes.
  server.On("HEAD", "/short", {Bytes(ResponseHead(200, 5000))});
  server.On("GET", "/short", {Bytes(ResponseHead(200, 5000) + body.substr(0, 3000)), Close()});
  // Longer: the file grew between the size request and the transfer. One
  // byte beyond the announced length shows it; nothing more is read.
  server.On("HEAD", "/long", {Bytes(ResponseHead(200, 4000))});
  server.On("GET", "/long", inet::Response(200, body));
  struct Case {
    const char* path;
    std::string body;
    const char* failure;
  };
  for (const Case& c :
       {Case{"/short", body.substr(0, 3000), "the transfer ended after 3000 of 5000 bytes"},
        Case{"/long", body.substr(0, 4001), "the server sends more than the 4000 bytes it announced"}}) {
    SCOPED_TRACE(c.path);
    recorder->lines.clear();
    EXPECT_EQ(Fetch(c.path), c.body);
    EXPECT_FALSE(download->LastBodyComplete());
    EXPECT_EQ(download->LastFailure(), c.failure);
    EXPECT_EQ(recorder->lines, std::vector<std::string>{"#40503 Not all data was being loaded"});
  }
}

TEST_F(clsDownloadTest, ALyingServerNeverMakesTheBodyOutgrowWhatArrives) {
  // A gigabyte stands for a body without end: the server sends until the
  // client lets go.
  const size_t endless = size_t{1} << 30;
  struct Case {
    const char* what;
    size_t announced;
    inet::Script get;
    size_t received;
  };
  for (const Case& c : {Case{"20 bytes announced, an endless chunked body",
                             20,
                             {Bytes(ResponseHead(200, std::nullopt, {"Transfer-Encoding: chunked"}) + "40000000\r\n"),
                              inet::steps::Pattern(endless)},
                             21},
                        Case{"20 bytes announced, an endless body without length",
                             20,
                             {Bytes(ResponseHead(200, std::nullopt)), inet::steps::Pattern(endless)},
                             21},
                        Case{"2 GB announced, 5000 bytes sent",
                             2000000000,
                             {Bytes(ResponseHead(200, 2000000000)), inet::steps::Pattern(5000), Close()},
                             5000}}) {
    SCOPED_TRACE(c.what);
    server.On("HEAD", "/lying", {Bytes(ResponseHead(200, c.announced))});
    server.On("GET", "/lying", c.get);
    recorder->lines.clear();
    const std::string body = Fetch("/lying");
    EXPECT_EQ(body, inet::PatternBytes(c.received));
    EXPECT_LE(body.capacity(), clsDownload::kReserveCeiling + 1);
    EXPECT_FALSE(download->LastBodyComplete());
    EXPECT_EQ(recorder->lines, std::vector<std::string>{"#40503 Not all data was being loaded"});
  }
}

TEST_F(clsDownloadTest, ACallWithoutSizeOrWholeBodySaysWhyForTheLog) {
  std::vector<std::string> manyHeaders;
  for (int i = 0; i < 100; ++i) manyHeaders.push_back("X-H" + std::to_string(i) + ": " + std::string(1000, 'h'));
  struct Case {
    const char* what;
    inet::Script head;
    const char* failure;
  };
  for (const Case& c :
       {Case{"a whole file", {Bytes(ResponseHead(200, 5))}, ""},
        Case{"a missing file", {Bytes(ResponseHead(404, 0))}, "the server answers status 404"},
        Case{"no length", {Bytes(ResponseHead(200, std::nullopt))}, "the server announces no length"},
        // The first "Content-Length:" of the head counts, wherever it stands.
        Case{"a length below zero",
             {Bytes("HTTP/1.1 200 OK\r\nX-Note: content-length: -5\r\nContent-Length: 5\r\n\r\n")},
             "the server announces a length of -5"},
        Case{"a redirect loop", {Bytes(ResponseHead(302, 0, {"Location: /file"}))}, "the server redirects in a loop"},
        Case{"a huge header", {Bytes(ResponseHead(200, 5, manyHeaders))}, "the server's header is too large"}}) {
    SCOPED_TRACE(c.what);
    server.On("HEAD", "/file", c.head);
    server.On("GET", "/file", inet::Response(200, "12345"));
    for (int32_t bytes : {0, 1024}) {
      Fetch("/file", bytes);
      EXPECT_EQ(download->LastFailure(), c.failure);
    }
  }
  server.Stop();
  EXPECT_EQ(Fetch("/file"), "");
  EXPECT_EQ(download->LastFailure(), "the server cannot be reached");
}

TEST_F(clsDownloadTest, ABodyGivenToASinkArrivesAsInMemoryAndARefusingSinkStopsTheTransfer) {
  const std::string body = inet::PatternBytes(10 * 1024);
  server.Serve("/big", body);
  std::string taken;
  EXPECT_EQ(download->Downloadfile("update.example.test/big", 1024, "Download",
                                   [&](std::string_view bytes) {
                                     taken += bytes;
                                     return true;
                                   }),
            body.size());
  EXPECT_EQ(taken, body);
  EXPECT_TRUE(download->LastBodyComplete());
  EXPECT_EQ(recorder->progress.size(), 10u);
  EXPECT_EQ(recorder->events.back(), "State 0");

  // A sink that cannot keep the third chunk (a full disk) ends the
  // transfer there, without the line of a short body.
  recorder->progress.clear();
  size_t chunks = 0;
  EXPECT_EQ(download->Downloadfile("update.example.test/big", 1024, "Download",
                                   [&](std::string_view) { return ++chunks < 3; }),
            2048u);
  EXPECT_EQ(recorder->progress.size(), 2u);
  EXPECT_FALSE(download->LastBodyComplete());
  EXPECT_EQ(download->LastFailure(), "the body could not be kept");
  EXPECT_TRUE(recorder->lines.empty());
}

TEST_F(clsDownloadTest, CancelInTheFirstProgressEventReturnsNothingAndAddsNoLine) {
  server.Serve("/big", inet::PatternBytes(10 * 1024));
  recorder->onProgress = [](bool& cancel) { cancel = true; };
  EXPECT_EQ(Fetch("/big"), "");
  EXPECT_EQ(recorder->progress.size(), 1u);
  EXPECT_FALSE(download->LastBodyComplete());
  EXPECT_TRUE(recorder->lines.empty());
  EXPECT_EQ(recorder->events.back(), "State 0");
}

// Milliseconds since `start`.
int64_t MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

TEST_F(clsDownloadTest, ASlowLineMovesTheProgressAndEndsBelowTheFloorWithItsReason) {
  // A floor of 1 KB/s over 2 s, so the test runs in seconds.
  inet::ScopedSpeedFloor floor({1024, 2});
  inet::Script slow{Bytes(ResponseHead(200, 5000))};
  for (int i = 0; i < 20; ++i) {
    slow.push_back(Bytes("ab"));
    slow.push_back(inet::steps::Pause(500));
  }
  server.On("HEAD", "/slow", {Bytes(ResponseHead(200, 5000))});
  server.On("GET", "/slow", slow);
  const auto start = std::chrono::steady_clock::now();
  const std::string body = Fetch("/slow");
  EXPECT_LT(MsSince(start), 8000);
  // What arrived is returned, as for any body cut short.
  std::string pairs;
  while (pairs.size() < body.size()) pairs += "ab";
  EXPECT_GE(body.size(), 2u);
  EXPECT_EQ(body, pairs);
  // The bar follows the bytes as they come, not a whole chunk later.
  ASSERT_FALSE(recorder->progress.empty());
  EXPECT_LT(recorder->progress.front().second, 1024);
  EXPECT_FALSE(download->LastBodyComplete());
  EXPECT_TRUE(download->LastTransferBroken());
  EXPECT_EQ(download->LastFailure(), "the transfer stays below 1024 bytes per second over 2 seconds");
  EXPECT_EQ(recorder->lines, std::vector<std::string>{"#40503 Not all data was being loaded"});
}

TEST_F(clsDownloadTest, AWaitAbandonedThroughTheWaitHookEndsTheCallAsACancel) {
  struct Case {
    const char* what;
    int32_t bytes;
    const char* result;
  };
  server.On("HEAD", "/file", {inet::steps::Pause(20000), Bytes(ResponseHead(200, 5000))});
  server.On("HEAD", "/body", {Bytes(ResponseHead(200, 5000))});
  server.On("GET", "/body", {Bytes(ResponseHead(200, 5000) + "abc"), inet::steps::Pause(20000)});
  for (const Case& c : {Case{"a size query waiting for the head", 0, "0"},
                        Case{"a transfer waiting for the body", 1024, ""}}) {
    SCOPED_TRACE(c.what);
    recorder->lines.clear();
    int calls = 0;
    inet::ScopedWaitHook hook([&calls] { return ++calls < 5; });
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Fetch(c.bytes == 0 ? "/file" : "/body", c.bytes), c.result);
    EXPECT_LT(MsSince(start), 5000);
    EXPECT_EQ(calls, 5);
    EXPECT_EQ(download->LastFailure(), "");
    EXPECT_FALSE(download->LastBodyComplete());
    EXPECT_TRUE(recorder->lines.empty());
  }
}

TEST_F(clsDownloadTest, OwnerMayReleaseTheObjectFromAnEvent) {
  server.Serve("/big", inet::PatternBytes(4096));
  recorder->onProgress = [this](bool& cancel) {
    download.reset();  // the owner lets go of it, as a closing window does
    cancel = true;
  };
  std::weak_ptr<clsDownload> watch = download;
  EXPECT_EQ(download->Downloadfile("update.example.test/big", 1024, "Download"), "");
  EXPECT_TRUE(watch.expired());
}

}  // namespace
}  // namespace verscout
