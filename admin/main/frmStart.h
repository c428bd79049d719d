// frmStart: the start page, the first view docked in the main window. It
// checks after every connect whether the master database has the current
// schema build and converts older master and Memo databases to it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "forms/Form.h"

namespace qvadmin {

// The schema build that this program writes and expects in Konfig.Build.
inline constexpr uint8_t kCurrentBuild = 203;

class frmStart : public forms::Form {
 public:
  frmStart();

  // The program's start page (created on first use, not loaded).
  static std::shared_ptr<frmStart> Default();

 private:
  // Tests reach the private procedures through this accessor.
  friend struct frmStartTestAccess;

  // Brings the master database of `build` and every Memo database to the
  // current build. True when the conversion ran to its end; False after
  // telling the user why it stopped. Before the master database changes
  // nothing but the Memo databases already converted has changed.
  bool ConvertDatabase(uint8_t build);
  // "" when the login may create, alter and drop objects in the master
  // database, else the server's reason. Leaves nothing behind either way.
  std::string CheckCreatePermission();
  // Brings the tables of Memo database `dbListId` to the current layout and,
  // below the current build, reinstalls its insert trigger. The tables
  // change all or nothing. True on success.
  bool ConvertMemoDatabase(int32_t dbListId, uint8_t build);
  // Drops the default of `column` of table dbo.`table`, when it has one.
  void DropDefault(const std::string& table, const std::string& column);
};

}  // namespace qvadmin
