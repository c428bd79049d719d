#include "cAnimControl.h"

#include "forms/App.h"
#include "forms/controls/Animation.h"
#include "runtime/Error.h"
#include "win/Window.h"

namespace verscout {

cAnimControl::~cAnimControl() { DestroyAnimWindow(); }

std::string cAnimControl::ErrorSource() const { return forms::App().EXEName + ".cAnimControl"; }

win::HWND cAnimControl::OwnerWindow() const {
  if (!m_owner) return win::kNoWindow;
  return win::ToHwnd(m_owner->Get("hwnd").ToLong());
}

void cAnimControl::StartPlay(int32_t From, int32_t To_, int32_t Repeat) {
  if (!m_opened) return;
  win::SendMessageA(m_hwnd, forms::ACM_PLAY, static_cast<win::WPARAM>(Repeat), win::MAKELPARAM(From, To_));
}

void cAnimControl::StopPlay() {
  if (!m_opened) return;
  win::SendMessageA(m_hwnd, forms::ACM_STOP, 0, 0);
}

void cAnimControl::Filename(const std::string& sFile) {
  CloseAvi();
  m_resourceId = 0;
  m_resourceFileName.clear();
  m_filename = sFile;
  OpenAvi();
}

void cAnimControl::ResourceId(int32_t lId) {
  CloseAvi();
  m_filename.clear();
  m_resourceId = lId;
  OpenAvi();
}

void cAnimControl::ResourceFileName(const std::string& sFileName) {
  CloseAvi();
  m_filename.clear();
  m_resourceFileName = sFileName;
  OpenAvi();
}

void cAnimControl::Owner(const com::DispatchPtr& oFormOrControl) { AttachOwner(oFormOrControl); }

void cAnimControl::ChangeStyle(bool& style, bool bState) {
  if (style == bState) return;
  style = bState;
  if (m_hwnd != win::kNoWindow) CreateAnimWindow();
}

void cAnimControl::Transparent(bool bState) { ChangeStyle(m_transparent, bState); }
void cAnimControl::Centre(bool bState) { ChangeStyle(m_centre, bState); }
void cAnimControl::AutoPlay(bool bState) { ChangeStyle(m_autoPlay, bState); }

void cAnimControl::AttachOwner(const com::DispatchPtr& owner) {
  if (!owner || owner->Get("hwnd").ToLong() == 0) return;
  m_owner = owner;
  if (!CreateAnimWindow()) rt::Raise(45001, ErrorSource(), "Could not create Animation Control.");
  OpenAvi();
}

bool cAnimControl::CreateAnimWindow() {
  if (m_hwnd != win::kNoWindow) DestroyAnimWindow();
  if (!InitAnimateClass()) return false;
  uint32_t style = win::WS_CHILD | win::WS_VISIBLE;
  if (m_autoPlay) style |= forms::ACS_AUTOPLAY;
  if (m_transparent) style |= forms::ACS_TRANSPARENT;
  if (m_centre) style |= forms::ACS_CENTER;
  const win::HWND owner = OwnerWindow();
  m_hwnd = win::CreateWindowExA(0, forms::ANIMATE_CLASSA, "", style, 0, 0, 0, 0, owner);
  if (m_hwnd == win::kNoWindow) return false;
  win::SetParent(m_hwnd, owner);
  FitToOwner();
  return true;
}

void cAnimControl::OpenAvi() {
  if (m_hwnd == win::kNoWindow) return;
  const auto record = [this](const std::string& description) {
    rt::Err().Set(rt::Error(45002, description, ErrorSource()));
  };
  if (m_resourceId != 0) {
    win::HINSTANCE module = win::GetModuleHandleA();
    if (!m_resourceFileName.empty()) {
      m_library = win::LoadLibraryExA(m_resourceFileName, 0);
      if (m_library == win::kNoModule) {
        rt::Err().Set(
            rt::Error(45003, "Failed to load the resource library '" + m_resourceFileName + "'", ErrorSource()));
        return;
      }
      module = m_library;
    }
    if (win::SendMessageA(m_hwnd, forms::ACM_OPENA, static_cast<win::WPARAM>(module), m_resourceId) == 0) {
      record("Failed to open the AVI from the resource " + std::to_string(m_resourceId));
      return;
    }
  } else {
    if (m_filename.empty()) return;
    if (win::SendMessageA(m_hwnd, forms::ACM_OPENA, 0, reinterpret_cast<win::LPARAM>(m_filename.c_str())) == 0) {
      record("Failed to open the file '" + m_filename + "'");
      return;
    }
  }
  win::ShowWindow(m_hwnd, win::SW_SHOW);
  // Measured before fitting: the size the window took for the clip.
  win::GetWindowRect(m_hwnd, &m_clip);
  FitToOwner();
  m_opened = true;
}

void cAnimControl::CloseAvi() {
  if (m_hwnd != win::kNoWindow) {
    StopPlay();
    win::SendMessageA(m_hwnd, forms::ACM_OPENA, 0, 0);
    win::ShowWindow(m_hwnd, win::SW_HIDE);
  }
  if (m_library != win::kNoModule) {
    win::FreeLibrary(m_library);
    m_library = win::kNoModule;
  }
  m_opened = false;
}

void cAnimControl::DestroyAnimWindow() {
  if (m_hwnd == win::kNoWindow) return;
  CloseAvi();
  win::ShowWindow(m_hwnd, win::SW_HIDE);
  win::SetParent(m_hwnd, win::kNoWindow);
  win::DestroyWindow(m_hwnd);
  m_hwnd = win::kNoWindow;
}

void cAnimControl::FitToOwner() {
  win::RECT client;
  win::GetClientRect(OwnerWindow(), &client);
  win::MoveWindow(m_hwnd, client.left, client.top, client.right - client.left, client.bottom - client.top, win::TRUE);
}

bool cAnimControl::InitAnimateClass() {
  if (!m_classesReady) {
    forms::INITCOMMONCONTROLSEX init;
    init.dwICC = forms::ICC_ANIMATE_CLASS;
    m_classesReady = forms::InitCommonControlsEx(&init) != win::FALSE;
  }
  return m_classesReady;
}

}  // namespace verscout
