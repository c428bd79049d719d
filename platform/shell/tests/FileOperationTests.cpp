#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>

#include "shell/FileOperation.h"

namespace shell {
namespace {

namespace fs = std::filesystem;

class FileOperationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::temp_directory_path() / ("qv-fileop-" + std::to_string(::getpid()) + "-" +
                                          ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(m_root);
    fs::create_directories(m_root / "src/sub");
    fs::create_directories(m_root / "dst");
    Write("src/a.txt", "a");
    Write("src/b.log", "b");
    Write("src/sub/c.txt", "c");
    ::setenv("XDG_DATA_HOME", (m_root / "data").c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("XDG_DATA_HOME");
    fs::remove_all(m_root);
  }
  void Write(const std::string& name, const std::string& text) const { std::ofstream(m_root / name) << text; }
  std::string Read(const std::string& name) const {
    std::ifstream in(m_root / name);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }
  bool Exists(const std::string& name) const { return fs::exists(m_root / name); }
  // A list of paths below the test folder, each ended by NUL, the list by a second.
  std::string List(std::initializer_list<std::string> names) const {
    std::string list;
    for (const std::string& name : names) list += (m_root / name).string() + '\0';
    return list + '\0';
  }
  int Run(uint32_t function, const std::string& from, const std::string& to, uint16_t flags) {
    op = SHFILEOPSTRUCTA();
    op.wFunc = function;
    op.pFrom = from;
    op.pTo = to;
    op.fFlags = flags;
    op.confirm = [this](const std::string& question) {
      questions.push_back(question);
      return answer;
    };
    return SHFileOperationA(op);
  }

  fs::path m_root;
  SHFILEOPSTRUCTA op;
  std::vector<std::string> questions;
  bool answer = true;
};

TEST_F(FileOperationTest, CopiesMovesAndRenamesFilesAndFolders) {
  const uint16_t quiet = FOF_NOCONFIRMATION;
  EXPECT_EQ(Run(FO_COPY, List({"src/a.txt"}), List({"dst"}), quiet), 0);
  EXPECT_EQ(Read("dst/a.txt"), "a");
  EXPECT_EQ(Run(FO_COPY, List({"src/a.txt"}), List({"dst/renamed.txt"}), quiet), 0);
  EXPECT_EQ(Read("dst/renamed.txt"), "a");
  EXPECT_EQ(Run(FO_COPY, List({"src/*.txt", "src/sub"}), List({"many"}), quiet), 0);
  EXPECT_EQ(Read("many/a.txt"), "a");
  EXPECT_FALSE(Exists("many/b.log"));
  EXPECT_EQ(Read("many/sub/c.txt"), "c");
  EXPECT_EQ(Run(FO_MOVE, List({"src/b.log"}), List({"dst"}), quiet), 0);
  EXPECT_EQ(Read("dst/b.log"), "b");
  EXPECT_FALSE(Exists("src/b.log"));
  EXPECT_EQ(Run(FO_RENAME, List({"dst/b.log"}), std::string("b.txt") + '\0' + '\0', quiet), 0);
  EXPECT_EQ(Read("dst/b.txt"), "b");
  EXPECT_EQ(Run(FO_RENAME, List({"dst/b.txt"}), List({"dst/a.txt"}), quiet), ERROR_ALREADY_EXISTS);
  EXPECT_EQ(Run(FO_COPY, List({"src/none.txt"}), List({"dst"}), quiet), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Run(9, List({"src/a.txt"}), List({"dst"}), quiet), ERROR_INVALID_FUNCTION);
  EXPECT_TRUE(questions.empty());
}

TEST_F(FileOperationTest, AsksBeforeItReplacesOrDeletesUnlessToldNotTo) {
  Write("dst/a.txt", "old");
  answer = false;
  EXPECT_EQ(Run(FO_COPY, List({"src/a.txt"}), List({"dst"}), 0), ERROR_CANCELLED);
  EXPECT_TRUE(op.fAnyOperationsAborted);
  EXPECT_EQ(Read("dst/a.txt"), "old");
  EXPECT_EQ(Run(FO_DELETE, List({"src/a.txt"}), "", 0), ERROR_CANCELLED);
  EXPECT_TRUE(Exists("src/a.txt"));
  EXPECT_EQ(questions.size(), 2u);

  answer = true;
  EXPECT_EQ(Run(FO_COPY, List({"src/a.txt"}), List({"dst"}), 0), 0);
  EXPECT_FALSE(op.fAnyOperationsAborted);
  EXPECT_EQ(Read("dst/a.txt"), "a");
  EXPECT_EQ(questions.size(), 3u);
  EXPECT_NE(questions.back().find("dst/a.txt"), std::string::npos);
}

TEST_F(FileOperationTest, ADeleteThatAllowsUndoMovesToTheTrash) {
  EXPECT_EQ(Run(FO_DELETE, List({"src/a.txt", "src/sub"}), "", FOF_NOCONFIRMATION | FOF_ALLOWUNDO), 0);
  EXPECT_FALSE(Exists("src/a.txt"));
  EXPECT_FALSE(Exists("src/sub"));
  EXPECT_EQ(Read("data/Trash/files/a.txt"), "a");
  EXPECT_EQ(Read("data/Trash/files/sub/c.txt"), "c");
  const std::string info = Read("data/Trash/info/a.txt.trashinfo");
  EXPECT_EQ(info.rfind("[Trash Info]\nPath=" + (m_root / "src/a.txt").string() + "\nDeletionDate=", 0), 0u) << info;
  // A second file of the same name is kept beside the first.
  Write("src/a.txt", "again");
  EXPECT_EQ(Run(FO_DELETE, List({"src/a.txt"}), "", FOF_NOCONFIRMATION | FOF_ALLOWUNDO), 0);
  EXPECT_EQ(Read("data/Trash/files/a.txt.2"), "again");

  // Without undo the files are gone for good.
  EXPECT_EQ(Run(FO_DELETE, List({"src/*.*"}), "", FOF_NOCONFIRMATION), 0);
  EXPECT_FALSE(Exists("src/b.log"));
  EXPECT_FALSE(Exists("data/Trash/files/b.log"));
}

TEST_F(FileOperationTest, AnErrorOfTheQuestionBoxEndsTheOperationAndReachesTheCaller) {
  Write("dst/a.txt", "old");
  op.wFunc = FO_COPY;
  op.pFrom = List({"src/a.txt"});
  op.pTo = List({"dst"});
  op.confirm = [](const std::string&) -> bool { throw std::runtime_error("no one to ask"); };
  EXPECT_THROW(SHFileOperationA(op), std::runtime_error);
  EXPECT_EQ(Read("dst/a.txt"), "old");
}

}  // namespace
}  // namespace shell
