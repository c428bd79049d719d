#include "win/HeadlessBackend.h"

#include <algorithm>
#include <chrono>
#include <thread>

#include "runtime/Clock.h"

namespace win::detail {

namespace {

// The headless screen answers as a current Windows desktop would: 1920 x
// 1080 pixels at 96 dpi with a 40-pixel task bar at the bottom.
constexpr SIZE kScreen{1920, 1080};
constexpr int kTaskBar = 40;

class HeadlessBackend final : public DisplayBackend {
 public:
  bool HasScreen() const override { return false; }
  void WindowShown(HWND, int) override {}
  void WindowDestroyed(HWND) override {}
  void WindowPlaced(HWND) override {}
  void WindowRestyled(HWND) override {}
  void WindowStacked(HWND, HWND) override {}
  void WindowActivated(HWND) override {}
  bool ActivateWindowOfProcess(int32_t) override { return false; }
  void BeginMoveDrag(HWND) override {}
  void Present(HWND, const uint32_t*, int, int) override {}
  bool ReadBack(HWND, std::vector<uint32_t>&, int&, int&) override { return false; }
  bool ProcessPending() override { return false; }

  // Only a timer on the system clock, which moves by itself, can come due
  // without anybody's help; the wait ends at the latest after 100 ms so
  // that a timer set meanwhile is not missed.
  bool Wait(std::optional<int64_t> timerDueMs, const std::function<bool()>& idle) override {
    if (timerDueMs && dynamic_cast<rt::SystemClock*>(&rt::CurrentClock())) {
      const int64_t wait = std::clamp<int64_t>(*timerDueMs - rt::CurrentClock().TickMs(), 0, 100);
      std::this_thread::sleep_for(std::chrono::milliseconds(wait));
      return true;
    }
    return idle && idle();
  }

  std::vector<Monitor> Monitors() override {
    return {Monitor{RECT{0, 0, kScreen.cx, kScreen.cy}, RECT{0, 0, kScreen.cx, kScreen.cy - kTaskBar}}};
  }
  int Dpi() override { return 96; }

  void SetClipboardText(std::optional<std::string> text) override { m_clipboard = std::move(text); }
  std::optional<std::string> ClipboardText() override { return m_clipboard; }

 private:
  std::optional<std::string> m_clipboard;
};

}  // namespace

std::unique_ptr<DisplayBackend> CreateHeadlessBackend() { return std::make_unique<HeadlessBackend>(); }

}  // namespace win::detail
