#include "core/CarriedScripts.h"

#include <fstream>
#include <sstream>

#include "core/SqlScriptRunner.h"
#include "html/KVXHTML.h"
#include "runtime/DataFolder.h"
#include "runtime/Error.h"

namespace qvadmin {
namespace {

// Stands for a script whose file can't be read: asking for its text raises
// the error, so the runner reports it as it reports a failing batch.
class UnreadableScript final : public com::Dispatch {
 public:
  explicit UnreadableScript(rt::Error error) : m_error(std::move(error)) {
    DefineReadOnly("RawText", [this]() -> rt::Variant { throw m_error; });
  }
  std::string TypeName() const override { return "KVXHTML"; }

 private:
  rt::Error m_error;
};

std::string& ScriptFolder() {
  static std::string folder;
  return folder;
}

}  // namespace

void SetCarriedScriptFolder(std::string folder) { ScriptFolder() = std::move(folder); }

// Each script is the text of an HTML view control, as the program's forms
// carry them, and the runner reads it back as the control's RawText. The
// texts lie in the program's SQL folder as "<name>.sql".
std::shared_ptr<com::Dispatch> CarriedScript(const std::string& name) {
  const std::string path = (ScriptFolder().empty() ? rt::DataFile("sql") : ScriptFolder()) + "/" + name + ".sql";
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::make_shared<UnreadableScript>(rt::Error(53, "File not found: " + path, "CarriedScript"));
  std::ostringstream text;
  text << in.rdbuf();
  auto holder = std::make_shared<kvctl2::KVXHTML>();
  holder->SetRawText(text.str());
  return holder;
}

bool RunCarriedScript(const std::string& name, const std::string& dbListId) {
  const std::string control = name.substr(name.find_last_of('/') + 1);
  return RunSqlScript(*CarriedScript(name), control, dbListId);
}

}  // namespace qvadmin
