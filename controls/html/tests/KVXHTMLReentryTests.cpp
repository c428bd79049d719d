// Handlers of the view's events that refresh it, change its properties or
// give it a new text: nothing breaks (the sanitized build watches the
// memory), and what the handler asked is done, at once or, for a LoadImage
// handler inside a pass, when the running Refresh has ended.
#include <gtest/gtest.h>

#include <functional>

#include "TestView.h"
#include "forms/Form.h"
#include "forms/PictureBox.h"
#include "gdi/Bitmaps.h"
#include "runtime/Clock.h"
#include "win/MessageQueue.h"
#include "win/Messages.h"
#include "win/Window.h"

namespace kvctl2 {
namespace {

using testing::TestView;

const char* kPage = "<p><a href=\"http://example.org/x\">link</a> word <img src=pic> last</p>";

struct Action {
  const char* name;
  std::function<void(KVXHTML&)> act;
  std::function<void(KVXHTML&)> check;  // the request took effect
};

const std::vector<Action>& Actions() {
  static const std::vector<Action> actions = {
      {"Refresh", [](KVXHTML& h) { h.Refresh(false); },
       [](KVXHTML& h) { EXPECT_NE(TestView::Find(TestView::TextsOf(h, false), "last").x, -1); }},
      {"DefaultFontSize", [](KVXHTML& h) { h.SetDefaultFontSize(20); },
       [](KVXHTML& h) {
         const auto calls = TestView::CallsOf(h, false);
         EXPECT_TRUE(std::any_of(calls.begin(), calls.end(), [](const std::string& c) {
           return c.rfind("TextOut 'word'", 0) == 0 && c.find("h=-27") != std::string::npos;
         }));
       }},
      {"DefaultPadding", [](KVXHTML& h) { h.SetDefaultPadding(20); },
       [](KVXHTML& h) { EXPECT_EQ(TestView::Find(TestView::TextsOf(h, false), "link").x, 20); }},
      {"Text", [](KVXHTML& h) { h.SetText("<p>replaced</p>"); },
       [](KVXHTML& h) {
         EXPECT_NE(h.Text().find("replaced"), std::string::npos);
         const auto drawn = TestView::TextsOf(h, false);
         EXPECT_NE(TestView::Find(drawn, "replaced").x, -1);
         EXPECT_EQ(TestView::Find(drawn, "word").x, -1);
       }},
  };
  return actions;
}

class Reentry : public ::testing::Test {
 public:
  void SetUp() override {
    acted = false;
    host = std::make_shared<forms::Form>("frmHost");
    host->Load();
    html = std::dynamic_pointer_cast<KVXHTML>(host->AddControl("Kvctl2.KVXHTML", "html"));
    ASSERT_TRUE(html);
    html->Move(0, 0, 6000, 3000);
    html->SetVisible(true);
    html->SetEnabled(true);
    html->SetEnableAnchors(true);
    html->SetHoverEnabled(true);
    html->SetEnableScroll(htmScrollBars::Beide);
    html->Events().Connect("LoadImage", [this](com::Args& args) { args[1] = com::ToVariant(picture); });
  }
  void TearDown() override {
    if (host->IsLoaded()) host->Unload();
  }

  // Does `action` in the first handler of `event`.
  void ActOnce(const std::string& event, const Action& action) {
    html->Events().Connect(event, [this, &action](com::Args&) {
      if (acted) return;
      acted = true;
      action.act(*html);
    });
  }
  void Pointer(const char* event, int16_t button = 1) {
    int x = 0, y = 0;
    ASSERT_TRUE(html->LinkPoint(0, x, y));
    com::Args args{button, int16_t{0}, static_cast<double>(x), static_cast<double>(y)};
    html->ViewPort()->Events().Raise(event, args);
  }

  gdi::ScopedFixedMetrics metrics;
  rt::ManualClock clock{0};
  rt::ScopedClock useClock{clock};
  com::StdPicturePtr picture =
      com::StdPicture::FromBitmap(gdi::OwnedBitmap(gdi::CreateFilledBitmap(20, 10, 0x00FF00)));
  std::shared_ptr<forms::Form> host;
  std::shared_ptr<KVXHTML> html;
  bool acted = false;
};

TEST_F(Reentry, AHandlerOfAnyEventMayRefreshChangeOrReplaceTheView) {
  struct Event {
    const char* name;
    std::string source;
    std::function<void(Reentry&)> raise;
  };
  const Event events[] = {
      {"LoadImage", kPage, [](Reentry&) {}},
      {"LoadImage", std::string("<body background=tile>") + kPage, [](Reentry&) {}},
      {"MouseMove", kPage, [](Reentry& t) { t.Pointer("MouseMove", 0); }},
      {"MouseDown", kPage, [](Reentry& t) { t.Pointer("MouseDown"); }},
      {"MouseUp", kPage, [](Reentry& t) { t.Pointer("MouseUp"); }},
      {"Click", kPage, [](Reentry& t) { t.html->ViewPort()->Events().Raise("Click"); }},
      {"HyperlinkClick", kPage,
       [](Reentry& t) {
         t.Pointer("MouseUp");
         t.clock.Advance(100);
         win::DoEvents();
       }},
      {"DblClick", kPage,
       [](Reentry& t) { win::SendMessageA(t.html->ViewPort()->hWnd(), win::WM_LBUTTONDBLCLK, 0, 0); }},
  };
  for (const Event& event : events) {
    for (const Action& action : Actions()) {
      SCOPED_TRACE(std::string(event.name) + " / " + action.name + " / " + event.source);
      TearDown();
      SetUp();
      ActOnce(event.name, action);
      html->SetText(event.source);
      event.raise(*this);
      ASSERT_TRUE(acted);
      action.check(*html);
    }
  }
}

TEST_F(Reentry, AHandlerThatRefreshesOnEveryPassIsServedAFewTimes) {
  int loads = 0;
  html->Events().Connect("LoadImage", [&](com::Args&) {
    ++loads;
    html->Refresh(false);
  });
  html->SetText(std::string("<body background=tile>") + kPage);
  EXPECT_GT(loads, 1);
  EXPECT_LT(loads, 100);
  EXPECT_NE(TestView::Find(TestView::TextsOf(*html, false), "last").x, -1);
}

}  // namespace
}  // namespace kvctl2
