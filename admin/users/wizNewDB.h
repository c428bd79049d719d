// wizNewDB: the modal wizard that creates one Memo database: type and
// deciding user, title, description and password, a summary, and on Finish
// the DBList row (whose insert trigger builds the database's tables) with
// the group grants of the deciding user.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "forms/Form.h"

namespace qvadmin {

// The lock that creations of Memo databases share until their transaction
// ends (keyed by the table DBList), so that a title checked free stays free
// until the database of that title is committed.
inline constexpr const char* kMemoCreationLock = "SELECT pg_advisory_xact_lock('DBList'::regclass::oid::bigint)";

class wizNewDB : public forms::Form {
 public:
  wizNewDB();
  static std::shared_ptr<wizNewDB> Default();

  // Shows the wizard modally, owned by the main window.
  void ShowWizard();

  int32_t NewDBID() const { return m_newDbId; }
  bool FromDBView() const { return m_fromDbView; }
  // The page shown (1 to 4).
  int32_t Page() const;

 protected:
  void Form_Load() override;
  void Form_KeyDown(int16_t& keyCode, int16_t shift) override;
  void Form_QueryUnload(int16_t& cancel, int16_t unloadMode) override;

 private:
  void ButtonClick(int16_t index);
  void Tail(int32_t page);
  bool CheckNamePage();
  // Whether the title is taken (see the .cpp); raises what the query raises.
  bool TitleTaken() const;
  enum class Creation { Created, Failed, TitleTaken };
  Creation CreateMemoDatabase();
  void TypeChosen(int16_t index);
  std::string DecidingUser() const;
  bool Personal() const;

  int32_t m_newDbId = 0;
  bool m_fromDbView = false;
  bool m_created = false;
  bool m_refreshed = false;
};

}  // namespace qvadmin
