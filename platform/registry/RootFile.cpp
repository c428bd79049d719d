#include "registry/RootFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <utility>
#include <vector>

#include "registry/Registry.h"
#include "registry/StoreProblems.h"

namespace reg::detail {

namespace {

// Owner of a file descriptor.
class Fd {
 public:
  explicit Fd(int fd = -1) : m_fd(fd) {}
  ~Fd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  int Get() const { return m_fd; }
  // Closes now and tells whether closing succeeded.
  bool Close() {
    int fd = std::exchange(m_fd, -1);
    return fd < 0 || ::close(fd) == 0;
  }

 private:
  int m_fd;
};

bool MakeFolders(const std::string& path) {
  std::string partial;
  size_t start = 0;
  while (start <= path.size()) {
    size_t p = path.find('/', start);
    if (p == std::string::npos) p = path.size();
    partial = path.substr(0, p);
    if (!partial.empty() && ::mkdir(partial.c_str(), 0700) != 0 && errno != EEXIST) return false;
    start = p + 1;
  }
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return false;
  if (!S_ISDIR(st.st_mode)) errno = ENOTDIR;
  return S_ISDIR(st.st_mode);
}

bool WriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

// Reads a whole file; 0, or the errno saying why it cannot be read.
int ReadAll(const std::string& path, std::string& out) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.Get() < 0) return errno;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd.Get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return 0;
    out.append(buffer, static_cast<size_t>(n));
  }
}

std::string Reason(int error) { return std::strerror(error); }

std::string Timestamp() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  ::localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
  return text;
}

bool Exists(const std::string& path) {
  struct stat st {};
  return ::lstat(path.c_str(), &st) == 0;
}

}  // namespace

std::string ResolveRegistryFolder() {
  if (const char* dir = std::getenv("QV_REGISTRY_DIR"); dir && *dir) return dir;
  if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && *config) {
    return std::string(config) + "/quorvelle-registry";
  }
  std::string home;
  if (const char* h = std::getenv("HOME"); h && *h) {
    home = h;
  } else if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) {
    home = pw->pw_dir;
  }
  return home + "/.config/quorvelle-registry";
}

const char* RootName(uint32_t rootIndex) {
  static constexpr const char* names[] = {"HKEY_CLASSES_ROOT", "HKEY_CURRENT_USER",     "HKEY_LOCAL_MACHINE",
                                          "HKEY_USERS",        "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG",
                                          "HKEY_DYN_DATA"};
  return names[rootIndex];
}

RootFile::RootFile(uint32_t rootIndex)
    : m_folder(ResolveRegistryFolder()), m_fileName(std::string(RootName(rootIndex)) + ".reg"),
      m_path(m_folder + "/" + m_fileName), m_tree(std::make_unique<Key>()) {
  if (!MakeFolders(m_folder)) {
    Refuse(ERROR_CANTOPEN, StoreFailure::Step::MakeFolder, errno, "its folder cannot be made");
    return;
  }
  std::string lockPath = m_folder + "/" + RootName(rootIndex) + ".lock";
  m_lockFd = ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (m_lockFd < 0) {
    Refuse(ERROR_CANTOPEN, StoreFailure::Step::OpenLock, errno, "its lock file cannot be opened");
    return;
  }
  int rc;
  do {
    rc = ::flock(m_lockFd, LOCK_EX);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    Refuse(ERROR_CANTOPEN, StoreFailure::Step::Lock, errno, "its lock file cannot be locked");
    return;
  }
  Load();
}

void RootFile::Refuse(int32_t status, StoreFailure::Step step, int error, const std::string& what) {
  m_status = status;
  m_why = what + " (" + Reason(error) + ")";
  m_failure = StoreFailure{step, error};
  StoreProblem problem{StoreProblem::Kind::Unusable, m_path, "", m_why};
  problem.failure = m_failure;
  RecordProblemOnce(std::move(problem));
}

void RootFile::FailedWriting(int error) {
  m_why = "writing it failed (" + Reason(error) + ")";
  m_failure = StoreFailure{StoreFailure::Step::Write, error};
}

RootFile::~RootFile() {
  // Closing the descriptor releases the lock.
  if (m_lockFd >= 0) ::close(m_lockFd);
}

void RootFile::Load() {
  // Under the lock no writer is at work: a temporary file is what a writer
  // that was killed left behind.
  RemoveStaleTemporaries();
  std::string text;
  if (int error = ReadAll(m_path, text); error != 0) {
    if (error != ENOENT) Refuse(ERROR_CANTREAD, StoreFailure::Step::Read, error, "reading it failed");
    return;
  }
  ParsedFile parsed = Parse(text);
  m_tree = std::move(parsed.tree);
  if (!parsed.problem.empty()) PutAside(parsed.problem, parsed.line);
}

void RootFile::RemoveStaleTemporaries() const {
  DIR* dir = ::opendir(m_folder.c_str());
  if (!dir) return;
  std::string prefix = m_fileName + ".tmp-";
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(dir)) {
    if (std::strncmp(entry->d_name, prefix.c_str(), prefix.size()) == 0) stale.emplace_back(entry->d_name);
  }
  ::closedir(dir);
  for (const auto& name : stale) ::unlink((m_folder + "/" + name).c_str());
}

void RootFile::PutAside(const std::string& damage, int line) {
  std::string aside = m_path + ".broken-" + Timestamp();
  for (int n = 2; Exists(aside); ++n) aside = m_path + ".broken-" + Timestamp() + "-" + std::to_string(n);
  if (::rename(m_path.c_str(), aside.c_str()) != 0) {
    // Not moved: what was read is used, but nothing is written over the
    // only copy of the rest.
    m_readOnly = true;
    const int error = errno;
    const std::string failed = "moving it aside failed (" + Reason(error) + ")";
    m_why = "it is damaged and " + failed;
    m_failure = StoreFailure{StoreFailure::Step::MoveAside, error};
    StoreProblem problem{StoreProblem::Kind::Damaged, m_path, "", damage + "; " + failed};
    problem.line = line;
    problem.failure = m_failure;
    RecordProblemOnce(std::move(problem));
    return;
  }
  StoreProblem problem{StoreProblem::Kind::Damaged, m_path, aside, damage};
  problem.line = line;
  RecordProblemOnce(std::move(problem));
  // What was read before the damage becomes the root's file again, so that
  // the next call, and every other program, finds it.
  if (Save() != ERROR_SUCCESS) {
    StoreProblem unsaved{StoreProblem::Kind::NotSaved, m_path, "",
                         "the settings read before the damage (" + m_why + ")"};
    unsaved.failure = m_failure;
    RecordProblem(std::move(unsaved));
  }
}

int32_t RootFile::Save() {
  if (m_status != ERROR_SUCCESS) return m_status;
  if (m_readOnly) return ERROR_CANTWRITE;
  std::string text = Serialize(*m_tree);
  std::string pattern = m_path + ".tmp-XXXXXX";
  std::vector<char> name(pattern.begin(), pattern.end());
  name.push_back('\0');
  Fd fd(::mkostemp(name.data(), O_CLOEXEC));
  if (fd.Get() < 0) {
    FailedWriting(errno);
    return ERROR_CANTWRITE;
  }
  int error = 0;
  if (!WriteAll(fd.Get(), text) || ::fsync(fd.Get()) != 0) error = errno;
  if (!fd.Close() && error == 0) error = errno;
  if (error == 0 && ::rename(name.data(), m_path.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(name.data());
    FailedWriting(error);
    return ERROR_CANTWRITE;
  }
  // Make the rename itself durable.
  Fd dir(::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Get() >= 0) ::fsync(dir.Get());
  return ERROR_SUCCESS;
}

}  // namespace reg::detail
