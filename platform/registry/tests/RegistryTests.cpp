#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "registry/Registry.h"
#include "registry/UniqueKey.h"
#include "registry/tests/ScopedRegistryFolder.h"

using namespace reg;

namespace {

struct Stored {
  DWORD type = 0;
  std::string bytes;
  bool operator==(const Stored&) const = default;
};

UniqueKey Create(HKEY parent, const char* path, DWORD* disposition = nullptr) {
  UniqueKey key;
  EXPECT_EQ(RegCreateKeyExA(parent, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, key.Put(),
                            disposition),
            ERROR_SUCCESS)
      << path;
  return key;
}

LSTATUS Open(HKEY parent, const char* path, UniqueKey& key, REGSAM access = KEY_READ) {
  return RegOpenKeyExA(parent, path, 0, access, key.Put());
}

LSTATUS Set(HKEY key, const char* name, DWORD type, const std::string& bytes) {
  return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                        static_cast<DWORD>(bytes.size()));
}

// Reads a value the two-step way: type and size first, then the data.
std::optional<Stored> Get(HKEY key, const char* name) {
  Stored out;
  DWORD size = 0;
  if (RegQueryValueExA(key, name, nullptr, &out.type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
  std::vector<BYTE> data(size + 1);
  DWORD got = size;
  EXPECT_EQ(RegQueryValueExA(key, name, nullptr, nullptr, data.data(), &got), ERROR_SUCCESS);
  EXPECT_EQ(got, size);
  out.bytes.assign(reinterpret_cast<const char*>(data.data()), got);
  return out;
}

std::vector<std::string> SubkeyNames(HKEY key) {
  std::vector<std::string> names;
  for (DWORD i = 0;; ++i) {
    char name[256];
    DWORD cch = sizeof name;
    LSTATUS rc = RegEnumKeyExA(key, i, name, &cch, nullptr, nullptr, nullptr, nullptr);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    EXPECT_EQ(rc, ERROR_SUCCESS);
    names.emplace_back(name, cch);
  }
  return names;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<std::filesystem::path> BrokenFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> out;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().find(".broken-") != std::string::npos) out.push_back(entry.path());
  }
  return out;
}

void WriteFile(const std::filesystem::path& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
}

std::string Hex(std::string_view bytes) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string out;
  for (char c : bytes) {
    out += digits[static_cast<uint8_t>(c) >> 4];
    out += digits[static_cast<uint8_t>(c) & 0xF];
  }
  return out;
}

// A path of `depth` keys named `name` below one another.
std::string Chain(const std::string& name, size_t depth) {
  std::string path;
  for (size_t i = 0; i < depth; ++i) path += (i ? "\\" : "") + name;
  return path;
}

// The damaged root file was put aside with its content and told once;
// gives what was told about the damage.
std::string ExpectDamageToldOnce(const std::filesystem::path& folder, const std::string& content, const char* label) {
  auto broken = BrokenFiles(folder);
  EXPECT_EQ(broken.size(), 1u) << label;
  auto problems = TakeStoreProblems();
  EXPECT_EQ(problems.size(), 1u) << label;
  if (broken.size() != 1 || problems.size() != 1) return "";
  EXPECT_EQ(ReadFile(broken[0]), content) << label;
  EXPECT_EQ(problems[0].kind, StoreProblem::Kind::Damaged) << label;
  EXPECT_EQ(problems[0].file, (folder / "HKEY_CURRENT_USER.reg").string()) << label;
  EXPECT_EQ(problems[0].copy, broken[0].string()) << label;
  return problems[0].detail;
}

std::string Text(HKEY key, const char* name) {
  auto value = Get(key, name);
  return value ? value->bytes : "<missing>";
}

}  // namespace

TEST(Registry, CreateOpensExistingKeysWhateverTheCase) {
  ScopedRegistryFolder folder;
  DWORD disposition = 0;
  Create(HKEY_CURRENT_USER, "Software\\Kelvaro\\App", &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  Create(HKEY_CURRENT_USER, "SOFTWARE\\kelvaro\\APP", &disposition);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);

  UniqueKey key;
  EXPECT_EQ(Open(HKEY_CURRENT_USER, "software\\KELVARO\\app", key), ERROR_SUCCESS);
  EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software\\Kelvaro\\Other", key), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(key);
  // Each root is a tree of its own.
  EXPECT_EQ(Open(HKEY_LOCAL_MACHINE, "Software\\Kelvaro", key), ERROR_FILE_NOT_FOUND);
  // Opening below an open key.
  UniqueKey software;
  ASSERT_EQ(Open(HKEY_CURRENT_USER, "Software", software), ERROR_SUCCESS);
  EXPECT_EQ(Open(software.Get(), "kelvaro\\app", key), ERROR_SUCCESS);
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / "HKEY_CURRENT_USER.reg"));
}

TEST(Registry, ValuesKeepTheirBytesAndTypes) {
  ScopedRegistryFolder folder;
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
  const std::vector<std::pair<std::string, Stored>> cases = {
      {"Text", {REG_SZ, "no terminating NUL"}},
      {"WithNul", {REG_SZ, std::string("ab\0", 3)}},
      {"Multi", {REG_MULTI_SZ, std::string("one\0two\0\0", 9)}},
      {"Bytes", {REG_BINARY, everyByte}},
      {"Number", {REG_DWORD, std::string("\xFF\xFF\xFF\xFF", 4)}},
      {"Empty", {REG_NONE, ""}},
      {"Name with\\back slash, %, blanks\nand a line break", {REG_SZ, "x"}},
      {"Größe", {REG_EXPAND_SZ, "%TEMP%\\ä"}},
  };
  {
    UniqueKey key = Create(HKEY_CURRENT_USER, "Software\\Values");
    for (const auto& [name, value] : cases) ASSERT_EQ(Set(key.Get(), name.c_str(), value.type, value.bytes), ERROR_SUCCESS);
  }
  UniqueKey key;
  ASSERT_EQ(Open(HKEY_CURRENT_USER, "Software\\Values", key), ERROR_SUCCESS);
  for (const auto& [name, value] : cases) EXPECT_EQ(Get(key.Get(), name.c_str()), value) << name;
  EXPECT_EQ(Get(key.Get(), "TEXT"), cases[0].second);  // value names ignore case
  EXPECT_EQ(Get(key.Get(), "Missing"), std::nullopt);
}

TEST(Registry, OverwritingAValueReplacesTypeAndData) {
  ScopedRegistryFolder folder;
  UniqueKey key = Create(HKEY_CURRENT_USER, "K");
  ASSERT_EQ(Set(key.Get(), "v", REG_SZ, "long text"), ERROR_SUCCESS);
  ASSERT_EQ(Set(key.Get(), "V", REG_DWORD, std::string("\x01\0\0\0", 4)), ERROR_SUCCESS);
  EXPECT_EQ(Get(key.Get(), "v"), (Stored{REG_DWORD, std::string("\x01\0\0\0", 4)}));
  DWORD values = 0;
  ASSERT_EQ(RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr,
                             nullptr, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(values, 1u);
}

TEST(Registry, DefaultValueHasTheEmptyName) {
  ScopedRegistryFolder folder;
  UniqueKey key = Create(HKEY_CURRENT_USER, "K");
  ASSERT_EQ(Set(key.Get(), nullptr, REG_SZ, "default"), ERROR_SUCCESS);
  EXPECT_EQ(Get(key.Get(), ""), (Stored{REG_SZ, "default"}));
  ASSERT_EQ(Set(key.Get(), "", REG_SZ, "again"), ERROR_SUCCESS);
  EXPECT_EQ(Get(key.Get(), nullptr), (Stored{REG_SZ, "again"}));
  EXPECT_EQ(RegDeleteValueA(key.Get(), nullptr), ERROR_SUCCESS);
  EXPECT_EQ(Get(key.Get(), ""), std::nullopt);
}

TEST(Registry, QueryIntoASmallBufferAsksForMore) {
  ScopedRegistryFolder folder;
  UniqueKey key = Create(HKEY_CURRENT_USER, "K");
  ASSERT_EQ(Set(key.Get(), "v", REG_SZ, "0123456789"), ERROR_SUCCESS);
  BYTE small[4];
  DWORD size = sizeof small;
  EXPECT_EQ(RegQueryValueExA(key.Get(), "v", nullptr, nullptr, small, &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 10u);
}

TEST(Registry, EnumerationListsSubkeysAlphabeticallyAndValuesInWrittenOrder) {
  ScopedRegistryFolder folder;
  UniqueKey key = Create(HKEY_CURRENT_USER, "Root");
  for (const char* sub : {"beta", "Alpha", "gamma\\deeper", "Delta"}) Create(key.Get(), sub);
  for (const char* value : {"z", "a", "middle"}) ASSERT_EQ(Set(key.Get(), value, REG_SZ, value), ERROR_SUCCESS);

  EXPECT_EQ(SubkeyNames(key.Get()), (std::vector<std::string>{"Alpha", "beta", "Delta", "gamma"}));

  std::vector<std::string> values;
  for (DWORD i = 0;; ++i) {
    char name[16];
    DWORD cch = sizeof name;
    DWORD type = 0;
    BYTE data[16];
    DWORD cb = sizeof data;
    LSTATUS rc = RegEnumValueA(key.Get(), i, name, &cch, nullptr, &type, data, &cb);
    if (rc == ERROR_NO_MORE_ITEMS) break;
    ASSERT_EQ(rc, ERROR_SUCCESS);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(data), cb), std::string(name, cch));
    values.emplace_back(name, cch);
  }
  EXPECT_EQ(values, (std::vector<std::string>{"z", "a", "middle"}));

  DWORD subKeys = 0, maxSubKey = 0, valueCount = 0, maxName = 0, maxData = 0;
  ASSERT_EQ(RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subKeys, &maxSubKey, nullptr, &valueCount,
                             &maxName, &maxData, nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subKeys, 4u);
  EXPECT_EQ(maxSubKey, 5u);
  EXPECT_EQ(valueCount, 3u);
  EXPECT_EQ(maxName, 6u);
  EXPECT_EQ(maxData, 6u);

  char tiny[5];  // "Alpha" needs six characters with its NUL
  DWORD cch = sizeof tiny;
  EXPECT_EQ(RegEnumKeyExA(key.Get(), 0, tiny, &cch, nullptr, nullptr, nullptr, nullptr), ERROR_MORE_DATA);
}

TEST(Registry, DeleteKeyKeepsKeysWithSubkeysDeleteTreeRemovesThem) {
  ScopedRegistryFolder folder;
  Create(HKEY_CURRENT_USER, "App\\Section\\Inner");
  UniqueKey open;
  ASSERT_EQ(Open(HKEY_CURRENT_USER, "App\\Section", open, KEY_ALL_ACCESS), ERROR_SUCCESS);

  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "App\\Section"), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "APP\\section\\inner"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "App\\Section\\Inner"), ERROR_FILE_NOT_FOUND);

  Create(HKEY_CURRENT_USER, "App\\Section\\Inner\\Innermost");
  EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "App\\Section"), ERROR_SUCCESS);
  UniqueKey key;
  EXPECT_EQ(Open(HKEY_CURRENT_USER, "App\\Section", key), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(Open(HKEY_CURRENT_USER, "App", key), ERROR_SUCCESS);
  // A handle whose key went away says so.
  EXPECT_EQ(Get(open.Get(), "x"), std::nullopt);
  EXPECT_EQ(Set(open.Get(), "x", REG_SZ, "y"), ERROR_KEY_DELETED);
  // Roots stay, and an empty name never clears a tree.
  EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
  EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, ""), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(Open(HKEY_CURRENT_USER, "App", key), ERROR_SUCCESS);
}

TEST(Registry, HandlesCarryTheirAccessAndCloseOnce) {
  ScopedRegistryFolder folder;
  Create(HKEY_CURRENT_USER, "K");
  UniqueKey reading;
  ASSERT_EQ(Open(HKEY_CURRENT_USER, "K", reading, KEY_READ), ERROR_SUCCESS);
  EXPECT_EQ(Set(reading.Get(), "v", REG_SZ, "x"), ERROR_ACCESS_DENIED);

  HKEY raw{};
  ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "K", 0, KEY_READ, &raw), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(raw), ERROR_SUCCESS);
  EXPECT_EQ(RegCloseKey(raw), ERROR_INVALID_HANDLE);
  EXPECT_EQ(Get(raw, "v"), std::nullopt);
  EXPECT_EQ(RegCloseKey(HKEY_CURRENT_USER), ERROR_SUCCESS);
  UniqueKey key;
  EXPECT_EQ(Open(HKEY{0x80000007u}, "K", key), ERROR_INVALID_HANDLE);
}

TEST(Registry, ABrokenFileIsMovedAsideAndReported) {
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"garbage", "this is not a registry file\n"},
      {"empty", ""},
      {"bad hex", "QVREG 1\nK \nV v 1 4G\nEND 2\n"},
      {"no closing line", "QVREG 1\nK \nV v 1 41\n"},
      {"count off", "QVREG 1\nK \nEND 2\n"},
  };
  for (const auto& [label, content] : cases) {
    ScopedRegistryFolder folder;
    WriteFile(folder.Path() / "HKEY_CURRENT_USER.reg", content);
    UniqueKey key;
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Anything", key), ERROR_FILE_NOT_FOUND) << label;
    ExpectDamageToldOnce(folder.Path(), content, label);
    // The root works again from empty.
    UniqueKey fresh = Create(HKEY_CURRENT_USER, "New");
    EXPECT_EQ(Set(fresh.Get(), "v", REG_SZ, "x"), ERROR_SUCCESS) << label;
    EXPECT_EQ(BrokenFiles(folder.Path()).size(), 1u) << label;
  }
}

TEST(Registry, AFileCutShortAnywhereIsNotTakenForAGoodOne) {
  ScopedRegistryFolder folder;
  {
    UniqueKey key = Create(HKEY_CURRENT_USER, "Software\\App");
    ASSERT_EQ(Set(key.Get(), "a", REG_SZ, "first"), ERROR_SUCCESS);
    ASSERT_EQ(Set(key.Get(), "b", REG_BINARY, "second"), ERROR_SUCCESS);
  }
  auto file = folder.Path() / "HKEY_CURRENT_USER.reg";
  const std::string good = ReadFile(file);
  for (size_t cut = 0; cut < good.size(); ++cut) {
    for (const auto& old : BrokenFiles(folder.Path())) std::filesystem::remove(old);
    {
      std::ofstream out(file, std::ios::binary | std::ios::trunc);
      out << good.substr(0, cut);
    }
    UniqueKey key;
    Open(HKEY_CURRENT_USER, "Software\\App", key);
    EXPECT_EQ(BrokenFiles(folder.Path()).size(), 1u) << "cut at " << cut;
  }
}

TEST(Registry, AFileOfTheFirstFormReadsTheSame) {
  ScopedRegistryFolder folder;
  auto file = folder.Path() / "HKEY_CURRENT_USER.reg";
  WriteFile(file, "QVREG 1\nK \nV Root 1 " + Hex("root") +
                      "\nK SOFTWARE\nK SOFTWARE\\Kelvaro\\QuorvelleAdm4\nV AktUpdDir 1 " + Hex("/srv/upd") +
                      "\nV Count 4 0C000000\nK SOFTWARE\\Kelvaro\\QuorvelleAdm4\\Login\nV L 4 64000000\nEND 8\n");
  auto check = [&](const char* when) {
    UniqueKey root;
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "", root), ERROR_SUCCESS) << when;
    EXPECT_EQ(Text(root.Get(), "Root"), "root") << when;
    UniqueKey key;
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "software\\kelvaro\\quorvelleadm4", key), ERROR_SUCCESS) << when;
    EXPECT_EQ(Get(key.Get(), "AktUpdDir"), (Stored{REG_SZ, "/srv/upd"})) << when;
    EXPECT_EQ(Get(key.Get(), "Count"), (Stored{REG_DWORD, std::string("\x0C\0\0\0", 4)})) << when;
    EXPECT_EQ(SubkeyNames(key.Get()), (std::vector<std::string>{"Login"})) << when;
  };
  check("as found");
  {
    UniqueKey key = Create(HKEY_CURRENT_USER, "SOFTWARE\\Kelvaro\\QuorvelleAdm4");
    ASSERT_EQ(Set(key.Get(), "NetUsr", REG_SZ, "id"), ERROR_SUCCESS);
  }
  EXPECT_EQ(ReadFile(file).substr(0, 8), "QVREG 2\n");
  check("written anew");
  EXPECT_TRUE(TakeStoreProblems().empty());
  EXPECT_TRUE(BrokenFiles(folder.Path()).empty());
}

// What the programs keep in the file, then a damage, then keys after it.
TEST(Registry, ADamagedFileKeepsEveryKeyBeforeTheDamage) {
  const std::string before = "QVREG 1\nK \nK SOFTWARE\\Kelvaro\\QuorvelleAdm4\nV AppAdmDir 1 " + Hex("/opt/qv") +
                             "\nK SOFTWARE\\Kelvaro\\Quorvelle4\nV AktUpdDir 1 " + Hex("/srv/upd") + "\n";
  const std::string after = "K SOFTWARE\\After\nV Lost 1 41\nEND 7\n";
  const std::vector<std::pair<const char*, std::string>> damages = {
      {"bad hex", "V v 1 4G\n"},
      {"garbage", "\x01\x02 not a record\n"},
      {"a key 20,000 levels deep", "K " + Chain("a", 20000) + "\n"},
      {"a key name of 256 characters", "K SOFTWARE\\" + std::string(256, 'n') + "\n"},
      {"cut short", "V cut 1 41"},
  };
  for (const auto& [label, damage] : damages) {
    ScopedRegistryFolder folder;
    auto file = folder.Path() / "HKEY_CURRENT_USER.reg";
    const std::string content = before + damage + (damage.back() == '\n' ? after : "");
    WriteFile(file, content);
    {
      // The program that starts first writes its own value.
      UniqueKey admin = Create(HKEY_CURRENT_USER, "SOFTWARE\\Kelvaro\\QuorvelleAdm4");
      ASSERT_EQ(Set(admin.Get(), "NetUsr", REG_SZ, "id"), ERROR_SUCCESS) << label;
    }
    // Every program still finds what lay before the damage.
    UniqueKey admin, client, lost;
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "SOFTWARE\\Kelvaro\\QuorvelleAdm4", admin), ERROR_SUCCESS) << label;
    EXPECT_EQ(Text(admin.Get(), "AppAdmDir"), "/opt/qv") << label;
    EXPECT_EQ(Text(admin.Get(), "NetUsr"), "id") << label;
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "SOFTWARE\\Kelvaro\\Quorvelle4", client), ERROR_SUCCESS) << label;
    EXPECT_EQ(Text(client.Get(), "AktUpdDir"), "/srv/upd") << label;
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "SOFTWARE\\After", lost), ERROR_FILE_NOT_FOUND) << label;

    const std::string detail = ExpectDamageToldOnce(folder.Path(), content, label);
    EXPECT_EQ(detail.rfind("line 7: ", 0), 0u) << label << ": " << detail;
  }
}

TEST(Registry, KeyPathsBeyondTheLimitsAreRefusedAndTheFileGrowsWithTheTree) {
  ScopedRegistryFolder folder;
  const std::string name(10, 'k');
  const std::vector<std::tuple<std::string, LSTATUS>> cases = {
      {Chain(name, 512), ERROR_SUCCESS},
      {Chain(name, 513), ERROR_BADKEY},
      {std::string(255, 'n'), ERROR_SUCCESS},
      {"Software\\" + std::string(256, 'n'), ERROR_BADKEY},
      {std::string(255, 'n') + "\xC3\xA4", ERROR_BADKEY},  // characters, not bytes, count
  };
  for (const auto& [path, expected] : cases) {
    UniqueKey key;
    EXPECT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Put(), nullptr),
        expected)
        << path.size();
    EXPECT_EQ(Open(HKEY_CURRENT_USER, path.c_str(), key), expected) << path.size();
    auto problems = TakeStoreProblems();
    if (expected == ERROR_SUCCESS) {
      EXPECT_TRUE(problems.empty()) << path.size();
    } else {
      ASSERT_EQ(problems.size(), 1u) << path.size();
      EXPECT_EQ(problems[0].kind, StoreProblem::Kind::NotSaved);
      EXPECT_NE(problems[0].detail.find("512 levels"), std::string::npos) << problems[0].detail;
    }
  }
  // Below an open key the levels count from the root.
  UniqueKey deep;
  ASSERT_EQ(Open(HKEY_CURRENT_USER, Chain(name, 511).c_str(), deep), ERROR_SUCCESS);
  UniqueKey below;
  EXPECT_EQ(Open(deep.Get(), name.c_str(), below), ERROR_SUCCESS);
  EXPECT_EQ(Open(deep.Get(), Chain(name, 2).c_str(), below), ERROR_BADKEY);

  // Each key's name is written once: 512 levels take a few kilobytes, not
  // the megabyte that a full path on every key would.
  auto file = folder.Path() / "HKEY_CURRENT_USER.reg";
  EXPECT_LT(std::filesystem::file_size(file), 32u * 1024u);
  // A file that goes one level deeper than the limit is damaged there.
  std::string text = ReadFile(file);
  const std::string last = "K 512 " + name + "\n";
  const size_t at = text.find(last);
  ASSERT_NE(at, std::string::npos);
  text.insert(at + last.size(), "K 513 " + name + "\n");
  WriteFile(file, text);
  EXPECT_EQ(Open(HKEY_CURRENT_USER, Chain(name, 512).c_str(), below), ERROR_SUCCESS);
  auto problems = TakeStoreProblems();
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].detail.find("512 levels"), std::string::npos) << problems[0].detail;
}

TEST(Registry, AFolderWhereTheFileShouldBeIsToldOnceAndEveryUnsavedChangeEachTime) {
  ScopedRegistryFolder folder;
  auto file = folder.Path() / "HKEY_CURRENT_USER.reg";
  std::filesystem::create_directory(file);
  UniqueKey key;
  for (int attempt = 0; attempt < 2; ++attempt) {
    EXPECT_EQ(
        RegCreateKeyExA(HKEY_CURRENT_USER, "SOFTWARE\\App", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, key.Put(), nullptr),
        ERROR_CANTREAD);
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "SOFTWARE", key), ERROR_CANTREAD);
    auto problems = TakeStoreProblems();
    std::vector<StoreProblem::Kind> kinds;
    for (const auto& p : problems) kinds.push_back(p.kind);
    if (attempt == 0) {
      ASSERT_EQ(kinds, (std::vector{StoreProblem::Kind::Unusable, StoreProblem::Kind::NotSaved}));
      EXPECT_EQ(problems[0].file, file.string());
      EXPECT_NE(problems[0].detail.find("Is a directory"), std::string::npos) << problems[0].detail;
    } else {
      ASSERT_EQ(kinds, (std::vector{StoreProblem::Kind::NotSaved}));
    }
    EXPECT_NE(problems.back().detail.find("HKEY_CURRENT_USER\\SOFTWARE\\App"), std::string::npos)
        << problems.back().detail;
  }
  EXPECT_TRUE(std::filesystem::is_directory(file));
}
