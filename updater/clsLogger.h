// clsLogger: appends time-stamped lines ("yyyymmdd hhnnss  label;message;
// values;" and CR LF, Windows-1252) to a log file, drops lines above its
// level, and keeps the file below a size limit by moving on to the next of
// a fixed number of numbered files (name.001, name.002, ...), which starts
// empty. The file is held open for writing by one writer at a time; others
// may read it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/Variant.h"

namespace verscout {

class clsLogger {
 public:
  clsLogger() = default;
  ~clsLogger();
  clsLogger(const clsLogger&) = delete;
  clsLogger& operator=(const clsLogger&) = delete;

  // Writes one line when LogLevel >= Level; always False. A log file that
  // has gone missing raises error 53 (file not found).
  bool IUPrint(uint8_t Level, const std::string& msg, const std::vector<rt::Variant>& Variables = {});
  // Settles the file name and opens the file for appending; True when open.
  bool BeginLogging();
  // Flushes and closes the file; always False.
  bool StopLogging();
  // Whether the last BeginLogging failed because another writer holds the
  // file.
  bool HeldByAnother() const { return m_heldByAnother; }

  const std::string& CurrentProcedure() const { return m_currentProcedure; }
  void CurrentProcedure(std::string value) { m_currentProcedure = std::move(value); }
  const std::string& LogFile() const { return m_logFile; }
  void LogFile(std::string value) { m_logFile = std::move(value); }
  int32_t LogLevel() const { return m_logLevel; }
  // A value outside 0..255 raises error 6 (overflow).
  void LogLevel(int32_t value);
  int32_t MaxFileSize() const { return m_maxFileSize; }
  void MaxFileSize(int32_t value) { m_maxFileSize = value; }
  int32_t MaxFileIterations() const { return m_maxFileIterations; }
  void MaxFileIterations(int32_t value) { m_maxFileIterations = value; }

 private:
  bool WriteToLog(const std::string& line);
  // Tells on the error output, once, that lines of the log are lost.
  void TellLostLines(int error);
  bool NextLogFile();
  // Whether the file name (not its folder) has an extension.
  bool NameHasDot() const;
  // The number of the numbered log file written last, 0 when there is none.
  int32_t LatestNumberedFile() const;

  std::string m_currentProcedure;
  std::string m_logFile;
  uint8_t m_logLevel = 0;
  int32_t m_maxFileSize = 0;
  int32_t m_maxFileIterations = 0;
  int32_t m_fileIteration = 0;
  int m_file = -1;
  bool m_lossTold = false;
  bool m_heldByAnother = false;
};

}  // namespace verscout
