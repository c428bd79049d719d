#include <gtest/gtest.h>

#include <filesystem>

#include "FileSizeLimit.h"
#include "Global.h"
#include "TestFolder.h"
#include "clsLogger.h"
#include "runtime/Clock.h"
#include "runtime/ErrorNumberOf.h"

namespace verscout {
namespace {

constexpr const char* kStamp = "20240315 134501  ";

class clsLoggerTest : public ::testing::Test {
 protected:
  TestFolder folder;
  rt::ManualClock clock{1710510301000};  // 15 March 2024, 13:45:01
  rt::ScopedClock useClock{clock};
};

TEST_F(clsLoggerTest, LinesCarryStampLabelMessageAndValuesUpToTheLevel) {
  clsLogger log;
  log.LogFile(folder.Path("App"));
  log.LogLevel(2);
  ASSERT_TRUE(log.BeginLogging());
  log.CurrentProcedure("*Online-Update");
  for (uint8_t level : {0, 1, 2, 3}) log.IUPrint(level, "L" + std::to_string(level));
  log.CurrentProcedure("");
  log.IUPrint(1, "values", {rt::Variant("a"), rt::Variant(int32_t{5})});
  log.StopLogging();
  EXPECT_EQ(ReadFile(folder.Path("App.log")), std::string(kStamp) + "*Online-Update;L0;\r\n" + kStamp +
                                                  "*Online-Update;L1;\r\n" + kStamp + "*Online-Update;L2;\r\n" +
                                                  kStamp + ";values;a;5;\r\n");

  clsLogger quiet;  // the default level writes level 0 only
  quiet.LogFile(folder.Path("Quiet"));
  ASSERT_TRUE(quiet.BeginLogging());
  quiet.IUPrint(1, "dropped");
  quiet.IUPrint(0, "kept");
  quiet.StopLogging();
  EXPECT_EQ(ReadFile(folder.Path("Quiet.log")), std::string(kStamp) + ";kept;\r\n");
  EXPECT_EQ(rt::ErrorNumberOf([&] { quiet.LogLevel(256); }), 6);
}

TEST_F(clsLoggerTest, FileNamesTakeTheirExtensionFromTheNameOnly) {
  struct Case {
    const char* given;
    int32_t iterations;
    const char* opened;
    const char* afterSizeChange;
  };
  for (const Case& c : {Case{"logs/App", 0, "logs/App.log", "logs/App.log"},
                        Case{"logs/App", 2, "logs/App.001", "logs/App.002"},
                        Case{"logs/App.txt", 2, "logs/App.txt", "logs/App.001"},
                        Case{"my.logs/App", 2, "my.logs/App.001", "my.logs/App.002"}}) {
    SCOPED_TRACE(c.given);
    std::filesystem::create_directories(std::filesystem::path(folder.Path(c.given)).parent_path());
    clsLogger log;
    log.LogFile(folder.Path(c.given));
    log.MaxFileIterations(c.iterations);
    log.MaxFileSize(60);
    ASSERT_TRUE(log.BeginLogging());
    EXPECT_EQ(log.LogFile(), folder.Path(c.opened));
    log.IUPrint(0, "the first line fits into the limit");
    EXPECT_EQ(log.LogFile(), folder.Path(c.opened));
    log.IUPrint(0, "so the next one changes the file");
    EXPECT_EQ(log.LogFile(), folder.Path(c.afterSizeChange));
    log.StopLogging();
    std::filesystem::remove_all(std::filesystem::path(folder.Path(c.given)).parent_path());
  }
}

TEST_F(clsLoggerTest, SizeLimitAllowsOneByteOverAndTheNextFileStartsEmpty) {
  const std::string sixty(60, 'x');
  // A line of n bytes: the 19-byte stamp and label, the message and ";" CR LF.
  const auto line = [](size_t bytes) { return std::string(bytes - 17 - 1 - 3, 'm'); };
  WriteFile(folder.Path("Log.002"), "old content");
  WriteFile(folder.Path("Log.001"), sixty);
  std::filesystem::last_write_time(folder.Path("Log.002"),
                                   std::filesystem::last_write_time(folder.Path("Log.001")) - std::chrono::hours(1));
  clsLogger log;
  log.LogFile(folder.Path("Log"));
  log.MaxFileIterations(2);
  log.MaxFileSize(100);
  ASSERT_TRUE(log.BeginLogging());
  log.IUPrint(0, line(41));
  EXPECT_EQ(std::filesystem::file_size(folder.Path("Log.001")), 101u);
  log.IUPrint(0, line(42));
  EXPECT_EQ(log.LogFile(), folder.Path("Log.002"));
  EXPECT_EQ(ReadFile(folder.Path("Log.002")), std::string(kStamp) + ";" + line(42) + ";\r\n");
  log.IUPrint(0, line(60));
  EXPECT_EQ(log.LogFile(), folder.Path("Log.001"));  // numbers cycle 1, 2, 1
  EXPECT_EQ(std::filesystem::file_size(folder.Path("Log.001")), 60u);
  log.StopLogging();
}

TEST_F(clsLoggerTest, ANewRunAppendsToTheFileWrittenLast) {
  WriteFile(folder.Path("UpdLog.001"), "older\r\n");
  WriteFile(folder.Path("UpdLog.002"), "newer\r\n");
  std::filesystem::last_write_time(folder.Path("UpdLog.001"),
                                   std::filesystem::last_write_time(folder.Path("UpdLog.002")) - std::chrono::hours(1));
  clsLogger log;
  log.LogFile(folder.Path("UpdLog"));
  log.MaxFileIterations(2);
  ASSERT_TRUE(log.BeginLogging());
  log.IUPrint(0, "START");
  log.StopLogging();
  EXPECT_EQ(ReadFile(folder.Path("UpdLog.002")), std::string("newer\r\n") + kStamp + ";START;\r\n");
  EXPECT_EQ(ReadFile(folder.Path("UpdLog.001")), "older\r\n");
}

TEST_F(clsLoggerTest, OneWriterAtATimeAndARestartedSingleFile) {
  clsLogger first, second;
  for (clsLogger* log : {&first, &second}) log->LogFile(folder.Path("Shared.log"));
  ASSERT_TRUE(first.BeginLogging());
  EXPECT_FALSE(second.BeginLogging());
  first.StopLogging();
  EXPECT_TRUE(second.BeginLogging());
  second.StopLogging();

  clsLogger single;
  single.LogFile(folder.Path("One"));
  single.MaxFileIterations(-1);
  single.MaxFileSize(30);
  ASSERT_TRUE(single.BeginLogging());
  EXPECT_EQ(single.LogFile(), folder.Path("One"));
  single.IUPrint(0, "first line of the file");
  single.IUPrint(0, "second");
  EXPECT_EQ(ReadFile(folder.Path("One")), std::string(kStamp) + ";second;\r\n");
  single.StopLogging();
  EXPECT_FALSE(clsLogger().BeginLogging());  // no name
}

// A full disk: the lines that cannot be written are told lost, once.
TEST_F(clsLoggerTest, LinesLostOnAFullDiskAreToldOnce) {
  clsLogger log;
  log.LogFile(folder.Path("App"));
  log.LogLevel(2);
  ASSERT_TRUE(log.BeginLogging());
  log.IUPrint(1, "kept");
  IsEnglish = false;
  ::testing::internal::CaptureStderr();
  {
    // Room for the error output's message, not for the log's next lines.
    FileSizeLimit full(200);
    for (int i = 0; i < 3; ++i) log.IUPrint(1, std::string(100, 'x'));
  }
  const std::string told = ::testing::internal::GetCapturedStderr();
  log.StopLogging();
  EXPECT_EQ(told, "Verscout: Protokolldatei " + folder.Path("App.log") +
                      ": Zeilen des Protokolls gehen verloren (Datei zu groß)\n");
}

}  // namespace
}  // namespace verscout
