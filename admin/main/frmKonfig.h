// frmKonfig: the configuration view, docked in the main window, in which
// the administrator edits the one row of Konfig: automatic registration of
// new users, the access data the clients use, the document archive folders
// and the update folders. A tree chooses the page. The view also finds and
// removes archive folders whose Memo database no longer exists, and writes
// the client configuration file (frmKonfigClientFile.cpp).
#pragma once

#include <memory>
#include <string>

#include "forms/Form.h"

namespace forms {
class TreeNode;
}

namespace qvadmin {

class frmKonfig : public forms::Form {
 public:
  frmKonfig();

  // The program's configuration view (created on first use, not loaded).
  static std::shared_ptr<frmKonfig> Default();

  // Reloads the controls from Konfig; unsaved edits are discarded. Error
  // label "Refresh Configuration".
  void Aktualisieren();
  // Checks the entries (the two passwords alike, the local archive folder
  // and update folder existing, the update folder's "res" made) and writes
  // them to Konfig. Error label "Save Configuration".
  void Speichern();

  // Completes a path with its separator: "\" when it holds one anywhere or
  // is a drive ("X:"), else "/" when it holds one; unchanged otherwise (""
  // stays ""). Changes its argument and returns it.
  static std::string PathWithSeparator(std::string& Path);

 protected:
  void Form_Load() override;
  void Form_Resize() override;
  void Form_KeyDown(int16_t& keyCode, int16_t shift) override;

 private:
  friend struct frmKonfigTestAccess;

  // Places the caption band and the pages in the splitter's second pane.
  void LayoutPages();
  void NodeClicked(forms::TreeNode& node);
  // Selects the node of a page as the user does (its page shows).
  void SelectNode(int32_t index);
  void AuthClicked(int16_t index);
  // The user and password boxes (and their labels) are for SQL Server
  // authentication only.
  void EnableAccessBoxes(bool sqlAuth);
  void BrowseFolder(const char* box, int16_t index);
  std::string Text(const char* box, int16_t index = -1) const;
  void SetText(const char* box, int16_t index, const std::string& text);

  // The orphaned archive folders (frmKonfigArchive.cpp): lists the
  // archive's five-digit folders as "Active" or "*Old*", and removes the
  // old ones after asking.
  void CheckArchiveFolders();
  void RemoveOldArchiveFolders();
  void ShowArchiveList(bool show);

  // Writes the client configuration file (frmKonfigClientFile.cpp).
  void MakeClientFile();
  // Shows or hides the result panel of the client configuration file with
  // its label, which lies over it.
  void ShowClientFilePanel(bool show);
};

}  // namespace qvadmin
