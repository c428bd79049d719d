// The HTML view in a real window on a private X server: it shows its page
// as the headless render does, paints when its page or scroll position
// changed, and rests when nothing happens (a paint never asks for the next
// one).
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "forms/Form.h"
#include "forms/PictureBox.h"
#include "forms/tests/x11/RealWindowChecks.h"
#include "gdi/FontBackend.h"
#include "html/KVXHTML.h"
#include "win/DisplayBackend.h"
#include "win/MessageQueue.h"
#include "win/X11Testing.h"

namespace kvctl2 {
namespace {

namespace x11 = win::x11test;

std::string Paragraphs(int count) {
  std::string text = "<h2>Release notes</h2>";
  for (int i = 0; i < count; ++i)
    text += "<p>Paragraph " + std::to_string(i) + " with <a href=\"http://example.org/" + std::to_string(i) +
            "\">a link</a> and some words after it.</p>";
  return text;
}

class HtmlViewWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    gdi::UsePangoMetrics();
    form = std::make_shared<forms::Form>("frmView");
    form->SetClientSize(6000, 4500);
    form->Load();
    html = std::dynamic_pointer_cast<KVXHTML>(form->AddControl("Kvctl2.KVXHTML", "html"));
    ASSERT_TRUE(html);
    html->Move(120, 120, 5760, 4260);
    html->SetVisible(true);
    html->SetEnabled(true);
    html->SetEnableAnchors(true);
    html->SetEnableScroll(htmScrollBars::Beide);
    html->SetBackColor(0xFFFFFF);
    html->ViewPort()->Events().Connect("Paint", [this](com::Args&) { ++paints; });
  }
  void TearDown() override {
    if (form->IsLoaded()) form->Unload();
  }

  // Runs the message loop's work for a stretch of real time, one message
  // at a time (a window that asks for paint after paint cannot hold it),
  // and returns the viewport's paints meanwhile.
  int PaintsOver(std::chrono::milliseconds span) {
    paints = 0;
    const auto end = std::chrono::steady_clock::now() + span;
    while (std::chrono::steady_clock::now() < end) {
      win::Display().ProcessPending();
      win::MSG msg;
      if (win::PeekMessageA(&msg, win::kNoWindow, 0, 0, win::PM_REMOVE))
        win::DispatchMessageA(&msg);
      else
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return paints;
  }

  std::shared_ptr<forms::Form> form;
  std::shared_ptr<KVXHTML> html;
  int paints = 0;
};

TEST_F(HtmlViewWindow, PaintsWhatChangedAndThenRests) {
  html->SetText(Paragraphs(40));
  form->Show();
  EXPECT_GT(PaintsOver(std::chrono::milliseconds(400)), 0);  // shown
  ASSERT_TRUE(x11::IsShown(form->hWnd()));
  EXPECT_EQ(PaintsOver(std::chrono::milliseconds(400)), 0);  // idle
  const int difference = forms::test::CompareShownWithRender(*form, "html-real-window");
  EXPECT_GE(difference, 0) << "the window shows nothing, or another size";
  EXPECT_LE(difference, 2);

  // Scrolling shows the page further down, then the view rests again.
  com::Args pageDown{int16_t{34}, int16_t{0}};
  html->ViewPort()->Events().Raise("KeyDown", pageDown);
  EXPECT_GT(html->ScrollY(), 0);
  EXPECT_GT(PaintsOver(std::chrono::milliseconds(300)), 0);
  EXPECT_EQ(PaintsOver(std::chrono::milliseconds(400)), 0);
  EXPECT_LE(forms::test::CompareShownWithRender(*form, "html-real-window-scrolled"), 2);
}

}  // namespace
}  // namespace kvctl2
