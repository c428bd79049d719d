#include "inet/WinInet.h"

#include <strings.h>

#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "inet/CurlTransfer.h"

namespace inet {

namespace {

enum class Kind { Internet, Connect, Request, Url };

struct Session {
  std::string agent;
  uint32_t accessType = INTERNET_OPEN_TYPE_PRECONFIG;
  std::string proxy;
  std::string proxyBypass;
};

struct Object {
  Kind kind = Kind::Internet;
  int32_t parent = 0;
  std::shared_ptr<const Session> session;
  std::string host;  // connection
  uint16_t port = INTERNET_DEFAULT_HTTP_PORT;
  std::string verb;  // request
  std::string path;
  uint32_t flags = 0;
  std::unique_ptr<CurlTransfer> transfer;  // a sent request or an opened URL
};
using ObjectPtr = std::shared_ptr<Object>;

struct HandleTable {
  std::mutex mutex;
  std::map<int32_t, ObjectPtr> objects;
  int32_t next = 1;
};

HandleTable& Table() {
  static HandleTable* table = new HandleTable();  // outlives every static that may close a handle
  return *table;
}

thread_local uint32_t t_lastError = ERROR_SUCCESS;

template <class Result>
Result Fail(uint32_t reason, Result result) {
  t_lastError = reason;
  return result;
}

HINTERNET Add(ObjectPtr object) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  const int32_t id = table.next++;
  table.objects.emplace(id, std::move(object));
  t_lastError = ERROR_SUCCESS;
  return HINTERNET{id};
}

ObjectPtr Find(HINTERNET handle) {
  HandleTable& table = Table();
  std::lock_guard lock(table.mutex);
  auto it = table.objects.find(ToInt(handle));
  return it == table.objects.end() ? nullptr : it->second;
}

// "Name: value" lines of a header block given as text.
std::vector<std::string> HeaderList(std::string_view headers) {
  std::vector<std::string> lines;
  while (!headers.empty()) {
    const size_t end = headers.find('\n');
    std::string_view line = headers.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.emplace_back(line);
    if (end == std::string_view::npos) break;
    headers.remove_prefix(end + 1);
  }
  return lines;
}

TransferRequest RequestFor(const Session& session, std::string url, std::string method, std::string_view headers,
                           uint32_t flags) {
  TransferRequest request;
  request.url = std::move(url);
  request.method = std::move(method);
  request.agent = session.agent;
  request.headers = HeaderList(headers);
  if (flags & INTERNET_FLAG_RELOAD) {
    request.headers.emplace_back("Cache-Control: no-cache");
    request.headers.emplace_back("Pragma: no-cache");
  }
  request.noProxy = session.accessType == INTERNET_OPEN_TYPE_DIRECT;
  if (session.accessType == INTERNET_OPEN_TYPE_PROXY) {
    request.proxy = session.proxy;
    request.proxyBypass = session.proxyBypass;
  }
  request.followRedirects = (flags & INTERNET_FLAG_NO_AUTO_REDIRECT) == 0;
  return request;
}

std::string HeaderValue(const std::vector<std::string>& lines, std::string_view name, bool& found) {
  for (size_t i = 1; i < lines.size(); ++i) {
    const std::string& line = lines[i];
    if (line.size() > name.size() && line[name.size()] == ':' &&
        strncasecmp(line.data(), name.data(), name.size()) == 0) {
      found = true;
      const size_t start = line.find_first_not_of(' ', name.size() + 1);
      return start == std::string::npos ? std::string() : line.substr(start);
    }
  }
  found = false;
  return {};
}

// The answer of a query level as text; false when the level has none.
bool QueryText(const CurlTransfer& transfer, uint32_t level, std::string& text, uint32_t& reason) {
  const std::vector<std::string>& lines = transfer.HeaderLines();
  switch (level) {
    case HTTP_QUERY_STATUS_CODE:
      text = std::to_string(transfer.Status());
      return true;
    case HTTP_QUERY_STATUS_TEXT: {
      const std::string& statusLine = lines.empty() ? std::string() : lines.front();
      const size_t code = statusLine.find(' ');
      const size_t reasonStart = code == std::string::npos ? code : statusLine.find(' ', code + 1);
      text = reasonStart == std::string::npos ? std::string() : statusLine.substr(reasonStart + 1);
      return true;
    }
    case HTTP_QUERY_CONTENT_LENGTH: {
      bool found = false;
      text = HeaderValue(lines, "Content-Length", found);
      if (!found) reason = ERROR_HTTP_HEADER_NOT_FOUND;
      return found;
    }
    case HTTP_QUERY_RAW_HEADERS:
    case HTTP_QUERY_RAW_HEADERS_CRLF: {
      const std::string end = level == HTTP_QUERY_RAW_HEADERS ? std::string(1, '\0') : std::string("\r\n");
      text.clear();
      for (const std::string& line : lines) text += line + end;
      if (level == HTTP_QUERY_RAW_HEADERS_CRLF) text += end;
      return true;
    }
    default:
      reason = ERROR_HTTP_INVALID_QUERY_REQUEST;
      return false;
  }
}

}  // namespace

HINTERNET InternetOpenA(std::string_view agent, uint32_t accessType, std::string_view proxy,
                        std::string_view proxyBypass, uint32_t /*flags*/) {
  auto session = std::make_shared<Session>();
  session->agent = agent;
  session->accessType = accessType;
  session->proxy = proxy;
  session->proxyBypass = proxyBypass;
  auto object = std::make_shared<Object>();
  object->kind = Kind::Internet;
  object->session = std::move(session);
  return Add(std::move(object));
}

HINTERNET InternetConnectA(HINTERNET internet, std::string_view serverName, uint16_t port,
                           std::string_view /*userName*/, std::string_view /*password*/, uint32_t service,
                           uint32_t flags, uintptr_t /*context*/) {
  ObjectPtr parent = Find(internet);
  if (!parent) return Fail(ERROR_INVALID_HANDLE, kNoHandle);
  if (parent->kind != Kind::Internet || service != INTERNET_SERVICE_HTTP) {
    return Fail(ERROR_INTERNET_INCORRECT_HANDLE_TYPE, kNoHandle);
  }
  if (serverName.empty()) return Fail(ERROR_INVALID_PARAMETER, kNoHandle);
  auto object = std::make_shared<Object>();
  object->kind = Kind::Connect;
  object->parent = ToInt(internet);
  object->session = parent->session;
  object->host = serverName;
  object->port = port == 0 ? INTERNET_DEFAULT_HTTP_PORT : port;
  object->flags = flags;
  return Add(std::move(object));
}

HINTERNET HttpOpenRequestA(HINTERNET connect, std::string_view verb, std::string_view objectName,
                           std::string_view /*version*/, std::string_view /*referrer*/, uint32_t flags,
                           uintptr_t /*context*/) {
  ObjectPtr parent = Find(connect);
  if (!parent) return Fail(ERROR_INVALID_HANDLE, kNoHandle);
  if (parent->kind != Kind::Connect) return Fail(ERROR_INTERNET_INCORRECT_HANDLE_TYPE, kNoHandle);
  auto object = std::make_shared<Object>();
  object->kind = Kind::Request;
  object->parent = ToInt(connect);
  object->session = parent->session;
  object->host = parent->host;
  object->port = parent->port;
  object->verb = verb.empty() ? "GET" : std::string(verb);
  object->path = objectName.empty() ? "/" : std::string(objectName);
  if (object->path.front() != '/') object->path.insert(0, "/");
  object->flags = flags;
  return Add(std::move(object));
}

BOOL HttpSendRequestA(HINTERNET request, std::string_view headers, const void* optional, uint32_t optionalLength) {
  ObjectPtr object = Find(request);
  if (!object) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (object->kind != Kind::Request) return Fail(ERROR_INTERNET_INCORRECT_HANDLE_TYPE, FALSE);
  std::string url = "http://" + object->host;
  if (object->port != INTERNET_DEFAULT_HTTP_PORT) url += ":" + std::to_string(object->port);
  url += object->path;
  TransferRequest transferRequest = RequestFor(*object->session, std::move(url), object->verb, headers, object->flags);
  if (optional && optionalLength > 0) transferRequest.body.assign(static_cast<const char*>(optional), optionalLength);
  auto transfer = std::make_unique<CurlTransfer>(std::move(transferRequest));
  const uint32_t reason = transfer->Start();
  if (reason != ERROR_SUCCESS) return Fail(reason, FALSE);
  object->transfer = std::move(transfer);
  t_lastError = ERROR_SUCCESS;
  return TRUE;
}

BOOL HttpQueryInfoA(HINTERNET request, uint32_t infoLevel, void* buffer, uint32_t* bufferLength, uint32_t* index) {
  ObjectPtr object = Find(request);
  if (!object) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (object->kind != Kind::Request && object->kind != Kind::Url) {
    return Fail(ERROR_INTERNET_INCORRECT_HANDLE_TYPE, FALSE);
  }
  if (!bufferLength) return Fail(ERROR_INVALID_PARAMETER, FALSE);
  if (!object->transfer || (index && *index != 0)) return Fail(ERROR_HTTP_HEADER_NOT_FOUND, FALSE);
  const uint32_t level = infoLevel & ~HTTP_QUERY_FLAG_NUMBER;
  std::string text;
  uint32_t reason = ERROR_SUCCESS;
  if (!QueryText(*object->transfer, level, text, reason)) return Fail(reason, FALSE);

  if (infoLevel & HTTP_QUERY_FLAG_NUMBER) {
    const uint32_t number = static_cast<uint32_t>(std::strtoul(text.c_str(), nullptr, 10));
    if (*bufferLength < sizeof number || !buffer) {
      *bufferLength = sizeof number;
      return Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
    }
    std::memcpy(buffer, &number, sizeof number);
    *bufferLength = sizeof number;
  } else {
    const uint32_t needed = static_cast<uint32_t>(text.size() + 1);
    if (*bufferLength < needed || !buffer) {
      *bufferLength = needed;
      return Fail(ERROR_INSUFFICIENT_BUFFER, FALSE);
    }
    std::memcpy(buffer, text.c_str(), needed);
    *bufferLength = needed - 1;
  }
  if (index) ++*index;
  t_lastError = ERROR_SUCCESS;
  return TRUE;
}

HINTERNET InternetOpenUrlA(HINTERNET internet, std::string_view url, std::string_view headers, uint32_t flags,
                           uintptr_t /*context*/) {
  ObjectPtr parent = Find(internet);
  if (!parent) return Fail(ERROR_INVALID_HANDLE, kNoHandle);
  if (parent->kind != Kind::Internet) return Fail(ERROR_INTERNET_INCORRECT_HANDLE_TYPE, kNoHandle);
  std::string scheme;
  for (std::string_view known : {"http://", "https://"}) {
    if (url.size() >= known.size() && strncasecmp(url.data(), known.data(), known.size()) == 0) scheme = known;
  }
  if (scheme.empty()) return Fail(ERROR_INTERNET_UNRECOGNIZED_SCHEME, kNoHandle);
  std::string address = scheme + std::string(url.substr(scheme.size()));
  auto transfer = std::make_unique<CurlTransfer>(RequestFor(*parent->session, std::move(address), "GET", headers, flags));
  const uint32_t reason = transfer->Start();
  if (reason != ERROR_SUCCESS) return Fail(reason, kNoHandle);
  auto object = std::make_shared<Object>();
  object->kind = Kind::Url;
  object->parent = ToInt(internet);
  object->session = parent->session;
  object->flags = flags;
  object->transfer = std::move(transfer);
  return Add(std::move(object));
}

BOOL InternetReadFile(HINTERNET file, void* buffer, uint32_t bytesToRead, uint32_t* bytesRead) {
  if (bytesRead) *bytesRead = 0;
  ObjectPtr object = Find(file);
  if (!object) return Fail(ERROR_INVALID_HANDLE, FALSE);
  if (!object->transfer || !bytesRead || (!buffer && bytesToRead > 0)) {
    return Fail(object->transfer ? ERROR_INVALID_PARAMETER : ERROR_INTERNET_INCORRECT_HANDLE_TYPE, FALSE);
  }
  *bytesRead = object->transfer->Read(static_cast<char*>(buffer), bytesToRead);
  if (*bytesRead == 0 && bytesToRead > 0 && object->transfer->Failure() != ERROR_SUCCESS) {
    return Fail(object->transfer->Failure(), FALSE);
  }
  t_lastError = ERROR_SUCCESS;
  return TRUE;
}

BOOL InternetCloseHandle(HINTERNET handle) {
  std::vector<ObjectPtr> closed;  // released after the lock: closing a transfer talks to the server
  {
    HandleTable& table = Table();
    std::lock_guard lock(table.mutex);
    auto it = table.objects.find(ToInt(handle));
    if (it == table.objects.end()) return Fail(ERROR_INVALID_HANDLE, FALSE);
    std::vector<int32_t> ids{ToInt(handle)};
    for (size_t i = 0; i < ids.size(); ++i) {
      for (const auto& [id, object] : table.objects) {
        if (object->parent == ids[i]) ids.push_back(id);
      }
    }
    for (int32_t id : ids) {
      auto found = table.objects.find(id);
      closed.push_back(std::move(found->second));
      table.objects.erase(found);
    }
  }
  t_lastError = ERROR_SUCCESS;
  return TRUE;
}

uint32_t GetLastError() { return t_lastError; }

}  // namespace inet
