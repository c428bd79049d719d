#include "cRegSettings.h"

#include <vector>

#include "registry/Registry.h"
#include "registry/UniqueKey.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace kvctl2 {

namespace {

constexpr const char* kDefaultCompany = "Kelvaro";
// The product name in the library's version information.
constexpr const char* kLibraryProductName = "Kvctl2";

reg::HKEY ToHKey(HKeyRoot root) { return reg::HKEY{static_cast<uint32_t>(root)}; }

// A DWORD's bytes (little-endian, missing bytes taken as 0) as signed
// decimal text.
std::string DwordText(std::string_view data) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4 && i < data.size(); ++i) value |= uint32_t{static_cast<uint8_t>(data[i])} << (8 * i);
  return std::to_string(static_cast<int32_t>(value));
}

// Every byte as two upper-case hexadecimal digits followed by a blank.
std::string BinaryText(std::string_view data) {
  static constexpr char digits[] = "0123456789ABCDEF";
  std::string out;
  for (char c : data) {
    auto b = static_cast<uint8_t>(c);
    out += digits[b >> 4];
    out += digits[b & 0xF];
    out += ' ';
  }
  return out;
}

// The key opened with the given access; an empty owner when it cannot be.
reg::UniqueKey OpenKey(reg::HKEY root, const std::string& path, reg::REGSAM access) {
  reg::UniqueKey key;
  if (reg::RegOpenKeyExA(root, path.c_str(), 0, access, key.Put()) != reg::ERROR_SUCCESS) key.Reset();
  return key;
}

bool IsStringType(reg::DWORD type) {
  return type == reg::REG_SZ || type == reg::REG_EXPAND_SZ || type == reg::REG_MULTI_SZ;
}

rt::Variant ReadValue(reg::HKEY root, const std::string& path, const std::string& name, const rt::Variant& fallback) {
  reg::UniqueKey key = OpenKey(root, path, reg::KEY_READ);
  if (!key) return fallback;
  reg::DWORD type = 0;
  reg::DWORD size = 0;
  if (reg::RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != reg::ERROR_SUCCESS) {
    return fallback;
  }
  if (!IsStringType(type) && type != reg::REG_BINARY && type != reg::REG_DWORD) return fallback;
  // A DWORD is read into four bytes; a larger value does not fit.
  std::string data(type == reg::REG_DWORD ? 4 : size, '\0');
  reg::DWORD got = static_cast<reg::DWORD>(data.size());
  if (reg::RegQueryValueExA(key.Get(), name.c_str(), nullptr, nullptr, reinterpret_cast<reg::BYTE*>(data.data()),
                            &got) != reg::ERROR_SUCCESS) {
    return fallback;
  }
  data.resize(got);
  if (type == reg::REG_DWORD) return DwordText(data);
  if (type == reg::REG_BINARY) return BinaryText(data);
  // Strings end at their first NUL: a multi-string gives its first string.
  return data.substr(0, data.find('\0'));
}

bool WriteValue(reg::HKEY root, const std::string& path, const std::string& name, const rt::Variant& setting,
                bool isNumberValue) {
  reg::UniqueKey key;
  if (reg::RegCreateKeyExA(root, path.c_str(), 0, nullptr, reg::REG_OPTION_NON_VOLATILE, reg::KEY_ALL_ACCESS, nullptr,
                           key.Put(), nullptr) != reg::ERROR_SUCCESS) {
    return false;
  }
  const char* valueName = name == "*" ? "" : name.c_str();
  bool written = false;
  // A setting that does not convert leaves the value as it was.
  rt::ResumeNext([&] {
    std::string bytes;
    reg::DWORD type = reg::REG_SZ;
    if (isNumberValue) {
      auto number = static_cast<uint32_t>(setting.ToLong());
      for (int i = 0; i < 4; ++i) bytes += static_cast<char>((number >> (8 * i)) & 0xFF);
      type = reg::REG_DWORD;
    } else {
      bytes = setting.ToString();
    }
    written = reg::RegSetValueExA(key.Get(), valueName, 0, type, reinterpret_cast<const reg::BYTE*>(bytes.data()),
                                  static_cast<reg::DWORD>(bytes.size())) == reg::ERROR_SUCCESS;
  });
  return written;
}

}  // namespace

cRegSettings::cRegSettings() : m_defaultPath(StandardPath()) {}

std::string cRegSettings::StandardPath() const { return "Software\\" + m_company + "\\" + m_appName; }

std::string cRegSettings::FullPath(const std::string& strPath) const {
  return strPath.empty() ? m_defaultPath : m_defaultPath + "\\" + strPath;
}

void cRegSettings::Company(std::string_view value) {
  bool standard = m_defaultPath == StandardPath();
  m_company = rt::Trim(value);
  if (m_company.empty()) m_company = kDefaultCompany;
  if (standard) m_defaultPath = StandardPath();
}

void cRegSettings::AppName(std::string_view value) {
  bool standard = m_defaultPath == StandardPath();
  m_appName = rt::Trim(value);
  if (m_appName.empty()) m_appName = kLibraryProductName;
  if (standard) m_defaultPath = StandardPath();
}

void cRegSettings::DefaultPath(std::string_view value) { m_defaultPath = rt::Trim(value); }

rt::Variant cRegSettings::DeletePath(HKeyRoot keyRoot, const std::string& strPath) {
  // An empty path names no key: the layer refuses it, so a root is never
  // cleared.
  reg::RegDeleteTreeA(ToHKey(keyRoot), strPath.c_str());
  return {};
}

rt::Variant cRegSettings::DeleteKey(HKeyRoot keyRoot, const std::string& strPath, const std::string& Key) {
  if (reg::UniqueKey key = OpenKey(ToHKey(keyRoot), strPath, reg::KEY_ALL_ACCESS)) {
    reg::RegDeleteValueA(key.Get(), Key.c_str());
  }
  return {};
}

rt::Variant cRegSettings::GetSetting(const std::string& strPath, const std::string& Key, const rt::Variant& Default) {
  return ReadValue(ToHKey(m_rootHKey), FullPath(strPath), Key, Default);
}

bool cRegSettings::SetSetting(const std::string& strPath, const std::string& Key, const rt::Variant& Setting,
                              bool IsNumberValue) {
  return WriteValue(ToHKey(m_rootHKey), FullPath(strPath), Key, Setting, IsNumberValue);
}

rt::Variant cRegSettings::GetAllSections(const std::string& strPath) {
  reg::UniqueKey key = OpenKey(ToHKey(m_rootHKey), FullPath(strPath), reg::KEY_READ);
  if (!key) return {};
  reg::DWORD count = 0;
  reg::DWORD longest = 0;
  if (reg::RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &count, &longest, nullptr, nullptr, nullptr,
                            nullptr, nullptr, nullptr) != reg::ERROR_SUCCESS ||
      count == 0) {
    return {};
  }
  std::vector<std::string> names;
  for (reg::DWORD index = 0; index < count; ++index) {
    std::string name(longest + 1, '\0');
    reg::DWORD length = longest + 1;
    if (reg::RegEnumKeyExA(key.Get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr) !=
        reg::ERROR_SUCCESS) {
      break;
    }
    names.push_back(name.substr(0, length));
  }
  return names.empty() ? rt::Variant() : rt::MakeStringArray(names);
}

rt::Variant cRegSettings::GetAllSettings(const std::string& strPath) {
  reg::UniqueKey key = OpenKey(ToHKey(m_rootHKey), FullPath(strPath), reg::KEY_READ);
  if (!key) return {};
  reg::DWORD count = 0;
  reg::DWORD longestName = 0;
  reg::DWORD longestData = 0;
  if (reg::RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &longestName,
                            &longestData, nullptr, nullptr) != reg::ERROR_SUCCESS ||
      count == 0) {
    return {};
  }
  std::vector<std::pair<std::string, std::string>> rows;
  for (reg::DWORD index = 0; index < count; ++index) {
    std::string name(longestName + 1, '\0');
    reg::DWORD nameLength = longestName + 1;
    std::string data(longestData + 1, '\0');
    reg::DWORD dataLength = longestData + 1;
    reg::DWORD type = 0;
    if (reg::RegEnumValueA(key.Get(), index, name.data(), &nameLength, nullptr, &type,
                           reinterpret_cast<reg::BYTE*>(data.data()), &dataLength) != reg::ERROR_SUCCESS) {
      break;
    }
    data.resize(dataLength);
    std::string text;
    if (type == reg::REG_DWORD) {
      text = DwordText(data);
    } else if (type == reg::REG_BINARY) {
      text = BinaryText(data);
    } else {
      // Text without its terminating NUL, when it has one.
      if (!data.empty() && data.back() == '\0') data.pop_back();
      text = std::move(data);
    }
    rows.emplace_back(name.substr(0, nameLength), std::move(text));
  }
  return rows.empty() ? rt::Variant() : rt::MakeStringTable(rows);
}

rt::Variant cRegSettings::GetKeyValue(HKeyRoot keyRoot, const std::string& strPath, const std::string& Key,
                                      const rt::Variant& Default) {
  return ReadValue(ToHKey(keyRoot), strPath, Key, Default);
}

bool cRegSettings::SetKeyValue(HKeyRoot keyRoot, const std::string& strPath, const std::string& Key,
                               const rt::Variant& Setting, bool IsNumberValue) {
  return WriteValue(ToHKey(keyRoot), strPath, Key, Setting, IsNumberValue);
}

}  // namespace kvctl2
