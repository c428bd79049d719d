#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "AviBytes.h"
#include "forms/controls/Animation.h"
#include "forms/controls/AnimationClip.h"
#include "gdi/Gdi.h"
#include "runtime/Clock.h"
#include "win/MessageQueue.h"
#include "win/Modules.h"
#include "win/Window.h"

namespace {

using avitest::Video;
using forms::AnimationClip;
using forms::ReadAviClip;

constexpr uint32_t kRed = 0xFF0000, kGreen = 0x00FF00, kBlue = 0x0000FF, kKey = 0xFF00FF;

// A colour as 0xRRGGBB.
uint32_t Rgb(gdi::COLORREF c) {
  return (uint32_t{gdi::GetRValue(c)} << 16) | (uint32_t{gdi::GetGValue(c)} << 8) | gdi::GetBValue(c);
}

// The colour of pixel (x, y) of an uncompressed frame.
uint32_t FramePixel(const AnimationClip& clip, size_t frame, int x, int y) {
  gdi::OwnedBitmap bitmap(gdi::CreateCompatibleBitmap(gdi::HDC{}, clip.Width(), clip.Height()));
  gdi::SetDIBits(gdi::HDC{}, bitmap.Get(), 0, static_cast<uint32_t>(clip.Height()), clip.frames[frame], clip.format);
  gdi::OwnedDC dc(gdi::CreateCompatibleDC());
  gdi::ScopedSelect<gdi::HBITMAP> select(dc.Get(), bitmap.Get());
  return Rgb(gdi::GetPixel(dc.Get(), x, y));
}

std::vector<uint32_t> Row(const AnimationClip& clip, size_t frame, int y) {
  std::vector<uint32_t> row;
  for (int x = 0; x < clip.Width(); ++x) row.push_back(FramePixel(clip, frame, x, y));
  return row;
}

Video EightBit(std::vector<std::vector<uint8_t>> frames) {
  Video v;
  v.palette = {kRed, kGreen, kBlue};
  v.frames = std::move(frames);
  return v;
}

TEST(AnimationClipTest, ReadsUncompressedFramesOfEachDepth) {
  // 8 bits, bottom row stored first.
  std::optional<AnimationClip> clip = ReadAviClip(avitest::Build(EightBit({{0, 1, 2, 0, 1, 1, 1, 1}})));
  ASSERT_TRUE(clip);
  EXPECT_EQ(clip->Width(), 4);
  EXPECT_EQ(clip->Height(), 2);
  EXPECT_EQ(clip->microSecPerFrame, 100000u);
  EXPECT_EQ(Row(*clip, 0, 0), (std::vector<uint32_t>{kGreen, kGreen, kGreen, kGreen}));
  EXPECT_EQ(Row(*clip, 0, 1), (std::vector<uint32_t>{kRed, kGreen, kBlue, kRed}));

  // 24 bits stored top row first (negative height), rows padded to four bytes.
  Video v24;
  v24.width = 2;
  v24.height = -2;
  v24.bitCount = 24;
  v24.frames = {{0, 0, 255, 255, 0, 0, 9, 9, 0, 255, 0, 0, 0, 0, 9, 9}};
  clip = ReadAviClip(avitest::Build(v24));
  ASSERT_TRUE(clip);
  EXPECT_EQ(Row(*clip, 0, 0), (std::vector<uint32_t>{kRed, kBlue}));
  EXPECT_EQ(Row(*clip, 0, 1), (std::vector<uint32_t>{kGreen, 0u}));

  // The video stream need not be the first one.
  Video afterSound = EightBit({{2, 2, 2, 2, 0, 0, 0, 0}});
  afterSound.audioFirst = true;
  clip = ReadAviClip(avitest::Build(afterSound));
  ASSERT_TRUE(clip);
  ASSERT_EQ(clip->frames.size(), 1u);
  EXPECT_EQ(Row(*clip, 0, 0), (std::vector<uint32_t>{kRed, kRed, kRed, kRed}));
}

TEST(AnimationClipTest, RunLengthFramesBuildOnThePreviousOne) {
  Video v = EightBit({
      // Runs: bottom row green, top row blue.
      {4, 1, 0, 0, 4, 2, 0, 1},
      // A skip of one pixel, one red pixel, then the end: the rest stays.
      {0, 2, 1, 0, 1, 0, 0, 1},
      // Literal pixels (three, padded to an even count), an empty chunk.
      {0, 3, 0, 2, 0, 0, 0, 0, 0, 1},
      {},
  });
  v.compression = "RLE8";
  std::optional<AnimationClip> clip = ReadAviClip(avitest::Build(v));
  ASSERT_TRUE(clip);
  ASSERT_EQ(clip->frames.size(), 4u);
  EXPECT_EQ(Row(*clip, 0, 1), (std::vector<uint32_t>{kGreen, kGreen, kGreen, kGreen}));
  EXPECT_EQ(Row(*clip, 0, 0), (std::vector<uint32_t>{kBlue, kBlue, kBlue, kBlue}));
  EXPECT_EQ(Row(*clip, 1, 1), (std::vector<uint32_t>{kGreen, kRed, kGreen, kGreen}));
  EXPECT_EQ(Row(*clip, 1, 0), (std::vector<uint32_t>{kBlue, kBlue, kBlue, kBlue}));
  EXPECT_EQ(Row(*clip, 2, 1), (std::vector<uint32_t>{kRed, kBlue, kRed, kGreen}));
  EXPECT_EQ(clip->frames[3], clip->frames[2]);
}

TEST(AnimationClipTest, RefusesWhatIsNoPlayableClip) {
  const std::vector<uint8_t> good = avitest::Build(EightBit({{0, 1, 2, 0, 1, 1, 1, 1}}));
  Video compressed = EightBit({{0}});
  compressed.compression = "MJPG";
  Video shortFrame = EightBit({{0, 1, 2}});
  Video noWidth = EightBit({{}});
  noWidth.width = 0;
  Video noFrames = EightBit({});
  Video rleTopDown = EightBit({{0, 1}});
  rleTopDown.compression = "RLE8";
  rleTopDown.height = -2;
  Video wide = EightBit({{0}});
  wide.width = 100000;
  std::vector<uint8_t> notAvi = good;
  notAvi[8] = 'W';
  const std::vector<std::pair<const char*, std::vector<uint8_t>>> cases = {
      {"empty", {}},
      {"not an AVI", notAvi},
      {"cut in the header", std::vector<uint8_t>(good.begin(), good.begin() + 100)},
      {"cut in the frame", std::vector<uint8_t>(good.begin(), good.end() - 4)},
      {"other compression", avitest::Build(compressed)},
      {"frame too short", avitest::Build(shortFrame)},
      {"no width", avitest::Build(noWidth)},
      {"no frames", avitest::Build(noFrames)},
      {"run-length top-down", avitest::Build(rleTopDown)},
      {"too wide", avitest::Build(wide)},
  };
  for (const auto& [what, bytes] : cases) {
    SCOPED_TRACE(what);
    EXPECT_FALSE(ReadAviClip(bytes));
  }
}

// An animation window in a 20 x 10 parent, clips of three one-colour
// frames (red, green, blue) of 4 x 2 pixels at 100 ms a frame.
class AnimationWindowTest : public ::testing::Test {
 protected:
  AnimationWindowTest() {
    forms::INITCOMMONCONTROLSEX init;
    init.dwICC = forms::ICC_ANIMATE_CLASS;
    EXPECT_EQ(forms::InitCommonControlsEx(&init), win::TRUE);
    parent = win::CreateWindowExA(0, "STATIC", "", win::WS_VISIBLE, 0, 0, 20, 10, win::kNoWindow);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(clip.data()), static_cast<std::streamsize>(clip.size()));
  }
  ~AnimationWindowTest() override {
    win::DestroyWindow(parent);
    std::filesystem::remove(file);
  }
  win::HWND Create(uint32_t style, int width = 0, int height = 0) {
    return win::CreateWindowExA(0, forms::ANIMATE_CLASSA, "", win::WS_CHILD | win::WS_VISIBLE | style, 0, 0, width,
                                height, parent);
  }
  static win::LRESULT Send(win::HWND h, uint32_t msg, win::WPARAM w = 0, win::LPARAM l = 0) {
    return win::SendMessageA(h, msg, w, l);
  }
  win::LRESULT OpenFile(win::HWND h, const std::string& path) {
    return Send(h, forms::ACM_OPENA, 0, reinterpret_cast<win::LPARAM>(path.c_str()));
  }
  // The window drawn over a white background; the colour at (x, y).
  static uint32_t Shown(win::HWND h, int x = 0, int y = 0) {
    gdi::OwnedDC dc(gdi::CreateSurfaceDC(20, 10));
    Send(h, forms::WM_PRINTCLIENT, static_cast<win::WPARAM>(gdi::ToInt(dc.Get())));
    return Rgb(gdi::GetPixel(dc.Get(), x, y));
  }
  void Elapse(int ms) {
    clock.Advance(ms);
    win::DoEvents();
  }

  static std::vector<uint8_t> ThreeColours() {
    Video v = EightBit({std::vector<uint8_t>(8, 0), std::vector<uint8_t>(8, 1), std::vector<uint8_t>(8, 2)});
    return avitest::Build(v);
  }

  rt::ManualClock clock;
  rt::ScopedClock scopedClock{clock};
  win::HWND parent;
  std::vector<uint8_t> clip = ThreeColours();
  std::string file = (std::filesystem::temp_directory_path() / ("qv-anim-" + std::to_string(::getpid()))).string();
};

TEST_F(AnimationWindowTest, AnOpenedClipSizesTheWindowAndAutoPlaysAtItsFrameRate) {
  const win::HWND anim = Create(forms::ACS_AUTOPLAY);
  ASSERT_NE(anim, win::kNoWindow);
  EXPECT_EQ(OpenFile(anim, file), win::TRUE);
  win::RECT r;
  win::GetClientRect(anim, &r);
  EXPECT_EQ(r.right, 4);
  EXPECT_EQ(r.bottom, 2);
  EXPECT_EQ(Send(anim, forms::ACM_ISPLAYING), win::TRUE);

  std::vector<uint32_t> shown{Shown(anim)};
  Elapse(99);
  shown.push_back(Shown(anim));
  for (int i = 0; i < 3; ++i) {
    Elapse(i == 0 ? 1 : 100);
    shown.push_back(Shown(anim));
  }
  EXPECT_EQ(shown, (std::vector<uint32_t>{kRed, kRed, kGreen, kBlue, kRed}));

  EXPECT_EQ(Send(anim, forms::ACM_STOP), win::TRUE);
  Elapse(100);
  EXPECT_EQ(Shown(anim), kRed);
  EXPECT_EQ(Send(anim, forms::ACM_ISPLAYING), win::FALSE);
}

TEST_F(AnimationWindowTest, AHiddenAnimationPlaysOnWithoutRepaintingItsWindow) {
  static int paints = 0;
  win::SetWindowLongA(parent, win::GWL_WNDPROC,
                      reinterpret_cast<win::LONG_PTR>(+[](win::HWND h, uint32_t m, win::WPARAM w, win::LPARAM l) {
                        if (m == win::WM_PAINT) ++paints;
                        return win::DefWindowProcA(h, m, w, l);
                      }));
  const win::HWND anim = Create(forms::ACS_AUTOPLAY);
  ASSERT_EQ(OpenFile(anim, file), win::TRUE);
  Elapse(100);
  EXPECT_EQ(Shown(anim), kGreen);
  win::ShowWindow(parent, win::SW_HIDE);
  win::DoEvents();  // the paint the last frame asked for
  paints = 0;
  Elapse(100);
  Elapse(100);
  EXPECT_EQ(paints, 0);
  EXPECT_EQ(Shown(anim), kRed);
  // Shown again, it is repainted.
  win::ShowWindow(parent, win::SW_SHOW);
  win::DoEvents();
  EXPECT_EQ(paints, 1);
}

TEST_F(AnimationWindowTest, PlayRunsARangeAsOftenAsAskedAndStopsOnItsLastFrame) {
  const win::HWND anim = Create(0);
  EXPECT_EQ(Send(anim, forms::ACM_PLAY, static_cast<win::WPARAM>(-1), win::MAKELPARAM(0, -1)), win::FALSE);
  ASSERT_EQ(OpenFile(anim, file), win::TRUE);
  EXPECT_EQ(Send(anim, forms::ACM_ISPLAYING), win::FALSE);
  EXPECT_EQ(Shown(anim), kRed);

  ASSERT_EQ(Send(anim, forms::ACM_PLAY, 2, win::MAKELPARAM(1, 0xFFFF)), win::TRUE);
  std::vector<uint32_t> shown{Shown(anim)};
  for (int i = 0; i < 4; ++i) {
    Elapse(100);
    shown.push_back(Shown(anim));
  }
  EXPECT_EQ(shown, (std::vector<uint32_t>{kGreen, kBlue, kGreen, kBlue, kBlue}));
  EXPECT_EQ(Send(anim, forms::ACM_ISPLAYING), win::FALSE);

  EXPECT_EQ(Send(anim, forms::ACM_PLAY, 1, win::MAKELPARAM(3, 0xFFFF)), win::FALSE);
  // One frame: shown, nothing plays.
  EXPECT_EQ(Send(anim, forms::ACM_PLAY, 1, win::MAKELPARAM(1, 1)), win::TRUE);
  EXPECT_EQ(Shown(anim), kGreen);
  EXPECT_EQ(Send(anim, forms::ACM_ISPLAYING), win::FALSE);
}

TEST_F(AnimationWindowTest, ClipsComeFromFilesOrFromModuleResources) {
  const win::HWND anim = Create(0);
  std::ofstream(file + "-bad") << "RIFF and nothing else";
  EXPECT_EQ(OpenFile(anim, file + "-missing"), win::FALSE);
  EXPECT_EQ(OpenFile(anim, file + "-bad"), win::FALSE);
  std::filesystem::remove(file + "-bad");

  win::AddResource(win::GetModuleHandleA(), "AVI", 301, clip);
  const win::HINSTANCE library = win::RegisterModule("animclips.dll");
  win::AddResource(library, "avi", 7, ThreeColours());
  EXPECT_EQ(Send(anim, forms::ACM_OPENA, 0, 301), win::TRUE);
  EXPECT_EQ(Send(anim, forms::ACM_OPENA, 0, 302), win::FALSE);
  const win::HINSTANCE loaded = win::LoadLibraryExA("/somewhere/AnimClips.dll", 0);
  ASSERT_EQ(loaded, library);
  EXPECT_EQ(Send(anim, forms::ACM_OPENA, static_cast<win::WPARAM>(loaded), 7), win::TRUE);
  EXPECT_EQ(Send(anim, forms::ACM_OPENA, static_cast<win::WPARAM>(loaded), 301), win::FALSE);
  EXPECT_EQ(win::FreeLibrary(loaded), win::TRUE);
  EXPECT_EQ(win::FreeLibrary(loaded), win::FALSE);
  EXPECT_EQ(win::LoadLibraryExA("other.dll", 0), win::kNoModule);

  // Closing leaves the window's background only.
  EXPECT_EQ(Send(anim, forms::ACM_OPENA, 0, 301), win::TRUE);
  Send(anim, forms::ACM_OPENA, 0, 0);
  EXPECT_EQ(Shown(anim), Rgb(gdi::GetSysColor(gdi::COLOR_BTNFACE)));
}

TEST_F(AnimationWindowTest, ATransparentClipLetsTheBackgroundThroughAndCanBeCentred) {
  Video v = EightBit({{3, 3, 1, 3, 3, 2, 3, 3}});
  v.palette.push_back(kKey);
  clip = avitest::Build(v);
  std::ofstream(file, std::ios::binary)
      .write(reinterpret_cast<const char*>(clip.data()), static_cast<std::streamsize>(clip.size()));
  const win::HWND anim = Create(forms::ACS_TRANSPARENT | forms::ACS_CENTER, 10, 6);
  ASSERT_EQ(OpenFile(anim, file), win::TRUE);
  win::RECT r;
  win::GetClientRect(anim, &r);
  EXPECT_EQ(r.right, 10);  // centred clips keep the window's size
  // The clip sits at (3, 2): its top row shows blue at x 1, its bottom row
  // green at x 2; the key colour shows the white background.
  EXPECT_EQ(Shown(anim, 4, 2), kBlue);
  EXPECT_EQ(Shown(anim, 5, 3), kGreen);
  EXPECT_EQ(Shown(anim, 3, 2), 0xFFFFFFu);
  EXPECT_EQ(Shown(anim, 0, 0), 0xFFFFFFu);
}

}  // namespace
