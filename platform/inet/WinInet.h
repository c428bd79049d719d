// The internet layer: HTTP through handles in the shape programs expect of
// the platform's internet library. An internet handle (InternetOpenA) holds
// the agent name and the proxy choice; a connection handle
// (InternetConnectA) a server and port; a request handle (HttpOpenRequestA)
// a verb and path, sent with HttpSendRequestA; a URL handle
// (InternetOpenUrlA) a GET of a whole address. Requests and URL handles
// answer status and headers through HttpQueryInfoA and their body through
// InternetReadFile, which returns the part that has arrived.
//
// Nothing is cached; redirects are followed (at most ten in a row);
// chunked bodies arrive decoded; a response head beyond kMaxResponseHead is
// refused; with INTERNET_OPEN_TYPE_PRECONFIG the proxy comes from
// the environment (http_proxy, no_proxy). Calls block on the calling
// thread, calling its wait hook while they wait, and a transfer below the
// speed floor is given up (inet/Waiting.h); closing a handle closes the
// handles made from it. A failing call returns a null handle or FALSE and
// leaves its reason in GetLastError.
#pragma once

#include <cstdint>
#include <string_view>

namespace inet {

// A handle: a small positive integer, 0 = none. Never reused while open.
enum class HINTERNET : int32_t {};
inline constexpr HINTERNET kNoHandle = HINTERNET{0};
constexpr int32_t ToInt(HINTERNET h) noexcept { return static_cast<int32_t>(h); }

using BOOL = int32_t;
inline constexpr BOOL TRUE = 1;
inline constexpr BOOL FALSE = 0;

// Access types of InternetOpenA.
inline constexpr uint32_t INTERNET_OPEN_TYPE_PRECONFIG = 0;  // as the environment says
inline constexpr uint32_t INTERNET_OPEN_TYPE_DIRECT = 1;     // never through a proxy
inline constexpr uint32_t INTERNET_OPEN_TYPE_PROXY = 3;      // through the named proxy

inline constexpr uint16_t INTERNET_DEFAULT_HTTP_PORT = 80;
inline constexpr uint32_t INTERNET_SERVICE_HTTP = 3;

// Request flags. RELOAD asks every cache on the way for a fresh copy.
inline constexpr uint32_t INTERNET_FLAG_RELOAD = 0x80000000u;
inline constexpr uint32_t INTERNET_FLAG_NO_CACHE_WRITE = 0x04000000u;
inline constexpr uint32_t INTERNET_FLAG_NO_AUTO_REDIRECT = 0x00200000u;

// Information levels of HttpQueryInfoA. With HTTP_QUERY_FLAG_NUMBER the
// answer is a 32-bit number instead of text.
inline constexpr uint32_t HTTP_QUERY_CONTENT_LENGTH = 5;
inline constexpr uint32_t HTTP_QUERY_STATUS_CODE = 19;
inline constexpr uint32_t HTTP_QUERY_STATUS_TEXT = 20;
inline constexpr uint32_t HTTP_QUERY_RAW_HEADERS = 21;       // lines ended by NUL, a second NUL at the end
inline constexpr uint32_t HTTP_QUERY_RAW_HEADERS_CRLF = 22;  // lines ended by CR LF, an empty line at the end
inline constexpr uint32_t HTTP_QUERY_FLAG_NUMBER = 0x20000000u;

// Reasons of GetLastError.
inline constexpr uint32_t ERROR_SUCCESS = 0;
inline constexpr uint32_t ERROR_INVALID_HANDLE = 6;
inline constexpr uint32_t ERROR_INVALID_PARAMETER = 87;
inline constexpr uint32_t ERROR_INSUFFICIENT_BUFFER = 122;
inline constexpr uint32_t ERROR_INTERNET_TIMEOUT = 12002;
inline constexpr uint32_t ERROR_INTERNET_INTERNAL_ERROR = 12004;
inline constexpr uint32_t ERROR_INTERNET_INVALID_URL = 12005;
inline constexpr uint32_t ERROR_INTERNET_UNRECOGNIZED_SCHEME = 12006;
inline constexpr uint32_t ERROR_INTERNET_NAME_NOT_RESOLVED = 12007;
inline constexpr uint32_t ERROR_INTERNET_OPERATION_CANCELLED = 12017;  // abandoned through the wait hook
inline constexpr uint32_t ERROR_INTERNET_INCORRECT_HANDLE_TYPE = 12018;
inline constexpr uint32_t ERROR_INTERNET_CANNOT_CONNECT = 12029;
inline constexpr uint32_t ERROR_INTERNET_CONNECTION_RESET = 12031;
inline constexpr uint32_t ERROR_HTTP_HEADER_NOT_FOUND = 12150;
inline constexpr uint32_t ERROR_HTTP_INVALID_SERVER_RESPONSE = 12152;
inline constexpr uint32_t ERROR_HTTP_INVALID_QUERY_REQUEST = 12154;
inline constexpr uint32_t ERROR_HTTP_REDIRECT_FAILED = 12156;  // too many redirections (a loop)
// The layer's own: the response's head (status line and headers) is larger
// than kMaxResponseHead, so the answer is refused before it fills memory.
inline constexpr uint32_t ERROR_HTTP_HEADERS_TOO_LARGE = 12190;
inline constexpr uint32_t kMaxResponseHead = 64 * 1024;
// The layer's own: the transfer stayed below the speed floor (inet/Waiting.h).
inline constexpr uint32_t ERROR_INTERNET_TRANSFER_TOO_SLOW = 12191;

// A session with the agent name sent as User-Agent. `proxy` is used with
// INTERNET_OPEN_TYPE_PROXY ("host:port"); `proxyBypass` lists the hosts
// that go direct ("" for none).
HINTERNET InternetOpenA(std::string_view agent, uint32_t accessType, std::string_view proxy,
                        std::string_view proxyBypass, uint32_t flags);

// A server of a session. Nothing is sent yet. Fails with
// ERROR_INVALID_PARAMETER for an empty server name and
// ERROR_INTERNET_INCORRECT_HANDLE_TYPE for a service other than HTTP.
HINTERNET InternetConnectA(HINTERNET internet, std::string_view serverName, uint16_t port, std::string_view userName,
                           std::string_view password, uint32_t service, uint32_t flags, uintptr_t context);

// A request on a server: `verb` ("" = "GET"), `objectName` the path
// ("" = "/"), `version` ("" = "HTTP/1.1"). Nothing is sent yet.
HINTERNET HttpOpenRequestA(HINTERNET connect, std::string_view verb, std::string_view objectName,
                           std::string_view version, std::string_view referrer, uint32_t flags, uintptr_t context);

// Sends the request with extra header lines ("Name: value" ended by CR LF)
// and an optional body, and waits for the answer's status and headers.
// FALSE when the server cannot be reached or gives no valid answer.
BOOL HttpSendRequestA(HINTERNET request, std::string_view headers, const void* optional, uint32_t optionalLength);

// Status and headers of a sent request or an opened URL. `bufferLength`
// holds the buffer's size in bytes and receives the answer's length (text
// without its closing NUL). When the answer does not fit, nothing is
// written, `bufferLength` receives the size needed and the result is FALSE
// with ERROR_INSUFFICIENT_BUFFER. `index` may be null.
BOOL HttpQueryInfoA(HINTERNET request, uint32_t infoLevel, void* buffer, uint32_t* bufferLength, uint32_t* index);

// Opens an "http://" or "https://" address (scheme in any letter case) for
// reading with extra header lines; waits for the status and headers. A null
// handle when the server cannot be reached.
HINTERNET InternetOpenUrlA(HINTERNET internet, std::string_view url, std::string_view headers, uint32_t flags,
                           uintptr_t context);

// Reads the next part of the body: the whole `bytesToRead` when it arrives
// in time, else what has arrived once the read waited a moment for the
// rest (at least one byte), fewer at the body's end; 0 bytes at its end. A
// caller reads until 0 bytes come. A transfer broken off by the server
// reads as an early end. FALSE for a handle that has no body to read, and
// once the read bytes are used up of a transfer the layer gave up: with
// ERROR_INTERNET_TRANSFER_TOO_SLOW or ERROR_INTERNET_OPERATION_CANCELLED.
BOOL InternetReadFile(HINTERNET file, void* buffer, uint32_t bytesToRead, uint32_t* bytesRead);

// Closes the handle and every handle made from it.
BOOL InternetCloseHandle(HINTERNET handle);

// The reason of this thread's last failing call of the layer.
uint32_t GetLastError();

}  // namespace inet
