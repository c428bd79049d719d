// What the embedded web browser shows for an address: the address as the
// browser reports it and the document's source, fetched from a local file
// or over HTTP through the internet layer, or the browser's own error
// document when it cannot be had.
#pragma once

#include <string>

namespace forms {

struct WebDocument {
  std::string location;  // "about:blank", "file://<path>" or "http(s)://..."
  std::string html;      // the source, as UTF-8
  bool failed = false;   // the error document stands in for the page
};

// "about:blank" (any case) is the empty document; a path, or a
// "file://" address, a local file; an address with "http://" or
// "https://", and any other address (taken as a web address without its
// scheme), is fetched with a GET. Blocks until the document is read.
WebDocument FetchWebDocument(const std::string& address);

// The error document for an address: `reason` says what went wrong.
std::string WebErrorDocument(const std::string& location, const std::string& reason);

}  // namespace forms
