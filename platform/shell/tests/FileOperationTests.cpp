#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <vector>

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
    op.confirm = [this](const FileQuestion& question) {
      const std::string asked = Describe(question);
      questions.push_back(asked);
      const auto found = answers.find(asked);
      return found != answers.end() ? found->second : answer;
    };
    op.report = [this](const FileFailure& failure) { reports.push_back(failure); };
    return SHFileOperationA(op);
  }
  // A question in short: "replace dst/a.txt", "delete src/a.txt", "trash 3 items".
  std::string Describe(const FileQuestion& question) const {
    const std::string path = fs::path(question.path).lexically_relative(m_root).string();
    switch (question.kind) {
      case FileQuestionKind::Replace:
        return "replace " + path;
      case FileQuestionKind::Delete:
        return "delete " + path;
      case FileQuestionKind::Trash:
        return "trash " + path;
      case FileQuestionKind::DeleteItems:
        return "delete " + std::to_string(question.count) + " items";
      case FileQuestionKind::TrashItems:
        return "trash " + std::to_string(question.count) + " items";
    }
    return "";
  }
  // The text of a file, "<folder>" for a folder, "<none>" when nothing is there.
  std::string State(const std::string& name) const {
    if (fs::is_directory(m_root / name)) return "<folder>";
    return Exists(name) ? Read(name) : "<none>";
  }

  fs::path m_root;
  SHFILEOPSTRUCTA op;
  std::vector<std::string> questions;
  std::map<std::string, FileAnswer> answers;  // by question, see Describe
  FileAnswer answer = FileAnswer::Yes;        // to any other question
  std::vector<FileFailure> reports;
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

// The file operation's cases, each on the fixture's files (src/a.txt,
// src/b.log, src/sub/c.txt and an empty dst/): what is there before
// besides, the call, the user's answers, and what the user is asked, told
// and left with.
TEST_F(FileOperationTest, Cases) {
  using Answers = std::map<std::string, FileAnswer>;
  using Files = std::vector<std::pair<std::string, std::string>>;
  struct Case {
    const char* name;
    Files before;  // more files ("<folder>": a folder)
    uint32_t function;
    std::vector<std::string> from;
    std::string to;
    uint16_t flags;
    Answers answers;  // the rest is answered Yes
    int result;
    std::vector<std::string> asked;  // sorted
    Files after;
    bool reported;
  };
  const FileAnswer no = FileAnswer::No;
  const std::vector<Case> cases{
      {"a wildcard that matches one file goes into a new folder",
       {},
       FO_COPY,
       {"src/*.txt"},
       "new",
       0,
       {},
       0,
       {},
       {{"new", "<folder>"}, {"new/a.txt", "a"}},
       false},
      {"one named file to a new name is copied under that name",
       {},
       FO_COPY,
       {"src/a.txt"},
       "new",
       0,
       {},
       0,
       {},
       {{"new", "a"}},
       false},
      {"a folder over a folder asks for each file it replaces; No keeps that one",
       {{"dst/src", "<folder>"}, {"dst/src/a.txt", "old"}, {"dst/src/sub", "<folder>"}, {"dst/src/sub/c.txt", "old"}},
       FO_COPY,
       {"src"},
       "dst",
       0,
       {{"replace dst/src/a.txt", no}},
       ERROR_CANCELLED,
       {"replace dst/src/a.txt", "replace dst/src/sub/c.txt"},
       {{"dst/src/a.txt", "old"}, {"dst/src/sub/c.txt", "c"}, {"dst/src/b.log", "b"}},
       false},
      {"Yes to all answers every later question",
       {{"dst/a.txt", "old"}, {"dst/b.log", "old"}, {"dst/sub", "<folder>"}, {"dst/sub/c.txt", "old"}},
       FO_COPY,
       {"src/a.txt", "src/b.log", "src/sub"},
       "dst",
       0,
       {{"replace dst/a.txt", FileAnswer::YesToAll}},
       0,
       {"replace dst/a.txt"},
       {{"dst/a.txt", "a"}, {"dst/b.log", "b"}, {"dst/sub/c.txt", "c"}},
       false},
      {"without confirmation nothing is asked",
       {{"dst/a.txt", "old"}},
       FO_COPY,
       {"src/a.txt"},
       "dst",
       FOF_NOCONFIRMATION,
       {},
       0,
       {},
       {{"dst/a.txt", "a"}},
       false},
      {"No to one of several files skips that file only",
       {{"dst/a.txt", "old"}, {"dst/b.log", "old"}},
       FO_COPY,
       {"src/a.txt", "src/b.log"},
       "dst",
       0,
       {{"replace dst/a.txt", no}},
       ERROR_CANCELLED,
       {"replace dst/a.txt", "replace dst/b.log"},
       {{"dst/a.txt", "old"}, {"dst/b.log", "b"}},
       false},
      {"Cancel ends the operation",
       {{"dst/a.txt", "old"}, {"dst/b.log", "old"}},
       FO_COPY,
       {"src/a.txt", "src/b.log"},
       "dst",
       0,
       {{"replace dst/a.txt", FileAnswer::Cancel}},
       ERROR_CANCELLED,
       {"replace dst/a.txt"},
       {{"dst/a.txt", "old"}, {"dst/b.log", "old"}},
       false},
      {"a folder moved onto a folder is merged; the source goes",
       {{"dst/src", "<folder>"}, {"dst/src/a.txt", "old"}, {"dst/src/own.txt", "own"}},
       FO_MOVE,
       {"src"},
       "dst",
       0,
       {},
       0,
       {"replace dst/src/a.txt"},
       {{"src", "<none>"}, {"dst/src/a.txt", "a"}, {"dst/src/own.txt", "own"}, {"dst/src/sub/c.txt", "c"}},
       false},
      {"a folder moved with a file kept back stays with that file",
       {{"dst/src", "<folder>"}, {"dst/src/a.txt", "old"}},
       FO_MOVE,
       {"src"},
       "dst",
       0,
       {{"replace dst/src/a.txt", no}},
       ERROR_CANCELLED,
       {"replace dst/src/a.txt"},
       {{"src/a.txt", "a"}, {"src/b.log", "<none>"}, {"dst/src/a.txt", "old"}, {"dst/src/b.log", "b"}},
       false},
      {"a folder into its own subfolder is refused before anything is copied",
       {},
       FO_COPY,
       {"src"},
       "src/sub",
       0,
       {},
       DE_DESTSUBTREE,
       {},
       {{"src/sub/src", "<none>"}, {"src/sub/c.txt", "c"}},
       true},
      {"a folder into a new subfolder of its own is refused too",
       {},
       FO_COPY,
       {"src/"},
       "src/sub/deeper",
       0,
       {},
       DE_DESTSUBTREE,
       {},
       {{"src/sub/deeper", "<none>"}},
       true},
      {"a folder moved into its own subfolder is refused",
       {},
       FO_MOVE,
       {"src"},
       "src/sub",
       0,
       {},
       DE_DESTSUBTREE,
       {},
       {{"src/sub/src", "<none>"}, {"src/a.txt", "a"}},
       true},
      {"a wildcard that matches nothing finds nothing",
       {},
       FO_COPY,
       {"src/*.none"},
       "new",
       0,
       {},
       ERROR_FILE_NOT_FOUND,
       {},
       {{"new", "<none>"}},
       true},
      {"a wildcard in a missing folder finds nothing",
       {},
       FO_DELETE,
       {"missing/*.txt"},
       "",
       0,
       {},
       ERROR_FILE_NOT_FOUND,
       {},
       {},
       true},
      {"a missing source among others leaves everything as it was",
       {},
       FO_MOVE,
       {"src/a.txt", "src/none.txt"},
       "dst",
       0,
       {},
       ERROR_FILE_NOT_FOUND,
       {},
       {{"src/a.txt", "a"}, {"dst/a.txt", "<none>"}},
       true},
      {"deleting three items asks once",
       {},
       FO_DELETE,
       {"src/a.txt", "src/b.log", "src/sub"},
       "",
       0,
       {},
       0,
       {"delete 3 items"},
       {{"src/a.txt", "<none>"}, {"src/b.log", "<none>"}, {"src/sub", "<none>"}},
       false},
      {"No to the delete keeps every item",
       {},
       FO_DELETE,
       {"src/*.*"},
       "",
       0,
       {{"delete 3 items", no}},
       ERROR_CANCELLED,
       {"delete 3 items"},
       {{"src/a.txt", "a"}, {"src/b.log", "b"}, {"src/sub/c.txt", "c"}},
       false},
      {"deleting one item names it",
       {},
       FO_DELETE,
       {"src/a.txt"},
       "",
       FOF_ALLOWUNDO,
       {},
       0,
       {"trash src/a.txt"},
       {{"src/a.txt", "<none>"}},
       false},
      {"a failure is told unless the caller says not to",
       {{"dst/sub", "a file"}},
       FO_COPY,
       {"src/sub"},
       "dst",
       0,
       {},
       ERROR_ALREADY_EXISTS,
       {},
       {{"dst/sub", "a file"}},
       true},
      {"a failure told by nobody",
       {{"dst/sub", "a file"}},
       FO_COPY,
       {"src/sub"},
       "dst",
       FOF_NOERRORUI,
       {},
       ERROR_ALREADY_EXISTS,
       {},
       {{"dst/sub", "a file"}},
       false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TearDown();
    SetUp();
    for (const auto& [name, text] : c.before) {
      if (text == "<folder>") {
        fs::create_directories(m_root / name);
      } else {
        Write(name, text);
      }
    }
    std::string from;
    for (const std::string& name : c.from) from += (m_root / name).string() + '\0';
    questions.clear();
    reports.clear();
    answers = c.answers;
    const std::string to = c.to.empty() ? std::string(2, '\0') : List({c.to});
    EXPECT_EQ(Run(c.function, from + '\0', to, c.flags), c.result);
    EXPECT_EQ(op.fAnyOperationsAborted, c.result == ERROR_CANCELLED);
    std::sort(questions.begin(), questions.end());
    EXPECT_EQ(questions, c.asked);
    for (const auto& [name, state] : c.after) EXPECT_EQ(State(name), state) << name;
    ASSERT_EQ(reports.size(), c.reported ? 1u : 0u);
    if (c.reported) {
      EXPECT_EQ(reports[0].reason, c.result);
      EXPECT_EQ(reports[0].text.rfind("Cannot ", 0), 0u) << reports[0].text;
    }
  }
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
  op.confirm = [](const FileQuestion&) -> FileAnswer { throw std::runtime_error("no one to ask"); };
  EXPECT_THROW(SHFileOperationA(op), std::runtime_error);
  EXPECT_EQ(Read("dst/a.txt"), "old");
}

}  // namespace
}  // namespace shell
