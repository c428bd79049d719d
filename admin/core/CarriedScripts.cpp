#include "core/CarriedScripts.h"

#include <fstream>
#include <sstream>

#include "runtime/Error.h"

namespace qvadmin {
namespace {

// The scripts lie in the program's SQL folder as "<name>.sql".
class ScriptFile final : public com::Dispatch {
 public:
  explicit ScriptFile(std::string path) : m_path(std::move(path)) {
    DefineReadOnly("RawText", [this] { return rt::Variant(Read()); });
  }
  std::string TypeName() const override { return "ScriptFile"; }

 private:
  std::string Read() const {
    std::ifstream in(m_path, std::ios::binary);
    if (!in) rt::Raise(53, "CarriedScript", "File not found: " + m_path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::string m_path;
};

}  // namespace

std::shared_ptr<com::Dispatch> CarriedScript(const std::string& name) {
  return std::make_shared<ScriptFile>(std::string(QV_SQL_DIR) + "/" + name + ".sql");
}

}  // namespace qvadmin
