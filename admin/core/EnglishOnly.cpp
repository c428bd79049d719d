#include "core/EnglishOnly.h"

#include <array>

#include "core/CoreMessage.h"

namespace qvadmin {
namespace {

struct DockText {
  const char* group;
  const char* key;
  const char* kind;
  const char* text;
};

constexpr std::array<DockText, 33> kDockTexts{{
    {"0", "About", "C", "About Quorvelle..."},
    {"0", "AddDB", "C", "Add Database"},
    {"0", "AddDB", "T", "Creates an empty Memo database"},
    {"0", "AddGrp", "C", "Add User Group"},
    {"0", "AddGrp", "T", "Creates a new user group"},
    {"0", "AddUser", "C", "Add User"},
    {"0", "AddUser", "T", "Adds new user"},
    {"0", "AutoUpdate", "C", "Check for Online Updates"},
    {"0", "Beenden", "C", "E&xit"},
    {"0", "DBConnect", "C", "Establish Database Connection"},
    {"0", "DBDisconnect", "C", "Disconnect Database Connection"},
    {"0", "Delete", "C", "Delete"},
    {"0", "Eigenschaften", "C", "Properties"},
    {"0", "Farb0", "C", "Standard Layout"},
    {"0", "Farb1", "C", "Classic Layout"},
    {"0", "Farb2", "C", "Office 2003 Layout"},
    {"0", "Farb3", "C", "Ocean Fresh Layout"},
    {"0", "Feedback", "C", "E-mail Support..."},
    {"0", "Feedback", "D", "Customer feedback..."},
    {"0", "Go2Start", "C", "Back"},
    {"0", "Go2Start", "T", "Back to Start Page"},
    {"0", "Hilfe", "C", "Show Help"},
    {"0", "ImpWinUser", "C", "Import Windows Users"},
    {"0", "ImpWinUser", "T", "Import Windows Users"},
    {"0", "KelvaroOnline", "C", "Kelvaro on the Web"},
    {"0", "KelvaroOnline", "D", "Kelvaro Online"},
    {"0", "Refresh", "C", "Refresh Data"},
    {"0", "Save", "C", "Save"},
    {"4", "Farbstyle", "C", "Color Scheme"},
    {"4", "mnuDatei", "C", "&File"},
    {"4", "mnuFenster", "C", "&Window"},
    {"4", "mnuOpt", "C", "Options"},
    {"7", "WindowList", "C", "(List of Current Windows)"},
}};

}  // namespace

std::string DockTextTable() {
  std::string table;
  for (const DockText& row : kDockTexts) {
    table += std::string(row.group) + kDockFieldSep + row.key + kDockFieldSep + row.kind + kDockFieldSep + row.text +
             kDockRowEnd;
  }
  return table;
}

std::string GetDockTexts(const std::string& name) {
  if (name == "frmMDIDock") return DockTextTable();
  ShowCoreMessage("Error on DockSet", vbExclamation, "Error 9918");
  return {};
}

}  // namespace qvadmin
