#include "main/tests/PrivateServer.h"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace qvadmin::test {

namespace {

struct PipeCloser {
  void operator()(FILE* pipe) const noexcept { ::pclose(pipe); }
};

// The value of "export NAME=value" in `output`, "" when there is none.
std::string Exported(const std::string& output, const std::string& name) {
  const std::string key = "export " + name + "=";
  const size_t at = output.find(key);
  if (at == std::string::npos) return "";
  const size_t begin = at + key.size();
  return output.substr(begin, output.find('\n', begin) - begin);
}

}  // namespace

PrivateServer::PrivateServer()
    : m_folder((std::filesystem::temp_directory_path() / ("qvlost-" + std::to_string(::getpid()))).string()) {
  std::filesystem::remove_all(m_folder);
  m_running = Start();
}

PrivateServer::~PrivateServer() {
  Stop();
  std::error_code ignored;
  // The cluster may live in a folder of its own that this one links to.
  const std::filesystem::path away = std::filesystem::path(m_folder) / "server";
  if (std::filesystem::is_symlink(away, ignored)) {
    std::filesystem::remove_all(std::filesystem::read_symlink(away, ignored), ignored);
  }
  std::filesystem::remove_all(m_folder, ignored);
  std::filesystem::remove(m_folder + ".log", ignored);
}

bool PrivateServer::Run(const std::string& action) {
  const std::string command =
      "'" QV_SOURCE_DIR "/tools/pgcluster' " + action + " '" + m_folder + "' 2>'" + m_folder + ".log'";
  std::unique_ptr<FILE, PipeCloser> pipe(::popen(command.c_str(), "r"));
  if (!pipe) return false;
  std::string output;
  std::array<char, 512> buffer{};
  while (std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe.get())) output += buffer.data();
  const int status = ::pclose(pipe.release());
  if (status != 0) return false;
  if (action == "start") {
    m_port = Exported(output, "QV_PG_PORT");
    m_user = Exported(output, "QV_PG_USER");
    m_password = Exported(output, "QV_PG_PASSWORD");
  }
  return true;
}

bool PrivateServer::Stop() { return Run("stop"); }
bool PrivateServer::Start() { return Run("start"); }

std::string PrivateServer::TcpDataSource() const { return "127.0.0.1," + m_port; }

}  // namespace qvadmin::test
