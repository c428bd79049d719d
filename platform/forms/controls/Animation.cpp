#include "forms/controls/Animation.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

#include "forms/controls/AnimationClip.h"
#include "gdi/Gdi.h"
#include "win/Modules.h"
#include "win/Timer.h"
#include "win/Window.h"

namespace forms {

namespace {

constexpr win::UINT_PTR kFrameTimer = 1;
constexpr uint64_t kMaxFileBytes = 256ull << 20;

// What one animation window holds: the open clip as one bitmap per frame,
// and where playing stands.
struct Player {
  std::vector<gdi::OwnedBitmap> frames;
  int width = 0;
  int height = 0;
  uint32_t frameMs = 0;
  int current = 0;
  int first = 0;
  int last = 0;
  int32_t playsLeft = 0;  // -1: endless
  bool playing = false;
};

Player* PlayerOf(win::HWND hWnd) { return reinterpret_cast<Player*>(win::GetWindowLongA(hWnd, win::GWL_USERDATA)); }

uint32_t StyleOf(win::HWND hWnd) { return static_cast<uint32_t>(win::GetWindowLongA(hWnd, win::GWL_STYLE)); }

std::optional<std::vector<uint8_t>> ReadFileBytes(const char* path) {
  std::error_code error;
  const auto size = std::filesystem::file_size(path, error);
  if (error || size > kMaxFileBytes) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

// The bytes ACM_OPEN names; nothing when they cannot be had.
std::optional<std::vector<uint8_t>> ClipBytes(win::WPARAM wParam, win::LPARAM lParam) {
  if (lParam > 0 && lParam < 0x10000) {
    const win::HINSTANCE module =
        wParam != 0 ? static_cast<win::HINSTANCE>(static_cast<int32_t>(wParam)) : win::GetModuleHandleA();
    const std::vector<uint8_t>* bytes = win::FindResourceBytes(module, kAviResourceType, static_cast<int32_t>(lParam));
    if (!bytes) return std::nullopt;
    return *bytes;
  }
  // Resources by name are not kept; a path names a file.
  if (wParam != 0) return std::nullopt;
  return ReadFileBytes(reinterpret_cast<const char*>(lParam));
}

// The window is drawn by whoever paints its top-level window (through
// WM_PRINTCLIENT), so a new frame repaints that window too. A hidden
// window shows no frame: its clip plays on without repainting anything,
// and showing it again repaints it.
void Repaint(win::HWND hWnd) {
  if (!win::IsWindowVisible(hWnd)) return;
  win::InvalidateRect(hWnd, nullptr, win::FALSE);
  win::HWND top = hWnd;
  while ((win::GetWindowLongA(top, win::GWL_STYLE) & win::WS_CHILD) != 0 && win::GetParent(top) != win::kNoWindow) {
    top = win::GetParent(top);
  }
  if (top != hWnd) win::InvalidateRect(top, nullptr, win::FALSE);
}

void Stop(win::HWND hWnd, Player& p) {
  win::KillTimer(hWnd, kFrameTimer);
  p.playing = false;
}

win::BOOL Play(win::HWND hWnd, Player& p, int32_t plays, int first, int last) {
  if (p.frames.empty()) return win::FALSE;
  const int lastFrame = static_cast<int>(p.frames.size()) - 1;
  if (last == 0xFFFF || last > lastFrame) last = lastFrame;
  if (first > last) return win::FALSE;
  Stop(hWnd, p);
  p.first = first;
  p.last = last;
  p.current = first;
  p.playsLeft = plays < 0 ? -1 : std::max(plays, 1);
  Repaint(hWnd);
  if (first < last) {
    p.playing = true;
    win::SetTimer(hWnd, kFrameTimer, std::max<uint32_t>(p.frameMs, 1), nullptr);
  }
  return win::TRUE;
}

void NextFrame(win::HWND hWnd, Player& p) {
  if (!p.playing) return;
  if (p.current < p.last) {
    ++p.current;
  } else if (p.playsLeft == -1 || --p.playsLeft > 0) {
    p.current = p.first;
  } else {
    Stop(hWnd, p);
    return;
  }
  Repaint(hWnd);
  if (p.current == p.last && p.playsLeft == 1) Stop(hWnd, p);
}

void Close(win::HWND hWnd, Player& p) {
  Stop(hWnd, p);
  p = Player{};
  Repaint(hWnd);
}

win::BOOL Open(win::HWND hWnd, Player& p, win::WPARAM wParam, win::LPARAM lParam) {
  Close(hWnd, p);
  if (lParam == 0) return win::TRUE;
  const std::optional<std::vector<uint8_t>> bytes = ClipBytes(wParam, lParam);
  if (!bytes) return win::FALSE;
  const std::optional<AnimationClip> clip = ReadAviClip(*bytes);
  if (!clip) return win::FALSE;
  for (const std::vector<uint8_t>& rows : clip->frames) {
    gdi::OwnedBitmap frame(gdi::CreateCompatibleBitmap(gdi::HDC{}, clip->Width(), clip->Height()));
    gdi::SetDIBits(gdi::HDC{}, frame.Get(), 0, static_cast<uint32_t>(clip->Height()), rows, clip->format);
    p.frames.push_back(std::move(frame));
  }
  p.width = clip->Width();
  p.height = clip->Height();
  p.frameMs = (clip->microSecPerFrame + 500) / 1000;
  const uint32_t style = StyleOf(hWnd);
  if ((style & ACS_CENTER) == 0) {
    win::SetWindowPos(hWnd, win::HWND_TOP, 0, 0, p.width, p.height,
                      win::SWP_NOMOVE | win::SWP_NOZORDER | win::SWP_NOACTIVATE);
  }
  if (style & ACS_AUTOPLAY) {
    Play(hWnd, p, -1, 0, 0xFFFF);
  } else {
    Repaint(hWnd);
  }
  return win::TRUE;
}

void PrintClient(win::HWND hWnd, const Player& p, gdi::HDC hdc) {
  win::RECT client;
  win::GetClientRect(hWnd, &client);
  const uint32_t style = StyleOf(hWnd);
  const bool transparent = (style & ACS_TRANSPARENT) != 0;
  if (!transparent) {
    gdi::OwnedBrush face(gdi::CreateSolidBrush(gdi::GetSysColor(gdi::COLOR_BTNFACE)));
    gdi::FillRect(hdc, client, face.Get());
  }
  if (p.frames.empty()) return;
  int x = 0, y = 0;
  if (style & ACS_CENTER) {
    x = (client.right - p.width) / 2;
    y = (client.bottom - p.height) / 2;
  }
  gdi::OwnedDC source(gdi::CreateCompatibleDC());
  gdi::ScopedSelect<gdi::HBITMAP> select(source.Get(), p.frames[static_cast<size_t>(p.current)].Get());
  if (transparent) {
    gdi::OwnedDC first(gdi::CreateCompatibleDC());
    gdi::ScopedSelect<gdi::HBITMAP> selectFirst(first.Get(), p.frames.front().Get());
    const gdi::COLORREF key = gdi::GetPixel(first.Get(), 0, 0);
    gdi::TransparentBlt(hdc, x, y, p.width, p.height, source.Get(), 0, 0, p.width, p.height, key);
  } else {
    gdi::BitBlt(hdc, x, y, p.width, p.height, source.Get(), 0, 0, gdi::SRCCOPY);
  }
}

win::LRESULT AnimationProc(win::HWND hWnd, uint32_t msg, win::WPARAM wParam, win::LPARAM lParam) {
  if (msg == win::WM_NCCREATE) {
    // The window owns its player from here until WM_NCDESTROY.
    win::SetWindowLongA(hWnd, win::GWL_USERDATA, reinterpret_cast<win::LONG_PTR>(std::make_unique<Player>().release()));
    return win::TRUE;
  }
  if (msg == win::WM_NCDESTROY) {
    std::unique_ptr<Player> owned(PlayerOf(hWnd));
    win::SetWindowLongA(hWnd, win::GWL_USERDATA, 0);
    if (owned) Stop(hWnd, *owned);
    return 0;
  }
  Player* p = PlayerOf(hWnd);
  if (!p) return win::DefWindowProcA(hWnd, msg, wParam, lParam);
  switch (msg) {
    case ACM_OPENA:
      return Open(hWnd, *p, wParam, lParam);
    case ACM_PLAY:
      return Play(hWnd, *p, static_cast<int32_t>(wParam), win::LOWORD(static_cast<uintptr_t>(lParam)),
                  win::HIWORD(static_cast<uintptr_t>(lParam)));
    case ACM_STOP:
      Stop(hWnd, *p);
      return win::TRUE;
    case ACM_ISPLAYING:
      return p->playing ? win::TRUE : win::FALSE;
    case win::WM_TIMER:
      if (wParam == kFrameTimer) NextFrame(hWnd, *p);
      return 0;
    case WM_PRINTCLIENT:
      PrintClient(hWnd, *p, gdi::HDC{static_cast<int32_t>(wParam)});
      return 0;
    default:
      return win::DefWindowProcA(hWnd, msg, wParam, lParam);
  }
}

}  // namespace

win::BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  if (!init || init->dwSize != sizeof(INITCOMMONCONTROLSEX)) return win::FALSE;
  if (init->dwICC & ICC_ANIMATE_CLASS) {
    static const bool registered = [] {
      win::WNDCLASSA wc;
      wc.lpfnWndProc = &AnimationProc;
      wc.lpszClassName = ANIMATE_CLASSA;
      return win::RegisterClassA(wc) != 0;
    }();
    (void)registered;
  }
  return win::TRUE;
}

}  // namespace forms
