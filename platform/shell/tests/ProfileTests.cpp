#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "runtime/Strings.h"
#include "shell/Profile.h"

using namespace shell;

namespace {

class ProfileFile : public ::testing::Test {
 protected:
  void SetUp() override {
    m_folder = std::filesystem::temp_directory_path() /
               ("qv-profile-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(m_folder);
    m_file = (m_folder / "look.ini").string();
  }
  void TearDown() override { std::filesystem::remove_all(m_folder); }
  void WriteRaw(const std::string& bytes) { std::ofstream(m_file, std::ios::binary) << bytes; }
  std::string ReadRaw() const {
    std::ifstream in(m_file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string Read(std::string_view section, std::string_view key, std::string_view def = "none") {
    std::string out;
    GetPrivateProfileStringA(section, key, def, out, 1024, m_file);
    return out;
  }
  std::filesystem::path m_folder;
  std::string m_file;
};

TEST_F(ProfileFile, ReadsSectionsAndKeysWithoutRegardToCaseIn1252) {
  WriteRaw("; comment\r\n[STRING]\r\nstrOk = \"OK \"\r\nstrNo=&Nein\r\n\r\n[Space]\nspVup=165\nbad=12abc\n[empty]\r\n"
           "strYes=L\xf6schen\r\n");
  EXPECT_EQ(Read("string", "STROK"), "OK ");
  EXPECT_EQ(Read("String", "strNo"), "&Nein");
  EXPECT_EQ(Read("empty", "strYes"), "L\xc3\xb6schen");  // Windows-1252 o-umlaut
  EXPECT_EQ(Read("STRING", "missing", "def  "), "def");
  EXPECT_EQ(Read("nosection", "strOk"), "none");
  EXPECT_EQ(GetPrivateProfileIntA("space", "spvup", 7, m_file), 165);
  EXPECT_EQ(GetPrivateProfileIntA("space", "bad", 7, m_file), 12);
  EXPECT_EQ(GetPrivateProfileIntA("space", "gone", 7, m_file), 7);
  std::string out;
  EXPECT_EQ(GetPrivateProfileStringA("STRING", "strNo", "", out, 3, m_file), 2u);  // the buffer's size limits it
  EXPECT_EQ(out, "&N");
  EXPECT_EQ(Read("STRING", "strOk", "x"), "OK ");
  EXPECT_EQ(GetPrivateProfileIntA("a", "b", 9, (m_folder / "missing.ini").string()), 9);
}

TEST_F(ProfileFile, WritesKeepTheRestOfTheFileAndUseCrLf) {
  WriteRaw("; look\n[STRING]\nstrOk=OK\n\n[SIZE]\nButtonsWidth=1200\n");
  EXPECT_TRUE(WritePrivateProfileStringA("string", "STROK", "Okay", m_file));
  EXPECT_TRUE(WritePrivateProfileStringA("STRING", "strNo", "N\xc3\xa9in", m_file));
  EXPECT_TRUE(WritePrivateProfileStringA("COMMON", "DelaySec", "3", m_file));
  EXPECT_EQ(ReadRaw(),
            "; look\r\n[STRING]\r\nSTROK=Okay\r\nstrNo=N\xe9in\r\n\r\n[SIZE]\r\nButtonsWidth=1200\r\n\r\n"
            "[COMMON]\r\nDelaySec=3\r\n");
  EXPECT_EQ(Read("String", "strno"), "N\xc3\xa9in");

  // Removing a key, then a section.
  EXPECT_TRUE(WritePrivateProfileStringA("STRING", "strNo", std::nullopt, m_file));
  EXPECT_TRUE(WritePrivateProfileStringA("size", std::nullopt, std::nullopt, m_file));
  EXPECT_EQ(ReadRaw(), "; look\r\n[STRING]\r\nSTROK=Okay\r\n\r\n[COMMON]\r\nDelaySec=3\r\n");
  // No temporary file is left behind.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(m_folder), {}), 1);
}

TEST_F(ProfileFile, CreatesANewFileAndFailsWithoutItsFolder) {
  EXPECT_TRUE(WritePrivateProfileStringA("COMMON", "FormTop", "0", m_file));
  EXPECT_EQ(ReadRaw(), "[COMMON]\r\nFormTop=0\r\n");
  EXPECT_FALSE(WritePrivateProfileStringA("COMMON", "FormTop", "0", (m_folder / "no" / "x.ini").string()));
}

}  // namespace
