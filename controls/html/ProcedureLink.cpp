#include "html/ProcedureLink.h"

#include "runtime/Strings.h"

namespace kvctl2::html {

namespace {

// Whether the buffer is an argument still inside its opening quote.
bool InsideQuote(const std::string& buffer) {
  if (buffer.empty()) return false;
  const char first = buffer.front();
  if (first != '"' && first != '\'') return false;
  return buffer.size() == 1 || buffer.back() != first;
}

std::string Unquoted(const std::string& buffer) {
  std::string arg = rt::Trim(buffer);
  if (arg.size() >= 2 && (arg.front() == '"' || arg.front() == '\'') && arg.back() == arg.front()) {
    arg = arg.substr(1, arg.size() - 2);
  }
  return arg;
}

}  // namespace

ProcedureLink ParseProcedureLink(std::string_view text) {
  ProcedureLink link;
  bool haveName = false;
  std::string buffer;
  for (const char c : text) {
    if (!haveName) {
      if (c == '(' || c == ' ') {
        link.Name = rt::Trim(buffer);
        buffer.clear();
        haveName = !link.Name.empty();
      } else {
        buffer += c;
      }
    } else if ((c == ')' || c == ',') && !InsideQuote(buffer)) {
      std::string arg = Unquoted(buffer);
      if (!arg.empty()) link.Args.push_back(std::move(arg));
      buffer.clear();
    } else {
      buffer += c;
    }
  }
  if (!rt::Trim(buffer).empty()) {
    if (haveName) {
      link.Args.push_back(Unquoted(buffer));
    } else {
      link.Name = rt::Trim(buffer);
    }
  }
  return link;
}

}  // namespace kvctl2::html
