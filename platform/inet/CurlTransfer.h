// One HTTP exchange of the internet layer, carried out by libcurl: sent
// when started, answered with the final response's status and headers, its
// body read in parts of any size. The body streams: curl is driven only
// while the reader waits for bytes, and pauses when a megabyte is buffered
// ahead of the reader. Its waits call the wait hook and watch the speed
// floor (inet/Waiting.h). Private to the layer; curl stays in the source.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace inet {

struct TransferRequest {
  std::string url;      // "http://host:port/path"
  std::string method;   // "GET", "HEAD", ...
  std::string agent;    // User-Agent
  std::vector<std::string> headers;  // "Name: value"
  std::string body;     // request body (optional data)
  bool noProxy = false;
  std::string proxy;        // "" = as the environment says (unless noProxy)
  std::string proxyBypass;  // hosts that go direct
  bool followRedirects = true;
};

class CurlTransfer {
 public:
  explicit CurlTransfer(TransferRequest request);
  ~CurlTransfer();
  CurlTransfer(const CurlTransfer&) = delete;
  CurlTransfer& operator=(const CurlTransfer&) = delete;

  // Sends the request and waits for the final response's head. Returns the
  // layer's reason of failure, 0 (ERROR_SUCCESS) when a response came.
  uint32_t Start();

  // The final response: status code, status line and header lines as they
  // came (without their line ends).
  int32_t Status() const;
  const std::vector<std::string>& HeaderLines() const;

  // Copies up to `count` bytes of the body: all of them, or what has
  // arrived once it waited a moment for the rest, or fewer at its end; 0
  // once the body has ended or the transfer was given up (see Failure).
  uint32_t Read(char* buffer, uint32_t count);
  // The layer's reason when it gave the transfer up (too slow, abandoned
  // through the wait hook); ERROR_SUCCESS otherwise.
  uint32_t Failure() const;

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
};

}  // namespace inet
