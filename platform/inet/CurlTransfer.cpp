#include "inet/CurlTransfer.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <deque>
#include <mutex>

#include "inet/ConnectTo.h"
#include "inet/Waiting.h"
#include "inet/WinInet.h"

namespace inet {

namespace {

// How far curl may read ahead of the reader before it is paused.
constexpr size_t kReadAhead = size_t{1} << 20;
// curl's receive buffer: large reads keep the number of system calls low.
constexpr long kReceiveBuffer = 256 * 1024;
constexpr long kConnectTimeoutSeconds = 60;
// The longest single wait on the connection: the wait hook is called, and
// a read's deadline is seen, at least this often.
constexpr int kPollMs = kWaitHookIntervalMs;
// A read that has some bytes but not its whole count returns them once it
// has waited this long for more (long enough for a busy machine to fill
// it from a fast line).
constexpr auto kPartialReadWait = std::chrono::milliseconds(500);

using Clock = std::chrono::steady_clock;

struct EasyCleanup {
  void operator()(CURL* easy) const noexcept { curl_easy_cleanup(easy); }
};
struct MultiCleanup {
  void operator()(CURLM* multi) const noexcept { curl_multi_cleanup(multi); }
};
struct ListCleanup {
  void operator()(curl_slist* list) const noexcept { curl_slist_free_all(list); }
};
using ListPtr = std::unique_ptr<curl_slist, ListCleanup>;

void GlobalInit() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

ListPtr MakeList(const std::vector<std::string>& items) {
  curl_slist* list = nullptr;
  for (const std::string& item : items) {
    curl_slist* grown = curl_slist_append(list, item.c_str());
    if (!grown) break;
    list = grown;
  }
  return ListPtr(list);
}

// The layer's reason for what curl reports.
uint32_t ReasonOf(CURLcode code) {
  switch (code) {
    case CURLE_OK:
      return ERROR_SUCCESS;
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return ERROR_INTERNET_NAME_NOT_RESOLVED;
    case CURLE_COULDNT_CONNECT:
      return ERROR_INTERNET_CANNOT_CONNECT;
    case CURLE_OPERATION_TIMEDOUT:
      return ERROR_INTERNET_TIMEOUT;
    case CURLE_UNSUPPORTED_PROTOCOL:
      return ERROR_INTERNET_UNRECOGNIZED_SCHEME;
    case CURLE_URL_MALFORMAT:
      return ERROR_INTERNET_INVALID_URL;
    case CURLE_SEND_ERROR:
    case CURLE_RECV_ERROR:
    case CURLE_GOT_NOTHING:
    case CURLE_PARTIAL_FILE:
      return ERROR_INTERNET_CONNECTION_RESET;
    case CURLE_WEIRD_SERVER_REPLY:
      return ERROR_HTTP_INVALID_SERVER_RESPONSE;
    case CURLE_TOO_MANY_REDIRECTS:
      return ERROR_HTTP_REDIRECT_FAILED;
    default:
      return ERROR_INTERNET_INTERNAL_ERROR;
  }
}

// The body received and not yet read, in a ring of bytes that grows only
// when a delivery does not fit, so reading never moves the rest.
class ByteRing {
 public:
  size_t Size() const { return m_size; }
  void Push(const char* data, size_t count) {
    if (count == 0) return;
    if (m_size + count > m_data.size()) Grow(std::max(m_data.size() * 2, m_size + count));
    const size_t tail = (m_head + m_size) % m_data.size();
    const size_t first = std::min(count, m_data.size() - tail);
    std::memcpy(m_data.data() + tail, data, first);
    std::memcpy(m_data.data(), data + first, count - first);
    m_size += count;
  }
  size_t Pop(char* out, size_t count) {
    count = std::min(count, m_size);
    if (count == 0) return 0;
    const size_t first = std::min(count, m_data.size() - m_head);
    std::memcpy(out, m_data.data() + m_head, first);
    std::memcpy(out + first, m_data.data(), count - first);
    m_head = m_size == count ? 0 : (m_head + count) % m_data.size();
    m_size -= count;
    return count;
  }

 private:
  void Grow(size_t capacity) {
    std::vector<char> grown(capacity);
    const size_t size = m_size;
    Pop(grown.data(), size);
    m_data.swap(grown);
    m_head = 0;
    m_size = size;
  }

  std::vector<char> m_data;
  size_t m_head = 0;
  size_t m_size = 0;
};

// The bytes of a transfer against the time the layer waited for them:
// tells when they stay below the floor over a stretch of its length.
class FloorWatch {
 public:
  explicit FloorWatch(SpeedFloor floor) : m_floor(floor) {}
  void Received(size_t bytes) { m_bytes += bytes; }
  // Adds a span of waiting; false once the bytes of the last stretch of
  // the floor's length stay below it.
  bool Waited(Clock::duration span) {
    m_waitedUs += std::chrono::duration_cast<std::chrono::microseconds>(span).count();
    if (m_floor.seconds == 0 || m_floor.bytesPerSecond == 0) return true;
    if (m_waitedUs - m_samples.back().waitedUs >= kSampleUs) m_samples.push_back({m_waitedUs, m_bytes});
    const int64_t stretchUs = int64_t{m_floor.seconds} * 1000000;
    // The stretch begins at the newest sample that lies at least its length back.
    while (m_samples.size() > 1 && m_waitedUs - m_samples[1].waitedUs >= stretchUs) m_samples.pop_front();
    const Sample& start = m_samples.front();
    const int64_t elapsedUs = m_waitedUs - start.waitedUs;
    if (elapsedUs < stretchUs) return true;
    return (m_bytes - start.bytes) * 1000000 >= uint64_t{m_floor.bytesPerSecond} * static_cast<uint64_t>(elapsedUs);
  }

 private:
  static constexpr int64_t kSampleUs = 250000;
  struct Sample {
    int64_t waitedUs;
    uint64_t bytes;
  };
  SpeedFloor m_floor;
  uint64_t m_bytes = 0;
  int64_t m_waitedUs = 0;
  std::deque<Sample> m_samples{Sample{0, 0}};
};

bool StartsWithNoCase(const std::string& s, std::string_view prefix) {
  return s.size() >= prefix.size() && strncasecmp(s.data(), prefix.data(), prefix.size()) == 0;
}

}  // namespace

struct CurlTransfer::Impl {
  TransferRequest request;
  // Declared before the handles that use them, so they outlive them.
  ListPtr headerList;
  ListPtr connectTo;
  std::unique_ptr<CURLM, MultiCleanup> multi;
  std::unique_ptr<CURL, EasyCleanup> easy;

  ByteRing buffer;  // the body received and not yet read
  size_t wanted = 0;  // the reader's current request
  bool paused = false;
  bool done = false;
  bool headDone = false;
  CURLcode result = CURLE_OK;
  // The layer's reason when it gave the transfer up itself (too slow,
  // abandoned by the wait hook); 0 otherwise.
  uint32_t givenUp = ERROR_SUCCESS;
  FloorWatch floor{CurrentSpeedFloor()};

  int32_t status = 0;
  std::vector<std::string> headerLines;  // of the response being received
  size_t headBytes = 0;                  // of the response being received
  bool headTooLarge = false;

  ~Impl() {
    if (multi && easy) curl_multi_remove_handle(multi.get(), easy.get());
  }

  size_t Available() const { return buffer.Size(); }

  bool HasHeader(std::string_view name) const {
    for (size_t i = 1; i < headerLines.size(); ++i) {
      const std::string& line = headerLines[i];
      if (line.size() > name.size() && line[name.size()] == ':' && StartsWithNoCase(line, name)) return true;
    }
    return false;
  }

  // A response that curl follows to another address is not the final one.
  bool IsFinal() const {
    if (status < 200) return false;
    const bool redirect = status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
    return !(request.followRedirects && redirect && HasHeader("Location"));
  }

  static size_t OnHeader(char* data, size_t size, size_t count, void* user) {
    auto* self = static_cast<Impl*>(user);
    const size_t length = size * count;
    if (length >= 5 && std::memcmp(data, "HTTP/", 5) == 0) self->headBytes = 0;
    self->headBytes += length;
    if (self->headBytes > kMaxResponseHead) {
      self->headTooLarge = true;
      return 0;  // curl breaks the transfer off
    }
    std::string line(data, length);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    self->floor.Received(length);
    if (line.starts_with("HTTP/")) {
      self->headerLines.clear();
      self->headerLines.push_back(line);
      const size_t blank = line.find(' ');
      self->status = blank == std::string::npos ? 0 : std::atoi(line.c_str() + blank + 1);
    } else if (line.empty()) {
      if (self->IsFinal()) self->headDone = true;
    } else {
      self->headerLines.push_back(std::move(line));
    }
    return length;
  }

  static size_t OnBody(char* data, size_t size, size_t count, void* user) {
    auto* self = static_cast<Impl*>(user);
    if (self->Available() >= std::max(kReadAhead, self->wanted)) {
      self->paused = true;
      return CURL_WRITEFUNC_PAUSE;
    }
    self->buffer.Push(data, size * count);
    self->floor.Received(size * count);
    self->headDone = true;
    return size * count;
  }

  void Configure() {
    CURL* e = easy.get();
    curl_easy_setopt(e, CURLOPT_URL, request.url.c_str());
    if (!request.agent.empty()) curl_easy_setopt(e, CURLOPT_USERAGENT, request.agent.c_str());
    if (request.method == "HEAD") {
      curl_easy_setopt(e, CURLOPT_NOBODY, 1L);
    } else if (request.method == "POST") {
      curl_easy_setopt(e, CURLOPT_POSTFIELDSIZE, static_cast<long>(request.body.size()));
      curl_easy_setopt(e, CURLOPT_COPYPOSTFIELDS, request.body.c_str());
    } else if (request.method != "GET") {
      curl_easy_setopt(e, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    }
    curl_easy_setopt(e, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    headerList = MakeList(request.headers);
    if (headerList) curl_easy_setopt(e, CURLOPT_HTTPHEADER, headerList.get());
    connectTo = MakeList(CurrentConnectTo());
    if (connectTo) curl_easy_setopt(e, CURLOPT_CONNECT_TO, connectTo.get());
    if (request.noProxy) {
      curl_easy_setopt(e, CURLOPT_PROXY, "");
    } else if (!request.proxy.empty()) {
      curl_easy_setopt(e, CURLOPT_PROXY, request.proxy.c_str());
      if (!request.proxyBypass.empty()) curl_easy_setopt(e, CURLOPT_NOPROXY, request.proxyBypass.c_str());
    }
    curl_easy_setopt(e, CURLOPT_FOLLOWLOCATION, request.followRedirects ? 1L : 0L);
    curl_easy_setopt(e, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(e, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(e, CURLOPT_BUFFERSIZE, kReceiveBuffer);
    curl_easy_setopt(e, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(e, CURLOPT_HEADERFUNCTION, &Impl::OnHeader);
    curl_easy_setopt(e, CURLOPT_HEADERDATA, this);
    curl_easy_setopt(e, CURLOPT_WRITEFUNCTION, &Impl::OnBody);
    curl_easy_setopt(e, CURLOPT_WRITEDATA, this);
  }

  void GiveUp(uint32_t reason) {
    givenUp = reason;
    done = true;
  }

  // Lets curl work until `enough` holds or the transfer ends; waits on the
  // connection only when curl made no progress that satisfies it. While it
  // waits it calls the wait hook and watches the speed floor.
  template <class Enough>
  void DriveUntil(Enough enough) {
    Clock::time_point mark = Clock::now();
    Clock::time_point lastHook = mark;
    while (!enough() && !done) {
      if (paused && Available() < std::max(kReadAhead, wanted)) {
        paused = false;
        curl_easy_pause(easy.get(), CURLPAUSE_CONT);
      }
      int running = 0;
      curl_multi_perform(multi.get(), &running);
      int queued = 0;
      while (CURLMsg* message = curl_multi_info_read(multi.get(), &queued)) {
        if (message->msg == CURLMSG_DONE) {
          done = true;
          result = message->data.result;
        }
      }
      if (enough() || done || paused) continue;
      Clock::time_point now = Clock::now();
      if (!floor.Waited(now - mark)) {
        GiveUp(ERROR_INTERNET_TRANSFER_TOO_SLOW);
        break;
      }
      if (HasWaitHook() && now - lastHook >= std::chrono::milliseconds(kWaitHookIntervalMs)) {
        if (!CallWaitHook()) {
          GiveUp(ERROR_INTERNET_OPERATION_CANCELLED);
          break;
        }
        // The hook's time is the program's, not the transfer's.
        now = lastHook = Clock::now();
      }
      mark = now;
      curl_multi_poll(multi.get(), nullptr, 0, kPollMs, nullptr);
    }
  }
};

CurlTransfer::CurlTransfer(TransferRequest request) : m_impl(std::make_unique<Impl>()) {
  m_impl->request = std::move(request);
}

CurlTransfer::~CurlTransfer() = default;

uint32_t CurlTransfer::Start() {
  GlobalInit();
  Impl& t = *m_impl;
  t.multi.reset(curl_multi_init());
  t.easy.reset(curl_easy_init());
  if (!t.multi || !t.easy) return ERROR_INTERNET_INTERNAL_ERROR;
  t.Configure();
  if (curl_multi_add_handle(t.multi.get(), t.easy.get()) != CURLM_OK) return ERROR_INTERNET_INTERNAL_ERROR;
  t.DriveUntil([&t] { return t.headDone; });
  if (!t.headDone && t.givenUp != ERROR_SUCCESS) return t.givenUp;
  // curl itself refuses a single header line far beyond our limit before
  // it reaches us, as if out of memory.
  if (t.headTooLarge || (!t.headDone && t.result == CURLE_OUT_OF_MEMORY)) return ERROR_HTTP_HEADERS_TOO_LARGE;
  if (t.status == 0 || (!t.headDone && t.result != CURLE_OK)) {
    return t.result == CURLE_OK ? ERROR_HTTP_INVALID_SERVER_RESPONSE : ReasonOf(t.result);
  }
  return ERROR_SUCCESS;
}

uint32_t CurlTransfer::Failure() const { return m_impl->givenUp; }

int32_t CurlTransfer::Status() const { return m_impl->status; }

const std::vector<std::string>& CurlTransfer::HeaderLines() const { return m_impl->headerLines; }

uint32_t CurlTransfer::Read(char* buffer, uint32_t count) {
  Impl& t = *m_impl;
  if (!t.easy) return 0;
  t.wanted = count;
  const Clock::time_point deadline = Clock::now() + kPartialReadWait;
  t.DriveUntil([&t, count, deadline] {
    return t.Available() >= count || (t.Available() > 0 && Clock::now() >= deadline);
  });
  const size_t n = t.buffer.Pop(buffer, count);
  return static_cast<uint32_t>(n);
}

}  // namespace inet
