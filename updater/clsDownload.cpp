#include "clsDownload.h"

#include "Global.h"
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

}  // namespace

clsDownload::clsDownload(std::weak_ptr<clsDownloadEvents> events) : m_events(std::move(events)) {}

clsDownload::~clsDownload() { CloseHandles(); }

void clsDownload::CloseHandles() {
  for (inet::HINTERNET* handle : {&m_url, &m_internet, &m_request, &m_connection}) {
    if (*handle != inet::kNoHandle) inet::InternetCloseHandle(*handle);
    *handle = inet::kNoHandle;
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

  if (rt::StrComp(rt::Left(url, 7), "http://", rt::CompareMethod::Text) == 0) url = url.substr(7);
  CloseHandles();
  m_contentLength = 0;
  m_cancel = false;
  m_lastBodyComplete = false;

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
      if (m_sendResult && QueryHttpInfo(m_request, inet::HTTP_QUERY_STATUS_CODE) == "200") {
        m_headerText = QueryHttpInfo(m_request, inet::HTTP_QUERY_RAW_HEADERS);
        const size_t at = FindNoCase(m_headerText, "content-length:");
        if (at != std::string::npos) {
          m_headerText = rt::Trim(m_headerText.substr(at + 15));
          m_contentLength = rt::Variant(Val(m_headerText)).ToLong();
        }
      }
    }
  }

  m_url = inet::InternetOpenUrlA(m_internet, "Http://" + url, "", inet::INTERNET_FLAG_RELOAD, 0);
  if (Bytes == 0) return std::to_string(m_contentLength);
  if (m_contentLength == 0) {
    if (rt::LCase(rt::Right(url, 14)) == "_flagisconnect") {
      AddErrorLine("#40555 No connection to web-server", "#40555 Keine Verbindung zum Webserver");
    } else {
      AddErrorLine("#40502 Data is not accessible", "#40502 Daten nicht abrufbar");
    }
    return {};
  }

  state = 2;
  if (auto events = Events()) events->Statechanged(state);
  int32_t announced = m_contentLength;
  if (auto events = Events()) events->Startdownloading(announced);

  // Chunks are read straight onto the end of the body: the bytes of a
  // chunk count as appended only after its progress event.
  std::string body;
  rt::ReserveLarge(body, static_cast<size_t>(m_contentLength) + static_cast<size_t>(Bytes));
  const auto readChunk = [&] {
    const size_t before = body.size();
    body.resize(before + static_cast<size_t>(Bytes));
    m_bytesRead = 0;
    inet::InternetReadFile(m_url, body.data() + before, static_cast<uint32_t>(Bytes), &m_bytesRead);
    body.resize(before + m_bytesRead);
    return before;
  };
  readChunk();
  while (m_bytesRead == static_cast<uint32_t>(Bytes) && !m_cancel) {
    const size_t before = readChunk();
    double progress = static_cast<double>(before) / m_contentLength * 100;
    int32_t size = static_cast<int32_t>(before);
    if (auto events = Events()) events->Progresschanged(progress, size, m_cancel);
    win::DoEvents();
  }

  CloseHandles();
  state = 0;
  if (auto events = Events()) events->Statechanged(state);
  if (m_cancel) {
    body.clear();
    m_contentLength = 0;
  }
  if (body.size() != static_cast<size_t>(m_contentLength)) {
    AddErrorLine("#40503 Not all data was being loaded", "#40503 Es konnten nicht alle Daten geladen werden");
  } else {
    m_lastBodyComplete = !m_cancel;
  }
  return body;
}

}  // namespace verscout
