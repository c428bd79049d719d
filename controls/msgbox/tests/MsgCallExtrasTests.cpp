// The parts of a message box call that reach beyond the layout: custom
// button texts, the topmost window, bringing a modeless box to the front,
// the window's tiled background picture and the change notifications of
// the control's properties.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "com/Dispatch.h"
#include "gdi/Bitmaps.h"
#include "gdi/FontBackend.h"
#include "gdi/Shapes.h"
#include "msgbox/MsgState.h"
#include "tests/MsgTestHost.h"
#include "win/Menu.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace kvctl2 {
namespace {

using test::Answer;

// A host that records the property changes its controls tell it of.
class RecordingHost : public test::HostForm {
 public:
  std::vector<std::string> changed;

 protected:
  void OnControlPropertyChanged(com::Control&, std::string_view name) override { changed.emplace_back(name); }
};

class MsgCallExtras : public ::testing::Test {
 protected:
  void SetUp() override {
    host = std::make_shared<RecordingHost>();
    host->Show();
    msg = host->msg();
  }
  void TearDown() override {
    forms::Responders::Clear();
    for (const auto& f : forms::Form::Forms()) {
      MessageState().Result = 1;
      f->Unload();
    }
  }

  gdi::ScopedFixedMetrics fixed;
  std::shared_ptr<RecordingHost> host;
  std::shared_ptr<Msg> msg;
};

// The tenth argument puts the temporary texts (where not empty) and width
// on the buttons; the buttons keep their results. Without it the standard
// captions and width stay.
TEST_F(MsgCallExtras, CustomButtonTextsAndWidth) {
  msg->Let("TempButtonsText1", "Speichern");
  msg->Let("TempButtonsText3", "Verwerfen");
  msg->Let("TempButtonsWidth", 1800);
  for (const bool custom : {true, false}) {
    std::vector<std::string> captions;
    std::vector<int32_t> widths;
    Answer([&](frmMsgBoxIe& w) {
      for (int16_t i = 0; i <= 2; ++i) {
        captions.push_back(w.cmdSys(i)->Caption());
        widths.push_back(w.cmdSys(i)->Width());
      }
      w.cmdSys(2)->Click();
    });
    const rt::Variant result =
        com::CallByName(*msg, "MsgBoxEx", com::CallKind::Method,
                        {rt::Variant("Save the changes?"), rt::Variant(int32_t{forms::vbYesNoCancel}),
                         rt::Variant("Title"), rt::Variant(""), rt::Variant(0), rt::Variant(0), rt::Variant(""),
                         rt::Variant(false), rt::Variant(), rt::Variant(custom)});
    EXPECT_EQ(result.ToLong(), forms::vbCancel) << custom;
    if (custom) {
      EXPECT_EQ(captions, (std::vector<std::string>{"Speichern", "&Nein", "Verwerfen"}));
      EXPECT_EQ(widths, (std::vector<int32_t>{1800, 1800, 1800}));
    } else {
      EXPECT_EQ(captions, (std::vector<std::string>{"&Ja", "&Nein", "Abbrechen"}));
      EXPECT_EQ(widths, (std::vector<int32_t>{1200, 1200, 1200}));
    }
  }
}

// What reaches the window's procedure when it is placed in the z-order.
struct Placement {
  win::HWND insertAfter;
  uint32_t flags;
};
std::vector<Placement> placements;
win::WNDPROC windowProc = nullptr;
win::LRESULT RecordPlacement(win::HWND hWnd, uint32_t message, win::WPARAM wParam, win::LPARAM lParam) {
  if (message == win::WM_WINDOWPOSCHANGING) {
    const auto* pos = reinterpret_cast<const win::WINDOWPOS*>(lParam);
    placements.push_back({pos->hwndInsertAfter, pos->flags});
  }
  return win::CallWindowProcA(windowProc, hWnd, message, wParam, lParam);
}

// With the style's foreground flag the window puts itself above all
// others, without taking the focus, whenever it is activated; a modeless
// box comes to the front when it is shown.
TEST_F(MsgCallExtras, TopmostAndBroughtToTheFront) {
  win::SetForegroundWindow(host->hWnd());
  msg->MsgBoxEx("Text", forms::vbMsgBoxSetForeground, "Title", "", 0, exNoModal);
  auto w = MessageState().window;
  EXPECT_EQ(win::GetForegroundWindow(), w->hWnd());

  windowProc = win::LongToProc(win::SetWindowLongA(w->hWnd(), win::GWL_WNDPROC, win::ProcToLong(RecordPlacement)));
  placements.clear();
  host->Show();
  w->Show();
  ASSERT_EQ(placements.size(), 1u);
  EXPECT_EQ(placements[0].insertAfter, win::HWND_TOPMOST);
  EXPECT_EQ(placements[0].flags, 0x53u);  // no size, no move, shown, not activated

  // Without the flag nothing is placed.
  MessageState().Result = 1;
  w->Unload();
  msg->MsgBoxEx("Text", 0, "Title", "", 0, exNoModal);
  w = MessageState().window;
  windowProc = win::LongToProc(win::SetWindowLongA(w->hWnd(), win::GWL_WNDPROC, win::ProcToLong(RecordPlacement)));
  placements.clear();
  host->Show();
  w->Show();
  EXPECT_TRUE(placements.empty());
}

// A picture given to the window is tiled over it every 1800 twips (120
// pixels), from 20 twips across and 450 twips down.
TEST_F(MsgCallExtras, WindowPictureIsTiled) {
  msg->MsgBoxEx(std::string(60, 'x'), 0, "Title", "", 0, exNoModal);
  auto w = MessageState().window;
  gdi::OwnedBitmap red(gdi::CreateFilledBitmap(8, 8, gdi::RGB(255, 0, 0)));
  w->SetPicture(com::StdPicture::FromBitmap(std::move(red)));
  w->Refresh();
  const gdi::HDC dc = w->Surface().hDC();
  ASSERT_GT(w->Width(), 2 * 1800);
  const int top = 30;  // 450 twips
  for (const int left : {1, 121, 241}) {
    EXPECT_EQ(gdi::GetPixel(dc, left, top), gdi::RGB(255, 0, 0)) << left;
    EXPECT_EQ(gdi::GetPixel(dc, left + 7, top + 7), gdi::RGB(255, 0, 0)) << left;
    EXPECT_NE(gdi::GetPixel(dc, left + 8, top), gdi::RGB(255, 0, 0)) << left;
  }
  EXPECT_NE(gdi::GetPixel(dc, 61, top), gdi::RGB(255, 0, 0));  // between two tiles
}

// Every property tells the host that it changed, by its own name, so that
// the host saves the control; the write-only temporary values do not.
TEST_F(MsgCallExtras, EachPropertyTellsItsChangeByName) {
  std::vector<std::string> names;
  for (const MsgPropertyDef& def : MsgPropertyTable()) {
    names.push_back(def.name);
    const rt::Variant value = msg->Get(def.name);
    if (def.kind == MsgPropertyKind::Picture) {
      msg->Set(def.name, value);
    } else {
      msg->Let(def.name, value);
    }
  }
  msg->Let("TempButtonsWidth", 1);
  msg->Let("TempButtonsText1", "x");
  EXPECT_EQ(host->changed, names);
}

}  // namespace
}  // namespace kvctl2
