#include "PsqlScript.h"

#include <regex>
#include <sstream>

#include "core/CarriedScripts.h"
#include "core/SqlScriptRunner.h"
#include "runtime/Strings.h"

namespace qvbench {
namespace {

// "USE name;" on a line of its own; "master" is the maintenance database.
std::string TranslateUse(const std::string& batch) {
  static const std::regex use(R"(^[ \t]*USE[ \t]+[\["]?([A-Za-z0-9_]+)[\]"]?[ \t]*;?[ \t]*\r?$)",
                              std::regex::icase | std::regex::multiline);
  std::string out;
  std::sregex_iterator it(batch.begin(), batch.end(), use), end;
  size_t from = 0;
  for (; it != end; ++it) {
    out += batch.substr(from, it->position() - from);
    std::string name = (*it)[1];
    if (rt::LCase(name) == "master") name = "postgres";
    out += "\\c " + name;
    from = it->position() + it->length();
  }
  return out + batch.substr(from);
}

}  // namespace

std::string PsqlInput(const std::vector<std::string>& names) {
  std::ostringstream input;
  for (const std::string& name : names) {
    const std::string text = qvadmin::CarriedScript(name)->Get("RawText").ToString();
    int32_t pos = 0;
    do {
      const std::string batch = qvadmin::NextScriptBatch(pos, text);
      if (rt::Trim(batch).empty()) continue;
      // The ";" ends a batch whose last statement has none; psql would
      // otherwise join it with the next batch.
      input << TranslateUse(batch) << "\n;\n";
      if (rt::InStr(batch, "USE MASTER", rt::CompareMethod::Text) != 0) break;
    } while (!qvadmin::ScriptExhausted(pos, text));
  }
  return input.str();
}

}  // namespace qvbench
