// clsDownload: fetches one file over plain HTTP through the internet layer
// and returns its body as bytes (one char per byte), or hands it on to a
// sink as it arrives (a large file is then never held whole). A HEAD
// request asks for the size first; a GET then reads the body in chunks of
// the caller's size, raising Statechanged, Startdownloading and
// Progresschanged; the owner stops the transfer by setting Cancel in
// Progresschanged, or at once by abandoning a wait through the internet
// layer's wait hook (inet/Waiting.h): the call then ends as after a cancel.
// Reads take what has arrived, so a slow line never holds the caller for a
// whole chunk. With a chunk size of 0 the call only answers the size.
// Numbered error lines go to the owner's status list.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "inet/WinInet.h"

namespace verscout {

// The owner's side: the events (arguments by reference, as raised) and the
// status list that receives the error lines.
class clsDownloadEvents {
 public:
  virtual ~clsDownloadEvents() = default;
  virtual void Progresschanged(double& Progress, int32_t& size, bool& Cancel) = 0;
  virtual void Statechanged(int32_t& State) = 0;
  virtual void Startdownloading(int32_t& size) = 0;
  virtual void AddStatusLine(const std::string& text) = 0;
};

class clsDownload : public std::enable_shared_from_this<clsDownload> {
 public:
  explicit clsDownload(std::weak_ptr<clsDownloadEvents> events = {});
  ~clsDownload();
  clsDownload(const clsDownload&) = delete;
  clsDownload& operator=(const clsDownload&) = delete;

  // The body of `url` (host and path, "http://" optional) read in chunks of
  // `Bytes`; with `Bytes` 0 the announced size as decimal digits. A url
  // without "/" raises error 5.
  std::string Downloadfile(std::string url, int32_t Bytes, const std::string& Useragent);

  // Takes the next bytes of a body; false when it cannot keep them.
  using BodySink = std::function<bool(std::string_view bytes)>;
  // The same call for a chunk size above 0, with the same steps, events and
  // lines, but the body goes to `sink` as it arrives instead of being
  // gathered in memory, so a large file is never held whole. A sink that
  // refuses bytes stops the transfer at once (no "#40503" line: the owner
  // knows why). The number of bytes the sink took, 0 after a cancel.
  size_t Downloadfile(std::string url, int32_t Bytes, const std::string& Useragent, const BodySink& sink);

  // Whether the last transfer's body had exactly the announced length:
  // false after a short or long body ("#40503"), a cancel or a call that
  // transferred nothing.
  bool LastBodyComplete() const { return m_lastBodyComplete; }
  // Whether the last transfer brought another length than it announced
  // ("#40503"): the connection broke off, or the server sent too much.
  bool LastTransferBroken() const { return m_lastTransferBroken; }
  // Why the last call got no size or no whole body, in a few words for the
  // log ("the server answers status 404", "a redirect loop", ...); empty
  // after a call that got what it asked for, and after a cancel.
  const std::string& LastFailure() const { return m_failure; }
  // A body is never given more room than this before its bytes arrive;
  // beyond it the room grows with what has arrived.
  static constexpr size_t kReserveCeiling = size_t{16} << 20;

 private:
  void CloseHandles();
  std::string QueryHttpInfo(inet::HINTERNET request, uint32_t InfoLevel);
  void AddErrorLine(const char* english, const char* german);
  // Notes the first reason of a call; later ones follow from it.
  void Fail(std::string reason);
  // The same for a reason of the internet layer; a wait that the owner
  // abandoned (through the layer's wait hook) counts as its cancel.
  void FailWith(uint32_t reason);
  // Steps 1 to 9: the size request and the transfer's opening. False when
  // no body is to be read; `answer` is then the call's result.
  bool Open(std::string url, int32_t Bytes, const std::string& Useragent, std::string& answer);
  // Step 10: the body in chunks, given to `sink`; the bytes it took.
  size_t Receive(int32_t Bytes, const BodySink& sink);
  // Steps 11 to 13 after `received` bytes; false after a cancel.
  bool Finish(size_t received);
  std::shared_ptr<clsDownloadEvents> Events() const { return m_events.lock(); }

  std::weak_ptr<clsDownloadEvents> m_events;
  inet::HINTERNET m_internet = inet::kNoHandle;
  inet::HINTERNET m_url = inet::kNoHandle;
  inet::HINTERNET m_connection = inet::kNoHandle;
  inet::HINTERNET m_request = inet::kNoHandle;
  bool m_cancel = false;
  uint32_t m_bytesRead = 0;
  int32_t m_contentLength = 0;
  std::string m_headerText;
  bool m_sendResult = false;
  bool m_lastBodyComplete = false;
  bool m_lastTransferBroken = false;
  // The transfer's body could not be kept (its sink refused it).
  bool m_bodyRefused = false;
  // Whether the transfer was answered with the file (status 200).
  bool m_bodyIsFile = false;
  std::string m_failure;
};

}  // namespace verscout
