#include "clsLogger.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "Global.h"
#include "runtime/Date.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"
#include "runtime/SystemReason.h"

namespace verscout {

namespace {

constexpr int32_t errOverflow = 6;
constexpr int32_t errFileNotFound = 53;

std::string Numbered(int32_t number) {
  char text[16];
  std::snprintf(text, sizeof text, "%03d", number);
  return text;
}

}  // namespace

clsLogger::~clsLogger() { StopLogging(); }

void clsLogger::LogLevel(int32_t value) {
  if (value < 0 || value > 255) rt::Raise(errOverflow);
  m_logLevel = static_cast<uint8_t>(value);
}

bool clsLogger::NameHasDot() const {
  const size_t slash = m_logFile.find_last_of('/');
  return m_logFile.find('.', slash == std::string::npos ? 0 : slash + 1) != std::string::npos;
}

int32_t clsLogger::LatestNumberedFile() const {
  int32_t latest = 0;
  struct timespec latestTime {};
  for (int32_t n = 1; n <= m_maxFileIterations; ++n) {
    struct stat info {};
    if (::stat((m_logFile + "." + Numbered(n)).c_str(), &info) != 0) continue;
    const struct timespec& t = info.st_mtim;
    if (latest == 0 || t.tv_sec > latestTime.tv_sec || (t.tv_sec == latestTime.tv_sec && t.tv_nsec > latestTime.tv_nsec)) {
      latest = n;
      latestTime = t;
    }
  }
  return latest;
}

bool clsLogger::IUPrint(uint8_t Level, const std::string& msg, const std::vector<rt::Variant>& Variables) {
  if (m_logLevel < Level) return false;
  std::string line = m_currentProcedure + ";" + msg + ";";
  for (const rt::Variant& value : Variables) line += value.ToString() + ";";
  line = rt::FormatDate(rt::Now(), "yyyymmdd hhnnss") + "  " + line + "\r\n";
  WriteToLog(line);
  return false;
}

bool clsLogger::WriteToLog(const std::string& line) {
  const std::string bytes = rt::ToAnsi(line);
  struct stat info {};
  if (::stat(m_logFile.c_str(), &info) != 0) rt::Raise(errFileNotFound);
  const auto length = static_cast<int64_t>(info.st_size);
  if (m_maxFileSize > 0 && static_cast<int64_t>(bytes.size()) - 1 + length > m_maxFileSize) {
    StopLogging();
    NextLogFile();
    std::error_code ignored;
    std::filesystem::remove(m_logFile, ignored);
    BeginLogging();
  }
  if (m_file < 0) return false;
  std::string_view rest = bytes;
  while (!rest.empty()) {
    const ssize_t written = ::write(m_file, rest.data(), rest.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) {
      TellLostLines(written < 0 ? errno : ENOSPC);
      return false;
    }
    rest.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

void clsLogger::TellLostLines(int error) {
  // Once: a full disk would otherwise repeat it at every line.
  if (m_lossTold) return;
  m_lossTold = true;
  std::fprintf(stderr, "Verscout: %s%s: %s (%s)\n", Text("Log file ", "Protokolldatei "), m_logFile.c_str(),
               Text("lines of the log are lost", "Zeilen des Protokolls gehen verloren"),
               rt::SystemReason(error, IsEnglish).c_str());
}

bool clsLogger::BeginLogging() {
  if (m_logFile.empty()) return false;
  if (!NameHasDot()) {
    if (m_maxFileIterations != 0) {
      // A new run goes on with the file written last, not always with the first.
      if (m_fileIteration == 0 && m_maxFileIterations > 0) {
        const int32_t latest = LatestNumberedFile();
        if (latest > 0) m_fileIteration = latest - 1;
      }
      NextLogFile();
    } else {
      m_logFile += ".log";
    }
  }
  StopLogging();
  m_heldByAnother = false;
  struct stat info {};
  const bool exists = ::stat(m_logFile.c_str(), &info) == 0;
  const int file = ::open(m_logFile.c_str(), exists ? O_WRONLY | O_CLOEXEC : O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                          0644);
  if (file < 0) return false;
  // One writer at a time: a second opening for writing fails.
  if (::flock(file, LOCK_EX | LOCK_NB) != 0) {
    m_heldByAnother = errno == EWOULDBLOCK;
    ::close(file);
    return false;
  }
  if (exists && info.st_size > 0 && ::lseek(file, 0, SEEK_END) < 0) {
    ::close(file);
    return false;
  }
  m_file = file;
  return true;
}

bool clsLogger::StopLogging() {
  if (m_file >= 0) {
    ::fsync(m_file);
    ::close(m_file);
    m_file = -1;
  }
  return false;
}

bool clsLogger::NextLogFile() {
  if (m_maxFileIterations > 0) {
    m_fileIteration = m_fileIteration == m_maxFileIterations ? 1 : m_fileIteration + 1;
  } else {
    std::error_code ignored;
    std::filesystem::remove(m_logFile, ignored);
    return true;
  }
  if (!NameHasDot()) {
    m_logFile += "." + Numbered(m_fileIteration);
  } else {
    const size_t slash = m_logFile.find_last_of('/');
    const size_t dot = m_logFile.find('.', slash == std::string::npos ? 0 : slash + 1);
    m_logFile = m_logFile.substr(0, dot + 1) + Numbered(m_fileIteration);
  }
  return true;
}

}  // namespace verscout
