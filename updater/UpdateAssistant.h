// The working part of the update window frmUpdates: its fields, what its
// loading and unloading do beyond its controls, the update check and the
// version file, the download with its progress and cancel, the copy into
// the update folder, and the close button. The window owns one instance
// (shared: a routine keeps it alive while it runs, even when the window
// unloads from inside it) and passes itself as the UpdateWindow whose
// controls the routines drive. Once the window unloads, the routines
// still on the stack unwind without touching it again.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "FileHandling.h"
#include "UpdateWindow.h"
#include "clsDownload.h"
#include "clsLogger.h"

namespace verscout {

// The log's name without its number: "UpdLog" in the folder that holds
// the update folder (given without a closing separator).
std::string LogFileBase(const std::string& updateFolder);

class UpdateAssistant : public clsDownloadEvents, public std::enable_shared_from_this<UpdateAssistant> {
 public:
  explicit UpdateAssistant(UpdateWindow& window) : m_window(window) {}

  // Loading: server addresses, the thread mouse hook, the download object, the log ("START"), the
  // local version, the emptied "upd" folder. False when the log cannot be
  // started: the user was told and the window unloaded.
  bool Load();
  // Unloading: releases the download object, logs "ENDE", closes the log,
  // removes the mouse hook and runs ExitAssistant.
  void QueryUnload();
  // Whether a check or a download runs now: the link menu ignores the
  // check link meanwhile, so the busy download object gets no second call.
  bool IsBusy() const { return m_checking || m_downloadPass || Downloading; }
  // Whether the window has been unloaded (or is unloading).
  bool IsClosing() const { return m_closing; }

  // The update check (link 2, or at once in the silent modes).
  void UpdateSuche();
  bool FetchServerFile(const std::string& name);
  bool IsUpdate();
  void ShowResultAndEnd(bool bUpdate);

  // The download ("Update now"), and the close button.
  void cmdDoUpdate_Click();
  void DownloadUpdateFiles(const std::vector<std::string>& Files);
  void cmdClose_Click();

  // Events of cDownload.
  void Progresschanged(double& Progress, int32_t& size, bool& Cancel) override;
  void Statechanged(int32_t& /*State*/) override {}
  void Startdownloading(int32_t& /*size*/) override {}
  void AddStatusLine(const std::string& text) override { m_window.AddStatusLine(text); }

  std::string DataURL;
  std::string PageURL;
  std::string CurrentPage = "updwelcome";
  int32_t LocalVersion = 0;
  std::vector<std::string> UpdateFiles;
  int32_t UpdateState = 0;
  bool Downloading = false;
  bool CancelRequested = false;
  bool DownloadFailed = false;
  bool HookInstalled = false;

  // How files are renamed into the update folder (tests make it fail).
  void RenameFileWith(RenameFile rename) { m_renameFile = std::move(rename); }

 private:
  // Sets a flag for as long as the routine that made it runs.
  struct FlagScope {
    bool& flag;
    explicit FlagScope(bool& f) : flag(f) { flag = true; }
    ~FlagScope() { flag = false; }
  };

  // How fetching a file of the server ended.
  enum class FetchResult {
    Fetched,     // whole, and written into the temporary folder
    Missing,     // the server has no such file, or cannot be reached
    Broken,      // another length arrived than was announced
    NotWritten,  // whole, but the temporary folder refused it
  };
  FetchResult Fetch(const std::string& name);

  // Unloads the window once.
  void Close();
  // One call of the download object for `url`, made by `call`, with
  // Downloading set around it; the reason of a failure goes into the log.
  // While the call waits for the server the window's messages are
  // processed; a close request ends the wait at once.
  // A close request that no progress event took (a file below one chunk, a
  // size query) is carried out as soon as the call returns.
  void Call(const std::string& url, const std::function<void(clsDownload&)>& call);
  // Downloadfile through Call.
  std::string Transfer(const std::string& url, int32_t bytes);
  void Log(const std::string& line);
  // Writes LinesForLog into the log.
  void WriteLinesForLog();
  // A file that could not be written into the temporary folder, or copied
  // into the update folder (the error in Err()): a status line with the
  // file and the reason, the same in the log, and what failed in the
  // status label.
  enum class FileStep { Write, Copy };
  void ReportFileFailure(FileStep step);
  void ShowErrorPage();

  UpdateWindow& m_window;
  std::shared_ptr<clsLogger> m_logger;
  std::shared_ptr<clsDownload> m_download;
  // The value the progress bar was given last.
  int32_t m_barValue = 0;
  bool m_closing = false;
  bool m_checking = false;
  bool m_downloadPass = false;
  RenameFile m_renameFile = SystemRename;
};

}  // namespace verscout
