// frmStart: the start page, the first view docked in the main window. Its
// links open the administration's views and dialogs. After every connect
// it checks whether the master database has the current schema build,
// converts older master and Memo databases to it, fixes the current
// user's record, and switches its links and the connect tools.
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

  // After a connect (Enable True) or a disconnect (False). With Enable True
  // and no current user yet, checks the master database's build (offering
  // the conversion of an older one) and fixes the current user's record;
  // Enable becomes whether that succeeded. Then every control of the page
  // is enabled as Enable says, the tool "DBConnect" the opposite way and
  // "DBDisconnect" alike. When the check ends early (unreadable, newer,
  // not converted) the page and the tools keep their state and Enable
  // comes back False, so that the caller does not go on as connected.
  void IsEnabled(bool& Enable);
  // Whether the links are switched on (what the main window reads after
  // the login dialog).
  bool LinksEnabled() const;

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_KeyDown(int16_t& keyCode, int16_t shift) override;

 private:
  // Tests reach the private procedures through this accessor.
  friend struct frmStartTestAccess;

  // The schema check of IsEnabled: true when the page may be switched on.
  bool CheckBuild();
  void SetControlsEnabled(bool enabled);
  void LinkClicked(const std::string& link, int16_t index);

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
