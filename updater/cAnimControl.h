// Plays a silent AVI clip inside another window: makes the platform's
// animation window ("SysAnimate32") a child of its owner, fitted to the
// owner's client area, and opens the clip from a file or from a resource
// of the program or of a resource library. Failing to make the window is
// raised (45001); failing to open a clip is only recorded in Err (45002,
// 45003) and the clip stays closed.
#pragma once

#include <cstdint>
#include <string>

#include "com/Dispatch.h"
#include "win/Modules.h"
#include "win/Types.h"

namespace verscout {

class cAnimControl {
 public:
  cAnimControl() = default;
  ~cAnimControl();
  cAnimControl(const cAnimControl&) = delete;
  cAnimControl& operator=(const cAnimControl&) = delete;

  // Plays frames From to To_ (low 16 bits each) Repeat times; only while a
  // clip is open.
  void StartPlay(int32_t From, int32_t To_, int32_t Repeat);
  void StopPlay();

  // Each clip property closes the clip, clears the other ways of naming
  // one, stores the value and opens the clip.
  const std::string& Filename() const { return m_filename; }
  void Filename(const std::string& sFile);
  int32_t ResourceId() const { return m_resourceId; }
  void ResourceId(int32_t lId);
  const std::string& ResourceFileName() const { return m_resourceFileName; }
  void ResourceFileName(const std::string& sFileName);

  // The form or control (with a hwnd property) the clip plays in. One whose
  // hwnd is 0 is ignored.
  const com::DispatchPtr& Owner() const { return m_owner; }
  void Owner(const com::DispatchPtr& oFormOrControl);

  // Window styles; a change makes the window again (with the clip closed).
  bool Transparent() const { return m_transparent; }
  void Transparent(bool bState);
  bool Centre() const { return m_centre; }
  void Centre(bool bState);
  bool AutoPlay() const { return m_autoPlay; }
  void AutoPlay(bool bState);

  // The size the window took for the clip when it was opened, in pixels.
  int32_t Width() const { return m_clip.right - m_clip.left; }
  int32_t Height() const { return m_clip.bottom - m_clip.top; }
  win::HWND hwnd() const { return m_hwnd; }

 private:
  void OpenAvi();
  void CloseAvi();
  void AttachOwner(const com::DispatchPtr& owner);
  bool CreateAnimWindow();
  void DestroyAnimWindow();
  void FitToOwner();
  bool InitAnimateClass();
  void ChangeStyle(bool& style, bool bState);
  win::HWND OwnerWindow() const;
  std::string ErrorSource() const;

  bool m_autoPlay = false;
  std::string m_filename;
  std::string m_resourceFileName;
  int32_t m_resourceId = 0;
  bool m_opened = false;
  win::HINSTANCE m_library = win::kNoModule;
  win::HWND m_hwnd = win::kNoWindow;
  bool m_classesReady = false;
  com::DispatchPtr m_owner;
  bool m_transparent = false;
  bool m_centre = false;
  win::RECT m_clip;
};

}  // namespace verscout
