// LoadProperties and SaveProperties: the message box's look in an INI file,
// one section per group (STRING, SPACE, SIZE, COMMON), each key named as
// its property.
#include <cstring>
#include <stdexcept>
#include <vector>

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

// The sections in file order, each with its keys in file order. Loading
// follows this order, so a bad number stops the load with the sections and
// keys before it read and the rest untouched.
struct LookSection {
  const char* name;
  std::vector<const char*> keys;
};

const std::vector<LookSection>& LookSections() {
  static const std::vector<LookSection> sections{
      {"STRING",
       {"strOk", "strRetry", "strCancel", "strYes", "strNo", "strIgnore", "strAbord", "strHelp", "strMoreOpen",
        "strMoreClose", "strSend", "strCopy", "strCheck", "strMailAdress", "strMailSubject"}},
      {"SPACE",
       {"spHicon_Label", "spHbuttons", "spHleftButtons", "spHrightLabel", "spVmiddle", "spVup", "spVdown",
        "spHleftCheck", "spVdownCheck", "spHleft", "spHrightMore", "spVdownMore"}},
      {"SIZE",
       {"cmdSendWidth", "cmdSendHeight", "cmdMoreHeight", "cmdMoreWidth", "ButtonsWidth", "ButtonsHeight",
        "CheckWidth", "CheckHeight", "textMoreHeight"}},
      {"COMMON", {"formMaxWidth", "formMinWidth", "FormTop", "FormLeft", "DelaySec", "SendMethode"}},
  };
  return sections;
}

const MsgPropertyDef& DefOf(const char* key) {
  for (const auto& def : MsgPropertyTable()) {
    if (std::strcmp(def.name, key) == 0) return def;
  }
  throw std::logic_error(std::string("no message box property ") + key);
}

bool Selected(const LookSection& section, bool string, bool space, bool size, bool common) {
  if (std::strcmp(section.name, "STRING") == 0) return string;
  if (std::strcmp(section.name, "SPACE") == 0) return space;
  if (std::strcmp(section.name, "SIZE") == 0) return size;
  if (std::strcmp(section.name, "COMMON") == 0) return common;
  return false;
}

}  // namespace

void Msg::LoadProperties(const std::string& FileIniName, bool LoadString, bool LoadSpace, bool LoadSize,
                         bool /*LoadSound*/, bool LoadCommon) {
  // No error handler: a numeric key that is missing or no number raises
  // 13 to the caller; what was read before it keeps its new value.
  for (const auto& section : LookSections()) {
    if (!Selected(section, LoadString, LoadSpace, LoadSize, LoadCommon)) continue;
    for (const char* key : section.keys) {
      const MsgPropertyDef& def = DefOf(key);
      const std::string value = ReadIni(FileIniName, section.name, key);
      if (def.kind == MsgPropertyKind::String) {
        m_props.*def.text = value;
      } else {
        Let(key, rt::Variant(rt::Variant(value).ToLong()));
      }
    }
  }
}

bool Msg::SaveProperties(const std::string& FileIniName, bool SaveString, bool SaveSpace, bool SaveSize,
                         bool /*SaveSound*/, bool SaveCommon) {
  bool result = false;
  for (const auto& section : LookSections()) {
    if (!Selected(section, SaveString, SaveSpace, SaveSize, SaveCommon)) continue;
    for (const char* key : section.keys) {
      const MsgPropertyDef& def = DefOf(key);
      const std::string value =
          def.kind == MsgPropertyKind::String ? m_props.*def.text : std::to_string(m_props.*def.number);
      result = shell::WritePrivateProfileStringA(section.name, key, value, FileIniName);
    }
  }
  return result;
}

}  // namespace kvctl2
