#include "TextFile.h"

#include <gtest/gtest.h>

#include "Global.h"
#include "TestFolder.h"
#include "runtime/ErrorNumberOf.h"

namespace verscout {
namespace {

class TextFileTest : public ::testing::Test {
 protected:
  void SetUp() override { IsEnglish = true; }
  TestFolder folder;

  std::vector<std::string> LoadLines(const std::string& bytes, int32_t blockSize) {
    WriteFile(folder.Path("in.txt"), bytes);
    TextFile file;
    file.BlockSize = blockSize;
    file.Load(folder.Path("in.txt"));
    EXPECT_EQ(file.ErrorNum, 0);
    std::vector<std::string> lines;
    for (int32_t i = 1; i <= file.Lines(); ++i) lines.push_back(file.Line(i));
    return lines;
  }
};

TEST_F(TextFileTest, LoadSplitsAtEveryKindOfLineEndAcrossBlocks) {
  using Lines = std::vector<std::string>;
  struct Case {
    std::string bytes;
    int32_t blockSize;
    Lines lines;
  };
  for (const Case& c : {Case{"a\r\nb\rc\nd", 0, Lines{"a", "b", "c", "d"}},
                        Case{"a\r\nb\r\n", 32768, Lines{"a", "b"}},
                        Case{"abcdef\r\ngh", 4, Lines{"abcdef", "gh"}},
                        Case{"abc\r\ndef", 4, Lines{"abc", "def"}},  // CR LF split between blocks
                        Case{"x\ny\rz", 2, Lines{"x", "y", "z"}},
                        Case{"\xE4\xF6\xFC", 0, Lines{"\u00E4\u00F6\u00FC"}}}) {
    SCOPED_TRACE(c.bytes);
    EXPECT_EQ(LoadLines(c.bytes, c.blockSize), c.lines);
  }
}

TEST_F(TextFileTest, MissingOrEmptyFileKeepsTheLines) {
  TextFile file;
  file.CreateNew(2);
  file.Line(1, "kept");
  WriteFile(folder.Path("empty.txt"), "");
  for (const std::string& name : {folder.Path("none.txt"), folder.Path("empty.txt")}) {
    file.Load(name);
    EXPECT_EQ(file.ErrorNum, TextFile::kFileNotFound);
    EXPECT_EQ(file.ErrorMsg, "File not found!");
    EXPECT_EQ(file.Line(1), "kept");
  }
  EXPECT_FALSE(std::filesystem::exists(folder.Path("none.txt")));
}

TEST_F(TextFileTest, LinesAreSetWithoutTheirLineEndAndSavedWithCrLf) {
  TextFile file;
  file.BlockSize = 3;
  file.CreateNew(2);
  file.Line(1, "a");
  file.Line(2, "x\r\n");
  EXPECT_EQ(file.Line(2), "x");
  EXPECT_EQ(file.Line(0), "");
  EXPECT_EQ(rt::ErrorNumberOf([&] { file.Line(3, "y"); }), 9);
  WriteFile(folder.Path("out.txt"), "a much longer older file\r\n");
  file.Save(folder.Path("out.txt"));
  EXPECT_EQ(file.ErrorNum, 0);
  EXPECT_EQ(ReadFile(folder.Path("out.txt")), "a\r\nx\r\n");
  EXPECT_EQ(file.BlockSize, 3);

  TextFile nothing;
  nothing.Save(folder.Path("n.txt"));
  EXPECT_EQ(nothing.ErrorNum, TextFile::kNothingToSave);
  file.Save("");
  EXPECT_EQ(file.ErrorNum, TextFile::kNoFileSpecified);
  file.Save(folder.Path("no/such/folder/f.txt"));
  EXPECT_EQ(file.ErrorNum, TextFile::kWriteError);
  EXPECT_EQ(file.ErrorMsg, "Save: Write Error " + folder.Path("no/such/folder/f.txt"));
  file.CreateNew(0);
  EXPECT_EQ(file.ErrorNum, TextFile::kCannotCreate);
  EXPECT_EQ(file.Lines(), 2);

  for (auto [given, used] : {std::pair{0, 32768}, std::pair{100000, 65535}}) {
    file.BlockSize = given;
    file.Save(folder.Path("out.txt"));
    EXPECT_EQ(file.BlockSize, used);
  }
}

TEST_F(TextFileTest, SearchFindsLinesWithOrWithoutLetterCase) {
  WriteFile(folder.Path("s.txt"), "abc\r\nxbx\r\nnothing\r\nb again");
  TextFile file;
  file.Load(folder.Path("s.txt"));
  EXPECT_EQ(file.FindFirst("B", 0), 1);
  EXPECT_EQ(file.FoundPos(), 2);
  EXPECT_EQ(file.FindNext(), 2);
  EXPECT_EQ(file.FoundPos(), 2);
  EXPECT_EQ(file.FindNext(), 4);
  EXPECT_EQ(file.FoundPos(), 1);
  EXPECT_EQ(file.FindNext(), 0);
  EXPECT_EQ(file.FoundPos(), 0);
  EXPECT_EQ(file.FindFirst("B", 1), 0);
}

TEST_F(TextFileTest, ListBoxIsFilledThroughItsMembers) {
  struct ListBox : com::Dispatch {
    std::vector<std::string> items;
    ListBox() {
      DefineMethod("Clear", [this](com::Args&) {
        items.clear();
        return rt::Variant();
      });
      DefineMethod("AddItem", [this](com::Args& args) {
        items.push_back(args.at(0).ToString());
        return rt::Variant();
      });
    }
  };
  auto list = std::make_shared<ListBox>();
  list->items = {"old"};
  WriteFile(folder.Path("l.txt"), "one\ntwo\n");
  TextFile file;
  file.LoadListBox(folder.Path("l.txt"), *list);
  EXPECT_EQ(list->items, (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(file.Lines(), 0);
}

}  // namespace
}  // namespace verscout
