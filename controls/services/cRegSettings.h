// cRegSettings: reads and writes registry values below one base key
// (RootHKey \ DefaultPath) and, through GetKeyValue / SetKeyValue and the
// two deletions, below any root and path. No operation raises an error for
// a registry failure: reads answer the default (or Empty for the
// enumerations), writes answer False.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/Variant.h"

namespace kvctl2 {

// The registry's predefined root keys.
enum HKeyRoot : int32_t {
  HKY_CLASSES_ROOT = static_cast<int32_t>(0x80000000u),
  HKY_CURRENT_USER = static_cast<int32_t>(0x80000001u),
  HKY_LOCAL_MACHINE = static_cast<int32_t>(0x80000002u),
  HKY_USERS = static_cast<int32_t>(0x80000003u),
  HKY_PERFORMANCE_DATA = static_cast<int32_t>(0x80000004u),
  HKY_CURRENT_CONFIG = static_cast<int32_t>(0x80000005u),
  HKY_DYN_DATA = static_cast<int32_t>(0x80000006u),
};

class cRegSettings {
 public:
  cRegSettings();

  // Company and AppName: a DefaultPath still built from them
  // ("Software\<Company>\<AppName>") follows their change; one the caller
  // set stays. An empty Company becomes "Kelvaro", an empty AppName the
  // library's name "Kvctl2".
  void Company(std::string_view value);
  const std::string& Company() const { return m_company; }
  void AppName(std::string_view value);
  const std::string& AppName() const { return m_appName; }
  void RootHKey(HKeyRoot value) { m_rootHKey = value; }
  HKeyRoot RootHKey() const { return m_rootHKey; }
  void DefaultPath(std::string_view value);
  const std::string& DefaultPath() const { return m_defaultPath; }

  // Deletes the key strPath below keyRoot with all its subkeys and values.
  rt::Variant DeletePath(HKeyRoot keyRoot, const std::string& strPath);
  // Deletes the value Key of the key strPath below keyRoot.
  rt::Variant DeleteKey(HKeyRoot keyRoot, const std::string& strPath, const std::string& Key);

  // The value Key of DefaultPath\strPath ("" = the key's default value) as
  // text: strings up to their first NUL, DWORDs in signed decimal, binary
  // data as two hexadecimal digits and a blank per byte; Default for a
  // missing value or another type.
  rt::Variant GetSetting(const std::string& strPath, const std::string& Key, const rt::Variant& Default = "");
  // Writes Key ("*" = the key's default value) as a REG_DWORD when
  // IsNumberValue, else as a REG_SZ without terminating NUL; creates the key
  // when needed. True when the value was written.
  bool SetSetting(const std::string& strPath, const std::string& Key, const rt::Variant& Setting,
                  bool IsNumberValue = false);
  // The names of the subkeys (a string array), Empty when there are none.
  rt::Variant GetAllSections(const std::string& strPath);
  // The values as a table of rows (name, data as GetSetting gives it),
  // Empty when there are none.
  rt::Variant GetAllSettings(const std::string& strPath);

  // GetSetting / SetSetting with an explicit root and a full path.
  rt::Variant GetKeyValue(HKeyRoot keyRoot, const std::string& strPath, const std::string& Key,
                          const rt::Variant& Default = "");
  bool SetKeyValue(HKeyRoot keyRoot, const std::string& strPath, const std::string& Key, const rt::Variant& Setting,
                   bool IsNumberValue = false);

 private:
  std::string StandardPath() const;
  std::string FullPath(const std::string& strPath) const;

  std::string m_company = "Kelvaro";
  std::string m_appName = "KvApp";
  HKeyRoot m_rootHKey = HKY_CURRENT_USER;
  std::string m_defaultPath;
};

}  // namespace kvctl2
