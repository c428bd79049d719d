#include "forms/controls/WebDocument.h"

#include <fstream>
#include <iterator>

#include "inet/WinInet.h"
#include "runtime/Strings.h"

namespace forms {

namespace {

constexpr const char* kAgent = "Mozilla/4.0 (compatible; WebBrowser)";

bool StartsWithNoCase(const std::string& text, const std::string& prefix) {
  return rt::LCase(text.substr(0, prefix.size())) == prefix;
}

// Valid UTF-8 stays; anything else is read as Windows-1252, as pages
// without a declared character set were.
std::string DecodePage(const std::string& bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const size_t extra = b < 0x80 ? 0 : (b & 0xE0) == 0xC0 ? 1 : (b & 0xF0) == 0xE0 ? 2 : (b & 0xF8) == 0xF0 ? 3 : 9;
    if (extra == 9 || i + extra >= bytes.size()) return rt::FromAnsi(bytes);
    for (size_t k = 1; k <= extra; ++k) {
      if ((static_cast<unsigned char>(bytes[i + k]) & 0xC0) != 0x80) return rt::FromAnsi(bytes);
    }
    i += extra + 1;
  }
  return bytes;
}

std::string EscapeHtml(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '&') out += "&amp;";
    else if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '"') out += "&quot;";
    else out += c;
  }
  return out;
}

WebDocument FetchFile(const std::string& path) {
  WebDocument doc{"file://" + path, {}, false};
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    doc.failed = true;
    doc.html = WebErrorDocument(doc.location, "The file cannot be found.");
    return doc;
  }
  doc.html = DecodePage(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
  return doc;
}

// Owns an internet handle.
struct Handle {
  inet::HINTERNET h;
  ~Handle() {
    if (h != inet::kNoHandle) inet::InternetCloseHandle(h);
  }
};

WebDocument FetchWeb(const std::string& url) {
  WebDocument doc{url, {}, false};
  const Handle session{inet::InternetOpenA(kAgent, inet::INTERNET_OPEN_TYPE_PRECONFIG, "", "", 0)};
  const Handle page{session.h == inet::kNoHandle
                        ? inet::kNoHandle
                        : inet::InternetOpenUrlA(session.h, url, "", inet::INTERNET_FLAG_RELOAD, 0)};
  if (page.h == inet::kNoHandle) {
    doc.failed = true;
    doc.html = WebErrorDocument(url, "Server not found.");
    return doc;
  }
  uint32_t status = 0;
  uint32_t length = sizeof(status);
  inet::HttpQueryInfoA(page.h, inet::HTTP_QUERY_STATUS_CODE | inet::HTTP_QUERY_FLAG_NUMBER, &status, &length, nullptr);
  if (status >= 400) {
    doc.failed = true;
    doc.html = WebErrorDocument(url, "The webpage cannot be found (HTTP " + std::to_string(status) + ").");
    return doc;
  }
  std::string bytes;
  char buffer[16384];
  uint32_t read = 0;
  while (inet::InternetReadFile(page.h, buffer, sizeof(buffer), &read) && read > 0) bytes.append(buffer, read);
  doc.html = DecodePage(bytes);
  return doc;
}

}  // namespace

WebDocument FetchWebDocument(const std::string& address) {
  if (StartsWithNoCase(address, "about:")) return WebDocument{"about:blank", {}, false};
  if (StartsWithNoCase(address, "file://")) return FetchFile(address.substr(7));
  if (address.starts_with("/")) return FetchFile(address);
  if (StartsWithNoCase(address, "http://") || StartsWithNoCase(address, "https://")) return FetchWeb(address);
  return FetchWeb("http://" + address);
}

std::string WebErrorDocument(const std::string& location, const std::string& reason) {
  return "<HTML>\n<HEAD><TITLE>Cannot display the webpage</TITLE></HEAD>\n"
         "<BODY ID=\"ErrorPageTemplate\" BGCOLOR=\"#FFFFFF\">\n"
         "<H3>This program cannot display the webpage</H3>\n<P>" +
         EscapeHtml(reason) + "</P>\n<P>Address: " + EscapeHtml(location) +
         "</P>\n<P>Check the address and your connection, then try again.</P>\n</BODY>\n</HTML>\n";
}

}  // namespace forms
