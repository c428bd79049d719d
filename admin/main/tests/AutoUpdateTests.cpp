// The hand-over of the update to the update assistant: each missing piece
// is told, and with everything in place the assistant is started with its
// switch and the update folder is stored for it.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "forms/App.h"
#include "main/tests/SessionTest.h"

namespace qvadmin {
namespace {

namespace fs = std::filesystem;

class AutoUpdate : public test::SessionTest {
 protected:
  void SetUp() override {
    test::SessionTest::SetUp();
    if (IsSkipped()) return;
    root = fs::temp_directory_path() / ("qvupdate-" + std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "program");
    fs::create_directories(root / "updates");
    savedPath = forms::App().Path;
    forms::App().Path = (root / "program").string();
    ado::TestServer::OpenWithPassword(*cnMain, "QVault");
  }
  void TearDown() override {
    forms::App().Path = savedPath;
    fs::remove_all(root);
    test::SessionTest::TearDown();
  }
  void SetUpdateFolder(const std::string& folder) {
    db().Execute("UPDATE Konfig SET UpdLocPath = ?", {rt::Variant(folder)});
  }
  // A stand-in for the assistant: writes the arguments it got to a file.
  void InstallAssistant(bool executable) {
    const fs::path program = root / "program" / "Verscout";
    std::ofstream(program) << "#!/bin/sh\necho \"$@\" > '" << (root / "started").string() << "'\n";
    ::chmod(program.c_str(), executable ? 0755 : 0644);
  }
  // The arguments the assistant was started with: it writes them into a
  // pipe, which is read as soon as it does (the start is not waited for).
  int OpenStartPipe() {
    const fs::path pipe = root / "started";
    ::mkfifo(pipe.c_str(), 0600);
    return ::open(pipe.c_str(), O_RDONLY | O_NONBLOCK);
  }
  static std::string ReadStartPipe(int fd) {
    pollfd wait{fd, POLLIN, 0};
    std::string text;
    if (::poll(&wait, 1, 10000) > 0) {
      char buffer[256];
      const ssize_t n = ::read(fd, buffer, sizeof buffer);
      if (n > 0) text.assign(buffer, static_cast<size_t>(n));
    }
    ::close(fd);
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }

  fs::path root;
  std::string savedPath;
};

TEST_F(AutoUpdate, EachMissingPieceIsToldInTurn) {
  QV_REQUIRE_SERVER();
  const std::string updates = (root / "updates").string() + "/";
  struct Case {
    std::string folder;
    std::function<void()> prepare;
    std::string title;
    std::string textStart;
  };
  const Case cases[] = {
      {"", [] {}, "Online checking is not enabled!", "You need to activate the online check"},
      // Two characters pass and are tested as the folder with "res" added.
      {"X:", [] {}, "Please check the configuration!",
       "The local path to the archive directory does not exist:\r\rPath: X:"},
      {updates, [&] { fs::create_directories(root / "updates/res"); }, "The Update Wizard can not be started.",
       "For the Update Wizard to recognize the current version"},
      {updates, [&] { std::ofstream(root / "updates/ver.txt") << "x|y|203\r\n"; },
       "The Update Wizard can not be started.", "The file 'Verscout.exe' was not found.\r\rPlease check the"},
      {updates, [&] { InstallAssistant(false); }, "The Update Wizard can not be started.",
       "The Update Wizard could not be started."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.title);
    c.prepare();
    SetUpdateFolder(c.folder);
    msg->calls.clear();
    main->DoAutoUpdate();
    ASSERT_EQ(msg->calls.size(), 1u);
    EXPECT_EQ(msg->calls[0][2].ToString(), c.title);
    EXPECT_EQ(msg->calls[0][0].ToString().rfind(c.textStart, 0), 0u) << msg->calls[0][0].ToString();
  }
  EXPECT_FALSE(fs::exists(root / "started"));
}

TEST_F(AutoUpdate, StartsTheAssistantForTheStoredFolder) {
  QV_REQUIRE_SERVER();
  const std::string updates = (root / "updates").string() + "/";
  fs::create_directories(root / "updates/res");
  std::ofstream(root / "updates/ver.txt") << "x|y|203\r\n";
  InstallAssistant(true);
  SetUpdateFolder(updates);
  const int pipe = OpenStartPipe();
  main->DoAutoUpdate();
  EXPECT_TRUE(msg->calls.empty()) << Titles();
  EXPECT_EQ(ReadStartPipe(pipe), "UpdPro");
  EXPECT_EQ(ReadRegValue("AktUpdDir"), updates);

  // Without a connection nothing happens.
  fs::remove(root / "started");
  cnMain->Close();
  main->DoAutoUpdate();
  EXPECT_TRUE(msg->calls.empty());
  EXPECT_FALSE(fs::exists(root / "started"));
}

}  // namespace
}  // namespace qvadmin
