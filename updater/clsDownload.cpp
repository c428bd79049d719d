#include "clsDownload.h"

#include <algorithm>
#include <utility>

#include "Global.h"
#include "inet/Waiting.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "runtime/Variant.h"
#include "win/MessageQueue.h"

namespace verscout {

namespace {

constexpr uint32_t kQueryBufferSize = 1024;

// Byte position of `lowerNeedle` in `text` with ASCII letters compared
// without regard to case (the header block holds NUL separators).
size_t FindNoCase(const std::string& text, std::string_view lowerNeedle) {
  std::string lower = text;
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return lower.find(lowerNeedle);
}

// The log's words for a reason of the internet layer.
std::string ReasonText(uint32_t reason) {
  static const std::pair<uint32_t, const char*> texts[] = {
      {inet::ERROR_INTERNET_NAME_NOT_RESOLVED, "the server's name is not known"},
      {inet::ERROR_INTERNET_CANNOT_CONNECT, "the server cannot be reached"},
      {inet::ERROR_INTERNET_TIMEOUT, "the server does not answer in time"},
      {inet::ERROR_INTERNET_CONNECTION_RESET, "the connection was broken off"},
      {inet::ERROR_HTTP_INVALID_SERVER_RESPONSE, "the server's answer is not HTTP"},
      {inet::ERROR_HTTP_REDIRECT_FAILED, "the server redirects in a loop"},
      {inet::ERROR_HTTP_HEADERS_TOO_LARGE, "the server's header is too large"},
  };
  for (const auto& [number, text] : texts) {
    if (number == reason) return text;
  }
  if (reason == inet::ERROR_INTERNET_TRANSFER_TOO_SLOW) {
    const inet::SpeedFloor floor = inet::CurrentSpeedFloor();
    return "the transfer stays below " + std::to_string(floor.bytesPerSecond) + " bytes per second over " +
           std::to_string(floor.seconds) + " seconds";
  }
  return "no answer (error " + std::to_string(reason) + ")";
}

}  // namespace

clsDownload::clsDownload(std::weak_ptr<clsDownloadEvents> events) : m_events(std::move(events)) {}

clsDownload::~clsDownload() { CloseHandles(); }

void clsDownload::CloseHandles() {
  for (inet::HINTERNET* handle : {&m_url, &m_internet, &m_request, &m_connection}) {
    if (*handle != inet::kNoHandle) inet::InternetCloseHandle(*handle);
    *handle = inet::kNoHandle;
  }
}

void clsDownload::Fail(std::string reason) {
  if (m_failure.empty()) m_failure = std::move(reason);
}

void clsDownload::FailWith(uint32_t reason) {
  if (reason == inet::ERROR_INTERNET_OPERATION_CANCELLED) {
    m_cancel = true;
  } else {
    Fail(ReasonText(reason));
  }
}

void clsDownload::AddErrorLine(const char* english, const char* german) {
  if (auto events = Events()) events->AddStatusLine(Text(english, german));
}

std::string clsDownload::QueryHttpInfo(inet::HINTERNET request, uint32_t InfoLevel) {
  std::string buffer(kQueryBufferSize, '\0');
  uint32_t length = kQueryBufferSize;
  uint32_t index = 0;
  if (!inet::HttpQueryInfoA(request, InfoLevel, buffer.data(), &length, &index) &&
      inet::GetLastError() == inet::ERROR_INSUFFICIENT_BUFFER) {
    // A longer answer (many or long headers) is read again with the size
    // the platform asked for.
    buffer.assign(length, '\0');
    index = 0;
    inet::HttpQueryInfoA(request, InfoLevel, buffer.data(), &length, &index);
  }
  buffer.resize(std::min<size_t>(length, buffer.size()));
  return buffer;
}

std::string clsDownload::Downloadfile(std::string url, int32_t Bytes, const std::string& Useragent) {
  // The owner may release this object from an event; it lives until the call returns.
  const std::shared_ptr<clsDownload> self = weak_from_this().lock();
  std::string answer;
  if (!Open(std::move(url), Bytes, Useragent, answer)) return answer;
  // The room grows with the bytes that arrive, so an announced size alone
  // never takes memory.
  const size_t announced = static_cast<size_t>(m_contentLength);
  std::string body;
  rt::ReserveLarge(body, std::min(announced, kReserveCeiling) + 1);
  const size_t received = Receive(Bytes, [&](std::string_view bytes) {
    if (body.size() + bytes.size() > body.capacity()) {
      rt::ReserveLarge(body, std::min(std::max(2 * body.capacity(), body.size() + bytes.size()), announced + 1));
    }
    body.append(bytes);
    return true;
  });
  if (!Finish(received)) body.clear();
  return body;
}

size_t clsDownload::Downloadfile(std::string url, int32_t Bytes, const std::string& Useragent, const BodySink& sink) {
  const std::shared_ptr<clsDownload> self = weak_from_this().lock();
  if (Bytes <= 0) rt::Raise(rt::errInvalidProcedureCall);
  std::string answer;
  if (!Open(std::move(url), Bytes, Useragent, answer)) return 0;
  const size_t received = Receive(Bytes, sink);
  return Finish(received) ? received : 0;
}

bool clsDownload::Open(std::string url, int32_t Bytes, const std::string& Useragent, std::string& answer) {
  if (rt::StrComp(rt::Left(url, 7), "http://", rt::CompareMethod::Text) == 0) url = url.substr(7);
  CloseHandles();
  m_contentLength = 0;
  m_cancel = false;
  m_lastBodyComplete = false;
  m_lastTransferBroken = false;
  m_bodyRefused = false;
  m_bodyIsFile = false;
  m_failure.clear();

  if (Bytes < 0) rt::Raise(rt::errInvalidProcedureCall);
  win::DoEvents();
  int32_t state = 1;
  if (auto events = Events()) events->Statechanged(state);

  m_internet = inet::InternetOpenA(Useragent, inet::INTERNET_OPEN_TYPE_PRECONFIG, "", "", 0);
  const size_t slash = url.find('/');
  if (slash == std::string::npos) rt::Raise(rt::errInvalidProcedureCall);
  const std::string host = url.substr(0, slash);
  m_connection = inet::InternetConnectA(m_internet, host, inet::INTERNET_DEFAULT_HTTP_PORT, "", "",
                                        inet::INTERNET_SERVICE_HTTP, 0, 0);
  if (inet::ToInt(m_connection) > 0) {
    const std::string path = url.substr(slash);
    m_request = inet::HttpOpenRequestA(m_connection, "HEAD", path, "HTTP/1.1", "", inet::INTERNET_FLAG_RELOAD, 0);
    if (m_request != inet::kNoHandle) {
      const uint32_t zero = 0;
      m_sendResult = inet::HttpSendRequestA(m_request, "", &zero, 0) != inet::FALSE;
      const std::string status = m_sendResult ? QueryHttpInfo(m_request, inet::HTTP_QUERY_STATUS_CODE) : "";
      if (!m_sendResult) {
        FailWith(inet::GetLastError());
      } else if (status != "200") {
        Fail("the server answers status " + status);
      } else {
        m_headerText = QueryHttpInfo(m_request, inet::HTTP_QUERY_RAW_HEADERS);
        const size_t at = FindNoCase(m_headerText, "content-length:");
        if (at != std::string::npos) {
          m_headerText = rt::Trim(m_headerText.substr(at + 15));
          m_contentLength = rt::Variant(Val(m_headerText)).ToLong();
        }
        if (at == std::string::npos) {
          Fail("the server announces no length");
        } else if (m_contentLength <= 0) {
          // A length below zero is no length.
          Fail("the server announces a length of " + std::to_string(m_contentLength));
          m_contentLength = 0;
        }
      }
    }
  }

  // A wait the owner abandoned (it is closing) ends the call here.
  if (!m_cancel) m_url = inet::InternetOpenUrlA(m_internet, "Http://" + url, "", inet::INTERNET_FLAG_RELOAD, 0);
  if (m_cancel) {
    answer = Bytes == 0 ? "0" : "";
    m_contentLength = 0;
    return false;
  }
  // The body read below is the file only when the transfer was answered with it.
  if (m_url == inet::kNoHandle) {
    FailWith(inet::GetLastError());
  } else if (const std::string status = QueryHttpInfo(m_url, inet::HTTP_QUERY_STATUS_CODE); status != "200") {
    Fail("the server answers status " + status);
  } else {
    m_bodyIsFile = true;
  }
  if (Bytes == 0) {
    answer = std::to_string(m_contentLength);
    return false;
  }
  if (m_contentLength == 0) {
    if (rt::LCase(rt::Right(url, 14)) == "_flagisconnect") {
      AddErrorLine("#40555 No connection to web-server", "#40555 Keine Verbindung zum Webserver");
    } else {
      AddErrorLine("#40502 Data is not accessible", "#40502 Daten nicht abrufbar");
    }
    return false;
  }
  state = 2;
  if (auto events = Events()) events->Statechanged(state);
  int32_t announced = m_contentLength;
  if (auto events = Events()) events->Startdownloading(announced);
  return true;
}

size_t clsDownload::Receive(int32_t Bytes, const BodySink& sink) {
  // Never more than one byte beyond the announced length is read: that
  // byte shows that the body is too long, however much more the server
  // would send.
  const size_t announced = static_cast<size_t>(m_contentLength);
  const size_t chunk = static_cast<size_t>(Bytes);
  std::string buffer(chunk, '\0');
  size_t received = 0;
  // A read brings what has arrived, so a slow line never holds the window
  // for a whole chunk; false when the transfer failed or was abandoned.
  const auto readChunk = [&] {
    const size_t wanted = received > announced ? 0 : std::min(chunk, announced - received + 1);
    m_bytesRead = 0;
    if (wanted > 0 &&
        !inet::InternetReadFile(m_url, buffer.data(), static_cast<uint32_t>(wanted), &m_bytesRead)) {
      FailWith(inet::GetLastError());
      return false;
    }
    return true;
  };
  // The bytes of a chunk count as received only after its progress event
  // (and are kept even when the owner has just cancelled).
  const auto keepChunk = [&] {
    if (m_bytesRead == 0 || m_bodyRefused) return;
    if (sink(std::string_view(buffer.data(), m_bytesRead))) {
      received += m_bytesRead;
    } else {
      m_bodyRefused = true;
    }
  };
  // A whole chunk may have more behind it; a part of one, too, while the
  // announced length has not arrived.
  const auto moreToCome = [&] {
    return m_bytesRead == chunk || (m_bytesRead > 0 && received < announced);
  };
  if (readChunk()) keepChunk();
  while (moreToCome() && !m_cancel && !m_bodyRefused) {
    const size_t before = received;
    if (!readChunk()) break;
    double progress = static_cast<double>(before) / m_contentLength * 100;
    int32_t size = static_cast<int32_t>(before);
    if (auto events = Events()) events->Progresschanged(progress, size, m_cancel);
    keepChunk();
    win::DoEvents();
  }
  return received;
}

bool clsDownload::Finish(size_t received) {
  CloseHandles();
  int32_t state = 0;
  if (auto events = Events()) events->Statechanged(state);
  if (m_cancel) {
    m_contentLength = 0;
    m_failure.clear();
    received = 0;
  }
  if (m_bodyRefused) {
    Fail("the body could not be kept");
  } else if (received != static_cast<size_t>(m_contentLength)) {
    Fail(received < static_cast<size_t>(m_contentLength)
             ? "the transfer ended after " + std::to_string(received) + " of " + std::to_string(m_contentLength) +
                   " bytes"
             : "the server sends more than the " + std::to_string(m_contentLength) + " bytes it announced");
    AddErrorLine("#40503 Not all data was being loaded", "#40503 Es konnten nicht alle Daten geladen werden");
    m_lastTransferBroken = m_bodyIsFile;
  } else {
    m_lastBodyComplete = !m_cancel;
  }
  return !m_cancel;
}

}  // namespace verscout
