#include <gtest/gtest.h>
#include <stdlib.h>

#include <optional>
#include <string>
#include <vector>

#include "cRegSettings.h"
#include "registry/Registry.h"
#include "registry/UniqueKey.h"
#include "registry/tests/ScopedRegistryFolder.h"

using namespace kvctl2;

namespace {

constexpr const char* kBase = "Software\\Kelvaro\\KvApp";

struct Raw {
  reg::DWORD type = 0;
  std::string bytes;
  bool operator==(const Raw&) const = default;
};

void WriteRaw(reg::HKEY root, const std::string& path, const char* name, reg::DWORD type, const std::string& bytes) {
  reg::UniqueKey key;
  ASSERT_EQ(reg::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, reg::KEY_ALL_ACCESS, nullptr, key.Put(), nullptr),
            reg::ERROR_SUCCESS);
  ASSERT_EQ(reg::RegSetValueExA(key.Get(), name, 0, type, reinterpret_cast<const reg::BYTE*>(bytes.data()),
                                static_cast<reg::DWORD>(bytes.size())),
            reg::ERROR_SUCCESS);
}

std::optional<Raw> ReadRaw(reg::HKEY root, const std::string& path, const char* name) {
  reg::UniqueKey key;
  if (reg::RegOpenKeyExA(root, path.c_str(), 0, reg::KEY_READ, key.Put()) != reg::ERROR_SUCCESS) return std::nullopt;
  Raw raw;
  raw.bytes.resize(1024);
  reg::DWORD size = 1024;
  if (reg::RegQueryValueExA(key.Get(), name, nullptr, &raw.type, reinterpret_cast<reg::BYTE*>(raw.bytes.data()),
                            &size) != reg::ERROR_SUCCESS) {
    return std::nullopt;
  }
  raw.bytes.resize(size);
  return raw;
}

bool KeyExists(reg::HKEY root, const std::string& path) {
  reg::UniqueKey key;
  return reg::RegOpenKeyExA(root, path.c_str(), 0, reg::KEY_READ, key.Put()) == reg::ERROR_SUCCESS;
}

std::vector<std::string> Strings(const rt::Variant& v) {
  std::vector<std::string> out;
  for (const auto& item : v.Array().items) out.push_back(item.ToString());
  return out;
}

// One stored value: how GetSetting and GetAllSettings give it.
struct Conversion {
  const char* name;
  reg::DWORD type;
  std::string bytes;
  std::optional<std::string> setting;  // nullopt: the default comes back
  std::string listed;
};

const std::vector<Conversion>& Conversions() {
  static const std::vector<Conversion> table = {
      {"Sz", reg::REG_SZ, "text", "text", "text"},
      {"SzNul", reg::REG_SZ, std::string("text\0", 5), "text", "text"},
      {"SzInner", reg::REG_SZ, std::string("ab\0cd", 5), "ab", std::string("ab\0cd", 5)},
      {"Expand", reg::REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9), "%TEMP%\\x", "%TEMP%\\x"},
      {"Multi", reg::REG_MULTI_SZ, std::string("one\0two\0\0", 9), "one", std::string("one\0two\0", 8)},
      {"Binary", reg::REG_BINARY, std::string("\x00\x0A\xFF", 3), "00 0A FF ", "00 0A FF "},
      {"Bytes", reg::REG_BINARY, std::string("\x01\xA0", 2), "01 A0 ", "01 A0 "},
      {"Minus", reg::REG_DWORD, std::string("\xFF\xFF\xFF\xFF", 4), "-1", "-1"},
      {"Twelve", reg::REG_DWORD, std::string("\x0C\x00\x00\x00", 4), "12", "12"},
      {"High", reg::REG_DWORD, std::string("\x00\x00\x00\x80", 4), "-2147483648", "-2147483648"},
      {"None", reg::REG_NONE, "x", std::nullopt, "x"},
      {"BigEndian", reg::REG_DWORD_BIG_ENDIAN, std::string("\x00\x00\x00\x01", 4), std::nullopt,
       std::string("\x00\x00\x00\x01", 4)},
      {"Link", reg::REG_LINK, "target", std::nullopt, "target"},
      {"EmptySz", reg::REG_SZ, "", "", ""},
  };
  return table;
}

}  // namespace

TEST(cRegSettings, StartsWithItsDefaults) {
  cRegSettings settings;
  EXPECT_EQ(settings.Company(), "Kelvaro");
  EXPECT_EQ(settings.AppName(), "KvApp");
  EXPECT_EQ(settings.RootHKey(), HKY_CURRENT_USER);
  EXPECT_EQ(settings.DefaultPath(), kBase);
  EXPECT_EQ(static_cast<uint32_t>(HKY_CLASSES_ROOT), 0x80000000u);
  EXPECT_EQ(static_cast<uint32_t>(HKY_DYN_DATA), 0x80000006u);
}

TEST(cRegSettings, DefaultPathFollowsCompanyAndAppNameUntilTheCallerSetsIt) {
  cRegSettings settings;
  settings.AppName("");
  EXPECT_EQ(settings.DefaultPath(), "Software\\Kelvaro\\Kvctl2");
  settings.Company("  Acme  ");
  EXPECT_EQ(settings.Company(), "Acme");
  EXPECT_EQ(settings.DefaultPath(), "Software\\Acme\\Kvctl2");
  settings.Company("");
  settings.AppName(" Tool ");
  EXPECT_EQ(settings.DefaultPath(), "Software\\Kelvaro\\Tool");

  settings.DefaultPath("  SOFTWARE\\Kelvaro\\QuorvelleAdm4  ");
  EXPECT_EQ(settings.DefaultPath(), "SOFTWARE\\Kelvaro\\QuorvelleAdm4");
  settings.AppName("QuorvelleADM");
  settings.Company("Other");
  EXPECT_EQ(settings.DefaultPath(), "SOFTWARE\\Kelvaro\\QuorvelleAdm4");

  // The comparison with the built path minds case.
  cRegSettings other;
  other.DefaultPath("software\\kelvaro\\kvapp");
  other.AppName("X");
  EXPECT_EQ(other.DefaultPath(), "software\\kelvaro\\kvapp");
  other.RootHKey(HKY_LOCAL_MACHINE);
  EXPECT_EQ(other.RootHKey(), HKY_LOCAL_MACHINE);
  EXPECT_EQ(other.DefaultPath(), "software\\kelvaro\\kvapp");
}

TEST(cRegSettings, GetSettingConvertsByTypeAndFallsBackToDefault) {
  ScopedRegistryFolder folder;
  for (const auto& c : Conversions()) WriteRaw(reg::HKEY_CURRENT_USER, std::string(kBase) + "\\Sec", c.name, c.type, c.bytes);
  cRegSettings settings;
  for (const auto& c : Conversions()) {
    rt::Variant value = settings.GetSetting("Sec", c.name, "dflt");
    EXPECT_EQ(value.ToString(), c.setting.value_or("dflt")) << c.name;
  }
  EXPECT_EQ(settings.GetSetting("Sec", "MINUS").ToString(), "-1");  // names ignore case
  EXPECT_EQ(settings.GetSetting("Sec", "Missing"), rt::Variant(""));
  EXPECT_EQ(settings.GetSetting("NoSuchSection", "Sz", 7), rt::Variant(7));
  EXPECT_EQ(settings.GetKeyValue(HKY_CURRENT_USER, std::string(kBase) + "\\Sec", "Twelve").ToString(), "12");
  EXPECT_EQ(settings.GetKeyValue(HKY_LOCAL_MACHINE, std::string(kBase) + "\\Sec", "Twelve", "no"), rt::Variant("no"));
}

TEST(cRegSettings, GetAllSettingsFormatsLikeGetSettingAndKeepsUnterminatedText) {
  ScopedRegistryFolder folder;
  for (const auto& c : Conversions()) WriteRaw(reg::HKEY_CURRENT_USER, std::string(kBase) + "\\Sec", c.name, c.type, c.bytes);
  cRegSettings settings;
  rt::Variant table = settings.GetAllSettings("Sec");
  ASSERT_TRUE(table.IsArray());
  const auto& a = table.Array();
  ASSERT_EQ(a.rows, Conversions().size());
  ASSERT_EQ(a.cols, 2u);
  for (size_t i = 0; i < a.rows; ++i) {
    EXPECT_EQ(a.items[i * 2].ToString(), Conversions()[i].name);
    EXPECT_EQ(a.items[i * 2 + 1].ToString(), Conversions()[i].listed) << Conversions()[i].name;
  }
  // What SetSetting wrote (text without NUL) lists whole.
  ASSERT_TRUE(settings.SetSetting("Written", "Name", "Hello"));
  ASSERT_TRUE(settings.SetSetting("Written", "Count", 42, true));
  EXPECT_EQ(Strings(settings.GetAllSettings("Written")), (std::vector<std::string>{"Name", "Hello", "Count", "42"}));

  settings.SetSetting("Empty\\Child", "v", "x");
  EXPECT_TRUE(settings.GetAllSettings("Empty").IsEmpty());
  EXPECT_TRUE(settings.GetAllSettings("Missing").IsEmpty());
}

TEST(cRegSettings, SetSettingWritesTextWithoutNulOrADword) {
  ScopedRegistryFolder folder;
  cRegSettings settings;
  EXPECT_TRUE(settings.SetSetting("", "NetUsr", "0123ABCD"));
  EXPECT_EQ(ReadRaw(reg::HKEY_CURRENT_USER, kBase, "NetUsr"), (Raw{reg::REG_SZ, "0123ABCD"}));
  EXPECT_TRUE(settings.SetSetting("Form", "L", "12", true));
  EXPECT_EQ(ReadRaw(reg::HKEY_CURRENT_USER, std::string(kBase) + "\\Form", "L"),
            (Raw{reg::REG_DWORD, std::string("\x0C\0\0\0", 4)}));
  EXPECT_TRUE(settings.SetSetting("Form", "T", -1, true));
  EXPECT_EQ(settings.GetSetting("Form", "T").ToString(), "-1");
  EXPECT_TRUE(settings.SetSetting("", "*", "the default"));
  EXPECT_EQ(ReadRaw(reg::HKEY_CURRENT_USER, kBase, ""), (Raw{reg::REG_SZ, "the default"}));
  EXPECT_EQ(settings.GetSetting("", ""), rt::Variant("the default"));
  // A fresh object reads what another wrote.
  EXPECT_EQ(cRegSettings().GetSetting("", "netusr"), rt::Variant("0123ABCD"));

  EXPECT_TRUE(settings.SetKeyValue(HKY_LOCAL_MACHINE, "Elsewhere\\Deep", "v", "x"));
  EXPECT_EQ(ReadRaw(reg::HKEY_LOCAL_MACHINE, "Elsewhere\\Deep", "v"), (Raw{reg::REG_SZ, "x"}));
}

TEST(cRegSettings, SetSettingReportsAValueThatWasNotWritten) {
  ScopedRegistryFolder folder;
  cRegSettings settings;
  ASSERT_TRUE(settings.SetSetting("", "Number", "5", true));
  // The key opens, but the setting is no number: nothing is written.
  EXPECT_FALSE(settings.SetSetting("", "Number", "abc", true));
  EXPECT_FALSE(settings.SetSetting("", "Number", "nan", true));
  EXPECT_EQ(settings.GetSetting("", "Number").ToString(), "5");
  EXPECT_FALSE(settings.SetKeyValue(HKY_CURRENT_USER, kBase, "Number", "99999999999", true));
  EXPECT_FALSE(settings.SetSetting("", "Null", rt::Variant::Null()));
  EXPECT_EQ(ReadRaw(reg::HKEY_CURRENT_USER, kBase, "Null"), std::nullopt);

  // A store that cannot be reached.
  ::setenv("QV_REGISTRY_DIR", "/dev/null/registry", 1);
  EXPECT_FALSE(settings.SetSetting("", "v", "x"));
  EXPECT_EQ(settings.GetSetting("", "v", "dflt"), rt::Variant("dflt"));
}

TEST(cRegSettings, GetAllSectionsListsSubkeyNames) {
  ScopedRegistryFolder folder;
  cRegSettings settings;
  EXPECT_TRUE(settings.GetAllSections("").IsEmpty());
  settings.SetSetting("", "value", "no section");
  EXPECT_TRUE(settings.GetAllSections("").IsEmpty());
  for (const char* section : {"Users", "Konfig", "DB\\Inner", "admin"}) settings.SetSetting(section, "v", "x");
  rt::Variant sections = settings.GetAllSections("");
  ASSERT_TRUE(sections.IsArray());
  EXPECT_EQ(sections.Array().cols, 0u);
  EXPECT_EQ(Strings(sections), (std::vector<std::string>{"admin", "DB", "Konfig", "Users"}));
  EXPECT_EQ(Strings(settings.GetAllSections("db")), (std::vector<std::string>{"Inner"}));
}

TEST(cRegSettings, DeletePathRemovesAKeyWithItsSubkeysDeleteKeyOneValue) {
  ScopedRegistryFolder folder;
  cRegSettings settings;
  settings.SetSetting("Forms\\Main", "L", "1");
  settings.SetSetting("Forms", "Keep", "1");
  settings.SetSetting("Forms", "Drop", "1");

  EXPECT_TRUE(settings.DeleteKey(HKY_CURRENT_USER, std::string(kBase) + "\\forms", "drop").IsEmpty());
  EXPECT_EQ(settings.GetSetting("Forms", "Drop", "gone"), rt::Variant("gone"));
  EXPECT_EQ(settings.GetSetting("Forms", "Keep"), rt::Variant("1"));

  // An empty path deletes nothing.
  EXPECT_TRUE(settings.DeletePath(HKY_CURRENT_USER, "").IsEmpty());
  EXPECT_TRUE(KeyExists(reg::HKEY_CURRENT_USER, kBase));

  EXPECT_TRUE(settings.DeletePath(HKY_CURRENT_USER, std::string(kBase) + "\\Forms").IsEmpty());
  EXPECT_FALSE(KeyExists(reg::HKEY_CURRENT_USER, std::string(kBase) + "\\Forms"));
  EXPECT_TRUE(KeyExists(reg::HKEY_CURRENT_USER, kBase));
  // Deleting what is not there reports nothing.
  EXPECT_TRUE(settings.DeletePath(HKY_CURRENT_USER, "No\\Such\\Key").IsEmpty());
  EXPECT_TRUE(settings.DeleteKey(HKY_CURRENT_USER, "No\\Such\\Key", "v").IsEmpty());
}
