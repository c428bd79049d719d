#include "inet/WinInet.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <string>
#include <vector>

#include "inet/ConnectTo.h"
#include "inet/ScriptedHttpServer.h"
#include "inet/Waiting.h"

namespace inet {
namespace {

// Closes a handle at the end of a scope.
struct Handle {
  HINTERNET h;
  explicit Handle(HINTERNET handle) : h(handle) {}
  ~Handle() {
    if (h != kNoHandle) InternetCloseHandle(h);
  }
  operator HINTERNET() const { return h; }
};

class WinInetTest : public ::testing::Test {
 protected:
  ScriptedHttpServer server;
  ScopedConnectTo mapping{{server.ConnectToEntry("updates.example.test")}};
  Handle internet{InternetOpenA("Download", INTERNET_OPEN_TYPE_DIRECT, "", "", 0)};

  std::string Query(HINTERNET request, uint32_t level) {
    std::string buffer(4096, '\0');
    uint32_t length = static_cast<uint32_t>(buffer.size());
    EXPECT_EQ(HttpQueryInfoA(request, level, buffer.data(), &length, nullptr), TRUE);
    buffer.resize(length);
    return buffer;
  }

  // Reads the body in chunks, recording each read's count.
  std::string ReadAll(HINTERNET file, uint32_t chunk, std::vector<uint32_t>& counts) {
    std::string body;
    std::string buffer(chunk, '\0');
    uint32_t got = 0;
    do {
      EXPECT_EQ(InternetReadFile(file, buffer.data(), chunk, &got), TRUE);
      counts.push_back(got);
      body.append(buffer, 0, got);
    } while (got > 0 && counts.size() < 100000);
    return body;
  }
};

TEST_F(WinInetTest, HeadRequestAnswersStatusAndHeadersAndSendsAgentWithoutCache) {
  server.On("HEAD", "/4/data/ver.txt", {steps::Bytes(ResponseHead(200, 2500, {"X-Test: yes"}))});
  Handle connect{InternetConnectA(internet, "updates.example.test", INTERNET_DEFAULT_HTTP_PORT, "", "",
                                  INTERNET_SERVICE_HTTP, 0, 0)};
  Handle request{HttpOpenRequestA(connect, "HEAD", "/4/data/ver.txt", "HTTP/1.1", "", INTERNET_FLAG_RELOAD, 0)};
  ASSERT_EQ(HttpSendRequestA(request, "", nullptr, 0), TRUE);

  EXPECT_EQ(Query(request, HTTP_QUERY_STATUS_CODE), "200");
  EXPECT_EQ(Query(request, HTTP_QUERY_CONTENT_LENGTH), "2500");
  const std::string raw = Query(request, HTTP_QUERY_RAW_HEADERS);
  using namespace std::string_literals;
  EXPECT_EQ(raw, "HTTP/1.1 200 OK\0Content-Length: 2500\0X-Test: yes\0Connection: close\0"s);

  const std::vector<RecordedRequest> seen = server.Requests();
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].method, "HEAD");
  EXPECT_EQ(seen[0].Header("User-Agent"), "Download");
  EXPECT_EQ(seen[0].Header("Host"), "updates.example.test");
  EXPECT_EQ(seen[0].Header("Cache-Control"), "no-cache");
}

TEST_F(WinInetTest, TooSmallBufferReportsTheSizeNeededAndStaysUntouched) {
  const std::string longValue(1500, 'v');
  server.On("HEAD", "/big", {steps::Bytes(ResponseHead(200, 7, {"X-Long: " + longValue}))});
  Handle connect{InternetConnectA(internet, "updates.example.test", 80, "", "", INTERNET_SERVICE_HTTP, 0, 0)};
  Handle request{HttpOpenRequestA(connect, "HEAD", "/big", "", "", 0, 0)};
  ASSERT_EQ(HttpSendRequestA(request, "", nullptr, 0), TRUE);

  std::string buffer(1024, '#');
  uint32_t length = 1024;
  EXPECT_EQ(HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS, buffer.data(), &length, nullptr), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
  EXPECT_EQ(buffer, std::string(1024, '#'));
  const std::string raw = Query(request, HTTP_QUERY_RAW_HEADERS);
  EXPECT_EQ(length, raw.size() + 1);
  EXPECT_NE(raw.find("X-Long: " + longValue), std::string::npos);
}

TEST_F(WinInetTest, BodyReadsFillEveryChunkUntilTheEnd) {
  struct Case {
    const char* what;
    size_t size;
    bool chunked;
  };
  const uint32_t chunk = 1024;
  for (const Case& c : {Case{"empty", 0, false}, Case{"one byte", 1, false}, Case{"below a chunk", 1023, false},
                        Case{"one chunk", 1024, false}, Case{"2500 bytes", 2500, false},
                        Case{"three chunks", 3072, false}, Case{"beyond the read-ahead", 3000000, false},
                        Case{"chunked coding", 5000, true}}) {
    SCOPED_TRACE(c.what);
    const std::string body = PatternBytes(c.size);
    server.On("GET", "/file", c.chunked ? ChunkedResponse(body, 777) : Response(200, body));
    // The body arrives in small pieces with pauses, as from a slow line.
    Handle file{InternetOpenUrlA(internet, "Http://updates.example.test/file", "", INTERNET_FLAG_RELOAD, 0)};
    ASSERT_NE(file.h, kNoHandle);
    EXPECT_EQ(Query(file, HTTP_QUERY_STATUS_CODE), "200");
    std::vector<uint32_t> counts;
    EXPECT_EQ(ReadAll(file, chunk, counts), body);
    ASSERT_FALSE(counts.empty());
    EXPECT_EQ(counts.back(), 0u);
    for (size_t i = 0; i + 2 < counts.size(); ++i) ASSERT_EQ(counts[i], chunk) << "read " << i;
  }
}

TEST_F(WinInetTest, ABodyDeliveredInPiecesWithPausesStillFillsEachRead) {
  const std::string body = PatternBytes(3000);
  server.On("GET", "/slow", {steps::Bytes(ResponseHead(200, body.size()) + body.substr(0, 700)), steps::Pause(5),
                             steps::Bytes(body.substr(700, 1000)), steps::Pause(5), steps::Bytes(body.substr(1700))});
  Handle file{InternetOpenUrlA(internet, "http://updates.example.test/slow", "", 0, 0)};
  std::vector<uint32_t> counts;
  EXPECT_EQ(ReadAll(file, 1024, counts), body);
  EXPECT_EQ(counts, (std::vector<uint32_t>{1024, 1024, 952, 0}));
}

TEST_F(WinInetTest, ABodyCutShortByTheServerEndsEarly) {
  server.On("GET", "/short", {steps::Bytes(ResponseHead(200, 4000) + PatternBytes(1500)), steps::Close()});
  Handle file{InternetOpenUrlA(internet, "http://updates.example.test/short", "", 0, 0)};
  ASSERT_NE(file.h, kNoHandle);
  std::vector<uint32_t> counts;
  EXPECT_EQ(ReadAll(file, 1024, counts), PatternBytes(1500));
}

// Milliseconds since `start`.
int64_t MsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
}

TEST_F(WinInetTest, AReadReturnsWhatHasArrivedWithoutWaitingForTheWholeCount) {
  const std::string body = PatternBytes(3000);
  server.On("GET", "/trickle", {steps::Bytes(ResponseHead(200, body.size()) + body.substr(0, 10)),
                                steps::Pause(20000), steps::Bytes(body.substr(10))});
  Handle file{InternetOpenUrlA(internet, "http://updates.example.test/trickle", "", 0, 0)};
  ASSERT_NE(file.h, kNoHandle);
  char buffer[1024];
  uint32_t got = 0;
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(InternetReadFile(file, buffer, sizeof buffer, &got), TRUE);
  EXPECT_LT(MsSince(start), 5000);
  ASSERT_EQ(got, 10u);
  EXPECT_EQ(std::string(buffer, got), body.substr(0, 10));
}

// Sends `count` bytes of a body announced as 100,000, two a second.
Script TwoBytesASecond(int count) {
  Script script{steps::Bytes(ResponseHead(200, 100000))};
  for (int i = 0; i < count; i += 2) {
    script.push_back(steps::Bytes("ab"));
    script.push_back(steps::Pause(1000));
  }
  return script;
}

TEST_F(WinInetTest, ATransferBelowTheSpeedFloorFailsWithItsReason) {
  // A floor of 1 KB/s over 2 s, so the test runs in seconds.
  ScopedSpeedFloor floor({1024, 2});
  struct Case {
    const char* what;
    Script script;
    bool headArrives;
  };
  for (const Case& c : {Case{"two bytes a second", TwoBytesASecond(60), true},
                        Case{"silent after the head", {steps::Bytes(ResponseHead(200, 5000)), steps::Pause(30000)}, true},
                        Case{"silent before the head", {steps::Pause(30000), steps::Bytes(ResponseHead(200, 0))}, false}}) {
    SCOPED_TRACE(c.what);
    server.On("GET", "/slow", c.script);
    const auto start = std::chrono::steady_clock::now();
    Handle file{InternetOpenUrlA(internet, "http://updates.example.test/slow", "", 0, 0)};
    if (c.headArrives) {
      ASSERT_NE(file.h, kNoHandle);
      char buffer[1024];
      uint32_t got = 0;
      BOOL ok = TRUE;
      for (int reads = 0; reads < 1000 && (ok = InternetReadFile(file, buffer, sizeof buffer, &got)) && got > 0; ++reads) {
      }
      EXPECT_EQ(ok, FALSE);
    } else {
      EXPECT_EQ(file.h, kNoHandle);
    }
    EXPECT_EQ(GetLastError(), ERROR_INTERNET_TRANSFER_TOO_SLOW);
    // Given up after the floor's stretch, long before the server would end.
    EXPECT_LT(MsSince(start), 15000);
    EXPECT_GE(MsSince(start), 1900);
  }
}

TEST_F(WinInetTest, TheWaitHookRunsWhileACallWaitsAndCanAbandonIt) {
  struct Case {
    const char* what;
    Script script;
    bool headArrives;
  };
  for (const Case& c :
       {Case{"waiting for the head", {steps::Pause(20000), steps::Bytes(ResponseHead(200, 0))}, false},
        Case{"waiting for the body", {steps::Bytes(ResponseHead(200, 5000) + "abc"), steps::Pause(20000)}, true}}) {
    SCOPED_TRACE(c.what);
    server.On("GET", "/wait", c.script);
    Handle file{c.headArrives ? InternetOpenUrlA(internet, "http://updates.example.test/wait", "", 0, 0) : kNoHandle};
    // Called again and again while the call waits; the tenth answer ends it.
    int calls = 0;
    ScopedWaitHook hook([&calls] { return ++calls < 10; });
    const auto start = std::chrono::steady_clock::now();
    if (c.headArrives) {
      ASSERT_NE(file.h, kNoHandle);
      char buffer[1024];
      uint32_t got = 0;
      EXPECT_EQ(InternetReadFile(file, buffer, sizeof buffer, &got), TRUE);
      EXPECT_EQ(std::string(buffer, got), "abc");
      EXPECT_EQ(InternetReadFile(file, buffer, sizeof buffer, &got), FALSE);
      EXPECT_EQ(GetLastError(), ERROR_INTERNET_OPERATION_CANCELLED);
      // An abandoned transfer stays abandoned.
      EXPECT_EQ(InternetReadFile(file, buffer, sizeof buffer, &got), FALSE);
      EXPECT_EQ(got, 0u);
    } else {
      EXPECT_EQ(InternetOpenUrlA(internet, "http://updates.example.test/wait", "", 0, 0), kNoHandle);
      EXPECT_EQ(GetLastError(), ERROR_INTERNET_OPERATION_CANCELLED);
    }
    EXPECT_EQ(calls, 10);
    EXPECT_LT(MsSince(start), 5000);
  }
}

TEST_F(WinInetTest, MissingFileAnswersItsStatus) {
  Handle file{InternetOpenUrlA(internet, "http://updates.example.test/none.txt", "", 0, 0)};
  ASSERT_NE(file.h, kNoHandle);
  EXPECT_EQ(Query(file, HTTP_QUERY_STATUS_CODE), "404");
  uint32_t length = 128;
  char buffer[128];
  EXPECT_EQ(HttpQueryInfoA(file, HTTP_QUERY_RAW_HEADERS_CRLF, buffer, &length, nullptr), TRUE);
  EXPECT_EQ(std::string(buffer, length), "HTTP/1.1 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
}

TEST_F(WinInetTest, ServerDownFailsTheRequestAndTheUrl) {
  server.Stop();
  EXPECT_EQ(InternetOpenUrlA(internet, "http://updates.example.test/ver.txt", "", 0, 0), kNoHandle);
  EXPECT_EQ(GetLastError(), ERROR_INTERNET_CANNOT_CONNECT);
  Handle connect{InternetConnectA(internet, "updates.example.test", 80, "", "", INTERNET_SERVICE_HTTP, 0, 0)};
  Handle request{HttpOpenRequestA(connect, "HEAD", "/ver.txt", "", "", 0, 0)};
  EXPECT_EQ(HttpSendRequestA(request, "", nullptr, 0), FALSE);
  uint32_t length = 16;
  char buffer[16];
  EXPECT_EQ(HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE, buffer, &length, nullptr), FALSE);
}

TEST_F(WinInetTest, AMisbehavingServerFailsWithItsReason) {
  std::vector<std::string> manyHeaders;
  for (int i = 0; i < 100; ++i) manyHeaders.push_back("X-H" + std::to_string(i) + ": " + std::string(1000, 'h'));
  struct Case {
    const char* what;
    Script script;
    uint32_t reason;
  };
  for (const Case& c : {Case{"one header line beyond curl's own limit",
                             {steps::Bytes(ResponseHead(200, 2, {"X-Big: " + std::string(200000, 'x')}) + "ok")},
                             ERROR_HTTP_HEADERS_TOO_LARGE},
                        Case{"a head beyond the limit in many lines",
                             {steps::Bytes(ResponseHead(200, 2, manyHeaders) + "ok")},
                             ERROR_HTTP_HEADERS_TOO_LARGE},
                        Case{"a redirect loop",
                             {steps::Bytes(ResponseHead(302, 0, {"Location: /file"}))},
                             ERROR_HTTP_REDIRECT_FAILED}}) {
    SCOPED_TRACE(c.what);
    server.On("GET", "/file", c.script);
    server.On("HEAD", "/file", c.script);
    EXPECT_EQ(InternetOpenUrlA(internet, "http://updates.example.test/file", "", 0, 0), kNoHandle);
    EXPECT_EQ(GetLastError(), c.reason);
    Handle connect{InternetConnectA(internet, "updates.example.test", 80, "", "", INTERNET_SERVICE_HTTP, 0, 0)};
    Handle request{HttpOpenRequestA(connect, "HEAD", "/file", "", "", 0, 0)};
    EXPECT_EQ(HttpSendRequestA(request, "", nullptr, 0), FALSE);
    EXPECT_EQ(GetLastError(), c.reason);
  }
}

TEST_F(WinInetTest, ClosingTheSessionClosesWhatWasMadeFromIt) {
  const HINTERNET session = InternetOpenA("x", INTERNET_OPEN_TYPE_DIRECT, "", "", 0);
  const HINTERNET connect = InternetConnectA(session, "h", 80, "", "", INTERNET_SERVICE_HTTP, 0, 0);
  const HINTERNET request = HttpOpenRequestA(connect, "HEAD", "/", "", "", 0, 0);
  ASSERT_NE(request, kNoHandle);
  EXPECT_EQ(InternetCloseHandle(session), TRUE);
  EXPECT_EQ(InternetCloseHandle(request), FALSE);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_EQ(InternetConnectA(session, "h", 80, "", "", INTERNET_SERVICE_HTTP, 0, 0), kNoHandle);
  EXPECT_EQ(InternetConnectA(internet, "", 80, "", "", INTERNET_SERVICE_HTTP, 0, 0), kNoHandle);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(WinInetProxy, PreconfiguredSessionsTakeTheProxyFromTheEnvironment) {
  ScriptedHttpServer origin;
  ScriptedHttpServer proxy;
  origin.On("GET", "/ver.txt", Response(200, "direct"));
  proxy.On("GET", "http://updates.example.test/ver.txt", Response(200, "via proxy"));
  const std::string address = "http://127.0.0.1:" + std::to_string(proxy.Port());
  ::setenv("http_proxy", address.c_str(), 1);
  const HINTERNET preconfigured = InternetOpenA("Download", INTERNET_OPEN_TYPE_PRECONFIG, "", "", 0);
  const HINTERNET direct = InternetOpenA("Download", INTERNET_OPEN_TYPE_DIRECT, "", "", 0);
  const HINTERNET viaProxy = InternetOpenUrlA(preconfigured, "http://updates.example.test/ver.txt", "", 0, 0);
  // A direct session ignores the proxy and goes where the name leads.
  ScopedConnectTo mapping({origin.ConnectToEntry("updates.example.test")});
  const HINTERNET withoutProxy = InternetOpenUrlA(direct, "http://updates.example.test/ver.txt", "", 0, 0);
  ::unsetenv("http_proxy");

  for (auto [file, expected] : {std::pair{viaProxy, "via proxy"}, std::pair{withoutProxy, "direct"}}) {
    ASSERT_NE(file, kNoHandle);
    char body[32];
    uint32_t got = 0;
    EXPECT_EQ(InternetReadFile(file, body, sizeof body, &got), TRUE);
    EXPECT_EQ(std::string(body, got), expected);
  }
  InternetCloseHandle(preconfigured);
  InternetCloseHandle(direct);
}

}  // namespace
}  // namespace inet
