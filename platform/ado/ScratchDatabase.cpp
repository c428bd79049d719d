#include "ado/ScratchDatabase.h"

#include <unistd.h>

#include <atomic>
#include <chrono>

#include "ado/Connection.h"
#include "ado/TestServer.h"

namespace ado {

namespace {

std::string UniqueName(const std::string& prefix) {
  static std::atomic<int> counter{0};
  auto ticks = std::chrono::steady_clock::now().time_since_epoch().count() % 1000000;
  return (prefix.empty() ? std::string("qvt") : prefix) + "_" + std::to_string(getpid()) + "_" +
         std::to_string(++counter) + "_" + std::to_string(ticks);
}

}  // namespace

ScratchDatabase::ScratchDatabase(const std::string& prefix) : m_name(UniqueName(prefix)) {
  Connection cn;
  TestServer::OpenWithPassword(cn);
  cn.Execute("CREATE DATABASE \"" + m_name + "\"");
}

ScratchDatabase::~ScratchDatabase() {
  try {
    Connection cn;
    TestServer::OpenWithPassword(cn);
    cn.Execute("DROP DATABASE IF EXISTS \"" + m_name + "\" WITH (FORCE)");
  } catch (...) {
    // A database left behind goes with the test cluster.
  }
}

}  // namespace ado
