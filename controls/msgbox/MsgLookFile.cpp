// LoadProperties and SaveProperties: the message box's look in an INI file,
// one section per group (STRING, SPACE, SIZE, COMMON), each key named as
// its property.
#include <cstring>

#include "msgbox/Msg.h"
#include "shell/Profile.h"

namespace kvctl2 {
namespace {

// What the library's INI read returns: the key's text, read into a buffer
// of 1024 characters; "" when it is missing.
std::string ReadIni(const std::string& file, const char* section, const char* key) {
  std::string value;
  shell::GetPrivateProfileStringA(section, key, "", value, 1024, file);
  return value;
}

bool Selected(const char* section, bool string, bool space, bool size, bool common) {
  if (std::strcmp(section, "STRING") == 0) return string;
  if (std::strcmp(section, "SPACE") == 0) return space;
  if (std::strcmp(section, "SIZE") == 0) return size;
  if (std::strcmp(section, "COMMON") == 0) return common;
  return false;
}

}  // namespace

void Msg::LoadProperties(const std::string& FileIniName, bool LoadString, bool LoadSpace, bool LoadSize,
                         bool /*LoadSound*/, bool LoadCommon) {
  // No error handler: a numeric key that is missing or no number raises
  // 13 to the caller; what was read before it keeps its new value.
  for (const auto& def : MsgPropertyTable()) {
    if (!Selected(def.section, LoadString, LoadSpace, LoadSize, LoadCommon)) continue;
    const std::string value = ReadIni(FileIniName, def.section, def.name);
    if (def.kind == MsgPropertyKind::String) {
      m_props.*def.text = value;
    } else {
      Let(def.name, rt::Variant(rt::Variant(value).ToLong()));
    }
  }
}

bool Msg::SaveProperties(const std::string& FileIniName, bool SaveString, bool SaveSpace, bool SaveSize,
                         bool /*SaveSound*/, bool SaveCommon) {
  bool result = false;
  for (const auto& def : MsgPropertyTable()) {
    if (!Selected(def.section, SaveString, SaveSpace, SaveSize, SaveCommon)) continue;
    const std::string value =
        def.kind == MsgPropertyKind::String ? m_props.*def.text : std::to_string(m_props.*def.number);
    result = shell::WritePrivateProfileStringA(def.section, def.name, value, FileIniName);
  }
  return result;
}

}  // namespace kvctl2
