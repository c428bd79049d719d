#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "cAnimControl.h"
#include "forms/App.h"
#include "forms/controls/Animation.h"
#include "gdi/Gdi.h"
#include "runtime/Clock.h"
#include "runtime/Error.h"
#include "runtime/TestRenders.h"
#include "win/MessageQueue.h"
#include "win/Window.h"

namespace verscout {
namespace {

const std::string kClip = std::string(QV_SOURCE_DIR) + "/updater/res/livupd";

// A host with a window of 120 x 50 pixels, as the update window's picture.
class Host : public com::Dispatch {
 public:
  Host() {
    m_hwnd = win::CreateWindowExA(0, "STATIC", "", win::WS_VISIBLE, 0, 0, 120, 50, win::kNoWindow);
    DefineReadOnly("hWnd", [this] { return rt::Variant(win::ToInt(m_hwnd)); });
  }
  ~Host() override { win::DestroyWindow(m_hwnd); }
  win::HWND m_hwnd;
};

// The messages the animation window received, recorded in front of its
// own procedure.
std::vector<std::pair<uint32_t, std::pair<win::WPARAM, win::LPARAM>>> received;
win::LONG_PTR animationProc = 0;
win::LRESULT Recorder(win::HWND h, uint32_t msg, win::WPARAM w, win::LPARAM l) {
  if (msg == forms::ACM_PLAY || msg == forms::ACM_STOP) received.push_back({msg, {w, l}});
  return win::CallWindowProcA(animationProc, h, msg, w, l);
}

class cAnimControlTest : public ::testing::Test {
 protected:
  cAnimControlTest() {
    forms::App().EXEName = "Verscout";
    rt::Err().Clear();
    received.clear();
  }
  ~cAnimControlTest() override { forms::App().EXEName.clear(); }
  static bool Playing(const cAnimControl& a) {
    return win::SendMessageA(a.hwnd(), forms::ACM_ISPLAYING, 0, 0) != win::FALSE;
  }

  rt::ManualClock clock;
  rt::ScopedClock scopedClock{clock};
  std::shared_ptr<Host> host = std::make_shared<Host>();
};

TEST_F(cAnimControlTest, AClipNamedBeforeTheOwnerOpensAndPlaysWhenTheOwnerComes) {
  cAnimControl anim;
  anim.Filename(kClip);
  anim.AutoPlay(true);
  anim.Transparent(true);
  EXPECT_EQ(anim.hwnd(), win::kNoWindow);

  anim.Owner(host);
  ASSERT_NE(anim.hwnd(), win::kNoWindow);
  EXPECT_EQ(rt::Err().Number(), 0);
  EXPECT_EQ(win::GetParent(anim.hwnd()), host->m_hwnd);
  EXPECT_EQ(win::GetClassNameA(anim.hwnd()), "SysAnimate32");
  EXPECT_EQ(anim.Width(), 96);
  EXPECT_EQ(anim.Height(), 40);
  win::RECT fitted;
  win::GetWindowRect(anim.hwnd(), &fitted);
  EXPECT_EQ(fitted.right - fitted.left, 120);
  EXPECT_EQ(fitted.bottom - fitted.top, 50);
  EXPECT_TRUE(Playing(anim));
  EXPECT_EQ(anim.Owner(), host);
}

TEST_F(cAnimControlTest, PlayAndStopReachTheWindowOnlyWhileAClipIsOpen) {
  cAnimControl anim;
  anim.Owner(host);
  animationProc = win::SetWindowLongA(anim.hwnd(), win::GWL_WNDPROC, win::ProcToLong(&Recorder));
  anim.StartPlay(0, -1, -1);
  anim.StopPlay();
  EXPECT_TRUE(received.empty());

  anim.Filename(kClip);
  received.clear();  // the clip was closed first, which stops nothing
  anim.StartPlay(0, -1, -1);
  EXPECT_TRUE(Playing(anim));
  anim.StopPlay();
  EXPECT_FALSE(Playing(anim));
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(received[0].first, forms::ACM_PLAY);
  EXPECT_EQ(received[0].second.first, static_cast<win::WPARAM>(-1));
  EXPECT_EQ(static_cast<uint32_t>(received[0].second.second), 0xFFFF0000u);
  EXPECT_EQ(received[1].first, forms::ACM_STOP);
}

TEST_F(cAnimControlTest, ClipsThatCannotBeOpenedAreRecordedNotRaised) {
  struct Case {
    const char* what;
    void (*name)(cAnimControl&);
    int32_t number;
    const char* description;
  };
  const Case cases[] = {
      {"missing file", [](cAnimControl& a) { a.Filename("/nowhere/livupd"); }, 45002,
       "Failed to open the file '/nowhere/livupd'"},
      {"missing resource", [](cAnimControl& a) { a.ResourceId(99); }, 45002,
       "Failed to open the AVI from the resource 99"},
      {"missing library",
       [](cAnimControl& a) {
         a.ResourceId(99);
         a.ResourceFileName("noclips.dll");
       },
       45003, "Failed to load the resource library 'noclips.dll'"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    rt::Err().Clear();
    cAnimControl anim;
    anim.AutoPlay(true);
    anim.Owner(host);
    c.name(anim);
    EXPECT_EQ(rt::Err().Number(), c.number);
    EXPECT_EQ(rt::Err().Description(), c.description);
    EXPECT_EQ(rt::Err().Source(), "Verscout.cAnimControl");
    EXPECT_NE(anim.hwnd(), win::kNoWindow);
    EXPECT_FALSE(Playing(anim));
  }
}

TEST_F(cAnimControlTest, OwnersWithoutAWindowAreIgnoredOrRefused) {
  cAnimControl anim;
  anim.Owner(host);
  const auto none = std::make_shared<Host>();
  win::DestroyWindow(none->m_hwnd);
  const win::HWND destroyed = none->m_hwnd;
  none->m_hwnd = win::kNoWindow;
  anim.Owner(none);
  EXPECT_EQ(anim.Owner(), host);

  none->m_hwnd = destroyed;  // a handle that names no window any more
  try {
    anim.Owner(none);
    ADD_FAILURE() << "no error raised";
  } catch (const rt::Error& e) {
    EXPECT_EQ(e.Number(), 45001);
    EXPECT_EQ(e.Description(), "Could not create Animation Control.");
    EXPECT_EQ(e.Source(), "Verscout.cAnimControl");
  }
  none->m_hwnd = win::kNoWindow;
}

TEST_F(cAnimControlTest, AStyleChangeMakesANewWindowWithTheClipClosed) {
  cAnimControl anim;
  anim.Filename(kClip);
  anim.AutoPlay(true);
  anim.Owner(host);
  const win::HWND first = anim.hwnd();
  anim.Centre(true);
  EXPECT_FALSE(win::IsWindow(first));
  EXPECT_TRUE(win::IsWindow(anim.hwnd()));
  EXPECT_NE(anim.hwnd(), first);
  EXPECT_FALSE(Playing(anim));
  anim.StartPlay(0, -1, -1);
  EXPECT_FALSE(Playing(anim));
  anim.Filename(kClip);
  EXPECT_TRUE(Playing(anim));
}

// Draws the frames of the update window's clip side by side, on white and
// on the button face, into the build folder to be looked at.
TEST_F(cAnimControlTest, TheUpdateClipPlaysItsFramesInTurn) {
  cAnimControl anim;
  anim.Filename(kClip);
  anim.AutoPlay(true);
  anim.Transparent(true);
  anim.Owner(host);
  ASSERT_TRUE(Playing(anim));
  constexpr int kFrames = 16, kColumns = 8;
  gdi::OwnedDC sheet(gdi::CreateSurfaceDC(kColumns * 100, 4 * 44));
  const gdi::COLORREF backgrounds[] = {gdi::RGB(255, 255, 255), gdi::GetSysColor(gdi::COLOR_BTNFACE)};
  std::vector<std::vector<gdi::COLORREF>> frames;
  for (int i = 0; i < kFrames; ++i) {
    std::vector<gdi::COLORREF> pixels;
    for (int onFace = 0; onFace < 2; ++onFace) {
      gdi::OwnedDC cell(gdi::CreateSurfaceDC(96, 40));
      gdi::OwnedBrush background(gdi::CreateSolidBrush(backgrounds[onFace]));
      gdi::FillRect(cell.Get(), win::RECT{0, 0, 96, 40}, background.Get());
      win::SendMessageA(anim.hwnd(), forms::WM_PRINTCLIENT, static_cast<win::WPARAM>(gdi::ToInt(cell.Get())), 0);
      gdi::BitBlt(sheet.Get(), (i % kColumns) * 100 + 2, (onFace * 2 + i / kColumns) * 44 + 2, 96, 40, cell.Get(), 0, 0,
                  gdi::SRCCOPY);
      for (int y = 0; y < 40; y += 3) {
        for (int x = 0; x < 96; x += 3) pixels.push_back(gdi::GetPixel(cell.Get(), x, y));
      }
      // The clip's background is left out: the corner shows what was there.
      EXPECT_EQ(gdi::GetPixel(cell.Get(), 0, 0), backgrounds[onFace]);
    }
    frames.push_back(pixels);
    clock.Advance(80);
    win::DoEvents();
  }
  gdi::SaveDCToPng(sheet.Get(), rt::TestRenderPath("verscout-livupd.png"));
  for (int i = 1; i < kFrames; ++i) EXPECT_NE(frames[i], frames[i - 1]) << "frame " << i;
}

}  // namespace
}  // namespace verscout
