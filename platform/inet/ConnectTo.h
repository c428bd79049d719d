// Where connections really go: a list of entries "host:port:address:port"
// that send every connection meant for host:port to address:port instead,
// the request itself unchanged (its Host header still names the host).
// Tests point a program's fixed server address at their local server this
// way. The list set here wins; without one the layer reads the environment
// variable QV_INET_CONNECT_TO (entries separated by ","), so a test can
// hand the mapping to a program it starts. Programs never set it.
#pragma once

#include <string>
#include <vector>

namespace inet {

void SetConnectTo(std::vector<std::string> entries);
void ClearConnectTo();
// The mapping in force: the list set here, else the environment's.
std::vector<std::string> CurrentConnectTo();

// The mapping for the lifetime of the guard.
class ScopedConnectTo {
 public:
  explicit ScopedConnectTo(std::vector<std::string> entries) { SetConnectTo(std::move(entries)); }
  ~ScopedConnectTo() { ClearConnectTo(); }
  ScopedConnectTo(const ScopedConnectTo&) = delete;
  ScopedConnectTo& operator=(const ScopedConnectTo&) = delete;
};

}  // namespace inet
