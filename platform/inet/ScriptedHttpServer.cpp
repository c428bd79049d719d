#include "inet/ScriptedHttpServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <stdexcept>

namespace inet {

namespace steps {
ScriptStep Bytes(std::string bytes) {
  ScriptStep step;
  step.bytes = std::move(bytes);
  return step;
}
ScriptStep Pattern(size_t count, size_t offset) {
  ScriptStep step;
  step.kind = ScriptStep::Kind::Pattern;
  step.count = count;
  step.offset = offset;
  return step;
}
ScriptStep Pause(int milliseconds) {
  ScriptStep step;
  step.kind = ScriptStep::Kind::Pause;
  step.milliseconds = milliseconds;
  return step;
}
ScriptStep Close() {
  ScriptStep step;
  step.kind = ScriptStep::Kind::Close;
  return step;
}
}  // namespace steps

std::string PatternBytes(size_t count, size_t offset) {
  std::string bytes(count, '\0');
  for (size_t i = 0; i < count; ++i) {
    const size_t n = offset + i;
    bytes[i] = static_cast<char>((n + n / 256) & 0xFF);
  }
  return bytes;
}

namespace {

const char* ReasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 301:
      return "Moved Permanently";
    case 302:
      return "Found";
    case 404:
      return "Not Found";
    case 500:
      return "Internal Server Error";
    case 503:
      return "Service Unavailable";
    default:
      return "Status";
  }
}

bool SendAll(int socket, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t sent = ::send(socket, data, size, MSG_NOSIGNAL);
    if (sent <= 0) return false;
    data += sent;
    size -= static_cast<size_t>(sent);
  }
  return true;
}

// Reads the request head (up to the empty line); false when the client
// closes first or sends more than a reasonable head.
bool ReadHead(int socket, std::string& head) {
  char buffer[4096];
  while (head.find("\r\n\r\n") == std::string::npos) {
    if (head.size() > 65536) return false;
    const ssize_t got = ::recv(socket, buffer, sizeof buffer, 0);
    if (got <= 0) return false;
    head.append(buffer, static_cast<size_t>(got));
  }
  return true;
}

RecordedRequest Parse(const std::string& head) {
  RecordedRequest request;
  size_t lineStart = 0;
  bool first = true;
  while (true) {
    const size_t end = head.find("\r\n", lineStart);
    if (end == std::string::npos || end == lineStart) break;
    const std::string line = head.substr(lineStart, end - lineStart);
    if (first) {
      const size_t a = line.find(' ');
      const size_t b = line.find(' ', a + 1);
      request.method = line.substr(0, a);
      request.path = a == std::string::npos ? "" : line.substr(a + 1, b - a - 1);
      first = false;
    } else {
      request.headerLines.push_back(line);
    }
    lineStart = end + 2;
  }
  return request;
}

}  // namespace

std::string ResponseHead(int status, std::optional<size_t> contentLength,
                         const std::vector<std::string>& extraHeaders) {
  std::string head = "HTTP/1.1 " + std::to_string(status) + " " + ReasonPhrase(status) + "\r\n";
  if (contentLength) head += "Content-Length: " + std::to_string(*contentLength) + "\r\n";
  for (const std::string& line : extraHeaders) head += line + "\r\n";
  head += "Connection: close\r\n\r\n";
  return head;
}

Script Response(int status, const std::string& body, const std::vector<std::string>& extraHeaders) {
  return {steps::Bytes(ResponseHead(status, body.size(), extraHeaders) + body)};
}

Script ChunkedResponse(const std::string& body, size_t pieceSize) {
  Script script{steps::Bytes(ResponseHead(200, std::nullopt, {"Transfer-Encoding: chunked"}))};
  for (size_t at = 0; at < body.size(); at += pieceSize) {
    const std::string piece = body.substr(at, pieceSize);
    char size[32];
    std::snprintf(size, sizeof size, "%zx\r\n", piece.size());
    script.push_back(steps::Bytes(size + piece + "\r\n"));
  }
  script.push_back(steps::Bytes("0\r\n\r\n"));
  return script;
}

std::string RecordedRequest::Header(const std::string& name) const {
  for (const std::string& line : headerLines) {
    if (line.size() > name.size() && line[name.size()] == ':' &&
        strncasecmp(line.c_str(), name.c_str(), name.size()) == 0) {
      const size_t start = line.find_first_not_of(' ', name.size() + 1);
      return start == std::string::npos ? std::string() : line.substr(start);
    }
  }
  return {};
}

ScriptedHttpServer::ScriptedHttpServer() {
  m_listen = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (m_listen < 0 || ::pipe2(m_wake, O_CLOEXEC) != 0) throw std::runtime_error("test server: no socket");
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (::bind(m_listen, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || ::listen(m_listen, 64) != 0 ||
      ::getsockname(m_listen, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    throw std::runtime_error("test server: cannot listen on 127.0.0.1");
  }
  m_port = ntohs(address.sin_port);
  m_acceptor = std::thread([this] { AcceptLoop(); });
}

ScriptedHttpServer::~ScriptedHttpServer() {
  Stop();
  std::vector<std::thread> connections;
  {
    std::lock_guard lock(m_mutex);
    connections.swap(m_connections);
  }
  for (std::thread& t : connections) t.join();
  ::close(m_wake[0]);
  ::close(m_wake[1]);
}

std::string ScriptedHttpServer::ConnectToEntry(const std::string& host, uint16_t port) const {
  return host + ":" + std::to_string(port) + ":127.0.0.1:" + std::to_string(m_port);
}

void ScriptedHttpServer::On(const std::string& method, const std::string& path, Script script) {
  std::lock_guard lock(m_mutex);
  m_scripts[{method, path}] = std::move(script);
}

void ScriptedHttpServer::Serve(const std::string& path, const std::string& body) {
  On("HEAD", path, {steps::Bytes(ResponseHead(200, body.size()))});
  On("GET", path, Response(200, body));
}

void ScriptedHttpServer::Stop() {
  {
    std::lock_guard lock(m_mutex);
    if (m_stopped) return;
    m_stopped = true;
  }
  const char wake = 1;
  [[maybe_unused]] ssize_t written = ::write(m_wake[1], &wake, 1);
  m_acceptor.join();
  ::close(m_listen);
  m_listen = -1;
}

std::vector<RecordedRequest> ScriptedHttpServer::Requests() const {
  std::lock_guard lock(m_mutex);
  return m_requests;
}

size_t ScriptedHttpServer::CountRequests(const std::string& method, const std::string& path) const {
  std::lock_guard lock(m_mutex);
  size_t count = 0;
  for (const RecordedRequest& r : m_requests) count += r.method == method && r.path == path;
  return count;
}

void ScriptedHttpServer::AcceptLoop() {
  while (true) {
    pollfd fds[2] = {{m_listen, POLLIN, 0}, {m_wake[0], POLLIN, 0}};
    if (::poll(fds, 2, -1) < 0) continue;
    if (fds[1].revents) return;
    if (!(fds[0].revents & POLLIN)) continue;
    const int connection = ::accept4(m_listen, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) continue;
    std::lock_guard lock(m_mutex);
    m_connections.emplace_back([this, connection] { ServeConnection(connection); });
  }
}

void ScriptedHttpServer::ServeConnection(int socket) {
  std::string head;
  if (ReadHead(socket, head)) {
    RecordedRequest request = Parse(head);
    Script script;
    {
      std::lock_guard lock(m_mutex);
      auto it = m_scripts.find({request.method, request.path});
      script = it != m_scripts.end() ? it->second : Response(404, "");
      m_requests.push_back(std::move(request));
    }
    for (const ScriptStep& step : script) {
      bool ok = true;
      switch (step.kind) {
        case ScriptStep::Kind::Bytes:
          ok = SendAll(socket, step.bytes.data(), step.bytes.size());
          break;
        case ScriptStep::Kind::Pattern: {
          // The pattern repeats every 65536 bytes: pieces are cut from two periods.
          static const std::string cycle = PatternBytes(2 * 65536);
          for (size_t at = 0; ok && at < step.count; at += 65536) {
            const size_t size = std::min<size_t>(65536, step.count - at);
            ok = SendAll(socket, cycle.data() + (step.offset + at) % 65536, size);
          }
          break;
        }
        case ScriptStep::Kind::Pause: {
          // A client that has gone ends the script at once.
          pollfd gone{socket, POLLRDHUP, 0};
          ok = !(::poll(&gone, 1, step.milliseconds) > 0 && (gone.revents & (POLLRDHUP | POLLHUP | POLLERR)));
          break;
        }
        case ScriptStep::Kind::Close:
          ok = false;
          break;
      }
      if (!ok) break;
    }
  }
  ::shutdown(socket, SHUT_RDWR);
  ::close(socket);
}

}  // namespace inet
