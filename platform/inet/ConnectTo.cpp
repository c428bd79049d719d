#include "inet/ConnectTo.h"

#include <cstdlib>
#include <mutex>
#include <optional>
#include <string_view>

namespace inet {

namespace {

std::mutex g_mutex;
std::optional<std::vector<std::string>> g_entries;

std::vector<std::string> FromEnvironment() {
  std::vector<std::string> entries;
  const char* value = std::getenv("QV_INET_CONNECT_TO");
  if (!value) return entries;
  std::string_view rest = value;
  while (!rest.empty()) {
    const size_t comma = rest.find(',');
    std::string_view entry = rest.substr(0, comma);
    if (!entry.empty()) entries.emplace_back(entry);
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  return entries;
}

}  // namespace

void SetConnectTo(std::vector<std::string> entries) {
  std::lock_guard lock(g_mutex);
  g_entries = std::move(entries);
}

void ClearConnectTo() {
  std::lock_guard lock(g_mutex);
  g_entries.reset();
}

std::vector<std::string> CurrentConnectTo() {
  {
    std::lock_guard lock(g_mutex);
    if (g_entries) return *g_entries;
  }
  return FromEnvironment();
}

}  // namespace inet
