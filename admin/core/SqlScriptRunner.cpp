#include "core/SqlScriptRunner.h"

#include <algorithm>
#include <utility>

#include "core/CoreMessage.h"
#include "core/SessionState.h"
#include "runtime/Error.h"
#include "runtime/Strings.h"

namespace qvadmin {
namespace {

// Positions count from 1 as the runtime's string functions do; they are
// byte positions, which gives the same batches since "GO", blanks, line
// ends and comment marks are all single bytes in UTF-8.
std::string CutBatch(int32_t& pos, const std::string& text) {
  const auto len = static_cast<int32_t>(text.size());
  if (pos == 0) pos = 1;
  if (pos == len - 1) return {};  // the text ends with "GO" and a CR LF

  std::string batch;
  bool found = false;
  for (int32_t i = pos; i <= len; ++i) {
    if (i < len && text[i - 1] == 'G' && text[i] == 'O') {
      pos = i + 2;
      found = true;
      break;
    }
    batch += text[i - 1];
  }
  if (!found) pos = std::max(pos, len + 1);

  // Counted in characters, not bytes: two accented letters are as short
  // as two plain ones.
  if (rt::Len(rt::Trim(batch)) < 3) return {};

  // Comments, each with a CR LF that directly follows it. An unclosed
  // comment runs to the end of the batch.
  for (size_t start = batch.find("/*"); start != std::string::npos; start = batch.find("/*")) {
    size_t close = batch.find("*/", start + 2);
    size_t end = close == std::string::npos ? batch.size() : close + 2;
    if (batch.compare(end, 2, "\r\n") == 0) end += 2;
    batch.erase(start, end - start);
  }

  for (int n = 0; n < 10 && !batch.empty(); ++n) {
    char c = batch.front();
    if (c != ' ' && c != '\n' && c != '\r') break;
    batch.erase(0, 1);
  }
  return batch;
}

}  // namespace

std::string NextScriptBatch(int32_t& pos, const std::string& text) {
  try {
    return CutBatch(pos, text);
  } catch (...) {
    ShowCoreMessage("ExpandiereSQLFeld", vbCritical, "Error!");
    return {};
  }
}

bool ScriptExhausted(int32_t pos, const std::string& text) {
  return pos >= static_cast<int32_t>(text.size()) - 1;
}

ScriptText::ScriptText(std::string text) : m_text(std::move(text)) {
  DefineReadOnly("RawText", [this] { return rt::Variant(m_text); });
}

bool RunSqlScript(com::Dispatch& ctl, const std::string& name, const std::string& dbListId) {
  bool ok = rt::OnErrorGoTo(
      [&] {
        std::string text = ctl.Get("RawText").ToString();
        if (!dbListId.empty()) text = rt::Replace(text, "@DBListID@", dbListId, rt::CompareMethod::Binary);
        int32_t pos = 0;
        do {
          std::string batch = NextScriptBatch(pos, text);
          if (!rt::Trim(batch).empty()) MainConnection().Execute(batch, nullptr, ado::adCmdText | ado::adExecuteNoRecords);
          if (rt::InStr(batch, "USE MASTER", rt::CompareMethod::Text) != 0) break;
        } while (!ScriptExhausted(pos, text));
      },
      [&](const rt::Error& e) {
        ShowCoreMessage("Error in script execution: '" + name + "'\r\r" + e.Description(), vbCritical,
                        "Error: " + std::to_string(e.Number()));
      });
  SetCoreHourglass(false);
  return ok;
}

}  // namespace qvadmin
